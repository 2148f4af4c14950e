#include "barcode/Pdf417ErrorCorrection.h"

#include <array>
#include <stdexcept>

namespace parvelin::barcode {

namespace {

// The generator polynomial's roots are the powers of 3, a primitive element of GF(929).
constexpr int kGeneratorBase = 3;
constexpr int kLargestEcc = eccCodewordCount(kMaxEccLevel);

// Where the coefficients of a level start in the table: levels 0 .. L-1 take 2 + 4 + ... + 2^L.
constexpr int tableOffset(int level) {
    return eccCodewordCount(level) - 2;
}

using GeneratorTable = std::array<std::int32_t, tableOffset(kMaxEccLevel + 1)>;

// Computed once at run time: as a constant expression it needs more evaluation steps than
// Clang allows by default.
GeneratorTable computeGeneratorTable() {
    GeneratorTable table{};
    for (int level = 0; level <= kMaxEccLevel; ++level) {
        const int k = eccCodewordCount(level);
        // g(x), lowest power first, multiplied out one root at a time: g(x) · (x - root).
        std::array<std::int32_t, kLargestEcc + 1> g{};
        g[0] = 1;
        int root = 1;
        for (int degree = 1; degree <= k; ++degree) {
            root = root * kGeneratorBase % kPrime;
            for (int j = degree; j >= 1; --j) {
                g[j] = (g[j - 1] + (kPrime - root) * g[j]) % kPrime;
            }
            g[0] = (kPrime - root) * g[0] % kPrime;
        }
        for (int j = 0; j < k; ++j) {
            table[tableOffset(level) + j] = g[j];
        }
    }
    return table;
}

const GeneratorTable& generatorTable() {
    static const GeneratorTable table = computeGeneratorTable();
    return table;
}

} // namespace

std::span<const std::int32_t> generatorCoefficients(int level) {
    if (level < 0 || level > kMaxEccLevel) {
        throw std::out_of_range("PDF417 error-correction level out of range");
    }
    return std::span(generatorTable()).subspan(tableOffset(level), eccCodewordCount(level));
}

void computeErrorCorrection(std::span<const std::int32_t> data, int level,
                            std::span<std::int32_t> out) {
    const std::span<const std::int32_t> a = generatorCoefficients(level);
    const int k = static_cast<int>(a.size());
    if (out.size() != a.size() || data.size() + a.size() > kMaxCodewords) {
        throw std::invalid_argument("PDF417 error correction: wrong sizes");
    }
    // The division register of the standard's procedure, c[j] = c[j-1] - t · a[j] per data
    // codeword, kept without reduction: with -a[j] stored as 929 - a[j] every step only adds,
    // and a register cell sums at most k products below 929², which fits 32 bits for k <= 512.
    // The register slides down a window of `cells` instead of being shifted: c[j] is
    // cells[base + j], and each data codeword moves base one cell down.
    std::array<std::uint32_t, kLargestEcc> negated{};
    for (int j = 0; j < k; ++j) {
        negated[j] = static_cast<std::uint32_t>((kPrime - a[j]) % kPrime);
    }
    std::array<std::uint32_t, kMaxCodewords> cells{};
    int base = static_cast<int>(data.size());
    for (const std::int32_t codeword : data) {
        const std::uint32_t t =
            (static_cast<std::uint32_t>(codeword) + cells[base + k - 1]) % kPrime;
        --base;
        std::uint32_t* c = cells.data() + base;
        for (int j = 0; j < k; ++j) {
            c[j] += t * negated[j];
        }
    }
    // Reduce, and store each remainder coefficient r as (929 - r) mod 929, highest power first.
    for (int j = 0; j < k; ++j) {
        const std::uint32_t r = cells[j] % kPrime;
        out[k - 1 - j] = static_cast<std::int32_t>((kPrime - r) % kPrime);
    }
}

} // namespace parvelin::barcode
