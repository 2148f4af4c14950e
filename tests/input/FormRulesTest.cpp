#include "input/FormRules.h"

#include "record/Vocabulary.h"
#include "tests/support/Applicants.h"

#include <functional>

#include <gtest/gtest.h>

namespace parvelin::input {
namespace {

using record::Field;
using record::gbk;

TEST(FormRules, EnableStatesOfEachFormState) {
    struct Case {
        Field field;
        FormState state;
        std::function<void(record::MemberRecord&)> change;
        bool enabled;
        const char* why;
    };
    const auto none = [](record::MemberRecord&) {};
    const Case cases[] = {
        {Field::unitCode, FormState::Editing, none, false, "unit code never"},
        {Field::unitName, FormState::Fresh, none, false, "unit name never"},
        {Field::surnameChinese, FormState::Fresh, none, true, "ordinary field, fresh"},
        {Field::surnameChinese, FormState::Opened, none, false, "nothing in the opened state"},
        {Field::externalIdentityNoteChoice, FormState::Opened, none, false, "title list too"},
        {Field::remarks, FormState::Editing, none, true, "ordinary field, editing"},
        {Field::nameDot, FormState::Editing, none, true, "the hidden dot list follows the others"},
        {Field::positionOther, FormState::Editing, [](auto& r) { r.position = gbk("其他"); }, true,
         "position 其他 asks for a description"},
        {Field::positionOther, FormState::Editing, [](auto& r) { r.position = gbk("科员"); }, false,
         "any other position does not"},
        {Field::positionOther, FormState::Fresh, [](auto& r) { r.position = gbk("其他"); }, true,
         "fresh: a value kept for the group's next applicant asks as well"},
        {Field::positionOther, FormState::Editing, [](auto& r) { r.position = gbk("其他 "); }, true,
         "其他 from a file with a blank: the checks require the description"},
        {Field::positionOther, FormState::Opened, [](auto& r) { r.position = gbk("其他"); }, false,
         "opened: disabled whatever the value"},
        {Field::ethnicityOther, FormState::Editing, [](auto& r) { r.ethnicity = gbk("其他"); },
         true, "ethnicity 其他"},
        {Field::ethnicityOther, FormState::Editing, [](auto& r) { r.ethnicity = gbk("汉"); }, false,
         "ethnicity 汉"},
        {Field::filingNumber, FormState::Editing, [](auto& r) { r.filingStatus = gbk("其他"); },
         true, "filing status 其他"},
        {Field::filingNumber, FormState::Editing, [](auto& r) { r.filingStatus = gbk("已备案"); },
         false, "filed"},
        {Field::heldPassportNumber, FormState::Editing,
         [](auto& r) { r.heldPassportStatus = gbk("需注销"); }, true, "a passport to cancel"},
        {Field::heldPassportNumber, FormState::Editing,
         [](auto& r) { r.heldPassportStatus = gbk("准持"); }, true, "a second passport"},
        {Field::heldPassportNumber, FormState::Editing,
         [](auto& r) { r.heldPassportStatus = gbk("无"); }, false, "no passport"},
        {Field::heldPassportNumber, FormState::Editing, [](auto& r) { r.heldPassportStatus = " "; },
         false, "the blank entry"},
        {Field::heldPassportNumber, FormState::Editing,
         [](auto& r) { r.heldPassportStatus = gbk("无 "); }, false, "无 from a file with a blank"},
        {Field::heldPassportNumber, FormState::Editing,
         [](auto& r) { r.heldPassportStatus.clear(); }, false, "nothing chosen"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        record::MemberRecord record = test::validApplicant();
        c.change(record);
        EXPECT_EQ(isEnabled(c.field, c.state, record), c.enabled);
    }
    EXPECT_TRUE(dotButtonsEnabled(FormState::Fresh));
    EXPECT_TRUE(dotButtonsEnabled(FormState::Editing));
    EXPECT_FALSE(dotButtonsEnabled(FormState::Opened));
}

TEST(FormRules, PersonalSequenceLosesOneLeadingZeroPerChange) {
    struct Case {
        const char* typed;
        const char* kept;
        const char* why;
    };
    const Case cases[] = {
        {"0", "", "a lone zero goes: typing can never start with 0"},
        {"007", "07", "one zero per change, as after pasting 007"},
        {"07", "7", "... and the next change drops the other"},
        {"4711", "4711", "no leading zero"},
        {"10", "10", "a zero later on stays"},
        {"", "", "empty stays empty"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(personalSequenceAfterChange(c.typed), c.kept);
    }
}

TEST(FormRules, RemarkCategoryReplacesTheRemarks) {
    EXPECT_EQ(remarksForCategory(gbk("维和")), gbk("维和"));
    EXPECT_EQ(remarksForCategory(" "), std::nullopt) << "the blank category keeps the remarks";
    EXPECT_EQ(remarksForCategory(""), std::nullopt);
}

TEST(FormRules, TheIdentityNumberProposesTheSexOnlyWhereNoneIsChosen) {
    record::MemberRecord r = test::validApplicant(); // a man's number
    for (const char* unchosen : {"", " "}) {
        r.sex = unchosen;
        fillFromIdNumber(r);
        EXPECT_EQ(r.sex, gbk("男")) << "sex '" << unchosen << "'";
    }
    r.sex = gbk("女");
    fillFromIdNumber(r);
    EXPECT_EQ(r.sex, gbk("女")) << "a chosen sex stays; Save asks about it";
}

TEST(FormRules, TheNextApplicantKeepsOnlyWhatTheGroupShares) {
    using namespace std::chrono_literals;
    record::MemberRecord fresh;
    fresh.fillDate = 2026y / 12 / 9;
    fresh.personalSequence = "77";
    record::MemberRecord saved = fresh;
    for (int f = 0; f < static_cast<int>(record::Field::groupNumber); ++f) {
        if (record::GbkString* value = record::textValue(saved, static_cast<record::Field>(f))) {
            *value = "saved";
        }
    }
    saved.birthDate = 1970y / 1 / 1;
    saved.fillDate = 2026y / 12 / 1;
    const record::MemberRecord next = withGroupOf(fresh, saved);
    for (int f = 0; f < static_cast<int>(record::Field::groupNumber); ++f) {
        const auto field = static_cast<record::Field>(f);
        if (const record::GbkString* value = record::textValue(next, field)) {
            const bool shared =
                field == record::Field::approvalKind || field == record::Field::approvalNumber ||
                field == record::Field::workUnit || field == record::Field::filingStatus ||
                field == record::Field::filingNumber;
            EXPECT_EQ(*value, shared ? "saved" : *record::textValue(fresh, field))
                << record::fieldLabel(field);
        }
    }
    EXPECT_EQ(next.fillDate, saved.fillDate);
    EXPECT_EQ(next.birthDate, fresh.birthDate);
}

} // namespace
} // namespace parvelin::input
