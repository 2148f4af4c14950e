#pragma once

#include "app/MemberRecord.h"

namespace parvelin::print {

// The texts that the form page shows, one per cell, prepared from the applicant's record by the
// print commands (GBK).
struct FormSlots {
    app::GbkString fillDateText;
    app::GbkString unitName;
    app::GbkString sequenceText;
    app::GbkString surnameChinese;
    app::GbkString givenNameChinese;
    app::GbkString sex;
    app::GbkString ethnicityText;
    app::GbkString birthPlace;
    app::GbkString surnamePinyin;
    app::GbkString givenNamePinyin;
    app::GbkString birthDateText;
    app::GbkString idDocumentType;
    app::GbkString idDocumentNumber;
    app::GbkString workUnit;
    app::GbkString positionText;
    app::GbkString occupationCategory;
    app::GbkString externalIdentityNote;
    app::GbkString externalUnit;
    app::GbkString externalIdentity;
    app::GbkString heldPassportStatus;
    app::GbkString heldPassportNumber;
    app::GbkString photoNumber;
    app::GbkString filingText;
    app::GbkString remarks;

    bool operator==(const FormSlots&) const = default;
};

// The cells of a record that has passed the checks and carries its name separator: the "other"
// position, ethnicity and filing number resolved, the dates as yyyy-mm-dd, the sequence as group
// number "_" personal sequence.
FormSlots slotsFromRecord(const app::MemberRecord& record);

} // namespace parvelin::print
