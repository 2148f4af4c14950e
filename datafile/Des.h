#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace parvelin::datafile {

using DesBlock = std::array<std::uint8_t, 8>;

// Single DES as published in FIPS 46-3. Bit 1 of a block or key is the most significant bit of
// its first byte. The parity bits of the key (the lowest bit of each byte) are dropped by PC-1 and
// never checked.
class Des {
public:
    explicit Des(const DesBlock& key);

    DesBlock encrypt(const DesBlock& block) const;
    DesBlock decrypt(const DesBlock& block) const;

    // Electronic codebook over whole blocks, in place; `data` must be a multiple of 8 bytes long.
    void encryptEcb(std::span<std::uint8_t> data) const;
    void decryptEcb(std::span<std::uint8_t> data) const;

private:
    // The 48-bit subkey of each round as eight 6-bit chunks, one per S-box, packed into the byte
    // lanes that the round function reads: S-boxes 1, 3, 5, 7 and 2, 4, 6, 8.
    struct Subkey {
        std::uint32_t oddBoxes;
        std::uint32_t evenBoxes;
    };
    std::array<Subkey, 16> m_subkeys;

    template <bool Decrypt, int N>
    void crypt(std::uint64_t (&blocks)[N]) const;
    template <bool Decrypt>
    void cryptEcb(std::span<std::uint8_t> data) const;
};

// The key of a key text: its first eight bytes (the rest of the text has no effect).
DesBlock desKeyFromText(std::string_view keyText);

DesBlock desEncryptBlock(const DesBlock& block, std::string_view keyText);
DesBlock desDecryptBlock(const DesBlock& block, std::string_view keyText);

} // namespace parvelin::datafile
