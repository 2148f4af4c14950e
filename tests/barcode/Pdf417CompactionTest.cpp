// Text, numeric and byte compaction of one segment.

#include "barcode/Pdf417Compaction.h"

#include "record/GbkText.h"

#include <array>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace parvelin::barcode {
namespace {

std::vector<std::int32_t> compacted(int (*compact)(std::span<const std::uint8_t>,
                                                   std::span<std::int32_t>),
                                    std::string_view bytes) {
    std::array<std::int32_t, 928> out{};
    const int count = compact(record::asBytes(bytes), out);
    EXPECT_LE(count, 928);
    return {out.begin(), out.begin() + std::min(count, 928)};
}

struct CodewordCase {
    std::string_view text;
    std::vector<std::int32_t> codewords;
    std::string_view why;
};

TEST(Pdf417Compaction, TextSubModes) {
    // Sub-mode values in pairs: codeword = first × 30 + second (ISO/IEC 15438 text compaction).
    // Alpha: A..Z 0..25, space 26, 27 latch Lower, 28 latch Mixed, 29 shift Punctuation.
    // Lower: a..z, space, 27 shift Alpha, 28 latch Mixed, 29 shift Punctuation.
    // Mixed: "0123456789&\r\t,:#-.$/+%*=^", 25 latch Punctuation, space, 27 latch Lower,
    // 28 latch Alpha, 29 shift Punctuation. Punctuation: ";<>@[\]_`~!\r\t,:\n-.$/"|*()?{}'",
    // 29 latch Alpha.
    const CodewordCase cases[] = {
        {"AB", {1}, "0, 1"},
        {"A", {29}, "an odd count is completed with 29: 0, 29"},
        {"ABC", {1, 89}, "0, 1 | 2, 29"},
        {"aB", {810, 811}, "27, 0 latch to Lower; 27, 1 shift to Alpha"},
        {"ab", {810, 59}, "27, 0 | 1, 29"},
        {"a b", {810, 781}, "space stays in Lower: 27, 0 | 26, 1"},
        {"aBCD",
         {810, 868, 32, 119},
         "two more capitals follow: 28, 28 latch through Mixed to Alpha: 27, 0 | 28, 28 | 1, 2 | "
         "3, 29"},
        {"aBC", {810, 811, 812}, "one more capital only: shift each time"},
        {"A1", {28, 59}, "latch to Mixed: 0, 28 | 1, 29"},
        {"1a", {841, 810}, "Mixed to Lower: 28, 1 | 27, 0"},
        {"1A", {841, 840}, "Mixed to Alpha: 28, 1 | 28, 0"},
        {"A,", {28, 419}, "comma is Mixed and Punctuation: latch to Mixed, 0, 28 | 13, 29"},
        {"A;", {29, 29}, "a lone Punctuation character is shifted: 0, 29 | 0, 29"},
        {"A;<>", {28, 750, 32}, "three Punctuation: 0, 28 | 25, 0 | 1, 2"},
        {";<>A", {865, 1, 89, 29}, "28, 25 | 0, 1 | 2, 29 latch to Alpha | 0, 29"},
        {";<> ", {865, 1, 89, 809}, "space is not in Punctuation: 29 latch to Alpha, then 26"},
        {"1;<>", {841, 750, 32}, "Mixed to Punctuation: 28, 1 | 25, 0 | 1, 2"},
        {"1;", {841, 870}, "Mixed shifts to Punctuation: 28, 1 | 29, 0"},
        {"A\n", {29, 479}, "line feed is only in Punctuation: 0, 29 | 15, 29"},
        {"aA\r",
         {810, 810, 851},
         "27, 0 | 27, 0 shift for one capital | 28, 11: CR latches to Mixed"},
    };
    for (const CodewordCase& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(compacted(compactText, c.text), c.codewords) << c.text;
    }
}

TEST(Pdf417Compaction, TextByteShift) {
    using namespace std::string_view_literals;
    const CodewordCase cases[] = {
        {"AB\x80"sv, {1, 913, 128}, "913 and the byte after a complete pair"},
        {"A\x80"sv, {29, 913, 128}, "an odd count is completed with 29 before 913"},
        {"A\x01"sv, {29, 913, 1}, "control bytes are shifted too"},
        {";<>\x80X"sv,
         {865, 1, 89, 913, 128, 719},
         "the 29 that completes the count in Punctuation latches to Alpha: X is then 23"},
        {"A;<>\x80;"sv,
         {28, 750, 32, 913, 128, 29},
         "with an even count Punctuation stays: ; is 0 there"},
        {"\x80\x81"sv, {913, 128, 913, 129}, "shifts only"},
    };
    for (const CodewordCase& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(compacted(compactText, c.text), c.codewords);
    }
}

TEST(Pdf417Compaction, NumericStandardExample) {
    // ISO/IEC 15438 numeric compaction example: 1000213298174000 in base 900.
    EXPECT_EQ(compacted(compactNumeric, "000213298174000"),
              (std::vector<std::int32_t>{1, 624, 434, 632, 282, 200}));
}

// The decimal digits of a base-900 number, most significant codeword first.
std::string decimalOf(const std::vector<std::int32_t>& codewords) {
    std::vector<int> digits{0}; // least significant first
    for (const std::int32_t c : codewords) {
        int carry = c;
        for (int& d : digits) {
            const int value = d * 900 + carry;
            d = value % 10;
            carry = value / 10;
        }
        for (; carry > 0; carry /= 10) {
            digits.push_back(carry % 10);
        }
    }
    std::string text;
    for (auto d = digits.rbegin(); d != digits.rend(); ++d) {
        text += static_cast<char>('0' + *d);
    }
    return text;
}

TEST(Pdf417Compaction, NumericGroupsOf44DigitsDecodeBack) {
    std::mt19937 random(902);
    for (int length = 1; length <= 140; ++length) {
        SCOPED_TRACE(length);
        std::string digits;
        for (int i = 0; i < length; ++i) {
            digits += static_cast<char>('0' + random() % 10);
        }
        const std::vector<std::int32_t> codewords = compacted(compactNumeric, digits);
        // Groups of 44 digits take 15 codewords; a shorter last group of g takes g / 3 + 1.
        const int rest = length % 44;
        ASSERT_EQ(static_cast<int>(codewords.size()), length / 44 * 15 + (rest ? rest / 3 + 1 : 0));
        std::size_t next = 0;
        for (int start = 0; start < length; start += 44) {
            const int group = std::min(44, length - start);
            const std::vector<std::int32_t> part(codewords.begin() + next,
                                                 codewords.begin() + next + group / 3 + 1);
            EXPECT_EQ(decimalOf(part), "1" + digits.substr(start, group));
            next += part.size();
        }
    }
}

TEST(Pdf417Compaction, NumericOfLargestValues) {
    // 44 nines behind the 1 still fit in 15 codewords.
    const std::string nines(44, '9');
    const std::vector<std::int32_t> codewords = compacted(compactNumeric, nines);
    ASSERT_EQ(codewords.size(), 15u);
    EXPECT_EQ(decimalOf(codewords), "1" + nines);
}

TEST(Pdf417Compaction, BytesSixToFiveAndTheRestOneEach) {
    std::string bytes;
    for (int i = 0; i < 7; ++i) {
        bytes += static_cast<char>(0xF9 - 17 * i);
    }
    const std::vector<std::int32_t> codewords = compacted(compactBytes, bytes);
    ASSERT_EQ(codewords.size(), 6u) << "7 bytes give 5 + 1 codewords";
    std::uint64_t value = 0;
    for (int i = 0; i < 5; ++i) {
        ASSERT_LT(codewords[i], 900);
        value = value * 900 + codewords[i];
    }
    std::uint64_t expected = 0;
    for (int i = 0; i < 6; ++i) {
        expected = expected << 8 | static_cast<std::uint8_t>(bytes[i]);
    }
    EXPECT_EQ(value, expected) << "the first 6 bytes as one 48-bit number in base 900";
    EXPECT_EQ(codewords[5], static_cast<std::uint8_t>(bytes[6])) << "the 7th byte as it is";

    const struct {
        int length, codewords;
    } counts[] = {{1, 1}, {5, 5}, {6, 5}, {11, 10}, {12, 10}, {13, 11}};
    for (const auto& c : counts) {
        SCOPED_TRACE(c.length);
        EXPECT_EQ(static_cast<int>(compacted(compactBytes, std::string(c.length, 'x')).size()),
                  c.codewords);
    }
}

} // namespace
} // namespace parvelin::barcode
