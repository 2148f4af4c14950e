#include "datafile/RecordText.h"

#include "record/Vocabulary.h"
#include "tests/support/Applicants.h"
#include "tests/support/UncheckedRecords.h"

#include <algorithm>

#include <gtest/gtest.h>

namespace parvelin::datafile {
namespace {

using record::gbk;
using record::MemberRecord;
using namespace std::chrono_literals;

std::size_t separators(const std::string& text) {
    std::size_t count = 0;
    for (std::size_t i = record::findSingleByte(text, '|'); i != std::string::npos;
         i = record::findSingleByte(text, '|', i + 1)) {
        ++count;
    }
    return count;
}

MemberRecord applicant() {
    MemberRecord r = test::validApplicant();
    r.groupNumber = "0000130122012035";
    return r;
}

TEST(RecordText, FileRecordOfTheWorkedApplicant) {
    MemberRecord r = applicant();
    EXPECT_EQ(test::fileRecordOf(r),
              gbk("groupMember|0000130122012035|4711|000013012|外交部|张|三|ZHANG|SAN|男|身份证|"
                  "110101198001010010|北京|1980-01-01|亚洲司|科员|国家公务员||||无||"
                  "12345678901234567890|已备案||2012-05-17||汉|| |批件|外字[2012]35号"));
}

TEST(RecordText, BarcodeRecordResolvesOtherPositionAndEthnicity) {
    MemberRecord r = applicant();
    r.position = gbk("其他");
    r.positionOther = gbk("翻译");
    r.ethnicity = gbk("其他");
    r.ethnicityOther = gbk("克木人");
    EXPECT_EQ(test::barcodeRecordOf(r),
              gbk("groupMember|0000130122012035|4711|000013012|外交部|张|三|ZHANG|SAN|男|身份证|"
                  "110101198001010010|北京|1980-01-01|亚洲司|翻译|国家公务员||||无||"
                  "12345678901234567890|已备案||2012-05-17|克木人"));
}

TEST(RecordText, EmptyOptionalValuesStillGiveEveryPlace) {
    MemberRecord empty;
    empty.birthDate = 2000y / 2 / 29;
    empty.fillDate = 2000y / 2 / 29;
    MemberRecord copy = empty;
    const std::string file = test::fileRecordOf(copy);
    EXPECT_EQ(separators(file), 31u) << "the header's separator and 30 between values";
    EXPECT_EQ(separators(test::barcodeRecordOf(copy)), 26u);
    // The empty filing status is not "其他": the status itself is written.
    MemberRecord parsed;
    ASSERT_EQ(parseFileRecord(file, parsed), ParseStatus::Ok);
    EXPECT_EQ(parsed.filingStatus, gbk("其他")) << "an empty filing value reads back as 其他";
    EXPECT_EQ(parsed.birthDate, 2000y / 2 / 29);
}

TEST(RecordText, NameSeparatorJoinsTheSurnameValuesOnceWhenThereIsASurname) {
    MemberRecord r = applicant();
    r.surnameChinese = gbk("司马");
    r.surnamePinyin = "SIMA";
    r.nameDot = gbk("·");
    const CheckedRecord checked = test::unchecked(r);
    EXPECT_NE(composeFileRecord(checked).find(gbk("|司马·|三|SIMA·|SAN|")), std::string::npos);
    EXPECT_NE(composeBarcodeRecord(checked).find(gbk("|司马·|三|SIMA·|SAN|")), std::string::npos);
    EXPECT_EQ(checked.record().surnameChinese, gbk("司马")) << "the record is left as it is";
    EXPECT_EQ(composeFileRecord(checked), composeFileRecord(checked)) << "composed again: once";

    MemberRecord noSurname = applicant();
    noSurname.surnameChinese.clear();
    noSurname.surnamePinyin = "X";
    noSurname.nameDot = gbk("·");
    EXPECT_NE(test::fileRecordOf(noSurname).find(gbk("||三|X|SAN|")), std::string::npos);
}

TEST(RecordText, FilingValueIsTheNumberOnlyForOther) {
    MemberRecord filed = applicant();
    filed.filingNumber = "IGNORED";
    MemberRecord other = applicant();
    other.filingStatus = gbk("其他");
    other.filingNumber = "XYZ";
    EXPECT_NE(test::fileRecordOf(filed).find(gbk("|已备案|")), std::string::npos);
    EXPECT_NE(test::fileRecordOf(other).find("|XYZ|"), std::string::npos);

    MemberRecord target;
    target.filingNumber = "KEPT";
    ASSERT_EQ(parseFileRecord(test::fileRecordOf(filed), target), ParseStatus::Ok);
    EXPECT_EQ(target.filingStatus, gbk("已备案"));
    EXPECT_EQ(target.filingNumber, "KEPT") << "已备案 leaves the number as it was";
    ASSERT_EQ(parseFileRecord(test::fileRecordOf(other), target), ParseStatus::Ok);
    EXPECT_EQ(target.filingStatus, gbk("其他"));
    EXPECT_EQ(target.filingNumber, "XYZ");

    // 已备案 as another program wrote it, with a blank: the status, held as written (the list
    // shows what the list does not offer as it is), not a number that trimming makes 已备案.
    MemberRecord blank = applicant();
    blank.filingStatus = gbk("已备案 ");
    ASSERT_EQ(parseFileRecord(test::fileRecordOf(blank), target), ParseStatus::Ok);
    EXPECT_EQ(target.filingStatus, gbk("已备案 "));
    EXPECT_EQ(target.filingNumber, "XYZ") << "left as it was";
    EXPECT_EQ(test::fileRecordOf(target), test::fileRecordOf(blank));
}

TEST(RecordText, ParsingDerivesScopeAndTitleChoiceAndKeepsNameDot) {
    struct Case {
        const char* birthPlace;
        const char* scope;
    };
    const Case cases[] = {{"北京", "国内"}, {"澳门", "国内"}, {"内蒙古", "国内"},
                          {"日本", "国外"}, {"", "国外"},     {"北", "国外"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.birthPlace);
        MemberRecord r = applicant();
        r.birthPlace = gbk(c.birthPlace);
        r.externalIdentityNote = gbk("记者;Correspondent");
        MemberRecord parsed;
        parsed.nameDot = gbk("·");
        ASSERT_EQ(parseFileRecord(test::fileRecordOf(r), parsed), ParseStatus::Ok);
        EXPECT_EQ(parsed.birthPlaceScope, gbk(c.scope));
        EXPECT_EQ(parsed.externalIdentityNoteChoice, gbk("记者;Correspondent"));
        EXPECT_EQ(parsed.nameDot, gbk("·"));
    }
}

TEST(RecordText, ValueThirtyOneTakesEverythingAfterTheThirtiethSeparator) {
    MemberRecord r = applicant();
    std::string text = test::fileRecordOf(r) + "|tail|more";
    MemberRecord parsed;
    ASSERT_EQ(parseFileRecord(text, parsed), ParseStatus::Ok);
    EXPECT_EQ(parsed.approvalNumber, gbk("外字[2012]35号") + "|tail|more");
}

TEST(RecordText, SecondBytesOf0x7CDoNotSplitValues) {
    MemberRecord r = applicant();
    r.givenNameChinese = "\x81\x7C\x81\x7C";
    r.remarks = "a\r\n\x81\x7C";
    MemberRecord copy = r;
    MemberRecord parsed;
    ASSERT_EQ(parseFileRecord(test::fileRecordOf(copy), parsed), ParseStatus::Ok);
    EXPECT_EQ(parsed.givenNameChinese, r.givenNameChinese);
    EXPECT_EQ(parsed.remarks, r.remarks);
}

TEST(RecordText, DatesReadAsThreeNumbersAndMustBeRealDays) {
    struct Case {
        const char* text;
        bool ok;
        const char* why;
    };
    const Case cases[] = {
        {"1975-03-09", true, "zero-padded"},
        {"1975-3-9", true, "without padding"},
        {"2000-02-29", true, "leap day of a leap century"},
        {"1900-02-29", false, "1900 is no leap year"},
        {"1975-04-31", false, "31 April"},
        {"1975-13-01", false, "month 13"},
        {"1975-00-10", false, "month 0"},
        {"1975/03/09", false, "wrong separators"},
        {"1975-03", false, "two numbers"},
        {"", false, "empty"},
        {"0099-01-01", false, "before the years a form date can hold"},
        {"0100-01-01", true, "the earliest day the date pickers offer"},
        {"9999-12-31", true, "the latest day the date pickers offer"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        MemberRecord r = applicant();
        std::string text = test::fileRecordOf(r);
        const std::string date = "1980-01-01";
        text.replace(text.find(date), date.size(), c.text);
        MemberRecord parsed;
        EXPECT_EQ(parseFileRecord(text, parsed) == ParseStatus::Ok, c.ok);
    }
}

TEST(RecordText, MalformedTextsAreRejectedAndLeaveTheRecordUnchanged) {
    MemberRecord r = applicant();
    const std::string good = test::fileRecordOf(r);
    std::string badFillDate = good;
    badFillDate.replace(badFillDate.find("2012-05-17"), 10, "2012-02-30");
    std::string withNul = good;
    withNul.insert(withNul.find("ZHANG") + 2, 1, '\0');
    struct Case {
        std::string text;
        ParseStatus expected;
        const char* why;
    };
    const Case cases[] = {
        {"", ParseStatus::NoHeader, "empty"},
        {good.substr(5), ParseStatus::NoHeader, "header cut"},
        {"groupmember|" + good.substr(12), ParseStatus::NoHeader, "header in other case"},
        {good.substr(0, good.rfind('|')), ParseStatus::TooFewValues, "30 values"},
        {"groupMember|", ParseStatus::TooFewValues, "header only"},
        {good.substr(0, good.find("1980")) + "x|" + good.substr(good.find("1980") + 11),
         ParseStatus::InvalidBirthDate, "birth date not a date"},
        {badFillDate, ParseStatus::InvalidFillDate, "30 February"},
        {good + std::string(1, '\0'), ParseStatus::DamagedText, "a zero byte after the last value"},
        {withNul, ParseStatus::DamagedText, "a zero byte inside a value"},
        {good.substr(0, good.find("1980")) + "\xB1" + good.substr(good.find("1980")),
         ParseStatus::DamagedText, "a lead byte before the digits of a date"},
        {good + "\x81\x20", ParseStatus::DamagedText, "a lead byte before a blank"},
        {good + "\xD5", ParseStatus::DamagedText, "a lead byte at the very end"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        MemberRecord target = test::validApplicant();
        const MemberRecord before = target;
        EXPECT_EQ(parseFileRecord(c.text, target), c.expected);
        EXPECT_EQ(target, before);
        EXPECT_FALSE(describe(c.expected).empty());
    }
}

} // namespace
} // namespace parvelin::datafile
