#include "input/NameRomanizer.h"

#include "record/GbkText.h"
#include "tests/support/PinyinTables.h"

#include <algorithm>
#include <set>

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

// Folds combineCandidates over the reading sets of the name's characters: every combination.
Candidates fullProduct(const NameRomanizer& romanizer, const GbkString& name) {
    Candidates product;
    for (const std::string& readings : romanizer.readingsPerCharacter(name)) {
        const Candidates set = NameRomanizer::readingSet(readings);
        product = product.empty() ? set : NameRomanizer::combineCandidates(product, set);
    }
    return product;
}

bool isOrderedSubsequence(const Candidates& part, const Candidates& whole) {
    auto at = whole.begin();
    for (const GbkString& candidate : part) {
        at = std::find(at, whole.end(), candidate);
        if (at == whole.end()) {
            return false;
        }
        ++at;
    }
    return true;
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
        {gbk("〇"), {""}, "only characters without readings: one empty candidate"},
        {gbk("张") + "\xD5", {"ZHANG"}, "a trailing lone lead byte finds nothing"},
        {gbk("张 三"), {"ZHANG SAN"}, "a blank reads as nothing"},
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

TEST(NameRomanizer, ReadingsPerCharacter) {
    const NameRomanizer romanizer(test::loadedPinyinTable());
    struct Case {
        std::string name;
        std::vector<std::string> readings;
        const char* why;
    };
    const Case cases[] = {
        {gbk("长"), {"CHANG2 ZHANG3 "}, "the readings field followed by one space"},
        {gbk("张·"), {"ZHANG1 ", "-1"}, "the middle dot reads -1"},
        {"Li", {"L1", "i1"}, "a single-byte character followed by 1"},
        {gbk("〇三"), {"", "SAN1 "}, "no line, no readings"},
        {gbk("三") + "\xD5", {"SAN1 ", ""}, "a lone lead byte at the end is one character"},
        {"\x80"
         "A",
         {""},
         "0x80 starts a double-byte character too"},
        {gbk("吕"),
         {"L\xC3\x9C"
          "3 "},
         "copied byte for byte from the table"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(romanizer.readingsPerCharacter(c.name), c.readings);
    }
}

TEST(NameRomanizer, ReadingSet) {
    struct Case {
        std::string readings;
        Candidates set;
        const char* why;
    };
    const Case cases[] = {
        {"HE2 HE4 HUO2 HUO4 HU2 ", {"HE", "HUO", "HU"}, "of equal pieces the last survives"},
        {"HONG2 DONG4 HONG4 ", {"DONG", "HONG"}, "the last of equal pieces keeps its place (㗢)"},
        {"WANG2 WANG4 ", {"WANG"}, "tones differ only"},
        {"\xC3\x8A"
         "1 \xC3\x8A"
         "2 \xC3\x8A"
         "3 \xC3\x8A"
         "4 AI3 ",
         {"E", "AI"},
         "Ê written E"},
        {"L\xC3\x9C"
         "4 LU4 ",
         {"LYU", "LU"},
         "Ü written YU"},
        {"L\xC3\x9C"
         "3 LYU3 ",
         {"LYU"},
         "pieces spelled alike are one reading"},
        {"SHI2-KE4 ", {"SHI2-KE"}, "a compound reading loses only its last digit"},
        {"-1", {"-"}, "the middle dot"},
        {"a1", {"a"}, "a single-byte character"},
        {"", {""}, "an empty text gives one empty piece"},
        {" 1", {""}, "a blank: trimmed to the digit alone"},
        {"CHANG2  ZHANG3 ", {"CHANG", "", "ZHANG"}, "two blanks leave an empty piece"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(NameRomanizer::readingSet(c.readings), c.set);
    }
}

TEST(NameRomanizer, CombineCandidates) {
    struct Case {
        Candidates first, second, combined;
        const char* why;
    };
    const Case cases[] = {
        {{"DAN", "CHAN"},
         {"CHANG", "ZHANG"},
         {"DAN CHANG", "DAN ZHANG", "CHAN CHANG", "CHAN ZHANG"},
         "every a, within it every b"},
        {{"ZHANG"}, {""}, {"ZHANG"}, "an empty reading adds nothing"},
        {{""}, {"SAN"}, {"SAN"}, "nor at the front"},
        {{"A"}, {}, {}, "|A| x |B| = 0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(NameRomanizer::combineCandidates(c.first, c.second), c.combined);
    }
}

TEST(NameRomanizer, AccentedCapitalsOfAnyTableBecomeLatinLetters) {
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
               "4 AI3\r\n");
    const NameRomanizer romanizer(table);
    EXPECT_EQ(romanizer.romanize(gbk("诶")), Candidates{"E"});
    EXPECT_EQ(romanizer.romanize(gbk("欸诶")), (Candidates{"E E", "AI E"}));
    EXPECT_EQ(romanizer.romanize(gbk("张")), Candidates{""}) << "this table has no 张";
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
    const NameRomanizer romanizer(test::loadedPinyinTable());
    const GbkString name = gbk("单参龟差单参龟差");
    const Candidates all = fullProduct(romanizer, name);
    ASSERT_EQ(all.size(), 6561u);

    const Candidates kept = romanizer.romanize(name);
    EXPECT_EQ(kept.size(), 577u);
    EXPECT_TRUE(isOrderedSubsequence(kept, all)) << "kept in the order of the full product";
    const auto first = syllables(all.front());
    EXPECT_EQ(kept.front(), all.front()) << "every character's first reading";
    for (const GbkString& candidate : kept) {
        const auto parts = syllables(candidate);
        ASSERT_EQ(parts.size(), first.size());
        std::size_t distance = 0;
        for (std::size_t i = 0; i < parts.size(); ++i) {
            distance += parts[i] != first[i] ? 1 : 0;
        }
        EXPECT_LE(distance, 3u) << candidate;
    }
    EXPECT_EQ(std::set<GbkString>(kept.begin(), kept.end()).size(), kept.size());
}

// 50 characters of two or three readings: 2^37 * 3^13 spellings. Distance 1 adds 63; distance 2
// would add well over a thousand, so 64 candidates remain, among them every reading of every
// character.
TEST(NameRomanizer, BoundHoldsForFiftyPolyphonicCharacters) {
    const NameRomanizer romanizer(test::loadedPinyinTable());
    const GbkString name = test::polyphonicName(50);
    ASSERT_EQ(record::characterCount(name), 50u);

    const Candidates kept = romanizer.romanize(name);
    EXPECT_EQ(kept.size(), 64u);
    const auto readingsOfEach = romanizer.readingsPerCharacter(name);
    std::string firstReadings;
    for (std::size_t i = 0; i < readingsOfEach.size(); ++i) {
        const Candidates set = NameRomanizer::readingSet(readingsOfEach[i]);
        firstReadings += (i == 0 ? "" : " ") + set.front();
        for (const GbkString& reading : set) {
            const bool present = std::any_of(kept.begin(), kept.end(), [&](const GbkString& c) {
                return syllables(c)[i] == reading;
            });
            EXPECT_TRUE(present) << "character " << i << " reading " << reading;
        }
    }
    EXPECT_EQ(kept.front(), firstReadings);
}

// A made-up table: 一 二 三 with ten readings each give exactly 1000 spellings, all kept; a fourth
// character of two readings doubles them, and the bound keeps distance 0..2: 1 + (9+9+9+1) +
// (3*81 + 3*9) = 299. The readings carry white space inside and at their ends, which the kept
// spellings must join exactly as combineCandidates does.
TEST(NameRomanizer, BoundStartsAboveAThousandAndJoinsReadingsAsCombineDoes) {
    std::string stored = "\xEF\xBB\xBF";
    stored += "一\t4E00\tA\v1 B1 C1 D1 E1 F1 G1 H1 I1 J1\r\n";
    stored += "二\t4E8C\tK1 L1 M1 N1 O1 P1 Q1 R1 S1 T\vU1\r\n";
    stored += "三\t4E09\tA1 B1 C1 D1 E1 F1 G1 H1 I1 J1\r\n";
    stored += "四\t56DB\t\v1 W1\r\n";
    PinyinTable table;
    table.load(stored);
    const NameRomanizer romanizer(table);

    const GbkString three = gbk("一二三");
    const Candidates all = romanizer.romanize(three);
    EXPECT_EQ(all, fullProduct(romanizer, three));
    EXPECT_EQ(all.size(), 1000u);
    EXPECT_EQ(all.front(), "A\v K A") << "white space ending a reading stays inside";

    struct Case {
        const char* name;
        std::size_t all, kept;
        const char* why;
    };
    const Case cases[] = {
        {"一二三四", 2000, 299, "the fourth character doubles the count"},
        {"四一二三", 2000, 299, "an empty first reading"},
        {"一四二三", 2000, 299, "an empty reading after a trailing white space"},
        {"四四一二三", 4000, 328, "empty readings up to the third character: 1 + 29 + 298"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        const Candidates full = fullProduct(romanizer, gbk(c.name));
        ASSERT_EQ(full.size(), c.all);
        const Candidates kept = romanizer.romanize(gbk(c.name));
        EXPECT_EQ(kept.size(), c.kept);
        EXPECT_TRUE(isOrderedSubsequence(kept, full));
        EXPECT_EQ(kept.front(), full.front());
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
