#include "input/TitleCompletion.h"

#include <gtest/gtest.h>

namespace parvelin::input {
namespace {

using record::gbk;

IdentityNames names(const char* surname, const char* given, const char* surnamePinyin,
                    const char* givenPinyin) {
    return {gbk(surname), gbk(given), gbk(surnamePinyin), gbk(givenPinyin)};
}

TEST(TitleCompletion, NamesGoIntoBothHalves) {
    struct Case {
        const char* title;
        IdentityNames names;
        std::optional<const char*> note;
        const char* why;
    };
    const Case cases[] = {
        {"大使***夫人;wife of ***,Ambassador", names("张", "三", "ZHANG", "SAN"),
         "大使张三夫人;wife of ZHANG SAN,Ambassador", "the worked example"},
        {"***夫人;wife of ***", names("", "三", "", "SAN"), "三夫人;wife of  SAN",
         "given name only: the blank stays, two spaces after of"},
        {"***之子;son of ***", names("李", "明", "LI", "MING"), "李明之子;son of LI MING",
         "both halves"},
        {"*** *** ;*** ***", names("李", "", "LI", ""), "李 李 ;LI  LI ",
         "every placeholder of a half is replaced"},
        {"wife of ***", names("张", "三", "ZHANG", "SAN"), "wife of ZHANG SAN",
         "no ';': the whole title is the English half"},
        {"***夫人;wife of ***", names("", "", "ZHANG", ""), std::nullopt,
         "no Chinese name: the note stays"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        const auto note = completeTitle(gbk(c.title), c.names);
        EXPECT_EQ(note, c.note ? std::optional(gbk(*c.note)) : std::nullopt);
    }
}

TEST(TitleCompletion, OkTidiesAndChecksTheNames) {
    const IdentityNames tidied = tidiedNames(names(" 张 ", "三 ", " zhang ", "san"));
    EXPECT_EQ(tidied, names("张", "三", "Zhang", "San"));

    struct Case {
        IdentityNames names;
        bool complete;
        const char* why;
    };
    const Case cases[] = {
        {names("", "", "", ""), false, "all four empty"},
        {names("张", "三", "", ""), false, "a Chinese name but no pinyin"},
        {names("", "", "ZHANG", "SAN"), false, "pinyin but no Chinese name"},
        {names("", "三", "", "SAN"), true, "the given name alone"},
        {names("张", "", "", "SAN"), true, "any Chinese part with any pinyin part"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(namesComplete(c.names), c.complete);
    }
}

TEST(TitleCompletion, CapitalizeFirstTouchesOnlyALatinFirstLetter) {
    EXPECT_EQ(capitalizeFirst("zhang"), "Zhang");
    EXPECT_EQ(capitalizeFirst("ZHANG"), "ZHANG");
    EXPECT_EQ(capitalizeFirst(""), "");
    EXPECT_EQ(capitalizeFirst("1a"), "1a");
    EXPECT_EQ(capitalizeFirst(gbk("张")), gbk("张"));
}

TEST(TitleCompletion, TheEditorOpensWhileTheNoteHoldsAnAsterisk) {
    EXPECT_TRUE(needsIdentityEditor(gbk("大使***夫人;wife of ***,Ambassador")));
    EXPECT_TRUE(needsIdentityEditor("*"));
    EXPECT_FALSE(needsIdentityEditor(gbk("记者;Correspondent")));
    EXPECT_FALSE(needsIdentityEditor(""));
}

} // namespace
} // namespace parvelin::input
