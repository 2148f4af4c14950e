// The invariants of input/SurnameTable.inc, which tools/generate_surname_table.py writes from the
// surname dictionary of pinyin-pro and tools/pinyin-surname-readings.txt.

#include "input/SurnameTable.h"

#include "input/NameRomanizer.h"
#include "record/GbkText.h"
#include "tests/support/PinyinTables.h"

#include <set>

#include <gtest/gtest.h>

namespace parvelin::input {
namespace {

std::vector<std::string> split(std::string_view text, char separator) {
    std::vector<std::string> parts;
    for (std::size_t start = 0;;) {
        const std::size_t end = text.find(separator, start);
        parts.emplace_back(text.substr(start, end - start));
        if (end == std::string_view::npos) {
            return parts;
        }
        start = end + 1;
    }
}

// Every syllable that the romanizer spells from the pinyin table: the syllables of Mandarin.
std::set<record::GbkString> mandarinSyllables() {
    const PinyinTable& table = test::loadedPinyinTable();
    const NameRomanizer romanizer(table);
    std::set<record::GbkString> syllables;
    for (std::size_t i = 0; i < table.lineCount(); ++i) {
        const std::string_view line = table.line(i);
        if (const auto character = record::utf8ToGbk(line.substr(0, line.find('\t')))) {
            for (record::GbkString& reading : romanizer.romanize(*character)) {
                syllables.insert(std::move(reading));
            }
        }
    }
    return syllables;
}

// One line a surname (a second line for it would never be found), in the generator's order.
TEST(SurnameTable, SurnamesAscendUniquely) {
    const auto lines = surnameLines();
    ASSERT_GE(lines.size(), 400u);
    for (std::size_t i = 1; i < lines.size(); ++i) {
        // UTF-8 byte order is code point order.
        EXPECT_LT(lines[i - 1].surname, lines[i].surname) << "line " << i;
    }
}

// Every surname is one or two characters that GBK holds; every reading has one syllable per
// character, each a syllable of Mandarin, so that a typing slip in the data cannot propose a
// spelling of no reading at all. (A surname may read as no other word does: 六 LU, 子车 ZI JU.)
TEST(SurnameTable, SurnamesAreGbkAndTheirReadingsAreSyllables) {
    const std::set<record::GbkString> syllables = mandarinSyllables();
    ASSERT_GE(syllables.size(), 400u);
    for (const SurnameLine& line : surnameLines()) {
        const std::string surname(line.surname);
        SCOPED_TRACE(surname + " " + std::string(line.readings));
        const auto gbk = record::utf8ToGbk(surname);
        ASSERT_TRUE(gbk) << "no GBK form";
        ASSERT_TRUE(gbk->size() == 2 || gbk->size() == 4) << "one or two characters";
        for (std::size_t i = 0; i < gbk->size(); i += 2) {
            ASSERT_TRUE(record::isLeadByte(static_cast<unsigned char>((*gbk)[i])))
                << "double-byte characters only";
        }

        const std::vector<std::string> readings = split(line.readings, '/');
        EXPECT_EQ(std::set(readings.begin(), readings.end()).size(), readings.size())
            << "a reading twice";
        for (const std::string& reading : readings) {
            const std::vector<std::string> spelled = split(reading, ' ');
            ASSERT_EQ(spelled.size(), gbk->size() / 2) << reading << ": one syllable a character";
            for (const std::string& syllable : spelled) {
                EXPECT_TRUE(syllables.contains(syllable)) << syllable << " is no syllable";
            }
        }
    }
}

} // namespace
} // namespace parvelin::input
