#include "datafile/SaveQuestions.h"

#include "tests/support/SaveQuestionCases.h"

#include <gtest/gtest.h>

namespace parvelin::datafile {
namespace {

using record::Field;
using record::gbk;
using record::MemberRecord;
using namespace std::chrono_literals;

using test::checkedApplicant;
using test::fieldsOf;

TEST(SaveQuestions, DoubtfulValuesOfTheApplicant) {
    struct Case {
        std::function<void(MemberRecord&)> change;
        bool drawn;
        std::vector<Field> asked;
        const char* why;
    };
    const Case cases[] = {
        {[](MemberRecord&) {}, false, {}, "nothing doubtful"},
        {[](MemberRecord&) {}, true, {Field::approvalNumber}, "a drawn group number"},
        {[](MemberRecord& r) { r.idDocumentNumber = "110101198001010014"; },
         false,
         {Field::idDocumentNumber},
         "check character 4 where 0 is due"},
        {[](MemberRecord& r) {
             r.idDocumentNumber = gbk("11010519491231002需");
             r.birthDate = 1949y / 12 / 31;
         },
         false,
         {Field::idDocumentNumber},
         "a Chinese character typed into the number"},
        {[](MemberRecord& r) {
             r.idDocumentNumber = "11010519491231002x";
             r.sex = gbk("女");
             r.birthDate = 1949y / 12 / 31;
         },
         false,
         {},
         "a check character x from an older file counts as X"},
        {[](MemberRecord& r) {
             r.idDocumentNumber = "110101197201300018";
             r.birthDate = 1980y / 5 / 5;
         },
         false,
         {Field::birthDate},
         "a birth date that the number contradicts"},
        {[](MemberRecord& r) {
             r.idDocumentNumber = "110101201301010017";
             r.birthDate = 2013y / 1 / 1;
         },
         false,
         {Field::birthDate},
         "born after the form was filled in (2012-05-17)"},
        {[](MemberRecord& r) {
             r.idDocumentType = gbk("护照");
             r.birthDate = 2013y / 1 / 1;
         },
         false,
         {Field::birthDate},
         "... whatever the document"},
        {[](MemberRecord& r) { r.sex = gbk("女"); },
         false,
         {Field::sex},
         "17th digit 1 records a man"},
        {[](MemberRecord& r) { r.sex = gbk("未知"); },
         false,
         {Field::sex},
         "a sex from a file that is not in the list"},
        {[](MemberRecord& r) {
             r.idDocumentType = gbk("军官证");
             r.idDocumentNumber = gbk("南字第123号");
             r.sex = gbk("女");
         },
         false,
         {},
         "an officer's card is not an identity card"},
        {[](MemberRecord& r) {
             r.idDocumentNumber = "11010519491231002X";
             r.sex = gbk("男");
             r.fillDate = 1949y / 1 / 1;
         },
         true,
         {Field::approvalNumber, Field::birthDate, Field::birthDate, Field::sex},
         "asked in order"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        MemberRecord r = checkedApplicant();
        c.change(r);
        EXPECT_EQ(fieldsOf(applicantQuestions(r, c.drawn)), c.asked);
    }
    MemberRecord r = checkedApplicant();
    r.sex = gbk("女");
    EXPECT_EQ(applicantQuestions(r, true).front().text.find("0000130122012035") !=
                  std::string::npos,
              true);
    EXPECT_EQ(applicantQuestions(r, false).front().text,
              "身份证号码表明性别为男，与所选性别“女”不符。是否仍要保存？");
    r = checkedApplicant();
    r.birthDate = 1980y / 5 / 5;
    r.fillDate = 1980y / 5 / 4;
    const std::vector<SaveQuestion> dates = applicantQuestions(r, false);
    ASSERT_EQ(dates.size(), 2u);
    EXPECT_EQ(dates[0].text,
              "出生日期 1980-05-05 与身份证号码中的出生日期 1980-01-01 不符。是否仍要保存？");
    EXPECT_EQ(dates[1].text, "出生日期 1980-05-05 晚于填表日期 1980-05-04。是否仍要保存？");
}

} // namespace
} // namespace parvelin::datafile
