#include "applicants/DataFileName.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace parvelin::applicants {
namespace {

using record::gbk;

TEST(DataFileName, ProposedFileName) {
    struct Case {
        record::GbkString group, surname, given, expected;
        const char* why;
        record::GbkString nameDot = {};
    };
    const Case cases[] = {
        {"0000130122012035", gbk("张"), gbk("三"), gbk("0000130122012035_张三"),
         "worked example, empty separator"},
        {"0000130122012035", gbk("买买提·"), gbk("艾力"), gbk("0000130122012035_买买提·艾力"),
         "the surname carries the name separator"},
        {"0000130122012035", gbk("买买提"), gbk("艾力"), gbk("0000130122012035_买买提·艾力"),
         "the name separator joins the surname", gbk("·")},
        {"0000130122012035", gbk("张/"), gbk("三?"), gbk("0000130122012035_张_三_"),
         "characters no file name holds are proposed as _"},
        {"1", "\x81\x5C", "\x81\x7C", "1_\x81\x5C\x81\x7C",
         "second bytes 0x5C and 0x7C belong to their characters"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        record::MemberRecord record;
        record.groupNumber = c.group;
        record.surnameChinese = c.surname;
        record.givenNameChinese = c.given;
        record.nameDot = c.nameDot;
        EXPECT_EQ(defaultFileName(record), c.expected);
    }
}

// The name offered beside a file that holds someone else: the first free number, counted on from
// a number the name has already.
TEST(DataFileName, FreeNameBesideATakenOne) {
    struct Case {
        std::string_view name;
        std::vector<std::string> taken;
        std::optional<std::string> expected;
        const char* why;
    };
    std::vector<std::string> all;
    for (int i = 2; i <= 999; ++i) {
        all.push_back("a(" + std::to_string(i) + ").zbdw");
    }
    const Case cases[] = {
        {"0000130122012035_\xCD\xF5\xCE\xB0.zbdw",
         {},
         "0000130122012035_\xCD\xF5\xCE\xB0(2).zbdw",
         "a GBK name, before its suffix"},
        {"a.zbdw", {"a(2).zbdw", "a(3).zbdw"}, "a(4).zbdw", "the first free one"},
        {"a.zbdw", {"a(3).zbdw"}, "a(2).zbdw", "a gap is free"},
        {"a(2).zbdw", {"a(2).zbdw"}, "a(3).zbdw", "its own number counted on, not doubled"},
        {"a(x).zbdw", {}, "a(x)(2).zbdw", "brackets without a number are part of the name"},
        {"a.ZBDW", {}, "a(2).ZBDW", "the suffix in either case stays as it is"},
        {"a", {}, "a(2)", "a name without the suffix"},
        {"a.zbdw", all, std::nullopt, "none free up to (999)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(freeFileName(c.name,
                               [&c](const std::string& name) {
                                   return std::find(c.taken.begin(), c.taken.end(), name) !=
                                          c.taken.end();
                               }),
                  c.expected);
    }
}

} // namespace
} // namespace parvelin::applicants
