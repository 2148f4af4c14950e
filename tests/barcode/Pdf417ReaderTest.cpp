// An independent reader, zxing-cpp, decodes our symbols back to the exact payload bytes.

#include "barcode/BarcodeImage.h"
#include "record/GbkText.h"
#include "tests/support/BarcodePayloads.h"
#include "tests/support/ZxingReader.h"

#include <random>

#include <gtest/gtest.h>

namespace parvelin::barcode {
namespace {

using namespace std::string_literals;

// What zxing-cpp reads from the page picture of the payload, or why it read nothing.
std::string readBack(const std::string& payload) {
    const BarcodePicture picture = drawBarcodePicture(record::asBytes(payload));
    if (picture.status != DrawStatus::Ok) {
        return "<not encoded>";
    }
    return test::readWithZxing(picture.image);
}

struct PayloadCase {
    std::string payload;
    std::string why;
};

void expectReadBack(const std::vector<PayloadCase>& cases) {
    for (const PayloadCase& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(readBack(c.payload), c.payload);
    }
}

std::string allBytesFrom(int first, int last) {
    std::string bytes;
    for (int b = first; b <= last; ++b) {
        bytes += static_cast<char>(b);
    }
    return bytes;
}

TEST(Pdf417Reader, TextOfEverySubMode) {
    expectReadBack({
        {"HELLO WORLD", "Alpha"},
        {"hello world", "Lower"},
        {"0123456789&\r\t,:#-.$/+%*=^", "Mixed"},
        {";<>@[\\]_`~!\r\t,:\n-.$/\"|*()?{}'", "Punctuation"},
        {"aBcDeFgHiJ", "shifts to Alpha from Lower"},
        {"abcDEFghiJKL", "latches between Lower and Alpha"},
        {"A;B<C>D;<>@E", "punctuation shifts and latch"},
        {"x1y2z3 A1B2C3 ;1;2", "Mixed among the others"},
        {"A", "one value completed with 29"},
        {allBytesFrom(0x20, 0x7E), "all printable ASCII"},
        {"2|Zm9vYmFy\r\nYmF6||", "the envelope of a payload"},
    });
}

TEST(Pdf417Reader, DigitRuns) {
    expectReadBack({
        {"1234567", "7 digits: text"},
        {"12345678", "8 digits: numeric by the all-digits rule"},
        {"0000000000000", "13 zeros: the leading 1 keeps them"},
        {"1234567890123", "13 digits"},
        {std::string(44, '9'), "one full group"},
        {std::string(45, '8'), "a group and one digit"},
        {std::string(100, '5'), "groups of 44, 44, 12"},
        {"Order 12345678901234567890 shipped", "a digit run inside text"},
        {"ABC123456789012DEF", "12 digits inside text"},
    });
}

TEST(Pdf417Reader, BytesOf0x80AndAbove) {
    expectReadBack({
        {record::gbk("张三 北京 外交部"), "GBK text"},
        {"Hello\x80World", "a lone byte inside long text: 913"},
        {"A\x80", "913 after an odd value"},
        {";<>\x80X", "913 after Punctuation"},
        {"a\x80"
         "b",
         "a lone byte between short text: byte compaction"},
        {"a\x80"
         "bc",
         "a lone byte between text of 1 and 2: text"},
        {allBytesFrom(0x80, 0xFF), "128 bytes: a multiple of 6 is not, 901"},
        {allBytesFrom(0x80, 0xFD), "126 bytes: 924"},
        {allBytesFrom(0x00, 0xFF), "every byte value"},
        {"\x01\x02\x03text\x7F", "controls and DEL"},
    });
}

TEST(Pdf417Reader, RandomBytes) {
    std::mt19937 random(15438);
    std::vector<PayloadCase> cases;
    for (const int length : {1, 2, 5, 6, 7, 13, 50, 200, 600}) {
        std::string bytes;
        for (int i = 0; i < length; ++i) {
            // Mostly text with some digits and high bytes, so that every segment type occurs.
            const int kind = random() % 10;
            bytes += static_cast<char>(kind < 6   ? 0x20 + random() % 95
                                       : kind < 8 ? '0' + random() % 10
                                                  : random() % 256);
        }
        cases.push_back({bytes, std::to_string(length) + " random bytes"});
    }
    expectReadBack(cases);
}

TEST(Pdf417Reader, PayloadsOfGeneratedApplicants) {
    std::mt19937 random(2012);
    std::vector<PayloadCase> cases;
    int tooLong = 0;
    for (int i = 0; i < 24; ++i) {
        const std::string payload =
            test::barcodePayloadOf(test::randomPrintableApplicant(random, 30));
        if (!test::fitsOneSymbol(payload)) {
            ++tooLong;
            continue;
        }
        cases.push_back({payload, "applicant " + std::to_string(i)});
    }
    EXPECT_GE(cases.size(), 16u) << tooLong << " payloads did not fit";
    expectReadBack(cases);
}

TEST(Pdf417Reader, LargestPayloadsThatFit) {
    std::string bytes;
    for (int i = 0; i < 1108; ++i) {
        bytes += static_cast<char>(0x80 + i * 7 % 128);
    }
    expectReadBack({
        {std::string(1850, 'A'), "1850 capitals"},
        {std::string(2710, '3'), "2710 digits"},
        {bytes, "1108 bytes"},
        {test::largestFittingPayload(), "the largest applicant payload"},
    });
}

} // namespace
} // namespace parvelin::barcode
