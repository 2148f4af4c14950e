#include "input/PinyinTable.h"

#include "input/EmbeddedPinyinTable.h"
#include "record/GbkText.h"
#include "tests/support/PinyinTables.h"

#include <map>
#include <regex>

#include <gtest/gtest.h>

namespace parvelin::input {
namespace {

using namespace std::string_literals;

constexpr std::string_view kBom = "\xEF\xBB\xBF";

std::vector<std::string_view> split(std::string_view text, std::string_view separator) {
    std::vector<std::string_view> parts;
    for (;;) {
        const std::size_t end = text.find(separator);
        parts.push_back(text.substr(0, end));
        if (end == std::string_view::npos) {
            return parts;
        }
        text.remove_prefix(end + separator.size());
    }
}

bool inTableRanges(char32_t c) {
    return (c >= 0x3400 && c <= 0x4DBF) || (c >= 0x4E00 && c <= 0x9FFF) ||
           (c >= 0xF900 && c <= 0xFAD9);
}

// The embedded bytes read directly, without the loader: byte-order mark, CR LF after every line,
// three TAB-separated fields (the character, its code point in 4 upper-case hex digits, readings in
// upper case with tone digits 1..5 separated by single spaces), ascending unique code points.
TEST(PinyinTable, EmbeddedTableIsInTheStoredForm) {
    const std::string_view stored = embeddedPinyinTable();
    ASSERT_TRUE(stored.starts_with(kBom));
    const std::string_view body = stored.substr(kBom.size());
    ASSERT_TRUE(body.ends_with("\r\n")) << "the last line is ended too";
    auto lines = split(body, "\r\n");
    lines.pop_back(); // the empty rest after the last CR LF

    // Ü and Ê are the only letters beyond A..Z; "-" joins the syllables of a compound reading.
    const std::regex reading("([A-Z]|\xC3\x9C|\xC3\x8A)+[1-5](-([A-Z]|\xC3\x9C|\xC3\x8A)+[1-5])?");
    char32_t previous = 0;
    std::size_t withUmlaut = 0;
    for (const std::string_view line : lines) {
        SCOPED_TRACE(std::string(line));
        ASSERT_FALSE(line.empty());
        ASSERT_EQ(line.find_first_of("\r\n"), std::string_view::npos) << "a lone CR or LF";
        const auto fields = split(line, "\t");
        ASSERT_EQ(fields.size(), 3u);
        const auto codePoint = singleCodePoint(fields[0]);
        ASSERT_TRUE(codePoint.has_value());
        EXPECT_EQ(fields[0].size(), 3u);
        EXPECT_TRUE(inTableRanges(*codePoint));
        char hex[8];
        std::snprintf(hex, sizeof hex, "%04X", static_cast<unsigned>(*codePoint));
        EXPECT_EQ(fields[1], hex) << "field 2 names the character of field 1";
        EXPECT_GT(*codePoint, previous) << "ascending, every code point once";
        previous = *codePoint;

        const auto readings = split(fields[2], " ");
        EXPECT_LE(readings.size(), 9u) << "the romanizer's bound counts on at most 9";
        for (std::size_t i = 0; i < readings.size(); ++i) {
            EXPECT_TRUE(std::regex_match(readings[i].begin(), readings[i].end(), reading))
                << "reading \"" << readings[i] << "\"";
            for (std::size_t j = i + 1; j < readings.size(); ++j) {
                EXPECT_NE(readings[i], readings[j]) << "exact duplicates are dropped";
            }
        }
        withUmlaut += fields[2].find("\xC3\x9C") != std::string_view::npos ? 1 : 0;
    }
    EXPECT_GT(withUmlaut, 100u) << "Ü kept as a UTF-8 letter (吕, 女, 律, 绿, 略, ...)";

    // The table as generated from Unicode 15.0 Unihan: pinned so that a changed source or a
    // damaged file (line ends converted, byte-order mark lost) shows here.
    EXPECT_EQ(lines.size(), 26677u);
    EXPECT_EQ(lines.front(), "㐀\t3400\tQIU1");
    EXPECT_EQ(lines.back(), "\xEF\xA8\x98\tFA18\tLI3") << "U+FA18, a compatibility ideograph";
    EXPECT_EQ(test::loadedPinyinTable().lineCount(), lines.size());
}

TEST(PinyinTable, LinesOfNamesFromTheDictionariesAndTheNameReadings) {
    struct Case {
        const char* character;
        const char* line;
        const char* why;
    };
    const Case cases[] = {
        {"张", "张\t5F20\tZHANG1", "one reading"},
        {"长", "长\t957F\tCHANG2 ZHANG3", "kTGHZ2013 order"},
        {"单", "单\t5355\tCHAN2 DAN1 SHAN4", "kTGHZ2013 lists chán, dān, shàn"},
        {"王", "王\t738B\tWANG2", "kTGHZ2013 has the modern reading only, kXHC1983 also wàng"},
        {"冯", "冯\t51AF\tFENG2", "kTGHZ2013 drops kXHC1983's archaic píng"},
        {"丽", "丽\t4E3D\tLI2 LI4", "one syllable in two tones"},
        {"和", "和\t548C\tHE2 HE4", "HU and HUO dropped: no name reads them"},
        {"曾", "曾\t66FE\tZENG1", "CENG (曾经) dropped: the surname reads ZENG"},
        {"黑", "黑\t9ED1\tHEI1 HE4", "the surname reading HE added"},
        {"仇", "仇\t4EC7\tQIU2 CHOU2", "the surname reading QIU put first"},
        {"吕",
         "吕\t5415\tL\xC3\x9C"
         "3",
         "Ü kept as UTF-8 letter"},
        {"哩", "哩\t54E9\tLI1 LI5", "neutral tone written 5"},
        {"嗯", "嗯\t55EF\tNG2 NG3 NG4", "a syllable without a vowel"},
        {"傳", "傳\t50B3\tCHUAN2 ZHUAN4", "a traditional form outside kTGHZ2013: kXHC1983"},
        {"㐀", "㐀\t3400\tQIU1", "extension A, from kMandarin"},
    };
    const PinyinTable& table = test::loadedPinyinTable();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        const auto index = table.findCharacter(c.character);
        ASSERT_TRUE(index.has_value());
        EXPECT_EQ(table.lineAt(*index), c.line);
    }
    EXPECT_FALSE(table.findCharacter("〇").has_value()) << "U+3007 lies outside the ranges";
    EXPECT_FALSE(table.findCharacter("·").has_value());
    EXPECT_FALSE(table.findCharacter("A").has_value());
}

TEST(PinyinTable, ReadingsAreThePiecesAfterTheSecondTab) {
    PinyinTable table;
    table.load("\xEF\xBB\xBF"
               "一\t4E00\tCHANG2 ZHANG3\r\n"
               "二\t4E8C\t  CHANG2  ZHANG3 \r\n"
               "三\t4E09\tCHANG2\tZHANG3\r\n"
               "四\t56DB\t\v1 W\v1\r\n"
               "五\t4E94\t \t \r\n"
               "六\t516D\r\n");
    struct Case {
        const char* character;
        std::vector<std::string_view> readings;
        const char* why;
    };
    const Case cases[] = {
        {"一", {"CHANG2", "ZHANG3"}, "split at the blank"},
        {"二", {"CHANG2", "", "ZHANG3"}, "blanks at the ends left out, a double blank kept"},
        {"三", {"CHANG2", "ZHANG3"}, "a further TAB parts readings as a blank does"},
        {"四", {"1", "W\v1"}, "white space trimmed at the ends of each only"},
        {"五", {}, "only white space"},
        {"六", {}, "no readings field"},
        {"七", {}, "no line"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(table.readings(c.character), c.readings);
    }
    const PinyinTable& stored = test::loadedPinyinTable();
    EXPECT_EQ(stored.readings("长"), (std::vector<std::string_view>{"CHANG2", "ZHANG3"}));
    EXPECT_EQ(stored.readings("吕"), std::vector<std::string_view>{"L\xC3\x9C"
                                                                   "3"})
        << "copied byte for byte from the table";
}

TEST(PinyinTable, LoaderEndsLinesAtCrLfOnly) {
    struct Case {
        std::string stored;
        std::vector<std::string> lines;
        const char* why;
    };
    const Case cases[] = {
        {"\xEF\xBB\xBF"
         "A\r\nB",
         {"A"},
         "bytes after the last CR LF are not loaded"},
        {"XYZA\r\n", {"A"}, "the first three bytes are skipped without being examined"},
        {"\xEF\xBB\xBF"
         "A\r\nB\r\n",
         {"A", "B"},
         "every line ends with CR LF"},
        {"\xEF\xBB\xBF"
         "A\rB\nC\r\n",
         {"A\rB\nC"},
         "a lone CR or LF ends nothing"},
        {"\xEF\xBB\xBF"
         "A\r\r\nB\r\n",
         {"A\r", "B"},
         "the CR before CR LF belongs to the line"},
        {"\xEF\xBB\xBF"
         "\r\n\r\n",
         {"", ""},
         "two CR LF, two empty lines"},
        {"\xEF\xBB\xBF"
         "no line end",
         {},
         "a table without CR LF yields no lines"},
        {"\xEF\xBB\xBF", {}, "nothing after the byte-order mark"},
        {"\xEF\xBB", {}, "shorter than the byte-order mark"},
        {"", {}, "empty"},
        {"\xEF\xBB\xBF"
         "A\0B\r\n"s,
         {"A\0B"s},
         "a line is held as its bytes"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        PinyinTable table;
        table.load(c.stored);
        ASSERT_EQ(table.lineCount(), c.lines.size());
        for (std::size_t i = 0; i < c.lines.size(); ++i) {
            EXPECT_EQ(table.lineAt(i), c.lines[i]);
        }
        EXPECT_THROW((void)table.lineAt(c.lines.size()), std::out_of_range);
    }
}

TEST(PinyinTable, LoadReplacesTheContentAndTheByteOrderMarkNeverStartsLineZero) {
    PinyinTable table;
    table.load("\xEF\xBB\xBF"
               "A\tx\r\n");
    table.load(embeddedPinyinTable());
    EXPECT_EQ(table.lineCount(), test::loadedPinyinTable().lineCount());
    EXPECT_FALSE(table.lineAt(0).starts_with(kBom));
    EXPECT_FALSE(table.findCharacter("A").has_value());
}

// The index must give the line that a scan from the top gives, for every line of the table and
// for every character that GBK can hold.
TEST(PinyinTable, LookupGivesTheLineOfTheScan) {
    const PinyinTable& table = test::loadedPinyinTable();
    std::map<std::string, std::size_t, std::less<>> firstLineOf;
    for (std::size_t i = 0; i < table.lineCount(); ++i) {
        const std::string line = table.lineAt(i);
        firstLineOf.emplace(line.substr(0, line.find('\t')), i);
    }
    for (const auto& [character, index] : firstLineOf) {
        ASSERT_EQ(table.findCharacter(character), index) << character;
        ASSERT_EQ(table.findCodePoint(*singleCodePoint(character)), index) << character;
    }

    std::size_t found = 0;
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
            const std::string gbk{static_cast<char>(lead), static_cast<char>(trail)};
            const auto utf8 = record::gbkToUtf8(gbk);
            if (!utf8) {
                continue;
            }
            const auto scanned = firstLineOf.find(*utf8);
            const auto expected = scanned == firstLineOf.end()
                                      ? std::nullopt
                                      : std::optional<std::size_t>(scanned->second);
            ASSERT_EQ(table.findCharacter(*utf8), expected) << *utf8;
            found += expected ? 1 : 0;
        }
    }
    EXPECT_GT(found, 20000u) << "nearly every GBK Han character has a line";
}

TEST(PinyinTable, LookupInAnUnorderedTableFindsTheFirstMatchingLine) {
    PinyinTable table;
    table.load("\xEF\xBB\xBF"
               "B\t0042\tX1\r\n"
               "A\t0041\tY1\r\n"
               "B\t0042\tZ1\r\n"
               "AB\tpair\r\n"
               "C\r\n");
    struct Case {
        const char* character;
        std::optional<std::size_t> line;
        const char* why;
    };
    const Case cases[] = {
        {"B", 0, "the first of two lines of B"},
        {"A", 1, "a later line with a smaller code point"},
        {"AB", 3, "a first field of two characters is found by scanning"},
        {"C", 4, "a line without TAB is all first field"},
        {"D", std::nullopt, "no line"},
        {"", std::nullopt, "no line has an empty first field"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(table.findCharacter(c.character), c.line);
    }
}

TEST(PinyinTable, SingleCodePointAcceptsExactlyOneWellFormedSequence) {
    struct Case {
        std::string utf8;
        std::optional<char32_t> codePoint;
        const char* why;
    };
    const Case cases[] = {
        {"A", U'A', "ASCII"},
        {"\xC3\x9C", U'Ü', "two bytes"},
        {"张", U'张', "three bytes"},
        {"\xF0\x9F\x98\x80", U'\U0001F600', "four bytes"},
        {"\xF4\x8F\xBF\xBF", U'\U0010FFFF', "the last code point"},
        {"\xC0\x80", std::nullopt, "overlong NUL"},
        {"\xE0\x80\x80", std::nullopt, "overlong three-byte form"},
        {"\xED\xA0\x80", std::nullopt, "a surrogate"},
        {"\xF4\x90\x80\x80", std::nullopt, "beyond U+10FFFF"},
        {"\xE5\xBC", std::nullopt, "cut short"},
        {"\xE5\x41\xA0", std::nullopt, "a continuation byte missing"},
        {"\x80", std::nullopt, "a lone continuation byte"},
        {"AB", std::nullopt, "two code points"},
        {"", std::nullopt, "empty"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(singleCodePoint(c.utf8), c.codePoint);
    }
}

} // namespace
} // namespace parvelin::input
