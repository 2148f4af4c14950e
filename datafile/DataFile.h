#pragma once

#include "datafile/Validation.h"
#include "record/GbkText.h"

#include <cstddef>
#include <optional>
#include <string>

namespace parvelin::datafile {

// The data-file format: a record text wrapped in its envelope, sealed into a ".zbdw" file and
// opened again; the same envelope is the barcode's payload. And how large a data file can be.

// The wrapped text of a record text: "2|", the record's Base64 (with its line breaks), "||".
// Data files encipher it; the barcode payload is exactly this text.
std::string wrapRecord(record::GbkStringView recordText);

// The record text inside a wrapped text: the Base64 between the first "|" and the next one,
// decoded. A text with fewer than two "|" holds no record. A zero byte is kept: a record text
// never holds one, and parsing refuses a text that does as damaged.
std::optional<record::GbkString> unwrapRecord(std::string_view wrapped);

// The content of a ".zbdw" data file: the wrapped record text, padded with 0x80 and zero bytes
// (ISO/IEC 9797-1 padding method 2), enciphered with single DES in ECB mode under the program's
// fixed key, and Base64-encoded. ASCII only.
std::string sealRecord(record::GbkStringView recordText);

// The record text of data-file content. Bytes after the padding, a trailing part of a block and
// stray characters in the Base64 are ignored, so that files carrying such leftovers still open;
// content that deciphers to no wrapped record (no 0x80 pad byte, fewer than two "|") gives
// std::nullopt.
std::optional<record::GbkString> openRecord(std::string_view content);

// The text that the printed barcode carries: the barcode record in the data file's envelope,
// neither padded nor enciphered ("2|", Base64 with its line breaks, "||").
std::string composeBarcodePayload(const CheckedRecord& record);

// How large a data file written by the form can be, so that reading can refuse anything larger
// before it deciphers a byte: a file of megabytes is never a data file, and showing its values
// would stall the program.

// The form's edit boxes without a byte cap of their own (the filing number, the other ethnicity,
// the four names of the identity editor) still stop typing at the edit limit of 32767
// characters, two GBK bytes at most each. Values loaded from a data file are not cut, but they
// came from a file that was no larger than the largest one.
inline constexpr std::size_t kEditBoxCharacterLimit = 32767;

// Every other value is shorter than this: the capped edit boxes (200 bytes at most), the entries
// of the form's lists, the dates and the group number.
inline constexpr std::size_t kOtherValueAllowance = 1024;

// The longest record text the form can produce: every value at its bound, the title completed
// with the longest names the identity editor takes, the separators and the header.
std::size_t largestRecordText();

// The size of that record text sealed into a data file: about 760 KB, nearly all of it the
// uncapped boxes; the capped values make up a few kilobytes.
std::size_t largestDataFile();

} // namespace parvelin::datafile
