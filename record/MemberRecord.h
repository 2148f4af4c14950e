#pragma once

#include "record/Clock.h"
#include "record/GbkText.h"

#include <chrono>
#include <string_view>

namespace parvelin::record {

using CalendarDate = std::chrono::year_month_day;

// One applicant: the 34 values that the main form holds, in the order in which the form exchanges
// them with its controls, plus the group number, which has no control.
struct MemberRecord {
    GbkString birthPlace;
    GbkString unitName;
    GbkString externalUnit;
    GbkString externalIdentityNoteChoice;
    GbkString externalIdentity;
    GbkString givenNameChinese;
    GbkString givenNamePinyin;
    GbkString approvalNumber;
    GbkString surnameChinese;
    GbkString surnamePinyin;
    GbkString filingStatus;
    GbkString filingNumber;
    GbkString idDocumentType;
    GbkString idDocumentNumber;
    GbkString heldPassportNumber;
    GbkString heldPassportStatus;
    GbkString position;
    GbkString personalSequence;
    GbkString photoNumber;
    GbkString occupationCategory;
    GbkString remarks;
    GbkString sex;
    GbkString workUnit;
    CalendarDate birthDate;
    CalendarDate fillDate;
    GbkString unitCode;
    GbkString externalIdentityNote;
    GbkString nameDot;
    GbkString approvalKind;
    GbkString birthPlaceScope;
    GbkString positionOther;
    GbkString remarkCategory;
    GbkString ethnicityOther;
    GbkString ethnicity;
    GbkString groupNumber;

    bool operator==(const MemberRecord&) const = default;
};

// The values of the record by name, in exchange order, for messages that name a field and for the
// form's map from fields to controls.
enum class Field {
    birthPlace,
    unitName,
    externalUnit,
    externalIdentityNoteChoice,
    externalIdentity,
    givenNameChinese,
    givenNamePinyin,
    approvalNumber,
    surnameChinese,
    surnamePinyin,
    filingStatus,
    filingNumber,
    idDocumentType,
    idDocumentNumber,
    heldPassportNumber,
    heldPassportStatus,
    position,
    personalSequence,
    photoNumber,
    occupationCategory,
    remarks,
    sex,
    workUnit,
    birthDate,
    fillDate,
    unitCode,
    externalIdentityNote,
    nameDot,
    approvalKind,
    birthPlaceScope,
    positionOther,
    remarkCategory,
    ethnicityOther,
    ethnicity,
    groupNumber,
};

// A date as the record text and the printed form write it: yyyy-mm-dd.
GbkString formatDate(const CalendarDate& date);

// The form's label of a field without its required mark, in UTF-8 (for example "中文姓").
std::string_view fieldLabel(Field field);

// The string value of a field; nullptr for the two dates.
const GbkString* textValue(const MemberRecord& record, Field field);
GbkString* textValue(MemberRecord& record, Field field);

// The date value of a field; nullptr for every field but the two dates.
const CalendarDate* dateValue(const MemberRecord& record, Field field);
CalendarDate* dateValue(MemberRecord& record, Field field);

// A personal sequence number as the form proposes it: a number 0..9999 drawn from the clock's
// second, in decimal without leading zeros.
GbkString freshPersonalSequence(const Clock& clock);

// The record as the form shows it when the program starts and after the New command.
MemberRecord freshRecord(const Clock& clock);

// The one value that stands for a choice and its "other" text, as the barcode record and the
// printed form show it: the text when the choice is "其他", else the choice. The filing value is
// also what the file record stores for the filing pair.
GbkStringView filingValue(const MemberRecord& record);
GbkStringView positionValue(const MemberRecord& record);
GbkStringView ethnicityValue(const MemberRecord& record);

// A surname value (Chinese or pinyin) as the data file, the barcode and the page hold it: the name
// separator (nameDot, "" or "·") joined to it when the applicant has a Chinese surname.
GbkString withNameSeparator(const MemberRecord& record, GbkStringView surnameValue);

} // namespace parvelin::record
