#pragma once

#include <cstdint>
#include <span>

namespace parvelin::barcode {

// Mode codewords of ISO/IEC 15438.
inline constexpr int kLatchToText = 900;
inline constexpr int kLatchToByte = 901; // byte count not a multiple of 6
inline constexpr int kLatchToNumeric = 902;
inline constexpr int kShiftToByte = 913;          // one byte inside text compaction
inline constexpr int kLatchToByteMultiple6 = 924; // byte count a multiple of 6

// The three compactions of ISO/IEC 15438 for one segment. Each returns the number of codewords
// the segment takes and writes them to `out`; when that number exceeds out.size(), `out` holds
// at most a part of them and the caller discards it.

// Text compaction with the sub-modes Alpha, Lower, Mixed and Punctuation. Latches and shifts are
// chosen by a look-ahead of two bytes; bytes outside the four sub-modes go through the byte shift
// 913. Sub-mode values are packed in pairs (first × 30 + second); an odd one out is completed
// with 29.
int compactText(std::span<const std::uint8_t> bytes, std::span<std::int32_t> out);

// Numeric compaction: groups of up to 44 digits, each with a leading 1, converted to base 900.
int compactNumeric(std::span<const std::uint8_t> digits, std::span<std::int32_t> out);

// Byte compaction: 6 bytes to 5 codewords in base 900; the last 1 to 5 bytes one codeword each.
int compactBytes(std::span<const std::uint8_t> bytes, std::span<std::int32_t> out);

} // namespace parvelin::barcode
