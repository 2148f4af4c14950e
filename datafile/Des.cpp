#include "datafile/Des.h"

#include <stdexcept>

namespace parvelin::datafile {

namespace {

// FIPS 46-3 tables. Entries are 1-based bit numbers, bit 1 being the most significant.

constexpr std::uint8_t kInitialPermutation[64] = {
    58, 50, 42, 34, 26, 18, 10, 2,  60, 52, 44, 36, 28, 20, 12, 4,  62, 54, 46, 38, 30, 22,
    14, 6,  64, 56, 48, 40, 32, 24, 16, 8,  57, 49, 41, 33, 25, 17, 9,  1,  59, 51, 43, 35,
    27, 19, 11, 3,  61, 53, 45, 37, 29, 21, 13, 5,  63, 55, 47, 39, 31, 23, 15, 7};

constexpr std::uint8_t kExpansion[48] = {
    32, 1,  2,  3,  4,  5,  4,  5,  6,  7,  8,  9,  8,  9,  10, 11, 12, 13, 12, 13, 14, 15, 16, 17,
    16, 17, 18, 19, 20, 21, 20, 21, 22, 23, 24, 25, 24, 25, 26, 27, 28, 29, 28, 29, 30, 31, 32, 1};

constexpr std::uint8_t kPermutation[32] = {16, 7, 20, 21, 29, 12, 28, 17, 1,  15, 23,
                                           26, 5, 18, 31, 10, 2,  8,  24, 14, 32, 27,
                                           3,  9, 19, 13, 30, 6,  22, 11, 4,  25};

constexpr std::uint8_t kPermutedChoice1[56] = {
    57, 49, 41, 33, 25, 17, 9,  1,  58, 50, 42, 34, 26, 18, 10, 2,  59, 51, 43,
    35, 27, 19, 11, 3,  60, 52, 44, 36, 63, 55, 47, 39, 31, 23, 15, 7,  62, 54,
    46, 38, 30, 22, 14, 6,  61, 53, 45, 37, 29, 21, 13, 5,  28, 20, 12, 4};

constexpr std::uint8_t kPermutedChoice2[48] = {
    14, 17, 11, 24, 1,  5,  3,  28, 15, 6,  21, 10, 23, 19, 12, 4,  26, 8,  16, 7,  27, 20, 13, 2,
    41, 52, 31, 37, 47, 55, 30, 40, 51, 45, 33, 48, 44, 49, 39, 56, 34, 53, 46, 42, 50, 36, 29, 32};

constexpr std::uint8_t kLeftShifts[16] = {1, 1, 2, 2, 2, 2, 2, 2, 1, 2, 2, 2, 2, 2, 2, 1};

// clang-format off
constexpr std::uint8_t kSBoxes[8][64] = {
    { // S1
        14,  4, 13,  1,  2, 15, 11,  8,  3, 10,  6, 12,  5,  9,  0,  7,
         0, 15,  7,  4, 14,  2, 13,  1, 10,  6, 12, 11,  9,  5,  3,  8,
         4,  1, 14,  8, 13,  6,  2, 11, 15, 12,  9,  7,  3, 10,  5,  0,
        15, 12,  8,  2,  4,  9,  1,  7,  5, 11,  3, 14, 10,  0,  6, 13
    },
    { // S2
        15,  1,  8, 14,  6, 11,  3,  4,  9,  7,  2, 13, 12,  0,  5, 10,
         3, 13,  4,  7, 15,  2,  8, 14, 12,  0,  1, 10,  6,  9, 11,  5,
         0, 14,  7, 11, 10,  4, 13,  1,  5,  8, 12,  6,  9,  3,  2, 15,
        13,  8, 10,  1,  3, 15,  4,  2, 11,  6,  7, 12,  0,  5, 14,  9
    },
    { // S3
        10,  0,  9, 14,  6,  3, 15,  5,  1, 13, 12,  7, 11,  4,  2,  8,
        13,  7,  0,  9,  3,  4,  6, 10,  2,  8,  5, 14, 12, 11, 15,  1,
        13,  6,  4,  9,  8, 15,  3,  0, 11,  1,  2, 12,  5, 10, 14,  7,
         1, 10, 13,  0,  6,  9,  8,  7,  4, 15, 14,  3, 11,  5,  2, 12
    },
    { // S4
         7, 13, 14,  3,  0,  6,  9, 10,  1,  2,  8,  5, 11, 12,  4, 15,
        13,  8, 11,  5,  6, 15,  0,  3,  4,  7,  2, 12,  1, 10, 14,  9,
        10,  6,  9,  0, 12, 11,  7, 13, 15,  1,  3, 14,  5,  2,  8,  4,
         3, 15,  0,  6, 10,  1, 13,  8,  9,  4,  5, 11, 12,  7,  2, 14
    },
    { // S5
         2, 12,  4,  1,  7, 10, 11,  6,  8,  5,  3, 15, 13,  0, 14,  9,
        14, 11,  2, 12,  4,  7, 13,  1,  5,  0, 15, 10,  3,  9,  8,  6,
         4,  2,  1, 11, 10, 13,  7,  8, 15,  9, 12,  5,  6,  3,  0, 14,
        11,  8, 12,  7,  1, 14,  2, 13,  6, 15,  0,  9, 10,  4,  5,  3
    },
    { // S6
        12,  1, 10, 15,  9,  2,  6,  8,  0, 13,  3,  4, 14,  7,  5, 11,
        10, 15,  4,  2,  7, 12,  9,  5,  6,  1, 13, 14,  0, 11,  3,  8,
         9, 14, 15,  5,  2,  8, 12,  3,  7,  0,  4, 10,  1, 13, 11,  6,
         4,  3,  2, 12,  9,  5, 15, 10, 11, 14,  1,  7,  6,  0,  8, 13
    },
    { // S7
         4, 11,  2, 14, 15,  0,  8, 13,  3, 12,  9,  7,  5, 10,  6,  1,
        13,  0, 11,  7,  4,  9,  1, 10, 14,  3,  5, 12,  2, 15,  8,  6,
         1,  4, 11, 13, 12,  3,  7, 14, 10, 15,  6,  8,  0,  5,  9,  2,
         6, 11, 13,  8,  1,  4, 10,  7,  9,  5,  0, 15, 14,  2,  3, 12
    },
    { // S8
        13,  2,  8,  4,  6, 15, 11,  1, 10,  9,  3, 14,  5,  0, 12,  7,
         1, 15, 13,  8, 10,  3,  7,  4, 12,  5,  6, 11,  0, 14,  9,  2,
         7, 11,  4,  1,  9, 12, 14,  2,  0,  6, 10, 13, 15,  3,  5,  8,
         2,  1, 14,  7,  4, 10,  8, 13, 15, 12,  9,  0,  3,  5,  6, 11
    },
};
// clang-format on

// Picks bits of `input` (inputWidth bits wide, bit 1 most significant) in the order of `table`.
constexpr std::uint64_t permute(std::uint64_t input, int inputWidth, const std::uint8_t* table,
                                int outputWidth) {
    std::uint64_t output = 0;
    for (int i = 0; i < outputWidth; ++i) {
        output = output << 1 | (input >> (inputWidth - table[i]) & 1);
    }
    return output;
}

// Both halves are kept rotated left by one bit throughout the rounds (the permutation tables
// below fold the rotation in), so that every S-box reads a byte-aligned 6-bit field of either the
// half rotated right by four or the half itself. S-boxes 1, 3, 5, 7 use the first, 2, 4, 6, 8 the
// second; each round subkey is packed the same way.
constexpr int kFieldShift[8] = {24, 24, 16, 16, 8, 8, 0, 0};

constexpr std::uint32_t rotateLeft(std::uint32_t value, int bits) {
    bits &= 31;
    return bits == 0 ? value : value << bits | value >> (32 - bits);
}

// The 6-bit input of S-box s for a right half R, as the rounds compute it.
constexpr std::uint32_t sBoxInput(std::uint32_t right, int s) {
    const std::uint32_t rotated = rotateLeft(right, 1);
    const std::uint32_t word = s % 2 == 0 ? rotateLeft(rotated, -4) : rotated;
    return word >> kFieldShift[s] & 0x3F;
}

// The expansion E, applied bit by bit from its table.
constexpr std::uint32_t expandedInput(std::uint32_t right, int s) {
    std::uint32_t bits = 0;
    for (int j = 0; j < 6; ++j) {
        bits = bits << 1 | (right >> (32 - kExpansion[6 * s + j]) & 1);
    }
    return bits;
}

// Both are selections of bits, so agreeing on every single-bit input proves them equal.
static_assert([] {
    for (int bit = 0; bit < 32; ++bit) {
        for (int s = 0; s < 8; ++s) {
            if (sBoxInput(1u << bit, s) != expandedInput(1u << bit, s)) {
                return false;
            }
        }
    }
    return true;
}());

static_assert([] {
    for (const auto& box : kSBoxes) {
        for (int row = 0; row < 4; ++row) {
            unsigned seen = 0;
            for (int column = 0; column < 16; ++column) {
                seen |= 1u << box[row * 16 + column];
            }
            if (seen != 0xFFFF) {
                return false; // every row of an S-box is a permutation of 0..15
            }
        }
    }
    return true;
}());

// Lookup tables computed from the standard's tables once, at compile time: the initial and final
// permutations per input byte (with the halves' rotation folded in), and each S-box followed by
// the permutation P (rotated like the halves).
struct Tables {
    std::uint64_t initial[8][256];
    std::uint64_t final[8][256];
    std::uint32_t spBox[8][64];
};

constexpr std::uint64_t rotateHalves(std::uint64_t value, int bits) {
    return std::uint64_t(rotateLeft(static_cast<std::uint32_t>(value >> 32), bits)) << 32 |
           rotateLeft(static_cast<std::uint32_t>(value), bits);
}

constexpr Tables makeTables() {
    Tables t{};
    std::uint8_t inverse[64] = {};
    for (int i = 0; i < 64; ++i) {
        inverse[kInitialPermutation[i] - 1] = static_cast<std::uint8_t>(i + 1);
    }
    for (int position = 0; position < 8; ++position) {
        for (int value = 0; value < 256; ++value) {
            const std::uint64_t input = std::uint64_t(value) << (56 - 8 * position);
            t.initial[position][value] =
                rotateHalves(permute(input, 64, kInitialPermutation, 64), 1);
            t.final[position][value] = permute(rotateHalves(input, -1), 64, inverse, 64);
        }
    }
    for (int s = 0; s < 8; ++s) {
        for (int x = 0; x < 64; ++x) {
            const int row = (x >> 4 & 2) | (x & 1); // outer bits b1 b6
            const int column = x >> 1 & 0xF;        // inner bits b2 .. b5
            const std::uint64_t nibble = std::uint64_t(kSBoxes[s][row * 16 + column])
                                         << (28 - 4 * s);
            t.spBox[s][x] =
                rotateLeft(static_cast<std::uint32_t>(permute(nibble, 32, kPermutation, 32)), 1);
        }
    }
    return t;
}

constexpr Tables kTables = makeTables();

std::uint64_t applyByteTable(const std::uint64_t (&table)[8][256], std::uint64_t block) {
    std::uint64_t out = 0;
    for (int position = 0; position < 8; ++position) {
        out |= table[position][block >> (56 - 8 * position) & 0xFF];
    }
    return out;
}

std::uint64_t load(const std::uint8_t* bytes) {
    std::uint64_t value = 0;
    for (int i = 0; i < 8; ++i) {
        value = value << 8 | bytes[i];
    }
    return value;
}

void store(std::uint64_t value, std::uint8_t* bytes) {
    for (int i = 7; i >= 0; --i) {
        bytes[i] = static_cast<std::uint8_t>(value);
        value >>= 8;
    }
}

} // namespace

Des::Des(const DesBlock& key) {
    const std::uint64_t cd = permute(load(key.data()), 64, kPermutedChoice1, 56);
    std::uint32_t c = static_cast<std::uint32_t>(cd >> 28);
    std::uint32_t d = static_cast<std::uint32_t>(cd & 0xFFFFFFF);
    for (int round = 0; round < 16; ++round) {
        const int shift = kLeftShifts[round];
        c = (c << shift | c >> (28 - shift)) & 0xFFFFFFF;
        d = (d << shift | d >> (28 - shift)) & 0xFFFFFFF;
        const std::uint64_t subkey = permute(std::uint64_t(c) << 28 | d, 56, kPermutedChoice2, 48);
        Subkey& packed = m_subkeys[round];
        packed = {0, 0};
        for (int s = 0; s < 8; ++s) {
            const std::uint32_t chunk = static_cast<std::uint32_t>(subkey >> (42 - 6 * s) & 0x3F);
            (s % 2 == 0 ? packed.oddBoxes : packed.evenBoxes) |= chunk << kFieldShift[s];
        }
    }
}

namespace {

// The round function f(R, K) on a half rotated left by one; gives f rotated likewise.
inline std::uint32_t roundFunction(std::uint32_t right, std::uint32_t oddBoxesKey,
                                   std::uint32_t evenBoxesKey) {
    const auto& sp = kTables.spBox;
    std::uint32_t word = (right << 28 | right >> 4) ^ oddBoxesKey;
    std::uint32_t f = sp[6][word & 0x3F] | sp[4][word >> 8 & 0x3F] | sp[2][word >> 16 & 0x3F] |
                      sp[0][word >> 24 & 0x3F];
    word = right ^ evenBoxesKey;
    f |= sp[7][word & 0x3F] | sp[5][word >> 8 & 0x3F] | sp[3][word >> 16 & 0x3F] |
         sp[1][word >> 24 & 0x3F];
    return f;
}

} // namespace

// Runs the 16 rounds on N independent blocks side by side, so that the processor overlaps their
// dependency chains.
template <bool Decrypt, int N>
void Des::crypt(std::uint64_t (&blocks)[N]) const {
    std::uint32_t left[N];
    std::uint32_t right[N];
    for (int n = 0; n < N; ++n) {
        const std::uint64_t permuted = applyByteTable(kTables.initial, blocks[n]);
        left[n] = static_cast<std::uint32_t>(permuted >> 32);
        right[n] = static_cast<std::uint32_t>(permuted);
    }
    // Two rounds per step: L ^= f(R, K1), then R ^= f(L, K2), so no halves are swapped.
    for (int round = 0; round < 16; round += 2) {
        const Subkey& first = m_subkeys[Decrypt ? 15 - round : round];
        const Subkey& second = m_subkeys[Decrypt ? 14 - round : round + 1];
        for (int n = 0; n < N; ++n) {
            left[n] ^= roundFunction(right[n], first.oddBoxes, first.evenBoxes);
        }
        for (int n = 0; n < N; ++n) {
            right[n] ^= roundFunction(left[n], second.oddBoxes, second.evenBoxes);
        }
    }
    // The output of the last round is taken as R16 L16 before the final permutation.
    for (int n = 0; n < N; ++n) {
        blocks[n] = applyByteTable(kTables.final, std::uint64_t(right[n]) << 32 | left[n]);
    }
}

template <bool Decrypt>
void Des::cryptEcb(std::span<std::uint8_t> data) const {
    if (data.size() % 8 != 0) {
        throw std::invalid_argument("DES ECB needs whole 8-byte blocks");
    }
    constexpr int kSideBySide = 4;
    std::size_t i = 0;
    for (; i + 8 * kSideBySide <= data.size(); i += 8 * kSideBySide) {
        std::uint64_t blocks[kSideBySide];
        for (int n = 0; n < kSideBySide; ++n) {
            blocks[n] = load(data.data() + i + 8 * n);
        }
        crypt<Decrypt>(blocks);
        for (int n = 0; n < kSideBySide; ++n) {
            store(blocks[n], data.data() + i + 8 * n);
        }
    }
    for (; i < data.size(); i += 8) {
        std::uint64_t block[1] = {load(data.data() + i)};
        crypt<Decrypt>(block);
        store(block[0], data.data() + i);
    }
}

DesBlock Des::encrypt(const DesBlock& block) const {
    DesBlock out = block;
    cryptEcb<false>(out);
    return out;
}

DesBlock Des::decrypt(const DesBlock& block) const {
    DesBlock out = block;
    cryptEcb<true>(out);
    return out;
}

void Des::encryptEcb(std::span<std::uint8_t> data) const {
    cryptEcb<false>(data);
}

void Des::decryptEcb(std::span<std::uint8_t> data) const {
    cryptEcb<true>(data);
}

DesBlock desKeyFromText(std::string_view keyText) {
    DesBlock key{};
    for (std::size_t i = 0; i < key.size() && i < keyText.size(); ++i) {
        key[i] = static_cast<std::uint8_t>(keyText[i]);
    }
    return key;
}

DesBlock desEncryptBlock(const DesBlock& block, std::string_view keyText) {
    return Des(desKeyFromText(keyText)).encrypt(block);
}

DesBlock desDecryptBlock(const DesBlock& block, std::string_view keyText) {
    return Des(desKeyFromText(keyText)).decrypt(block);
}

} // namespace parvelin::datafile
