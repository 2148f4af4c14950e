#pragma once

#include "datafile/Validation.h"
#include "record/MemberRecord.h"

namespace parvelin::print {

// The texts that the form page shows, one per cell, prepared from the applicant's record by the
// print commands (GBK).
struct FormSlots {
    record::GbkString fillDateText;
    record::GbkString unitName;
    record::GbkString sequenceText;
    record::GbkString surnameChinese;
    record::GbkString givenNameChinese;
    record::GbkString sex;
    record::GbkString ethnicityText;
    record::GbkString birthPlace;
    record::GbkString surnamePinyin;
    record::GbkString givenNamePinyin;
    record::GbkString birthDateText;
    record::GbkString idDocumentType;
    record::GbkString idDocumentNumber;
    record::GbkString workUnit;
    record::GbkString positionText;
    record::GbkString occupationCategory;
    record::GbkString externalIdentityNote;
    record::GbkString externalUnit;
    record::GbkString externalIdentity;
    record::GbkString heldPassportStatus;
    record::GbkString heldPassportNumber;
    record::GbkString photoNumber;
    record::GbkString filingText;
    record::GbkString remarks;

    bool operator==(const FormSlots&) const = default;
};

// The cells of a checked record: the surnames with the name separator, the "other" position,
// ethnicity and filing number resolved, the dates as yyyy-mm-dd, the sequence as group number "_"
// personal sequence.
FormSlots slotsFromRecord(const datafile::CheckedRecord& checked);

} // namespace parvelin::print
