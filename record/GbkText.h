#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace parvelin::record {

// Every text of the record and the form is held as GBK (code page 936) bytes. UTF-8 appears only
// at the edges (widgets, terminal) and passes through the two conversions below.
using GbkString = std::string;
using GbkStringView = std::string_view;

// Code page 936 starts a double-byte character with a lead byte 0x81..0xFE; the byte after it
// may be any value from 0x40 up, including 0x5B "[", 0x5D "]" and 0x7C "|".
constexpr bool isLeadByte(unsigned char byte) {
    return byte >= 0x81 && byte <= 0xFE;
}

// Whether every lead byte is followed by a second byte 0x40..0xFE other than 0x7F, as every
// double-byte character of code page 936 is. A lone lead byte (at the end, or before a byte such
// as "|" or a blank) would take the next character with it, so a text that breaks this is damaged.
bool isWellFormedGbk(GbkStringView text);

// Number of characters: a lead byte and the byte after it count as one, every other byte as one.
// A lead byte at the very end counts as one character on its own.
std::size_t characterCount(GbkStringView text);

// Offset of the first occurrence of the single-byte character `wanted` at or after `from`,
// stepping over double-byte characters so that their second bytes never match.
// Returns GbkStringView::npos when there is none.
std::size_t findSingleByte(GbkStringView text, char wanted, std::size_t from = 0);

// Offset of the first occurrence of `wanted` (a GBK text) at or after `from` that starts on a
// character boundary; npos when there is none.
std::size_t findText(GbkStringView text, GbkStringView wanted, std::size_t from = 0);

// True when `text` holds `wanted` starting on a character boundary.
bool containsText(GbkStringView text, GbkStringView wanted);

// White space as C's isspace knows it in the "C" locale: blank, tab, line feed, vertical tab,
// form feed, carriage return.
inline constexpr std::string_view kWhiteSpace = " \t\n\v\f\r";

// Leading and trailing white space removed. Second bytes of double-byte characters are never white
// space, so a byte-wise walk from both ends is exact.
GbkString trimmed(GbkStringView text);
GbkString trimmedLeft(GbkStringView text);
GbkString trimmedRight(GbkStringView text);

// Conversion between GBK and UTF-8 through code page 936 (iconv "CP936", or Windows'). Each reports
// a text that the other encoding cannot hold (an emoji has no GBK form; a broken double-byte
// sequence has no UTF-8 form) as std::nullopt instead of replacing characters.
std::optional<GbkString> utf8ToGbk(std::string_view utf8);
std::optional<std::string> gbkToUtf8(GbkStringView gbk);

// Whether bytes are well-formed UTF-8 (no broken, overlong or surrogate sequences).
bool isUtf8(std::string_view text);

// For display only: the UTF-8 form of a GBK text in which every byte sequence that is not GBK
// shows as U+FFFD, so that a damaged value is still visible rather than lost.
std::string gbkToUtf8Lossy(GbkStringView gbk);

// Convenience for literals and tests: the GBK form of a UTF-8 text that is known to be
// representable. Throws std::invalid_argument otherwise (a broken precondition of our own code).
GbkString gbk(std::string_view utf8);

// The bytes of a text, for the byte codecs.
inline std::span<const std::uint8_t> asBytes(std::string_view text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

} // namespace parvelin::record
