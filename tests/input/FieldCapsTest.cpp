#include "input/FieldCaps.h"

#include <algorithm>

#include <gtest/gtest.h>

namespace parvelin::input {
namespace {

// Over every field: a box that counts characters holds exactly that many Chinese characters within
// its byte cap, so the two caps stop typing at the same place.
TEST(FieldCaps, CharacterCapsFillTheirByteCaps) {
    std::size_t byteCapped = 0;
    std::size_t characterCapped = 0;
    std::size_t largest = 0;
    for (int f = 0; f <= static_cast<int>(record::Field::groupNumber); ++f) {
        const auto field = static_cast<record::Field>(f);
        SCOPED_TRACE(record::fieldLabel(field));
        const auto bytes = byteCap(field);
        const auto characters = characterCap(field);
        byteCapped += bytes ? 1 : 0;
        largest = std::max(largest, bytes.value_or(0));
        if (characters) {
            ++characterCapped;
            ASSERT_TRUE(bytes.has_value()) << "a character cap comes with a byte cap";
            EXPECT_EQ(*bytes, 2 * *characters);
        }
    }
    EXPECT_EQ(byteCapped, 14u) << "the edit boxes with a cap";
    EXPECT_EQ(characterCapped, 6u) << "the Chinese text boxes";
    EXPECT_EQ(largest, 200u) << "the external unit's, which the data file's size bound counts on";
}

TEST(FieldCaps, CapsThatOtherRulesFix) {
    struct Case {
        record::Field field;
        std::optional<std::size_t> bytes, characters;
        const char* why;
    };
    const Case cases[] = {
        {record::Field::surnameChinese, 100, 50, "a name of up to 50 Chinese characters"},
        {record::Field::personalSequence, 4, std::nullopt, "9999, the largest sequence proposed"},
        {record::Field::photoNumber, 20, std::nullopt, "the twenty digits a saved record needs"},
        {record::Field::positionOther, std::nullopt, std::nullopt,
         "capped by the exchange instead"},
        {record::Field::filingNumber, std::nullopt, std::nullopt, "no cap at all"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(byteCap(c.field), c.bytes);
        EXPECT_EQ(characterCap(c.field), c.characters);
    }
}

TEST(FieldCaps, EditsWithinAndOverTheCap) {
    struct Case {
        std::size_t before, after;
        std::optional<std::size_t> cap;
        bool admitted;
        const char* why;
    };
    const Case cases[] = {
        {98, 100, 100, true, "a 50th Chinese character fills the surname box"},
        {100, 101, 100, false, "one byte more than the cap"},
        {99, 101, 100, false, "a Chinese character where only one byte is left"},
        {120, 118, 100, true, "a longer text from a data file may shrink"},
        {120, 121, 100, false, "... but never grow"},
        {120, 120, 100, true, "... or be put in again as it is"},
        {0, 5000, std::nullopt, true, "no cap"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(admitsEdit(c.before, c.after, c.cap), c.admitted);
    }
}

TEST(FieldCaps, OtherPositionIsCappedAtFiftyBytes) {
    EXPECT_FALSE(exceedsPositionOtherCap(std::string(50, 'x')));
    EXPECT_TRUE(exceedsPositionOtherCap(std::string(51, 'x')));
    EXPECT_TRUE(exceedsPositionOtherCap(
        record::gbk("一二三四五六七八九十一二三四五六七八九十一二三四五六")))
        << "26 Chinese characters are 52 bytes";
}

} // namespace
} // namespace parvelin::input
