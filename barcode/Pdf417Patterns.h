#pragma once

#include <array>
#include <cstdint>

namespace parvelin::barcode {

// Codeword values 0..928 of PDF417 (ISO/IEC 15438).
inline constexpr int kCodewordValues = 929;

// The three clusters a symbol uses, 0, 3 and 6 (ISO/IEC 15438): row r takes cluster 3 × (r mod 3),
// so the tables are indexed by r mod 3.
inline constexpr int kClusterCount = 3;

// Every codeword is 17 modules of 4 bars and 4 spaces.
inline constexpr int kCodewordModules = 17;

// The bar/space pattern of every codeword value in each cluster, as a 17-bit number whose most
// significant bit is the leftmost module (1 = bar). Generated in Pdf417Patterns.cpp.
extern const std::array<std::array<std::uint32_t, kCodewordValues>, kClusterCount>
    kCodewordPatterns;

// Start and stop patterns (ISO/IEC 15438), leftmost module in the most significant bit.
inline constexpr std::uint32_t kStartPattern = 0b11111111'01010100'0;
inline constexpr int kStartModules = 17;
inline constexpr std::uint32_t kStopPattern = 0b11111110'10001010'01;
inline constexpr int kStopModules = 18;

} // namespace parvelin::barcode
