#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace parvelin::datafile {

// Base64 with the alphabet and padding of RFC 4648, section 4. The encoder breaks its output with
// CR LF after every 2000 characters of complete groups; the data files and barcode payloads of the
// program depend on exactly that layout.
std::string base64Encode(std::span<const std::uint8_t> bytes);

// Decodes what base64Encode writes and is lenient beyond it: every character outside the alphabet
// ("=", CR, LF, blanks, bytes from 0x80) is skipped wherever it stands; three leftover values give
// two bytes, two give one, and a single leftover value is dropped. Never fails.
std::string base64Decode(std::string_view text);

} // namespace parvelin::datafile
