#include "input/FormRules.h"

#include "record/IdNumber.h"
#include "record/Vocabulary.h"

namespace parvelin::input {

// A lead list's value as the checks read it: an entry that a data file brought with blanks
// around it ("其他 ") asks for its box as the list's own entry does, since the checks require it.
bool filingNumberInUse(record::GbkStringView filingStatus) {
    return record::trimmed(filingStatus) == record::word::kOther;
}

bool heldPassportNumberInUse(record::GbkStringView heldPassportStatus) {
    const record::GbkString status = record::trimmed(heldPassportStatus);
    return status != record::word::kNone && !status.empty();
}

bool positionOtherInUse(record::GbkStringView position) {
    return record::trimmed(position) == record::word::kOther;
}

bool ethnicityOtherInUse(record::GbkStringView ethnicity) {
    return record::trimmed(ethnicity) == record::word::kOther;
}

bool isEnabled(record::Field field, FormState state, const record::MemberRecord& record) {
    using record::Field;
    if (field == Field::unitCode || field == Field::unitName || state == FormState::Opened) {
        return false;
    }
    switch (field) {
    case Field::filingNumber:
        return filingNumberInUse(record.filingStatus);
    case Field::heldPassportNumber:
        return heldPassportNumberInUse(record.heldPassportStatus);
    case Field::positionOther:
        return positionOtherInUse(record.position);
    case Field::ethnicityOther:
        return ethnicityOtherInUse(record.ethnicity);
    default:
        return true;
    }
}

bool dotButtonsEnabled(FormState state) {
    return state != FormState::Opened;
}

record::GbkString personalSequenceAfterChange(record::GbkStringView value) {
    if (value == "0") {
        return {};
    }
    if (!value.empty() && value.front() == '0') {
        return record::GbkString(value.substr(1));
    }
    return record::GbkString(value);
}

void fillFromIdNumber(record::MemberRecord& record) {
    if (const auto date =
            record::birthDateFromIdNumber(record.idDocumentType, record.idDocumentNumber)) {
        record.birthDate = *date;
    }
    if (record::trimmed(record.sex).empty()) {
        if (const auto sex =
                record::sexFromIdNumber(record.idDocumentType, record.idDocumentNumber)) {
            record.sex = *sex;
        }
    }
}

std::optional<record::GbkString> remarksForCategory(record::GbkStringView category) {
    record::GbkString trimmed = record::trimmed(category);
    if (trimmed.empty()) {
        return std::nullopt;
    }
    return trimmed;
}

record::MemberRecord withGroupOf(record::MemberRecord fresh, const record::MemberRecord& saved) {
    fresh.approvalKind = saved.approvalKind;
    fresh.approvalNumber = saved.approvalNumber;
    fresh.workUnit = saved.workUnit;
    fresh.filingStatus = saved.filingStatus;
    fresh.filingNumber = saved.filingNumber;
    fresh.fillDate = saved.fillDate;
    return fresh;
}

record::Field firstFieldAfterSave(const record::MemberRecord& next, bool groupKept) {
    if (!groupKept) {
        return record::Field::approvalNumber;
    }
    return next.personalSequence.empty() ? record::Field::personalSequence
                                         : record::Field::surnameChinese;
}

} // namespace parvelin::input
