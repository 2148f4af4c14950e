#include "record/MemberRecord.h"

#include "record/Vocabulary.h"
#include "tests/support/FixedClock.h"

#include <gtest/gtest.h>

namespace parvelin::record {
namespace {

using namespace std::chrono_literals;

TEST(MemberRecord, FirstRandomAfterSeedFollowsTheRuntimeGenerator) {
    // srand(s); rand() of the Microsoft C runtime, for a few seeds.
    EXPECT_EQ(firstRandomAfterSeed(0), 38);
    EXPECT_EQ(firstRandomAfterSeed(1), 41);
    EXPECT_EQ(firstRandomAfterSeed(42), 175);
    EXPECT_EQ(firstRandomAfterSeed(1700000000), 28462);
    // Only the low 32 bits of the seed count.
    EXPECT_EQ(firstRandomAfterSeed(0x1'0000'0001), firstRandomAfterSeed(1));
}

TEST(MemberRecord, PersonalSequenceIsTheDrawModuloTenThousandWithoutLeadingZeros) {
    const test::FixedClock sameSecond(2012y / 5 / 17, 1700000000);
    EXPECT_EQ(freshPersonalSequence(sameSecond), "8462");
    EXPECT_EQ(freshPersonalSequence(sameSecond), freshPersonalSequence(sameSecond));
    EXPECT_EQ(freshPersonalSequence(test::FixedClock(2012y / 5 / 17, 0)), "38");
}

TEST(MemberRecord, FreshDefaults) {
    const test::FixedClock clock(2012y / 5 / 17, 42);
    const MemberRecord startup = freshRecord(clock);
    EXPECT_EQ(startup.unitCode, "000013012");
    EXPECT_EQ(startup.unitName, gbk("外交部"));
    EXPECT_EQ(startup.approvalKind, gbk("批件"));
    EXPECT_EQ(startup.idDocumentType, gbk("身份证"));
    EXPECT_EQ(startup.birthPlaceScope, gbk("国内"));
    EXPECT_EQ(startup.filingStatus, gbk("已备案"));
    EXPECT_EQ(startup.personalSequence, "175");
    for (const GbkString* blank : {&startup.sex, &startup.workUnit, &startup.occupationCategory,
                                   &startup.ethnicity, &startup.remarkCategory}) {
        EXPECT_EQ(*blank, " ");
    }
    EXPECT_EQ(startup.heldPassportStatus, "");
    EXPECT_EQ(startup.birthDate, 2012y / 5 / 17);
    EXPECT_EQ(startup.fillDate, 2012y / 5 / 17);
    EXPECT_TRUE(startup.surnameChinese.empty() && startup.groupNumber.empty() &&
                startup.nameDot.empty() && startup.birthPlace.empty() && startup.position.empty());
}

TEST(MemberRecord, FieldsAreAddressableByName) {
    MemberRecord record;
    *textValue(record, Field::ethnicityOther) = "x";
    EXPECT_EQ(record.ethnicityOther, "x");
    EXPECT_EQ(textValue(record, Field::birthDate), nullptr);
    EXPECT_EQ(fieldLabel(Field::surnameChinese), "中文姓");
    EXPECT_EQ(fieldLabel(Field::photoNumber), "数字照片编号");
}

} // namespace
} // namespace parvelin::record
