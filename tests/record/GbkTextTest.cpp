#include "record/GbkText.h"

#include "record/Vocabulary.h"

#include <gtest/gtest.h>

namespace parvelin::record {
namespace {

TEST(GbkText, LeadBytesAreThoseOfCodePage936) {
    EXPECT_FALSE(isLeadByte(0x7F));
    EXPECT_FALSE(isLeadByte(0x80)); // the euro sign, a single byte in code page 936
    EXPECT_TRUE(isLeadByte(0x81));
    EXPECT_TRUE(isLeadByte(0xFE));
    EXPECT_FALSE(isLeadByte(0xFF));
}

TEST(GbkText, WellFormedTextHasASecondByteAfterEveryLeadByte) {
    struct Case {
        std::string_view text;
        bool wellFormed;
        const char* why;
    };
    const Case cases[] = {
        {"", true, "empty"},
        {"\xD5\xC5\xC8\xFD|ZHANG", true, "张三 and ASCII"},
        {"\x81\x40\xFE\xFE", true, "the lowest and highest pairs"},
        {"\x81\x7C|", true, "a second byte of 0x7C is part of its character"},
        {"\x80|\xFF", true, "0x80 (the euro sign) and 0xFF are no lead bytes"},
        {"\xD5", false, "a lone lead byte at the end"},
        {"\x81\x20|", false, "a lead byte before a blank"},
        {"\x81\x3F", false, "a second byte below 0x40"},
        {"\x81\x7F", false, "0x7F is never a second byte"},
        {"\x81\xFF", false, "0xFF is never a second byte"},
        {std::string_view("\x81\0", 2), false, "a lead byte before a zero byte"},
        {"ab\xB1\xB1\xBE", false, "北 and a lone lead byte"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(isWellFormedGbk(c.text), c.wellFormed);
    }
}

TEST(GbkText, CharacterCountTakesALeadByteAndItsSecondByteAsOne) {
    struct Case {
        std::string_view text;
        std::size_t expected;
        const char* why;
    };
    const Case cases[] = {
        {"", 0, "empty"},
        {"ZHANG", 5, "ASCII letters"},
        {"\xD5\xC5\xC8\xFD", 2, "张三"},
        {"\xD5\xC5"
         "a",
         2, "a Chinese character and a letter"},
        {"\xD5", 1, "a lone lead byte at the end"},
        {"\x80"
         "a",
         2, "0x80 is no lead byte"},
        {"\x81\x7C", 1, "a second byte of 0x7C belongs to its lead byte"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(characterCount(c.text), c.expected);
    }
}

TEST(GbkText, SearchesSkipSecondBytesOfDoubleByteCharacters) {
    // 0x81 0x7C is one character whose second byte is "|"; 0x81 0x5B and 0x81 0x5D likewise end
    // in "[" and "]".
    const std::string text = "\x81\x7C"
                             "a|b\x81\x5B[\x81\x5D]";
    EXPECT_EQ(findSingleByte(text, '|'), 3u);
    EXPECT_EQ(findSingleByte(text, '|', 4), std::string::npos);
    EXPECT_EQ(findSingleByte(text, '['), 7u);
    EXPECT_EQ(findSingleByte(text, ']'), 10u);
    EXPECT_EQ(findSingleByte("\x81\x7C", '|'), std::string::npos);
    // A text search only matches on character boundaries: 0xB1 0xB1 0xBE 0xA9 is 北京, and the
    // bytes 0xB1 0xBE inside it are not the character 本 (0xB1 0xBE).
    EXPECT_EQ(findText("\xB1\xB1\xBE\xA9", "\xB1\xBE"), std::string::npos);
    EXPECT_TRUE(containsText("a\xBA\xC5", word::kNumberSuffix));
    EXPECT_EQ(findText("ab", ""), 0u);
}

TEST(GbkText, TrimmingRemovesWhiteSpaceAtBothEnds) {
    EXPECT_EQ(trimmed(" \t\r\n\v\fa b\r\n "), "a b");
    EXPECT_EQ(trimmed("   "), "");
    EXPECT_EQ(trimmed(""), "");
    EXPECT_EQ(trimmedLeft("  a "), "a ");
    EXPECT_EQ(trimmedRight("  a "), "  a");
    // A full-width space (A1 A1) is not white space for the checks.
    EXPECT_EQ(trimmed("\xA1\xA1"
                      "a"),
              "\xA1\xA1"
              "a");
}

TEST(GbkText, ConversionsRoundTripAndReportWhatTheOtherSideCannotHold) {
    EXPECT_EQ(*utf8ToGbk("张三·"), "\xD5\xC5\xC8\xFD\xA1\xA4");
    EXPECT_EQ(*gbkToUtf8("\xD5\xC5\xC8\xFD\xA1\xA4"), "张三·");
    EXPECT_EQ(*utf8ToGbk(""), "");
    EXPECT_FALSE(utf8ToGbk("\xF0\x9F\x98\x80").has_value()) << "an emoji has no GBK form";
    EXPECT_FALSE(utf8ToGbk("a\xFF").has_value()) << "broken UTF-8";
    EXPECT_FALSE(gbkToUtf8("\xD5").has_value()) << "a double-byte character cut short";
    EXPECT_FALSE(gbkToUtf8("\x81\x20").has_value()) << "no second byte of GBK is below 0x40";
    EXPECT_EQ(gbkToUtf8Lossy("\xD5\xC5\x81\x20"
                             "a\xD5"),
              "张\xEF\xBF\xBD"
              "a\xEF\xBF\xBD");
    EXPECT_THROW(gbk("\xF0\x9F\x98\x80"), std::invalid_argument);
}

TEST(Vocabulary, EveryWordIsTheGbkFormOfItsSpelling) {
    for (const VocabularyEntry& entry : kVocabulary) {
        SCOPED_TRACE(entry.utf8);
        EXPECT_EQ(gbk(entry.utf8), entry.gbk);
    }
}

} // namespace
} // namespace parvelin::record
