#pragma once

#include "record/GbkText.h"

#include <optional>
#include <string>

namespace parvelin::datafile {

// The wrapped text of a record text: "2|", the record's Base64 (with its line breaks), "||".
// Data files encipher it; the barcode payload is exactly this text.
std::string wrapRecord(record::GbkStringView recordText);

// The record text inside a wrapped text: the Base64 between the first "|" and the next one,
// decoded, up to its first zero byte. A text with fewer than two "|" holds no record.
std::optional<record::GbkString> unwrapRecord(std::string_view wrapped);

} // namespace parvelin::datafile
