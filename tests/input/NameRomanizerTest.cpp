#include "input/NameRomanizer.h"

#include "record/GbkText.h"
#include "tests/support/PinyinTables.h"

#include <algorithm>

#include <gtest/gtest.h>

namespace parvelin::input {
namespace {

using record::gbk;
using record::GbkString;
using Candidates = std::vector<GbkString>;

Candidates romanize(const GbkString& name) {
    return NameRomanizer(test::loadedPinyinTable()).romanize(name);
}

std::vector<std::string> syllables(const std::string& candidate) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t end; (end = candidate.find(' ', start)) != std::string::npos;
         start = end + 1) {
        parts.push_back(candidate.substr(start, end - start));
    }
    parts.push_back(candidate.substr(start));
    return parts;
}

std::string joined(const std::vector<std::string>& syllables) {
    std::string text;
    for (const std::string& syllable : syllables) {
        text += (text.empty() ? "" : " ") + syllable;
    }
    return text;
}

// Names typed in UTF-8 here, romanized as the GBK the form holds, against the embedded table.
TEST(NameRomanizer, WorkedExamples) {
    struct Case {
        std::string name;
        Candidates candidates;
        const char* why;
    };
    const Case cases[] = {
        {gbk("张三"), {"ZHANG SAN"}, "one reading each: one candidate"},
        {gbk("长"), {"CHANG", "ZHANG"}, "two readings"},
        {gbk("王"), {"WANG"}, "one reading"},
        {gbk("古丽"), {"GU LI"}, "丽 LI2 LI4 differ only in tone"},
        {gbk("单"), {"CHAN", "DAN", "SHAN"}, "three readings in table order"},
        {gbk("单长"),
         {"CHAN CHANG", "CHAN ZHANG", "DAN CHANG", "DAN ZHANG", "SHAN CHANG", "SHAN ZHANG"},
         "the first character varies slowest"},
        {gbk("买买提·"), {"MAI MAI TI -"}, "提 TI2 in names; the middle dot gives -"},
        {"Li", {"L i"}, "a single-byte character is its own reading, case kept"},
        {gbk("张〇"), {"ZHANG"}, "〇 has no line and contributes nothing"},
        {gbk("〇三"), {"SAN"}, "nor at the front"},
        {gbk("〇"), {""}, "only characters without readings: one empty candidate"},
        {gbk("张") + "\xD5", {"ZHANG"}, "a trailing lone lead byte finds nothing"},
        {"\x80"
         "A",
         {""},
         "0x80 starts a double-byte character too, taking the A with it"},
        {gbk("张 三"), {"ZHANG SAN"}, "a blank reads as nothing"},
        {"\t", {""}, "white space alone: one empty candidate"},
        {gbk("吕"), {"LYU"}, "Ü written YU"},
        {gbk("女"), {"NYU"}, "Ü written YU"},
        {gbk("略"), {"LYUE"}, "ÜE written YUE"},
        {gbk("録"), {"LU", "LYU"}, "LU4 and LÜ4 stay apart"},
        {gbk("绿"), {"LYU"}, "LÜ4 alone: LU4 (绿林) is no name reading"},
        {gbk("載"),
         {"DAI", "ZAI", "ZI"},
         "ZAI4 ZAI3 DAI4 ZAI1 ZI1: of equal readings the last survives"},
        {gbk("和"), {"HE"}, "HE2 HE4: HU and HUO are no name readings"},
        {"", {}, "an empty name adds nothing"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(romanize(c.name), c.candidates);
    }
}

// The surname box: a surname of the surname table at the front of the name reads as that
// surname; the rest, and any name not beginning with such a surname, as romanize reads it.
TEST(NameRomanizer, SurnamesReadAsSurnames) {
    const NameRomanizer romanizer(test::loadedPinyinTable());
    struct Case {
        const char* name;
        Candidates candidates;
        const char* why;
    };
    const Case cases[] = {
        {"单", {"SHAN"}, "issue 23: 单 as a surname, not CHAN or DAN"},
        {"解", {"XIE"}, "issue 23"},
        {"仇", {"QIU"}, "issue 23"},
        {"区", {"OU"}, "issue 23"},
        {"查", {"ZHA"}, "issue 23"},
        {"朴", {"PIAO"}, "issue 23"},
        {"翟", {"ZHAI"}, "issue 23"},
        {"种", {"CHONG"}, "issue 23; added to the dictionary's surnames"},
        {"召", {"SHAO"}, "issue 23"},
        {"句", {"GOU"}, "issue 23"},
        {"员", {"YUN"}, "issue 23"},
        {"秘", {"BI"}, "issue 23; added to the dictionary's surnames"},
        {"隗", {"WEI"}, "issue 23"},
        {"牟", {"MOU"}, "issue 23"},
        {"尉迟", {"YU CHI"}, "issue 23: a compound surname"},
        {"万俟", {"MO QI"}, "issue 23: the compound before its first character"},
        {"长孙", {"ZHANG SUN"}, "issue 23"},
        {"澹台", {"TAN TAI"}, "issue 23"},
        {"万", {"WAN"}, "the single surname"},
        {"尉", {"WEI"}, "the single surname; YU only in 尉迟"},
        {"覃", {"QIN", "TAN"}, "two readings in use, in the table's order"},
        {"盖", {"GE", "GAI"}, "two readings in use"},
        {"乐", {"YUE", "LE"}, "two readings in use"},
        {"黑", {"HEI", "HE"}, "two readings in use"},
        {"柏", {"BAI", "BO"}, "two readings in use"},
        {"闾丘", {"LYU QIU"}, "Ü written YU in the table too"},
        {"尉迟恭", {"YU CHI GONG"}, "the rest of the box reads as romanize reads it"},
        {"单长", {"SHAN CHANG", "SHAN ZHANG"}, "only the surname reads as a surname"},
        {"单·", {"SHAN -"}, "the dot after a surname"},
        {"长", {"CHANG", "ZHANG"}, "no surname of the table: the pinyin table's readings"},
        {"张尉迟", {"ZHANG WEI CHI", "ZHANG YU CHI"}, "a surname only at the front"},
        {"Li", {"L i"}, "single-byte characters as romanize reads them"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + ": " + c.why);
        EXPECT_EQ(romanizer.romanizeSurname(gbk(c.name)), c.candidates);
    }
    EXPECT_EQ(romanizer.romanizeSurname(""), Candidates{});
    // A surname's readings count as one character's under the bound.
    EXPECT_EQ(romanizer.romanizeSurname(test::polyphonicName(50)),
              romanizer.romanize(gbk("山") + test::polyphonicName(50).substr(2)));
}

// A made-up table whose readings the stored one does not have: romanizing follows the readings
// of any table.
TEST(NameRomanizer, ReadingsOfAnyTable) {
    PinyinTable table;
    table.load("\xEF\xBB\xBF"
               "诶\t8BF6\t\xC3\x8A"
               "1 \xC3\x8A"
               "2 \xC3\x8A"
               "3 \xC3\x8A"
               "4\r\n"
               "欸\t6B38\t\xC3\x8A"
               "1 \xC3\x8A"
               "2 \xC3\x8A"
               "3 \xC3\x8A"
               "4 AI3\r\n"
               "一\t4E00\tHE2 HE4 HUO2 HUO4 HU2\r\n"
               "二\t4E8C\tHONG2 DONG4 HONG4\r\n"
               "三\t4E09\tWANG2 WANG4\r\n"
               "四\t56DB\tL\xC3\x9C"
               "4 LU4\r\n"
               "五\t4E94\tL\xC3\x9C"
               "3 LYU3\r\n"
               "六\t516D\tSHI2-KE4\r\n"
               "七\t4E03\tCHANG2  ZHANG3\r\n");
    const NameRomanizer romanizer(table);
    struct Case {
        const char* name;
        Candidates candidates;
        const char* why;
    };
    const Case cases[] = {
        {"诶", {"E"}, "Ê written E"},
        {"欸诶", {"E E", "AI E"}, "Ê written E, AI kept"},
        {"一", {"HE", "HUO", "HU"}, "of equal readings the last survives"},
        {"二", {"DONG", "HONG"}, "the last of equal readings keeps its place (as in 㗢)"},
        {"三", {"WANG"}, "tones differ only"},
        {"四", {"LYU", "LU"}, "Ü written YU"},
        {"五", {"LYU"}, "readings spelled alike are one"},
        {"六", {"SHI2-KE"}, "a compound reading loses only its last digit"},
        {"七", {"CHANG", "", "ZHANG"}, "two blanks leave an empty reading"},
        {"张", {""}, "this table has no 张"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(romanizer.romanize(gbk(c.name)), c.candidates);
    }
}

TEST(NameRomanizer, AnEmptyTableProposesNothingButTheSingleByteCharacters) {
    const PinyinTable empty;
    const NameRomanizer romanizer(empty);
    EXPECT_EQ(romanizer.romanize(gbk("张三")), Candidates{""});
    EXPECT_EQ(romanizer.romanize(gbk("张") + "A" + gbk("·")), Candidates{"A -"});
}

// 8 characters of 3 readings each combine to 3^8 = 6561 spellings. The bound keeps those with at
// most d characters off their first reading: C(8,d) * 2^d of them for each d, so d <= 3 gives
// 1 + 16 + 112 + 448 = 577 and d = 4 would add 1120.
TEST(NameRomanizer, BoundKeepsTheSpellingsClosestToTheFirstReadings) {
    // The table's readings of 单 参 龟 差 (差 CHA1 CHA4 CHAI1 CI1 spells CHA twice).
    const Candidates readings[] = {{"CHAN", "DAN", "SHAN"},
                                   {"CAN", "CEN", "SHEN"},
                                   {"GUI", "JUN", "QIU"},
                                   {"CHA", "CHAI", "CI"}};
    const Candidates kept = romanize(gbk("单参龟差单参龟差"));
    ASSERT_EQ(kept.size(), 577u);
    EXPECT_EQ(kept.front(), "CHAN CAN GUI CHA CHAN CAN GUI CHA") << "every first reading";
    EXPECT_EQ(kept[1], "CHAN CAN GUI CHA CHAN CAN GUI CHAI") << "the last character first";
    EXPECT_EQ(kept.back(), "SHAN SHEN QIU CHA CHAN CAN GUI CHA");

    // Each candidate as the reading picked for each character: 577 distinct picks of distance
    // at most 3, ascending in the order of the full product, are all there are.
    std::vector<std::size_t> previous;
    for (const GbkString& candidate : kept) {
        SCOPED_TRACE(candidate);
        const auto parts = syllables(candidate);
        ASSERT_EQ(parts.size(), 8u);
        std::vector<std::size_t> pick;
        std::size_t distance = 0;
        for (std::size_t i = 0; i < parts.size(); ++i) {
            const Candidates& own = readings[i % 4];
            const auto found = std::find(own.begin(), own.end(), parts[i]);
            ASSERT_NE(found, own.end()) << "no reading of character " << i;
            pick.push_back(static_cast<std::size_t>(found - own.begin()));
            distance += pick.back() != 0 ? 1 : 0;
        }
        EXPECT_LE(distance, 3u);
        EXPECT_TRUE(previous.empty() || previous < pick) << "in the order of the full product";
        previous = pick;
    }
}

// 50 characters of two or three readings: 2^37 * 3^13 spellings. Distance 1 adds 63; distance 2
// would add well over a thousand, so 64 candidates remain, among them every reading of every
// character: the first readings, then each other reading of the last character, of the one
// before it, and so on back to the first.
TEST(NameRomanizer, BoundHoldsForFiftyPolyphonicCharacters) {
    // The table's readings of the characters that polyphonicName repeats.
    const Candidates cycle[] = {{"CHAN", "DAN", "SHAN"}, {"CHANG", "ZHANG"}, {"CAN", "CEN", "SHEN"},
                                {"GUI", "JUN", "QIU"},   {"XIE", "JIE"},     {"ZHAI", "DI"},
                                {"QIU", "CHOU"},         {"OU", "QU"},       {"ZHA", "CHA"},
                                {"QIN", "TAN"},          {"LE", "YUE"},      {"CHONG", "ZHONG"}};
    const GbkString name = test::polyphonicName(50);
    ASSERT_EQ(record::characterCount(name), 50u);

    std::vector<std::string> first;
    for (std::size_t i = 0; i < 50; ++i) {
        first.push_back(cycle[i % std::size(cycle)].front());
    }
    Candidates expected = {joined(first)};
    for (std::size_t i = 50; i-- > 0;) {
        const Candidates& own = cycle[i % std::size(cycle)];
        for (std::size_t k = 1; k < own.size(); ++k) {
            std::vector<std::string> other = first;
            other[i] = own[k];
            expected.push_back(joined(other));
        }
    }
    ASSERT_EQ(expected.size(), 64u);
    EXPECT_EQ(romanize(name), expected);
}

// A made-up table: 一 二 三 with ten readings each give exactly 1000 spellings, all kept; a fourth
// character of two readings doubles them, and the bound keeps distance 0..2: 1 + (9+9+9+1) +
// (3*81 + 3*9) = 299. Some readings carry white space inside or at an end; a join drops white
// space only at its own ends, so what a reading keeps depends on what follows it.
TEST(NameRomanizer, BoundStartsAboveAThousandAndJoinsReadingsWithOneBlank) {
    std::string stored = "\xEF\xBB\xBF";
    stored += "一\t4E00\tA\v1 B1 C1 D1 E1 F1 G1 H1 I1 J1\r\n";
    stored += "二\t4E8C\tK1 L1 M1 N1 O1 P1 Q1 R1 S1 T\vU1\r\n";
    stored += "三\t4E09\tA1 B1 C1 D1 E1 F1 G1 H1 I1 J1\r\n";
    stored += "四\t56DB\t\v1 W1\r\n"; // an empty reading, then W
    PinyinTable table;
    table.load(stored);
    const NameRomanizer romanizer(table);

    // 一二三: the readings with one blank between them, every combination in product order.
    const Candidates one = {"A\v", "B", "C", "D", "E", "F", "G", "H", "I", "J"};
    const Candidates two = {"K", "L", "M", "N", "O", "P", "Q", "R", "S", "T\vU"};
    const Candidates three = {"A", "B", "C", "D", "E", "F", "G", "H", "I", "J"};
    Candidates all;
    for (const GbkString& a : one) {
        for (const GbkString& b : two) {
            for (const GbkString& c : three) {
                all.push_back(a + " " + b + " " + c);
            }
        }
    }
    EXPECT_EQ(romanizer.romanize(gbk("一二三")), all);

    // Known places in the kept lists: the first reading of 四 adds nothing, and the reading
    // before it loses its trailing white space.
    struct Case {
        const char* name;
        std::size_t kept;
        std::vector<std::pair<std::size_t, std::string>> known;
        const char* why;
    };
    const Case cases[] = {
        {"一二三四",
         299,
         {{0, "A\v K A"}, {1, "A\v K A W"}, {2, "A\v K B"}, {119, "B K A"}, {298, "J T\vU A"}},
         "the fourth character doubles the count; 一 changes after 1 + 19 + 99 candidates"},
        {"四一二三",
         299,
         {{0, "A K A"}, {1, "A K B"}, {271, "W A K A"}, {298, "W J K A"}},
         "an empty first reading; 四 changes after 1 + 27 + 243"},
        {"一四二三",
         299,
         {{0, "A K A"}, {1, "A K B"}, {100, "A\v W K A"}, {298, "J W K A"}},
         "an empty reading after a trailing white space"},
        {"四四一二三",
         328,
         {{0, "A K A"}, {271, "W A K A"}, {299, "W A K A"}, {327, "W W A K A"}},
         "empty readings up to the third character: 1 + 29 + 298"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        const Candidates kept = romanizer.romanize(gbk(c.name));
        ASSERT_EQ(kept.size(), c.kept);
        for (const auto& [index, candidate] : c.known) {
            EXPECT_EQ(kept[index], candidate) << "candidate " << index;
        }
    }
}

TEST(NameRomanizer, NameFieldsLoseTheirSpaces) {
    struct Case {
        std::string text, expected;
        const char* why;
    };
    const Case cases[] = {
        {gbk("张 三"), gbk("张三"), "blank"},
        {gbk("张　三"), gbk("张三"), "full-width space"},
        {gbk(" 买买提 · 艾 "), gbk("买买提·艾"), "everywhere"},
        {gbk("啊·"), gbk("啊·"), "B0 A1 A1 A4: A1 A1 across two characters is no space"},
        {gbk("　　"), "", "spaces only"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(withoutSpaces(c.text), c.expected);
    }
}

TEST(NameRomanizer, PinyinFieldsAreUpperCaseWithoutSpaces) {
    struct Case {
        std::string text, expected;
        const char* why;
    };
    const Case cases[] = {
        {"zhang san", "ZHANGSAN", "a..z upper-cased, blank removed"},
        {"Li", "LI", "mixed case"},
        {"mai" + gbk("　") + "mai-", "MAIMAI-", "full-width space removed, - kept"},
        {"a\x81\x61z", "A\x81\x61Z", "the second byte 0x61 of a double-byte character stays"},
        {"", "", "empty"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(normalizedPinyin(c.text), c.expected);
    }
}

} // namespace
} // namespace parvelin::input
