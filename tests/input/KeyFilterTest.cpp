#include "input/KeyFilter.h"

#include <vector>

#include <gtest/gtest.h>

namespace parvelin::input {
namespace {

using record::Field;
using record::gbk;

record::GbkString chineseCharacters(int count) {
    record::GbkString text;
    for (int i = 0; i < count; ++i) {
        text += gbk("张");
    }
    return text;
}

TEST(KeyFilter, EnterMovesOnOrBreaksTheLineAndCharactersStopAtTheCap) {
    struct Case {
        KeyKind kind;
        std::optional<Field> field;
        record::GbkString text;
        KeyAction expected;
        const char* why;
    };
    const Case cases[] = {
        {KeyKind::Enter, Field::remarks, "", KeyAction::BreakLine,
         "Enter in the multi-line remarks makes a new line"},
        {KeyKind::Enter, std::nullopt, "", KeyAction::MoveToNextField, "Enter on a button"},
        {KeyKind::Character, Field::surnameChinese, chineseCharacters(49), KeyAction::Pass,
         "a 50th character is taken"},
        {KeyKind::Character, Field::surnameChinese, chineseCharacters(50), KeyAction::Discard,
         "a 51st is not, though 100 bytes would allow 50 Chinese characters only"},
        {KeyKind::Character, Field::surnameChinese, std::string(50, 'a'), KeyAction::Discard,
         "Latin letters count as characters too"},
        {KeyKind::Backspace, Field::surnameChinese, chineseCharacters(50), KeyAction::Pass,
         "Backspace still works at the cap"},
        {KeyKind::Other, Field::surnameChinese, chineseCharacters(50), KeyAction::Pass,
         "Delete and the arrows produce no character"},
        {KeyKind::Character, Field::unitName, chineseCharacters(32), KeyAction::Discard,
         "unit name at 32"},
        {KeyKind::Character, Field::externalIdentity, chineseCharacters(49), KeyAction::Pass,
         "external identity below 50"},
        {KeyKind::Character, Field::approvalNumber, std::string(500, '1'), KeyAction::Pass,
         "no character cap on the approval number"},
        {KeyKind::Character, std::nullopt, "", KeyAction::Pass, "controls without a field"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(filterKey(c.kind, c.field, c.text), c.expected);
    }
}

TEST(KeyFilter, InputMethodCommitsAreCutAtTheCap) {
    const record::GbkString han = record::gbk("汉");
    const std::vector<record::GbkString> fiveChinese(5, han);
    const std::vector<record::GbkString> mixed = {"a", han, "b", han};
    struct Case {
        BoxCaps caps;
        record::GbkString staying;
        std::span<const record::GbkString> committed;
        std::size_t admitted;
        const char* why;
    };
    const Case cases[] = {
        {{50, 100}, chineseCharacters(48), fiveChinese, 2, "the surname's character cap"},
        {{50, 100}, chineseCharacters(50), fiveChinese, 0, "full"},
        {{std::nullopt, 50}, chineseCharacters(23), fiveChinese, 2, "other position: 50 bytes"},
        {{std::nullopt, 32},
         "1234567890123456789012345678901",
         mixed,
         1,
         "approval number: one byte left takes a letter, not the character after it"},
        {{std::nullopt, 32},
         "12345678901234567890123456789",
         mixed,
         2,
         "three bytes left: a and 汉, then b would make 33"},
        {{}, chineseCharacters(500), fiveChinese, 5, "no cap"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(admittedCharacters(c.caps, c.staying, c.committed), c.admitted);
    }
}

} // namespace
} // namespace parvelin::input
