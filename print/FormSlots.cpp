#include "print/FormSlots.h"

#include "app/Vocabulary.h"

namespace parvelin::print {

namespace {

const app::GbkString& otherOr(const app::GbkString& choice, const app::GbkString& other) {
    return choice == app::word::kOther ? other : choice;
}

} // namespace

FormSlots slotsFromRecord(const app::MemberRecord& r) {
    FormSlots cells;
    cells.fillDateText = app::formatDate(r.fillDate);
    cells.unitName = r.unitName;
    cells.sequenceText = r.groupNumber + "_" + r.personalSequence;
    cells.surnameChinese = r.surnameChinese;
    cells.givenNameChinese = r.givenNameChinese;
    cells.sex = r.sex;
    cells.ethnicityText = otherOr(r.ethnicity, r.ethnicityOther);
    cells.birthPlace = r.birthPlace;
    cells.surnamePinyin = r.surnamePinyin;
    cells.givenNamePinyin = r.givenNamePinyin;
    cells.birthDateText = app::formatDate(r.birthDate);
    cells.idDocumentType = r.idDocumentType;
    cells.idDocumentNumber = r.idDocumentNumber;
    cells.workUnit = r.workUnit;
    cells.positionText = otherOr(r.position, r.positionOther);
    cells.occupationCategory = r.occupationCategory;
    cells.externalIdentityNote = r.externalIdentityNote;
    cells.externalUnit = r.externalUnit;
    cells.externalIdentity = r.externalIdentity;
    cells.heldPassportStatus = r.heldPassportStatus;
    cells.heldPassportNumber = r.heldPassportNumber;
    cells.photoNumber = r.photoNumber;
    cells.filingText = r.filingStatus == app::word::kOther ? r.filingNumber : r.filingStatus;
    cells.remarks = r.remarks;
    return cells;
}

} // namespace parvelin::print
