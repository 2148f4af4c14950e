#pragma once

#include <cstdint>
#include <span>

namespace parvelin::barcode {

// Reed–Solomon error correction of PDF417 over GF(929) (ISO/IEC 15438).

inline constexpr int kPrime = 929;
inline constexpr int kMaxCodewords = 928; // codeword cells of the largest symbol
inline constexpr int kMaxEccLevel = 8;

// Level L adds 2^(L+1) error-correction codewords.
constexpr int eccCodewordCount(int level) {
    return 2 << level;
}

// The coefficients a[0] .. a[k-1] of the level's generator polynomial
// g(x) = (x - 3)(x - 3^2) ... (x - 3^k) = x^k + a[k-1] x^(k-1) + ... + a[0] modulo 929,
// computed when the program is compiled.
std::span<const std::int32_t> generatorCoefficients(int level);

// Computes the error-correction codewords of `data` for the level into `out` (which holds
// eccCodewordCount(level) cells), in the order they follow the data in the symbol: the negated
// remainder of data(x) · x^k divided by g(x), highest power first. data.size() + k must not
// exceed kMaxCodewords.
void computeErrorCorrection(std::span<const std::int32_t> data, int level,
                            std::span<std::int32_t> out);

} // namespace parvelin::barcode
