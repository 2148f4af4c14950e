#include "datafile/Des.h"

#define OPENSSL_SUPPRESS_DEPRECATED
#include <random>

#include <gtest/gtest.h>
#include <openssl/des.h>

namespace parvelin::datafile {
namespace {

DesBlock block(std::uint64_t value) {
    DesBlock b;
    for (int i = 7; i >= 0; --i) {
        b[i] = static_cast<std::uint8_t>(value);
        value >>= 8;
    }
    return b;
}

struct KnownAnswer {
    std::uint64_t key, plain, cipher;
    const char* source;
};

const KnownAnswer kKnownAnswers[] = {
    {0x133457799BBCDFF1, 0x0123456789ABCDEF, 0x85E813540F0AB405,
     "worked example of the DES algorithm (Grabbe)"},
    {0x0123456789ABCDEF, 0x4E6F772069732074, 0x3FA40E8A984D4815,
     "FIPS 81 appendix B, \"Now is t\""},
    {0x0E329232EA6D0D73, 0x8787878787878787, 0x0000000000000000, "classic known answer"},
    {0x0101010101010101, 0x95F8A5E5DD31D900, 0x8000000000000000,
     "NIST SP 800-17 variable plaintext, round 0"},
    {0x0101010101010101, 0x0000000000000000, 0x8CA64DE9C1B123A7,
     "NIST SP 800-17, weak key with zero block"},
    {0x8001010101010101, 0x0000000000000000, 0x95A8D72813DAA94D,
     "NIST SP 800-17 variable key, first bit"},
    {0x7CA110454A1A6E57, 0x01A1D6D039776742, 0x690F5B0D9A26939B, "Schneier's test set, first line"},
    {0x0131D9619DC1376E, 0x5CD54CA83DEF57DA, 0x7A389D10354BD271,
     "Schneier's test set, second line"},
};

TEST(Des, PublishedKnownAnswers) {
    for (const KnownAnswer& c : kKnownAnswers) {
        SCOPED_TRACE(c.source);
        const Des des(block(c.key));
        EXPECT_EQ(des.encrypt(block(c.plain)), block(c.cipher));
        EXPECT_EQ(des.decrypt(block(c.cipher)), block(c.plain));
    }
}

TEST(Des, AgreesWithOpenSslOnRandomKeysAndBlocks) {
    std::mt19937_64 random(20121207);
    for (int i = 0; i < 2000; ++i) {
        DesBlock key = block(random());
        DesBlock plain = block(random());
        DES_key_schedule schedule;
        DES_set_key_unchecked(reinterpret_cast<DES_cblock*>(key.data()), &schedule);
        DesBlock expected;
        DES_ecb_encrypt(reinterpret_cast<DES_cblock*>(plain.data()),
                        reinterpret_cast<DES_cblock*>(expected.data()), &schedule, DES_ENCRYPT);
        const Des des(key);
        ASSERT_EQ(des.encrypt(plain), expected) << "case " << i;
        ASSERT_EQ(des.decrypt(expected), plain) << "case " << i;
    }
}

TEST(Des, OnlyTheFirstEightCharactersOfTheKeyTextCount) {
    const DesBlock plain = block(0x0123456789ABCDEF);
    EXPECT_EQ(desEncryptBlock(plain, "7302591846027135"), desEncryptBlock(plain, "73025918"));
    EXPECT_EQ(desEncryptBlock(plain, "7302591846027135"),
              desEncryptBlock(plain, "73025918xxxxxxxx"));
    EXPECT_NE(desEncryptBlock(plain, "7302591846027135"),
              desEncryptBlock(plain, "7302592846027135"));
    // Parity bits are dropped, not checked: "0" (0x30) and "1" (0x31) differ only in parity.
    EXPECT_EQ(desEncryptBlock(plain, "73025918"), desEncryptBlock(plain, "73125918"));
    EXPECT_EQ(desDecryptBlock(desEncryptBlock(plain, "73025918"), "73025918"), plain);
}

TEST(Des, EcbWorksBlockByBlockAndRefusesPartialBlocks) {
    const Des des(desKeyFromText("73025918"));
    std::uint8_t data[16] = {1, 2, 3, 4, 5, 6, 7, 8, 1, 2, 3, 4, 5, 6, 7, 8};
    des.encryptEcb(data);
    EXPECT_TRUE(std::equal(data, data + 8, data + 8)) << "no chaining between equal blocks";
    des.decryptEcb(data);
    EXPECT_EQ(data[15], 8);
    std::uint8_t partial[7] = {};
    EXPECT_THROW(des.encryptEcb(partial), std::invalid_argument);
}

} // namespace
} // namespace parvelin::datafile
