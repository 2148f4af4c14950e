#include "datafile/Base64.h"

#include "record/GbkText.h"

#include <gtest/gtest.h>

namespace parvelin::datafile {
namespace {

std::string bytesOfLength(std::size_t n) {
    std::string bytes(n, '\0');
    for (std::size_t i = 0; i < n; ++i) {
        bytes[i] = static_cast<char>(i * 7 + 3);
    }
    return bytes;
}

TEST(Base64, Rfc4648TestVectors) {
    struct Case {
        std::string_view bytes, text;
    };
    // RFC 4648, section 10.
    const Case cases[] = {{"", ""},
                          {"f", "Zg=="},
                          {"fo", "Zm8="},
                          {"foo", "Zm9v"},
                          {"foob", "Zm9vYg=="},
                          {"fooba", "Zm9vYmE="},
                          {"foobar", "Zm9vYmFy"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes);
        EXPECT_EQ(base64Encode(record::asBytes(c.bytes)), c.text);
        EXPECT_EQ(base64Decode(c.text), c.bytes);
    }
    const std::string binary("\xFF\xFE\x00\x80\x00", 5);
    EXPECT_EQ(base64Encode(record::asBytes(binary)), "//4AgAA=");
    EXPECT_EQ(base64Decode("//4AgAA="), binary);
}

TEST(Base64, BreaksLinesAfterEvery2000CharactersOfCompleteGroups) {
    struct Case {
        std::size_t bytes;
        std::size_t breakAt; // offset of the CR LF, or npos
        std::size_t length;
        const char* why;
    };
    const Case cases[] = {
        {1499, std::string::npos, 2000, "1996 characters and one padded group, no break"},
        {1500, 2000, 2002, "complete groups end on the boundary: CR LF comes last"},
        {1501, 2000, 2006, "the padded group follows the break"},
        {3000, 2000, 4004, "two breaks, the last at the very end"},
        {100, std::string::npos, 136, "short output has no break"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        const std::string text = base64Encode(record::asBytes(bytesOfLength(c.bytes)));
        EXPECT_EQ(text.size(), c.length);
        EXPECT_EQ(text.find("\r\n"), c.breakAt);
        EXPECT_EQ(base64Decode(text), bytesOfLength(c.bytes));
    }
    const std::string sixThousand = base64Encode(record::asBytes(bytesOfLength(3000)));
    EXPECT_EQ(sixThousand.substr(4002), "\r\n");
}

TEST(Base64, DecodingSkipsEverythingOutsideTheAlphabet) {
    EXPECT_EQ(base64Decode("Zm9v\r\nYmFy"), "foobar");
    EXPECT_EQ(base64Decode(" Z m\x80\xFF 9 v ="), "foo");
    EXPECT_EQ(base64Decode("==\r\n=="), "");
    EXPECT_EQ(base64Decode(""), "");
    // Leftovers: three values give two bytes, two give one, one is dropped.
    EXPECT_EQ(base64Decode("Zm9vYmE"), "fooba");
    EXPECT_EQ(base64Decode("Zm9vYg"), "foob");
    EXPECT_EQ(base64Decode("Zm9vY"), "foo");
}

} // namespace
} // namespace parvelin::datafile
