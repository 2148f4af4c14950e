#include "record/MemberRecord.h"

#include "record/Vocabulary.h"

#include <array>
#include <cstdio>
#include <utility>

namespace parvelin::record {

namespace {

struct FieldInfo {
    Field field;
    std::string_view label;
    GbkString MemberRecord::*text;              // nullptr for the dates
    CalendarDate MemberRecord::*date = nullptr; // the dates only
};

constexpr std::array<FieldInfo, 35> kFields = {{
    {Field::birthPlace, "出生地", &MemberRecord::birthPlace},
    {Field::unitName, "单位名称", &MemberRecord::unitName},
    {Field::externalUnit, "对外单位", &MemberRecord::externalUnit},
    {Field::externalIdentityNoteChoice, "对外身份加注", &MemberRecord::externalIdentityNoteChoice},
    {Field::externalIdentity, "对外身份", &MemberRecord::externalIdentity},
    {Field::givenNameChinese, "中文名", &MemberRecord::givenNameChinese},
    {Field::givenNamePinyin, "名拼音", &MemberRecord::givenNamePinyin},
    {Field::approvalNumber, "出国任务批件号", &MemberRecord::approvalNumber},
    {Field::surnameChinese, "中文姓", &MemberRecord::surnameChinese},
    {Field::surnamePinyin, "姓拼音", &MemberRecord::surnamePinyin},
    {Field::filingStatus, "人员审批及备案号", &MemberRecord::filingStatus},
    {Field::filingNumber, "人员审批及备案号", &MemberRecord::filingNumber},
    {Field::idDocumentType, "证件种类", &MemberRecord::idDocumentType},
    {Field::idDocumentNumber, "证件号码", &MemberRecord::idDocumentNumber},
    {Field::heldPassportNumber, "原持有效护照号", &MemberRecord::heldPassportNumber},
    {Field::heldPassportStatus, "原持有效护照情况", &MemberRecord::heldPassportStatus},
    {Field::position, "职务", &MemberRecord::position},
    {Field::personalSequence, "个人序号", &MemberRecord::personalSequence},
    {Field::photoNumber, "数字照片编号", &MemberRecord::photoNumber},
    {Field::occupationCategory, "职业属性", &MemberRecord::occupationCategory},
    {Field::remarks, "备注", &MemberRecord::remarks},
    {Field::sex, "性别", &MemberRecord::sex},
    {Field::workUnit, "工作单位", &MemberRecord::workUnit},
    {Field::birthDate, "出生日期", nullptr, &MemberRecord::birthDate},
    {Field::fillDate, "填表日期", nullptr, &MemberRecord::fillDate},
    {Field::unitCode, "单位编号", &MemberRecord::unitCode},
    {Field::externalIdentityNote, "对外身份加注", &MemberRecord::externalIdentityNote},
    {Field::nameDot, "姓名点号", &MemberRecord::nameDot},
    {Field::approvalKind, "出国任务批件号", &MemberRecord::approvalKind},
    {Field::birthPlaceScope, "出生地", &MemberRecord::birthPlaceScope},
    {Field::positionOther, "其他职务描述", &MemberRecord::positionOther},
    {Field::remarkCategory, "备注", &MemberRecord::remarkCategory},
    {Field::ethnicityOther, "民族", &MemberRecord::ethnicityOther},
    {Field::ethnicity, "民族", &MemberRecord::ethnicity},
    {Field::groupNumber, "团组号", &MemberRecord::groupNumber},
}};

const FieldInfo& info(Field field) {
    return kFields[static_cast<std::size_t>(field)];
}

} // namespace

static_assert([] {
    for (std::size_t i = 0; i < kFields.size(); ++i) {
        if (static_cast<std::size_t>(kFields[i].field) != i) {
            return false;
        }
    }
    return true;
}());

GbkString formatDate(const CalendarDate& date) {
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
    return text;
}

std::string_view fieldLabel(Field field) {
    return info(field).label;
}

const GbkString* textValue(const MemberRecord& record, Field field) {
    const auto member = info(field).text;
    return member ? &(record.*member) : nullptr;
}

GbkString* textValue(MemberRecord& record, Field field) {
    const auto member = info(field).text;
    return member ? &(record.*member) : nullptr;
}

const CalendarDate* dateValue(const MemberRecord& record, Field field) {
    const auto member = info(field).date;
    return member ? &(record.*member) : nullptr;
}

CalendarDate* dateValue(MemberRecord& record, Field field) {
    const auto member = info(field).date;
    return member ? &(record.*member) : nullptr;
}

GbkString freshPersonalSequence(const Clock& clock) {
    return std::to_string(firstRandomAfterSeed(clock.now().epochSeconds) % 10000);
}

// Start-up and New give the same record, so that every list shows the same selection and the
// same keys choose the same entries after either. The held-passport status is empty, as its list
// shows no selection.
MemberRecord freshRecord(const Clock& clock) {
    const Moment moment = clock.now();
    MemberRecord record;
    record.unitCode = "000013012";
    record.unitName = GbkString(word::kForeignMinistry);
    record.approvalKind = GbkString(word::kApproval);
    record.idDocumentType = GbkString(word::kIdentityCard);
    record.birthPlaceScope = GbkString(word::kAtHome);
    record.filingStatus = GbkString(word::kFiled);
    record.personalSequence = freshPersonalSequence(clock);
    record.sex = " ";
    record.workUnit = " ";
    record.occupationCategory = " ";
    record.ethnicity = " ";
    record.remarkCategory = " ";
    record.birthDate = moment.localDate;
    record.fillDate = moment.localDate;
    return record;
}

GbkStringView filingValue(const MemberRecord& r) {
    return r.filingStatus == word::kOther ? r.filingNumber : r.filingStatus;
}

GbkStringView positionValue(const MemberRecord& r) {
    return r.position == word::kOther ? r.positionOther : r.position;
}

GbkStringView ethnicityValue(const MemberRecord& r) {
    return r.ethnicity == word::kOther ? r.ethnicityOther : r.ethnicity;
}

GbkString withNameSeparator(const MemberRecord& r, GbkStringView surnameValue) {
    GbkString value(surnameValue);
    if (!r.surnameChinese.empty()) {
        value += r.nameDot;
    }
    return value;
}

} // namespace parvelin::record
