#include "form/ListSelection.h"

#include "record/ReferenceLists.h"

#include <vector>

#include <gtest/gtest.h>

namespace parvelin::form {
namespace {

std::optional<record::GbkString> selected(record::Field field, const char* value) {
    const auto entries = record::formList(field).entries;
    const auto index = entryToSelect(entries, record::gbk(value));
    if (!index) {
        return std::nullopt;
    }
    return entries[*index];
}

TEST(ListSelection, EqualEntryBeforeAnEarlierOneThatBeginsWithIt) {
    struct Case {
        record::Field field;
        const char* value;
        const char* expected;
        const char* why;
    };
    const Case cases[] = {
        {record::Field::workUnit, "外交学会", "外交学会",
         "外交学会挂靠单位 comes first in the list"},
        {record::Field::workUnit, "国际问题研究所", "国际问题研究所", "likewise with 挂靠单位"},
        {record::Field::workUnit, "服务中心", "服务中心", "服务中心下属企业 comes first"},
        {record::Field::ethnicity, "土", "土", "土家 comes first"},
        {record::Field::workUnit, "外交", "外交学会挂靠单位",
         "no equal entry: the first that begins with it"},
        {record::Field::sex, " ", " ", "the blank entry is a value like any other"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(selected(c.field, c.value), record::gbk(c.expected));
    }
}

TEST(ListSelection, NothingToSelect) {
    struct Case {
        record::Field field;
        const char* value;
        const char* why;
    };
    const Case cases[] = {
        {record::Field::workUnit, "", "an empty value selects no entry"},
        {record::Field::workUnit, "司", "entries end with it, none begins with it"},
        {record::Field::ethnicity, "土家族", "longer than the entry it would begin with"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(selected(c.field, c.value), std::nullopt);
    }
}

TEST(ListSelection, LettersCompareWithoutCaseButSecondBytesExactly) {
    const std::vector<record::GbkString> entries = {"Alpha", "beta", "\x81\x41x"};
    struct Case {
        record::GbkString value;
        std::optional<std::size_t> expected;
        const char* why;
    };
    const Case cases[] = {
        {"BE", 1, "prefix in other case"},
        {"alpha", 0, "no equal entry, but one that begins with it regardless of case"},
        {"\x81\x41", 2, "a double-byte character whose second byte is 'A'"},
        {"\x81\x61", std::nullopt, "'a' as a second byte is another character, never folded"},
        {"gamma", std::nullopt, "no such entry"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(entryToSelect(entries, c.value), c.expected);
    }
}

} // namespace
} // namespace parvelin::form
