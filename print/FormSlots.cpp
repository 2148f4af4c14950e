#include "print/FormSlots.h"

namespace parvelin::print {

FormSlots slotsFromRecord(const datafile::CheckedRecord& checked) {
    const record::MemberRecord& r = checked.record();
    FormSlots cells;
    cells.fillDateText = record::formatDate(r.fillDate);
    cells.unitName = r.unitName;
    cells.sequenceText = r.groupNumber + "_" + r.personalSequence;
    cells.surnameChinese = record::withNameSeparator(r, r.surnameChinese);
    cells.givenNameChinese = r.givenNameChinese;
    cells.sex = r.sex;
    cells.ethnicityText = record::ethnicityValue(r);
    cells.birthPlace = r.birthPlace;
    cells.surnamePinyin = record::withNameSeparator(r, r.surnamePinyin);
    cells.givenNamePinyin = r.givenNamePinyin;
    cells.birthDateText = record::formatDate(r.birthDate);
    cells.idDocumentType = r.idDocumentType;
    cells.idDocumentNumber = r.idDocumentNumber;
    cells.workUnit = r.workUnit;
    cells.positionText = record::positionValue(r);
    cells.occupationCategory = r.occupationCategory;
    cells.externalIdentityNote = r.externalIdentityNote;
    cells.externalUnit = r.externalUnit;
    cells.externalIdentity = r.externalIdentity;
    cells.heldPassportStatus = r.heldPassportStatus;
    cells.heldPassportNumber = r.heldPassportNumber;
    cells.photoNumber = r.photoNumber;
    cells.filingText = record::filingValue(r);
    cells.remarks = r.remarks;
    return cells;
}

} // namespace parvelin::print
