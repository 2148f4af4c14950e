#include "app/ListSelection.h"

#include "app/ReferenceLists.h"

#include <vector>

#include <gtest/gtest.h>

namespace parvelin::app {
namespace {

std::optional<GbkString> selected(Field field, const char* value) {
    const auto entries = formList(field).entries;
    const auto index = entryToSelect(entries, gbk(value));
    if (!index) {
        return std::nullopt;
    }
    return entries[*index];
}

TEST(ListSelection, EqualEntryBeforeAnEarlierOneThatBeginsWithIt) {
    struct Case {
        Field field;
        const char* value;
        const char* expected;
        const char* why;
    };
    const Case cases[] = {
        {Field::workUnit, "外交学会", "外交学会", "外交学会挂靠单位 comes first in the list"},
        {Field::workUnit, "国际问题研究所", "国际问题研究所", "likewise with 挂靠单位"},
        {Field::workUnit, "服务中心", "服务中心", "服务中心下属企业 comes first"},
        {Field::ethnicity, "土", "土", "土家 comes first"},
        {Field::workUnit, "外交", "外交学会挂靠单位",
         "no equal entry: the first that begins with it"},
        {Field::sex, " ", " ", "the blank entry is a value like any other"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(selected(c.field, c.value), gbk(c.expected));
    }
}

TEST(ListSelection, NothingToSelect) {
    struct Case {
        Field field;
        const char* value;
        const char* why;
    };
    const Case cases[] = {
        {Field::workUnit, "", "an empty value leaves the selection alone"},
        {Field::workUnit, "司", "entries end with it, none begins with it"},
        {Field::ethnicity, "土家族", "longer than the entry it would begin with"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(selected(c.field, c.value), std::nullopt);
    }
}

TEST(ListSelection, LettersCompareWithoutCaseButSecondBytesExactly) {
    const std::vector<GbkString> entries = {"Alpha", "beta", "\x81\x41x"};
    struct Case {
        GbkString value;
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
} // namespace parvelin::app
