#include "datafile/Validation.h"

#include "tests/support/Applicants.h"
#include "tests/support/FixedClock.h"

#include <functional>

#include <gtest/gtest.h>

namespace parvelin::datafile {
namespace {

using record::Field;
using record::gbk;
using record::MemberRecord;
using namespace std::chrono_literals;

const test::FixedClock kClock(2026y / 12 / 7, 42);

std::optional<CheckFailure> failureFor(const MemberRecord& r) {
    const CheckResult result = validateRecord(r, kClock);
    if (const CheckFailure* failure = failureOf(result)) {
        return *failure;
    }
    return std::nullopt;
}

struct CheckCase {
    const char* why;
    std::function<void(MemberRecord&)> change;
    std::string_view message;
    Field field;
    std::optional<Field> otherField = std::nullopt;
};

void expectFailure(const CheckCase& c) {
    SCOPED_TRACE(c.why);
    MemberRecord r = test::validApplicant();
    c.change(r);
    const auto failure = failureFor(r);
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->message, c.message);
    EXPECT_EQ(failure->field, c.field);
    EXPECT_EQ(failure->otherField, c.otherField);
}

TEST(Validation, TheWorkedApplicantPassesAndGetsItsGroupNumber) {
    MemberRecord r = test::validApplicant();
    r.remarks = "  note\r\n";
    r.groupNumber = "stale";
    const CheckResult result = validateRecord(r, kClock);
    ASSERT_TRUE(std::holds_alternative<CheckedRecord>(result));
    const MemberRecord& checked = std::get<CheckedRecord>(result).record();
    EXPECT_EQ(checked.groupNumber, "0000130122012035") << "derived, whatever the record held";
    EXPECT_EQ(checked.remarks, "note") << "values are trimmed";
    EXPECT_FALSE(std::get<CheckedRecord>(result).groupNumberDrawn());
}

// A list value with blanks around it (shown as the file held it) is checked trimmed, and stored
// as it was chosen; the lists' own entries and every text value are stored as checked.
TEST(Validation, TheFileKeepsAListValueAsItWasChosen) {
    MemberRecord r = test::validApplicant();
    r.workUnit = gbk("亚洲司 ");
    r.position = gbk(" 其他");
    r.positionOther = gbk(" 翻译 ");
    r.heldPassportStatus = gbk("无 ");
    const CheckResult result = validateRecord(r, kClock);
    ASSERT_TRUE(std::holds_alternative<CheckedRecord>(result)) << failureOf(result)->message;
    const CheckedRecord& checked = std::get<CheckedRecord>(result);
    EXPECT_EQ(checked.record().workUnit, gbk("亚洲司")) << "the page and barcode as before";
    EXPECT_EQ(checked.record().position, gbk("其他"));
    MemberRecord stored = checked.record();
    stored.workUnit = r.workUnit;
    stored.position = r.position;
    stored.heldPassportStatus = r.heldPassportStatus;
    EXPECT_EQ(checked.fileValues(), stored);
    EXPECT_EQ(checked.fileValues().positionOther, gbk("翻译"));

    r.position = gbk("其他 ");
    r.positionOther = " ";
    ASSERT_NE(failureOf(validateRecord(r, kClock)), nullptr) << "其他 with blanks asks as 其他";
    EXPECT_EQ(failureOf(validateRecord(r, kClock))->field, Field::positionOther);
}

TEST(Validation, EachCheckWithItsMessageAndField) {
    const CheckCase cases[] = {
        {"approval number empty, everything else empty too",
         [](MemberRecord& r) { r = MemberRecord{}; }, message::kRequiredAscii,
         Field::approvalNumber},
        {"approval number of blanks", [](MemberRecord& r) { r.approvalNumber = "  "; },
         message::kRequiredAscii, Field::approvalNumber},
        {"photo number empty", [](MemberRecord& r) { r.photoNumber = ""; }, message::kRequiredAscii,
         Field::photoNumber},
        {"26 + 25 Chinese characters",
         [](MemberRecord& r) {
             r.surnameChinese.clear();
             for (int i = 0; i < 25; ++i)
                 r.surnameChinese += gbk("张");
             r.givenNameChinese.clear();
             for (int i = 0; i < 26; ++i)
                 r.givenNameChinese += gbk("三");
         },
         message::kNameTooLong, Field::surnameChinese, Field::givenNameChinese},
        {"pinyin of 30 + 21 letters",
         [](MemberRecord& r) {
             r.surnamePinyin = std::string(30, 'A');
             r.givenNamePinyin = std::string(21, 'B');
         },
         message::kNameTooLong, Field::surnamePinyin, Field::givenNamePinyin},
        {"unit code empty", [](MemberRecord& r) { r.unitCode = ""; }, message::kRequired,
         Field::unitCode},
        {"unit name empty", [](MemberRecord& r) { r.unitName = " "; }, message::kRequired,
         Field::unitName},
        {"sex is the blank entry", [](MemberRecord& r) { r.sex = " "; }, message::kRequired,
         Field::sex},
        {"document type empty", [](MemberRecord& r) { r.idDocumentType = ""; }, message::kRequired,
         Field::idDocumentType},
        {"birthplace empty", [](MemberRecord& r) { r.birthPlace = ""; }, message::kRequired,
         Field::birthPlace},
        {"work unit blank", [](MemberRecord& r) { r.workUnit = " "; }, message::kRequired,
         Field::workUnit},
        {"sequence empty", [](MemberRecord& r) { r.personalSequence = ""; }, message::kRequired,
         Field::personalSequence},
        {"category blank", [](MemberRecord& r) { r.occupationCategory = " "; }, message::kRequired,
         Field::occupationCategory},
        {"position empty", [](MemberRecord& r) { r.position = ""; }, message::kRequired,
         Field::position},
        {"held passport status blank", [](MemberRecord& r) { r.heldPassportStatus = " "; },
         message::kRequired, Field::heldPassportStatus},
        {"filing status empty", [](MemberRecord& r) { r.filingStatus = ""; }, message::kRequired,
         Field::filingStatus},
        {"no Chinese name",
         [](MemberRecord& r) {
             r.surnameChinese = "";
             r.givenNameChinese = " ";
         },
         message::kRequired, Field::surnameChinese, Field::givenNameChinese},
        {"no pinyin",
         [](MemberRecord& r) {
             r.surnamePinyin = "";
             r.givenNamePinyin = "";
         },
         message::kRequired, Field::surnamePinyin, Field::givenNamePinyin},
        {"identity card without number", [](MemberRecord& r) { r.idDocumentNumber = ""; },
         message::kRequired, Field::idDocumentNumber},
        {"passport to cancel without number",
         [](MemberRecord& r) { r.heldPassportStatus = gbk("需注销"); }, message::kRequired,
         Field::heldPassportNumber},
        {"photo number of 19 digits",
         [](MemberRecord& r) { r.photoNumber = "1234567890123456789"; }, message::kPhotoNumber,
         Field::photoNumber},
        {"photo number of 21 digits",
         [](MemberRecord& r) { r.photoNumber = "123456789012345678901"; }, message::kPhotoNumber,
         Field::photoNumber},
        {"photo number with a letter",
         [](MemberRecord& r) { r.photoNumber = "1234567890123456789X"; }, message::kPhotoNumber,
         Field::photoNumber},
        {"passport number of 8",
         [](MemberRecord& r) {
             r.heldPassportStatus = gbk("准持");
             r.heldPassportNumber = "G1234567";
         },
         message::kPassportNumber, Field::heldPassportNumber},
        {"passport number of 10 with status 无",
         [](MemberRecord& r) { r.heldPassportNumber = "G123456789"; }, message::kPassportNumber,
         Field::heldPassportNumber},
        {"other ethnicity without text", [](MemberRecord& r) { r.ethnicity = gbk("其他"); },
         message::kRequired, Field::ethnicity},
        {"ethnicity blank", [](MemberRecord& r) { r.ethnicity = " "; }, message::kRequired,
         Field::ethnicity},
        {"other position without text", [](MemberRecord& r) { r.position = gbk("其他"); },
         message::kRequired, Field::positionOther},
        {"other filing without number", [](MemberRecord& r) { r.filingStatus = gbk("其他"); },
         message::kRequired, Field::filingNumber},
        {"title placeholder left",
         [](MemberRecord& r) { r.externalIdentityNote = gbk("***夫人;wife of ***"); },
         message::kPlaceholderLeft, Field::externalIdentityNote},
        {"identity card number of region 99",
         [](MemberRecord& r) { r.idDocumentNumber = "990101198001010014"; },
         message::kIdNumberInvalid, Field::idDocumentNumber},
        {"identity card number with a trailing blank",
         [](MemberRecord& r) { r.idDocumentNumber = "110101198001010014 "; },
         message::kIdNumberInvalid, Field::idDocumentNumber},
        {"| in the remarks", [](MemberRecord& r) { r.remarks = "a|b"; }, message::kSeparatorInValue,
         Field::remarks},
        {"| in the approval number's serial",
         [](MemberRecord& r) { r.approvalNumber = gbk("[2012]3|5号"); }, message::kSeparatorInValue,
         Field::approvalNumber},
        {"| in the other filing number",
         [](MemberRecord& r) {
             r.filingStatus = gbk("其他");
             r.filingNumber = "A|B";
         },
         message::kSeparatorInValue, Field::filingNumber},
        {"| in the surname comes before the remarks",
         [](MemberRecord& r) {
             r.surnameChinese = "|";
             r.remarks = "|";
         },
         message::kSeparatorInValue, Field::surnameChinese},
    };
    for (const CheckCase& c : cases) {
        expectFailure(c);
    }
}

TEST(Validation, BoundariesThatPass) {
    const std::pair<const char*, std::function<void(MemberRecord&)>> cases[] = {
        {"25 + 25 Chinese characters",
         [](MemberRecord& r) {
             r.surnameChinese.clear();
             r.givenNameChinese.clear();
             for (int i = 0; i < 25; ++i) {
                 r.surnameChinese += gbk("张");
                 r.givenNameChinese += gbk("三");
             }
         }},
        {"pinyin of exactly 50 letters",
         [](MemberRecord& r) {
             r.surnamePinyin = std::string(30, 'A');
             r.givenNamePinyin = std::string(20, 'B');
         }},
        {"officer's card without number",
         [](MemberRecord& r) {
             r.idDocumentType = gbk("军官证");
             r.idDocumentNumber = "";
         }},
        {"officer's card with any number",
         [](MemberRecord& r) {
             r.idDocumentType = gbk("军官证");
             r.idDocumentNumber = gbk("字第123号");
         }},
        {"passport to cancel with nine characters",
         [](MemberRecord& r) {
             r.heldPassportStatus = gbk("需注销");
             r.heldPassportNumber = " G12345678 ";
         }},
        {"only a given name", [](MemberRecord& r) { r.surnameChinese = r.surnamePinyin = ""; }},
        {"other position with text",
         [](MemberRecord& r) {
             r.position = gbk("其他");
             r.positionOther = gbk("翻译");
         }},
        {"other filing with number",
         [](MemberRecord& r) {
             r.filingStatus = gbk("其他");
             r.filingNumber = "XYZ";
         }},
        {"second bytes of 0x7C are no separators",
         [](MemberRecord& r) { r.givenNameChinese = "\x81\x7C"; }},
        {"| in a value that is not stored", [](MemberRecord& r) { r.filingNumber = "a|b"; }},
        {"15-character identity card number",
         [](MemberRecord& r) { r.idDocumentNumber = "110101800101001"; }},
    };
    for (const auto& [why, change] : cases) {
        SCOPED_TRACE(why);
        MemberRecord r = test::validApplicant();
        change(r);
        EXPECT_EQ(failureFor(r), std::nullopt);
    }
}

TEST(Validation, EveryMissingValueInTheOrderOfTheChecks) {
    struct Case {
        std::function<void(MemberRecord&)> change;
        std::vector<Field> missing;
        const char* why;
    };
    const Case cases[] = {
        {[](MemberRecord&) {}, {}, "the worked applicant lacks nothing"},
        {[](MemberRecord& r) {
             r.approvalNumber = " ";
             r.sex = "";
             r.surnameChinese = r.givenNameChinese = "";
             r.position = gbk("其他");
         },
         {Field::approvalNumber, Field::sex, Field::surnameChinese, Field::positionOther},
         "a blank number, a list, a name pair, a dependent box"},
        {[](MemberRecord& r) {
             r.filingStatus = gbk("其他");
             r.ethnicity = "";
             r.heldPassportStatus = gbk("准持");
         },
         {Field::heldPassportNumber, Field::ethnicity, Field::filingNumber},
         "values a choice requires"},
        {[](MemberRecord& r) { r.givenNameChinese = ""; }, {}, "one half of a name is enough"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        MemberRecord r = test::validApplicant();
        c.change(r);
        EXPECT_EQ(missingRequiredFields(r), c.missing);
        if (!c.missing.empty()) {
            EXPECT_EQ(failureFor(r)->field, c.missing.front()) << "the checks report the first";
        }
    }
}

TEST(Validation, OnlyThePlaceholderCheckMovesTheFocus) {
    MemberRecord r = test::validApplicant();
    r.externalIdentityNote = "*";
    EXPECT_TRUE(failureFor(r)->movesFocus());
    MemberRecord s = test::validApplicant();
    s.sex = "";
    EXPECT_FALSE(failureFor(s)->movesFocus());
}

} // namespace
} // namespace parvelin::datafile
