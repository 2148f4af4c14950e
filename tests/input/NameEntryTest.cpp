#include "input/NameEntry.h"

#include "tests/support/PinyinTables.h"

#include <gtest/gtest.h>

namespace parvelin::input {
namespace {

using record::gbk;

TEST(NameEntry, ChangesOfANameField) {
    const NameRomanizer romanizer(test::loadedPinyinTable());
    struct Case {
        const char* previous;
        const char* typed;
        bool listShown;
        const char* name;
        std::optional<const char*> pinyin;
        std::vector<const char*> candidates;
        std::optional<bool> showList;
        const char* why;
        NameSide side = NameSide::GivenName;
    };
    const Case cases[] = {
        {"张", "张三", false, "张三", "ZHANGSAN", {}, false, "one candidate fills the pinyin"},
        {"",
         "长",
         false,
         "长",
         std::nullopt,
         {"CHANG", "ZHANG"},
         true,
         "two readings open the list; the pinyin waits"},
        {"", "古丽", false, "古丽", "GULI", {}, false, "GU3, LI4 LI2: one candidate"},
        {"张三",
         "张 三",
         false,
         "张三",
         std::nullopt,
         {},
         std::nullopt,
         "a blank typed is taken out, and the name is as before: nothing else happens"},
        {"张三", "张　三", false, "张三", std::nullopt, {}, std::nullopt, "a full-width space too"},
        {"长",
         "长 ",
         true,
         "长",
         std::nullopt,
         {"CHANG", "ZHANG"},
         true,
         "the same name while the list is open offers the list again"},
        {"张", "", true, "", "", {}, false, "clearing the name hides the list, clears the pinyin"},
        {"", "Li", false, "Li", "Li", {}, false, "Latin letters: L i, upper-cased only later"},
        {"", "〇", false, "〇", "", {}, false, "no reading: one empty candidate"},
        {"买买提",
         "买买提·",
         false,
         "买买提·",
         "MAIMAITI-",
         {},
         false,
         "one candidate: 提 reads TI in names; the dot romanizes to -"},
        {"", "单", false, "单", std::nullopt, {"CHAN", "DAN", "SHAN"}, true, "every reading of 单"},
        {"",
         "单",
         false,
         "单",
         "SHAN",
         {},
         false,
         "the surname box: 单 reads SHAN",
         NameSide::Surname},
        {"",
         "覃",
         false,
         "覃",
         std::nullopt,
         {"QIN", "TAN"},
         true,
         "a surname read two ways",
         NameSide::Surname},
        {"", "尉迟", false, "尉迟", "YUCHI", {}, false, "a compound surname", NameSide::Surname},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        const NameChange change =
            nameFieldChanged(romanizer, c.side, gbk(c.previous), gbk(c.typed), c.listShown);
        EXPECT_EQ(change.name, gbk(c.name));
        EXPECT_EQ(change.pinyin, c.pinyin ? std::optional(gbk(*c.pinyin)) : std::nullopt);
        std::vector<record::GbkString> expected;
        for (const char* candidate : c.candidates) {
            expected.push_back(gbk(candidate));
        }
        std::sort(expected.begin(), expected.end());
        std::vector<record::GbkString> candidates = change.candidates;
        std::sort(candidates.begin(), candidates.end());
        EXPECT_EQ(candidates, expected);
        EXPECT_EQ(change.showList, c.showList);
    }
}

TEST(NameEntry, ChosenCandidatesAndDots) {
    EXPECT_EQ(chosenCandidate("MAI MAI TI -"), "MAIMAITI-");
    EXPECT_EQ(withNameDot({gbk("买买提"), "MAIMAITI"}), (NamePart{gbk("买买提·"), "MAIMAITI-"}));
    EXPECT_EQ(withNameDot({"", ""}), (NamePart{gbk("·"), "-"}));
}

TEST(NameEntry, PendingChoiceAsksForTheSurnameFirst) {
    EXPECT_EQ(pendingChoiceMessage(true, true), "请选择中文姓拼音");
    EXPECT_EQ(pendingChoiceMessage(false, true), "请选择中文名拼音");
    EXPECT_EQ(pendingChoiceMessage(false, false), std::nullopt);
}

} // namespace
} // namespace parvelin::input
