#include "datafile/GroupNumber.h"

#include "tests/support/FixedClock.h"

#include <gtest/gtest.h>

namespace parvelin::datafile {
namespace {

using record::gbk;
using namespace std::chrono_literals;

// The fallback on 2026-12-07 at second 42: year 2026, kind digit, then srand(42); rand() % 1000.
const test::FixedClock kClock(2026y / 12 / 7, 42);

struct GroupNumberCase {
    std::string approval, kind, unit, expected;
    const char* why;
};

TEST(GroupNumber, DerivedFromTheApprovalNumber) {
    const GroupNumberCase cases[] = {
        {"外字[2012]35号", "批件", "000013012", "0000130122012035", "worked example"},
        {"[2012]35号", "确认件", "000013012", "0000130122012135", "kind digit 1"},
        {"[2012]35号", "", "000013012", "0000130122012135", "an empty kind gives 1"},
        {"部批[2011]3330号文", "批件", "000013012", "000013012201103330", "cut before 号"},
        {"外确字[2012]9652", "确认件", "000013012", "000013012201219652", "no 号"},
        {"[ 12]007号", "批件", "U", "U 120007", "year and serial as written"},
        {"[-1]5", "批件", "U", "U-105", "a negative year is not 0"},
        {"[12]3号4号", "批件", "U", "U1203", "cut before the first 号"},
        {"a[12]3]b", "批件", "U", "U1203]b", "text before [ is ignored; the serial may hold ]"},
        {"外字〔2026〕118号", "批件", "000013012", "00001301220260118", "official brackets"},
        {"外字［2026］118号", "确认件", "000013012", "00001301220261118", "full-width brackets"},
        {"〔2026]7", "批件", "U", "U202607", "any opening with any closing bracket"},
        {"外字[2012]35号〔2013〕4号", "批件", "U", "U2012035", "two pairs: the first read wins"},
        {"外字〔2026〕118号[附]2", "批件", "U", "U20260118", "... whatever its kind"},
    };
    for (const GroupNumberCase& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(deriveGroupNumber(gbk(c.approval), gbk(c.kind), gbk(c.unit), kClock),
                  gbk(c.expected));
    }
}

TEST(GroupNumber, UnreadableApprovalNumbersTakeTheFallback) {
    const GroupNumberCase cases[] = {
        {"", "批件", "000013012",
         "0000130122026"
         "0"
         "175",
         "empty approval number"},
        {"[2012]", "批件", "000013012",
         "0000130122026"
         "0"
         "175",
         "] is the last character"},
        {"[0]35", "批件", "000013012",
         "0000130122026"
         "0"
         "175",
         "year number 0"},
        {"[x12]35", "批件", "000013012",
         "0000130122026"
         "0"
         "175",
         "year without leading digits"},
        {"〔1〕35", "批件", "U",
         "U2026"
         "0"
         "175",
         "one byte between official brackets"},
        {"[1]35", "批件", "000013012",
         "0000130122026"
         "0"
         "175",
         "one character between"},
        {"2012]35[", "确认件", "U",
         "U2026"
         "1"
         "175",
         "] before ["},
        {"[2012]号", "批件", "U",
         "U2026"
         "0"
         "175",
         "nothing before 号"},
        {"[2012]0号", "批件", "U",
         "U2026"
         "0"
         "175",
         "serial number 0"},
        {"[2012]abc", "批件", "U",
         "U2026"
         "0"
         "175",
         "serial without leading digits"},
    };
    for (const GroupNumberCase& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(deriveGroupNumber(gbk(c.approval), gbk(c.kind), gbk(c.unit), kClock),
                  gbk(c.expected));
    }
}

TEST(GroupNumber, BracketSearchesSkipSecondBytesOfDoubleByteCharacters) {
    // 0x83 0x5B and 0x84 0x5D are GBK characters whose second bytes are "[" and "]".
    EXPECT_EQ(deriveGroupNumber("\x83\x5B[2012]35", "", "U", kClock), "U2012135");
    EXPECT_EQ(deriveGroupNumber("[20\x84\x5D"
                                "12]35",
                                "", "U", kClock),
              "U20\x84\x5D"
              "12135");
    EXPECT_EQ(deriveGroupNumber("\x83\x5B"
                                "2012\x84\x5D"
                                "35",
                                "", "U", kClock),
              "U20261175");
}

TEST(GroupNumber, FallbackDrawsFromTheClocksSecond) {
    const test::FixedClock other(2013y / 1 / 1, 1);
    EXPECT_EQ(deriveGroupNumber("", gbk("批件"), "U", other), "U2013041");
}

TEST(GroupNumber, AnOpenedApplicantKeepsItsProvisionalNumber) {
    record::MemberRecord opened;
    opened.approvalNumber = gbk("外字2026-118");
    opened.approvalKind = gbk("批件");
    opened.unitCode = "U";
    opened.groupNumber = "U20260999";
    const auto stored = StoredGroupNumber::of(opened);
    struct Case {
        record::GbkString approval, kind;
        std::optional<StoredGroupNumber> stored;
        record::GbkString expected;
        bool drawn;
        const char* why;
    };
    const Case cases[] = {
        {opened.approvalNumber, opened.approvalKind, stored, "U20260999", false, "unchanged"},
        {opened.approvalNumber, opened.approvalKind, std::nullopt, "U20260175", true, "new"},
        {gbk("外字2026-119"), opened.approvalKind, stored, "U20260175", true, "number changed"},
        {opened.approvalNumber, gbk("确认件"), stored, "U20261175", true, "kind changed"},
        {gbk("外字[2026]118号"), opened.approvalKind, stored, "U20260118", false,
         "a readable number gives its own"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        record::MemberRecord r = opened;
        r.approvalNumber = c.approval;
        r.approvalKind = c.kind;
        const GroupNumber group = groupNumberFor(r, c.stored, kClock);
        EXPECT_EQ(group.text, c.expected);
        EXPECT_EQ(group.drawn, c.drawn);
    }
}

} // namespace
} // namespace parvelin::datafile
