#pragma once

#include "record/GbkText.h"

#include <optional>
#include <string>

namespace parvelin::datafile {

// The content of a ".zbdw" data file: the wrapped record text, padded with 0x80 and zero bytes
// (ISO/IEC 9797-1 padding method 2), enciphered with single DES in ECB mode under the program's
// fixed key, and Base64-encoded. ASCII only.
std::string sealRecord(record::GbkStringView recordText);

// The record text of data-file content. Bytes after the padding, a trailing part of a block and
// stray characters in the Base64 are ignored, so that files carrying such leftovers still open;
// content that deciphers to no wrapped record (no 0x80 pad byte, fewer than two "|") gives
// std::nullopt.
std::optional<record::GbkString> openRecord(std::string_view content);

} // namespace parvelin::datafile
