#pragma once

#include "barcode/Pdf417Encoder.h"
#include "barcode/Pdf417Patterns.h"
#include "record/GbkText.h"

#include <optional>
#include <string>

namespace parvelin::test {

// The symbol of a payload; `payload` must outlive it (the symbol refers to its bytes).
inline barcode::Pdf417Symbol encodePayload(const std::string& payload,
                                           barcode::Pdf417Options options = {}) {
    barcode::Pdf417Symbol symbol;
    symbol.text = record::asBytes(payload);
    symbol.options = options;
    static_cast<void>(barcode::Pdf417Encoder().encode(symbol));
    return symbol;
}

// `count` modules of a matrix row from `column` on, as a number whose most significant bit is
// the leftmost module; with `inverted`, bits are complemented back so that 1 is a bar.
inline std::uint32_t moduleRun(const barcode::Pdf417Symbol& symbol, int row, int column, int count,
                               bool inverted = false) {
    std::uint32_t bits = 0;
    for (int i = 0; i < count; ++i) {
        bits = bits << 1 | (symbol.bit(row, column + i) != inverted ? 1u : 0u);
    }
    return bits;
}

// The codeword value that a 17-module pattern stands for in the cluster of `row`.
inline std::optional<int> codewordOfPattern(int row, std::uint32_t pattern) {
    const auto& table = barcode::kCodewordPatterns[row % barcode::kClusterCount];
    for (int value = 0; value < barcode::kCodewordValues; ++value) {
        if (table[value] == pattern) {
            return value;
        }
    }
    return std::nullopt;
}

// The codeword sequence c[0] .. c[n-1] taken as c[0] x^(n-1) + ... + c[n-1], evaluated at x
// modulo 929 (Horner's rule).
inline int evaluateAt(std::span<const std::int32_t> codewords, int x) {
    long long value = 0;
    for (const std::int32_t c : codewords) {
        value = (value * x + c) % 929;
    }
    return static_cast<int>(value);
}

// Whether a codeword sequence is a Reed–Solomon codeword of `eccCount` check symbols: it must
// vanish at the generator's roots 3, 3^2, ..., 3^eccCount (ISO/IEC 15438).
inline bool syndromesVanish(std::span<const std::int32_t> codewords, int eccCount) {
    int root = 1;
    for (int i = 1; i <= eccCount; ++i) {
        root = root * 3 % 929;
        if (evaluateAt(codewords, root) != 0) {
            return false;
        }
    }
    return true;
}

} // namespace parvelin::test
