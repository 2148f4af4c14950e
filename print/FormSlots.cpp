#include "print/FormSlots.h"

#include "app/Vocabulary.h"

namespace parvelin::print {

namespace {

const app::GbkString& otherOr(const app::GbkString& choice, const app::GbkString& other) {
    return choice == app::word::kOther ? other : choice;
}

} // namespace

FormSlots slotsFromRecord(const app::MemberRecord& r) {
    FormSlots slots;
    slots.fillDateText = app::formatDate(r.fillDate);
    slots.unitName = r.unitName;
    slots.sequenceText = r.groupNumber + "_" + r.personalSequence;
    slots.surnameChinese = r.surnameChinese;
    slots.givenNameChinese = r.givenNameChinese;
    slots.sex = r.sex;
    slots.ethnicityText = otherOr(r.ethnicity, r.ethnicityOther);
    slots.birthPlace = r.birthPlace;
    slots.surnamePinyin = r.surnamePinyin;
    slots.givenNamePinyin = r.givenNamePinyin;
    slots.birthDateText = app::formatDate(r.birthDate);
    slots.idDocumentType = r.idDocumentType;
    slots.idDocumentNumber = r.idDocumentNumber;
    slots.workUnit = r.workUnit;
    slots.positionText = otherOr(r.position, r.positionOther);
    slots.occupationCategory = r.occupationCategory;
    slots.externalIdentityNote = r.externalIdentityNote;
    slots.externalUnit = r.externalUnit;
    slots.externalIdentity = r.externalIdentity;
    slots.heldPassportStatus = r.heldPassportStatus;
    slots.heldPassportNumber = r.heldPassportNumber;
    slots.photoNumber = r.photoNumber;
    slots.filingText = r.filingStatus == app::word::kOther ? r.filingNumber : r.filingStatus;
    slots.remarks = r.remarks;
    return slots;
}

} // namespace parvelin::print
