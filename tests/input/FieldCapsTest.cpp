#include "input/FieldCaps.h"

#include <gtest/gtest.h>

namespace parvelin::input {
namespace {

TEST(FieldCaps, ByteAndCharacterCaps) {
    struct Case {
        record::Field field;
        std::optional<std::size_t> bytes, characters;
        const char* why;
    };
    const Case cases[] = {
        {record::Field::surnameChinese, 100, 50, "50 Chinese characters fit the byte cap exactly"},
        {record::Field::unitName, 64, 32, "unit name"},
        {record::Field::remarks, 100, 50, "remarks"},
        {record::Field::externalUnit, 200, 100, "external unit"},
        {record::Field::personalSequence, 4, std::nullopt, "four digits"},
        {record::Field::photoNumber, 20, std::nullopt, "twenty digits"},
        {record::Field::positionOther, std::nullopt, std::nullopt,
         "capped by the exchange instead"},
        {record::Field::filingNumber, std::nullopt, std::nullopt, "no cap at all"},
        {record::Field::ethnicityOther, std::nullopt, std::nullopt, "no cap at all"},
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
