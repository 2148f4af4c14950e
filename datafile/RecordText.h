#pragma once

#include "record/MemberRecord.h"

#include <string_view>

namespace parvelin::datafile {

// The serial form of a record: "groupMember|" and the values joined by "|", GBK, no escaping.
// The file record carries 31 values and is what a data file holds; the barcode record carries 26,
// with the "other" position and ethnicity already resolved, and is what the barcode holds.

// Joins the name separator (the value of nameDot, "" or "·") to surnameChinese and surnamePinyin
// when the surname is not empty. Every Save and print command does this once, on the record it
// has just read from the form, before it composes or prints.
void appendNameSeparator(record::MemberRecord& record);

// Both compositions first append the name separator to the record itself, then compose.
// The record must have passed the checks, which trim it and derive its group number.
record::GbkString composeFileRecord(record::MemberRecord& record);
record::GbkString composeBarcodeRecord(record::MemberRecord& record);

enum class ParseStatus {
    Ok,
    NoHeader,     // the text does not begin with "groupMember|"
    TooFewValues, // fewer than the 31 values of a file record
    DamagedText,  // holdsDamagedBytes
    InvalidBirthDate,
    InvalidFillDate,
};

// What went wrong, in a sentence for a message or the terminal (UTF-8).
std::string_view describe(ParseStatus status);

// No form value can hold a zero byte or a broken double-byte character (record::isWellFormedGbk),
// so a record text with either is damaged, whatever else it holds: a lone lead byte would take the
// byte after it along and could shift every later value.
bool holdsDamagedBytes(record::GbkStringView text);

// Fills `record` from a file record. On any status other than Ok the record is left unchanged.
// The values that a file does not hold keep their current values (nameDot, and filingNumber when
// the file says "已备案"); birthPlaceScope and externalIdentityNoteChoice are derived.
[[nodiscard]] ParseStatus parseFileRecord(record::GbkStringView text, record::MemberRecord& record);

} // namespace parvelin::datafile
