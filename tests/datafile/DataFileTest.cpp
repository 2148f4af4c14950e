#include "datafile/DataFile.h"

#include "datafile/Base64.h"
#include "datafile/Des.h"
#include "datafile/RecordText.h"
#include "record/GbkText.h"
#include "tests/support/TestData.h"

#include <gtest/gtest.h>

namespace parvelin::datafile {
namespace {

// The deciphered bytes of data-file content, with nothing removed.
std::string decipher(std::string_view content) {
    std::string bytes = base64Decode(content);
    std::span<std::uint8_t> span(reinterpret_cast<std::uint8_t*>(bytes.data()), bytes.size());
    Des(desKeyFromText("7302591846027135")).decryptEcb(span);
    return bytes;
}

std::string encipher(std::string bytes) {
    std::span<std::uint8_t> span(reinterpret_cast<std::uint8_t*>(bytes.data()), bytes.size());
    Des(desKeyFromText("73025918")).encryptEcb(span);
    return base64Encode(record::asBytes(bytes));
}

TEST(Envelope, WrapsTheRecordsBase64BetweenTheMarkers) {
    EXPECT_EQ(wrapRecord(""), "2|||");
    EXPECT_EQ(wrapRecord("foobar"), "2|Zm9vYmFy||");
    EXPECT_EQ(unwrapRecord("2|Zm9vYmFy||"), "foobar");
    EXPECT_EQ(unwrapRecord("x|Zm9vYmFy|"), "foobar") << "what precedes the first | is not examined";
    EXPECT_EQ(unwrapRecord("2|Zm9vAGJhcg==||"), std::string("foo\0bar", 7))
        << "a zero byte is kept, for parsing to refuse the record as damaged";
    EXPECT_EQ(unwrapRecord("2|"), std::nullopt);
    EXPECT_EQ(unwrapRecord("Zm9v"), std::nullopt);
}

TEST(DataFile, PadsWithOneMarkerByteAndZerosToWholeBlocks) {
    struct Case {
        std::size_t recordLength; // the wrapped text is 4 + Base64 length
        std::size_t paddedLength;
        const char* why;
    };
    const Case cases[] = {
        {0, 8, "the empty record: \"2|||\" plus 80 00 00 00"},
        {3, 16, "wrapped length 8: a full pad block follows"},
        {6, 16, "wrapped length 12"},
        {9, 24, "wrapped length 16: a full pad block follows"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        const std::string record(c.recordLength, 'a');
        const std::string deciphered = decipher(sealRecord(record));
        const std::string wrapped = wrapRecord(record);
        ASSERT_EQ(deciphered.size() % 8, 0u);
        EXPECT_EQ(deciphered.substr(0, wrapped.size()), wrapped);
        EXPECT_EQ(deciphered[wrapped.size()], '\x80');
        EXPECT_EQ(deciphered.find_first_not_of('\0', wrapped.size() + 1), std::string::npos);
        EXPECT_EQ(openRecord(sealRecord(record)), record);
    }
}

TEST(DataFile, CipherTextIsTheWrappedTextPaddedToTheNextWholeBlock) {
    for (std::size_t n = 0; n < 40; ++n) {
        const std::string record(n, 'b');
        const std::size_t wrapped = wrapRecord(record).size();
        EXPECT_EQ(decipher(sealRecord(record)).size(), (wrapped / 8 + 1) * 8) << n;
    }
}

TEST(DataFile, OpeningIgnoresTrailingBlocksAndStrayCharacters) {
    const std::string record = "groupMember|x";
    const std::string wrapped = wrapRecord(record);
    std::string padded = wrapped + '\x80';
    padded.resize((padded.size() + 7) / 8 * 8, '\0');

    // Blocks after the padding block, and a trailing part of a block.
    EXPECT_EQ(openRecord(encipher(padded + std::string(16, 'Z'))), record);
    std::string withTail = base64Decode(encipher(padded)) + "abc";
    EXPECT_EQ(openRecord(base64Encode(record::asBytes(withTail))), record);
    // Line breaks and stray characters in the Base64.
    const std::string content = sealRecord(record);
    EXPECT_EQ(openRecord(content.substr(0, 5) + "\r\n \x80" + content.substr(5)), record);
}

// The broken files of tests/data/broken, each named for its fault, fail where the name says:
// deciphering finds no wrapped record, or parsing refuses the record text.
TEST(DataFile, BrokenFilesFailWhereTheirNameSays) {
    struct Case {
        const char* file;
        std::optional<ParseStatus> parsed; // std::nullopt: no record text at all
    };
    const Case cases[] = {
        {"empty", std::nullopt},
        {"not-base64", std::nullopt},
        {"no-padding-marker", std::nullopt},
        {"one-bar", std::nullopt},
        {"cut-short", std::nullopt},
        {"no-header", ParseStatus::NoHeader},
        {"too-few-values", ParseStatus::TooFewValues},
        {"bad-birth-date", ParseStatus::InvalidBirthDate},
        {"bad-fill-date", ParseStatus::InvalidFillDate},
        {"lone-lead-byte", ParseStatus::DamagedText},
        {"invalid-pair", ParseStatus::DamagedText},
        {"nul-in-value", ParseStatus::DamagedText},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const auto text = openRecord(test::readTestData(std::string("broken/") + c.file + ".zbdw"));
        ASSERT_EQ(text.has_value(), c.parsed.has_value());
        if (text) {
            record::MemberRecord record;
            EXPECT_EQ(parseFileRecord(*text, record), *c.parsed);
        }
    }
    EXPECT_EQ(openRecord(sealRecord("")), "") << "the empty record is a record";
}

} // namespace
} // namespace parvelin::datafile
