#pragma once

#include "record/GbkText.h"

#include <optional>
#include <string>

namespace parvelin::datafile {

// The wrapped text of a record text: "2|", the record's Base64 (with its line breaks), "||".
// Data files encipher it; the barcode payload is exactly this text.
std::string wrapRecord(record::GbkStringView recordText);

// The record text inside a wrapped text: the Base64 between the first "|" and the next one,
// decoded. A text with fewer than two "|" holds no record. A zero byte is kept: a record text
// never holds one, and parsing refuses a text that does as damaged.
std::optional<record::GbkString> unwrapRecord(std::string_view wrapped);

} // namespace parvelin::datafile
