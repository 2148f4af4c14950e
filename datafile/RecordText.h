#pragma once

#include "datafile/Validation.h"
#include "record/MemberRecord.h"

#include <string_view>

namespace parvelin::datafile {

// The serial form of a record: "groupMember|" and the values joined by "|", GBK, no escaping.
// The file record carries 31 values and is what a data file holds; the barcode record carries 26,
// with the "other" position and ethnicity already resolved, and is what the barcode holds.

// The record texts of a checked record. The surname values carry the name separator (the value of
// nameDot, "" or "·") when there is a surname; the record itself is left as it is.
record::GbkString composeFileRecord(const CheckedRecord& record);
record::GbkString composeBarcodeRecord(const CheckedRecord& record);

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
// the file says "已备案"); birthPlaceScope and externalIdentityNoteChoice are derived. A stored
// surname keeps the separator it was stored with.
[[nodiscard]] ParseStatus parseFileRecord(record::GbkStringView text, record::MemberRecord& record);

} // namespace parvelin::datafile
