// The romanizer on personal names: tests/data/names/passport-names.tsv holds several hundred
// with the spelling their passports carry, split into surname and given name as the form holds
// them. The form romanizes each part on its own, the surname through the surname table
// (NameRomanizer::romanizeSurname), and opens a candidate list when a part has two or more
// candidates; every list is a chance for the clerk to pick a wrong spelling.

#include "input/NameRomanizer.h"
#include "record/GbkText.h"
#include "tests/support/PinyinTables.h"
#include "tests/support/TestData.h"

#include <algorithm>
#include <iostream>
#include <sstream>

#include <gtest/gtest.h>

namespace parvelin::input {
namespace {

struct PassportName {
    std::size_t line; // 1-based, in the data file
    std::string surname, givenName;
    std::string surnamePinyin, givenNamePinyin;
    std::string note;
};

// Five TAB-separated fields a line; "#" starts a comment line.
std::vector<PassportName> readPassportNames() {
    std::istringstream file(test::readTestData("names/passport-names.tsv"));
    std::vector<PassportName> names;
    std::string line;
    for (std::size_t number = 1; std::getline(file, line); ++number) {
        if (line.empty() || line.starts_with('#')) {
            continue;
        }
        std::vector<std::string> fields;
        std::istringstream columns(line);
        for (std::string field; std::getline(columns, field, '\t');) {
            fields.push_back(field);
        }
        if (fields.size() != 5) {
            throw std::runtime_error("passport-names.tsv line " + std::to_string(number) +
                                     ": expected 5 fields");
        }
        names.push_back({number, fields[0], fields[1], fields[2], fields[3], fields[4]});
    }
    return names;
}

// What the form offers for one name part: the candidates as the pinyin field would take them.
std::vector<std::string> offered(const std::vector<record::GbkString>& candidates) {
    std::vector<std::string> spellings;
    for (const record::GbkString& candidate : candidates) {
        spellings.push_back(withoutSpaces(candidate));
    }
    return spellings;
}

bool contains(const std::vector<std::string>& spellings, const std::string& wanted) {
    return std::find(spellings.begin(), spellings.end(), wanted) != spellings.end();
}

// The share of names for which the form opens a list (either part with two or more candidates)
// may shrink but never silently grow: raise this only with a reason. Reading surnames through the
// pinyin table alone, as the given names are read, opened a list for 37 of 661 names.
constexpr std::size_t kMostNamesWithAList = 16;

TEST(NameRomanizerCorpus, PassportSpellingIsOfferedAndFewNamesOpenAList) {
    const NameRomanizer romanizer(test::loadedPinyinTable());
    const std::vector<PassportName> names = readPassportNames();
    ASSERT_GE(names.size(), 300u);

    std::size_t withAList = 0;
    std::size_t withAListAsGivenNames = 0; // the surname read as the given name is
    std::string listed;
    for (const PassportName& name : names) {
        SCOPED_TRACE("line " + std::to_string(name.line) + ": " + name.surname + " " +
                     name.givenName + " (" + name.note + ")");
        const auto surname = offered(romanizer.romanizeSurname(record::gbk(name.surname)));
        const auto givenName = offered(romanizer.romanize(record::gbk(name.givenName)));
        EXPECT_TRUE(contains(surname, name.surnamePinyin)) << name.surnamePinyin << " not offered";
        EXPECT_TRUE(contains(givenName, name.givenNamePinyin))
            << name.givenNamePinyin << " not offered";
        if (surname.size() > 1 || givenName.size() > 1) {
            ++withAList;
            listed += " " + name.surname + name.givenName;
        }
        if (romanizer.romanize(record::gbk(name.surname)).size() > 1 || givenName.size() > 1) {
            ++withAListAsGivenNames;
        }
    }
    const auto share = [&](std::size_t count) {
        return 100.0 * static_cast<double>(count) / static_cast<double>(names.size());
    };
    std::cout << "[ corpus   ] " << withAList << " of " << names.size() << " names open a list ("
              << share(withAList) << "%; " << withAListAsGivenNames << ", "
              << share(withAListAsGivenNames) << "%, with surnames read as given names):" << listed
              << "\n";
    EXPECT_LE(withAList, kMostNamesWithAList) << "names that open a list:" << listed;
    // The surname table takes at least a third of the lists away.
    EXPECT_LE(3 * withAList, 2 * withAListAsGivenNames);
}

} // namespace
} // namespace parvelin::input
