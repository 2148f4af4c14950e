#include "record/IdNumber.h"

#include "record/GbkText.h"

#include <gtest/gtest.h>

namespace parvelin::record {
namespace {

using namespace std::chrono_literals;

const std::string kCard = gbk("身份证");

TEST(IdNumber, IdentityCardNumbersNeedARegionAndARealBirthDate) {
    struct Case {
        const char* number;
        bool valid;
        const char* why;
    };
    const Case cases[] = {
        {"110101198001010014", true, "18 characters, Beijing"},
        {"11010119800101001X", true, "the check character is not examined"},
        {"110101800101001", true, "15 characters, 1980-01-01"},
        {"820101200002290011", true, "Macao, leap day of 2000"},
        {"110101198002300014", false, "30 February"},
        {"990101198001010014", false, "region 99"},
        {"160101198001010014", false, "region 16 lies between 15 and 21"},
        {"710101198001010014", true, "Taiwan"},
        {"110101190002290014", false, "1900 is no leap year"},
        {"11010119800101001", false, "17 characters"},
        {"", false, "empty"},
        {"11010119801301001X", false, "month 13"},
        {"11010119800101001\xA3\xD8", true, "18 characters, the last double-byte"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(idNumberLooksValid(kCard, c.number), c.valid);
    }
    EXPECT_TRUE(idNumberLooksValid(gbk("军官证"), "")) << "other document types pass";
    EXPECT_TRUE(idNumberLooksValid("", "x"));
}

TEST(IdNumber, BirthDateFromTheNumberPassesTheRangeTestAndNamesARealDay) {
    struct Case {
        const char* number;
        std::optional<CalendarDate> date;
        const char* why;
    };
    const Case cases[] = {
        {"110101198001010014", 1980y / 1 / 1, "18 characters"},
        {"110101800101001", 1980y / 1 / 1, "15 characters in the 1900s"},
        {"990101198001010014", 1980y / 1 / 1, "the region is not looked at"},
        {"110101198002300014", std::nullopt, "30 February passes the range test only"},
        {"110101198013010014", std::nullopt, "month 13"},
        {"110101198001320014", std::nullopt, "day 32"},
        {"110101009901010014", std::nullopt, "year 99 is below 100"},
        {"110101010001010014", 100y / 1 / 1, "year 100"},
        {"11010119800101001", std::nullopt, "17 characters"},
        {"110101-10101001", std::nullopt, "1900 - 1 = 1899"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(birthDateFromIdNumber(kCard, c.number), c.date);
    }
    EXPECT_EQ(birthDateFromIdNumber(gbk("军官证"), "110101198001010014"), std::nullopt);
}

TEST(IdNumber, FormAndSexOfAnIdentityCardNumber) {
    struct Case {
        const char* number;
        IdNumberForm form;
        std::optional<std::string_view> sex;
        const char* why;
    };
    const Case cases[] = {
        {"11010519491231002X", IdNumberForm::Consistent, "女", "GB 11643-1999 example, check X"},
        {"110101198001010010", IdNumberForm::Consistent, "男", "check 0 after a sum of 100"},
        {"110101198001010014", IdNumberForm::CheckCharacterWrong, "男", "0 is due, not 4"},
        {"110105194912310021", IdNumberForm::CheckCharacterWrong, "女", "X is due, not 1"},
        {"11010519491231002x", IdNumberForm::Consistent, "女", "an older file's x counts as X"},
        {"11010519491231002y", IdNumberForm::NotDigits, "女", "no other letter"},
        {"11010519491231002\xD0\xE8", IdNumberForm::NotDigits, std::nullopt,
         "a Chinese character at the end: 18 characters, 19 bytes"},
        {"1101051949123100 2", IdNumberForm::NotDigits, std::nullopt, "a blank as sequence code"},
        {"110101800101001", IdNumberForm::Consistent, "男", "15 digits have no check character"},
        {"110101800101002", IdNumberForm::Consistent, "女", "15th digit even"},
        {"1101018001010A1", IdNumberForm::NotDigits, "男", "a letter in 15 characters"},
        {"12345", IdNumberForm::Consistent, std::nullopt, "too short to have a sex digit"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(idNumberForm(kCard, c.number), c.form);
        const auto sex = sexFromIdNumber(kCard, c.number);
        EXPECT_EQ(sex ? std::optional(gbkToUtf8Lossy(*sex)) : std::nullopt,
                  c.sex ? std::optional(std::string(*c.sex)) : std::nullopt);
    }
    EXPECT_EQ(idNumberForm(gbk("军官证"), "x"), IdNumberForm::Unexamined);
    EXPECT_EQ(sexFromIdNumber(gbk("军官证"), "110101198001010010"), std::nullopt);
}

TEST(IdNumber, TheCheckCharacterXIsStoredAndComparedAsACapital) {
    struct Case {
        std::string type, number, stored, key;
        const char* why;
    };
    const std::string seventeen = "11010519491231002";
    const Case cases[] = {
        {kCard, seventeen + "x", seventeen + "X", seventeen + "X", "the check character"},
        {kCard, " " + seventeen + "x ", " " + seventeen + "x ", seventeen + "X",
         "20 characters are no card number; compared trimmed"},
        {kCard, "1101051949123100x", "1101051949123100x", "1101051949123100x", "17 characters"},
        {gbk("军官证"), seventeen + "x", seventeen + "x", seventeen + "X",
         "another document's number is left as typed"},
        {kCard, seventeen + "\x81x", seventeen + "\x81x", seventeen + "\x81x",
         "18 characters, the last a double-byte one whose second byte is x"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(idNumberAsStored(c.type, c.number), c.stored);
        EXPECT_EQ(idNumberKey(c.number), c.key);
    }
}

} // namespace
} // namespace parvelin::record
