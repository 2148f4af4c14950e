#include "input/EntryReadings.h"

#include "record/ReferenceLists.h"
#include "tests/support/PinyinTables.h"

#include <gtest/gtest.h>

namespace parvelin::input {
namespace {

using record::gbk;

// Entries of the form's own lists, typed as a clerk types them.
TEST(EntryReadings, TypedTextMeetsAnEntry) {
    struct Case {
        const char* entry;
        const char* typed;
        TypedMatch expected;
        const char* why;
    };
    using enum TypedMatch;
    const Case cases[] = {
        {"浙江", "zhejiang", Whole, "full pinyin"},
        {"浙江", "zj", Begins, "initials"},
        {"浙江", "ZheJiang", Whole, "case does not count"},
        {"浙江", "zhj", Begins, "leading letters of each syllable"},
        {"浙江", "zhe jiang", Whole, "the blank of an input method's syllables"},
        {"浙江", "浙", Begins, "the character an input method commits"},
        {"浙江", "浙江", Whole, "the characters themselves"},
        {"浙江", "浙j", Begins, "a character, then pinyin"},
        {"浙江", "jiang", None, "from the entry's first character only"},
        {"浙江", "zhejiangs", None, "more than the entry holds"},
        {"浙江", "", None, "nothing typed"},
        {"藏", "zang", Whole, "the table reads 藏 cang first; the nationality is zang"},
        {"朝鲜", "chaoxian", Whole, "朝 read chao, the table's first"},
        {"重庆", "chongqing", Whole, "重 read chong, the table's first"},
        {"秘鲁", "bilu", Whole, "秘 read bi in the country's name, the table's first"},
        {"秘鲁", "milu", Whole, "and mi as it is mostly read"},
        {"女", "nv", Whole, "ü typed v, as input methods take it"},
        {"菲律宾", "feilubin", Whole, "ü typed u"},
        {"刚果（金）", "gangguojin", Whole, "full-width brackets passed over"},
        {"刚果（金）", "ggj", Begins, "initials across the brackets"},
        {"大使***夫人;wife of ***,Ambassador", "dsfr", Begins, "a title's placeholder"},
        {"***之女;daughter of ***", "zn", Begins, "a title that begins with the placeholder"},
        {"记者;Correspondent", "jizheCORR", Begins, "Latin letters as themselves"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(
            matchTyped(typedCharacters(test::loadedPinyinTable(), gbk(c.entry)), gbk(c.typed)),
            c.expected)
            << c.entry << " typed " << c.typed;
    }
}

// The entry a list gives for what is typed, in the order the list holds its entries.
TEST(EntryReadings, TypingChoosesTheFirstEntryItNames) {
    struct Case {
        record::Field list;
        const char* typed;
        const char* expected; // nullptr: no entry
        const char* why;
    };
    using record::Field;
    const Case cases[] = {
        {Field::ethnicity, "t", "塔吉克", "an ambiguous start: the first entry in the list"},
        {Field::ethnicity, "tu", "土", "a whole entry before the longer 土家 listed first"},
        {Field::ethnicity, "tuj", "土家", "then the longer one"},
        {Field::ethnicity, "土", "土", "the character itself names 土 whole"},
        {Field::ethnicity, "z", "藏", "藏 read zang comes before 壮"},
        {Field::ethnicity, "qx", nullptr, "no entry reads so"},
        {Field::position, "xkjzz", "乡科级正职", "not 副调研员 one entry up"},
        {Field::workUnit, "yf", "亚非司", "initials past 亚洲司"},
        {Field::birthPlace, "shanxi", "山西", "陕西 reads the same and comes later"},
        {Field::sex, "n", "男", "the blank entry first is never typed"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        const auto& entries = c.list == Field::position ? record::defaultPositionList().entries
                                                        : record::formList(c.list).entries;
        const auto chosen = entryChosenByTyping(test::loadedPinyinTable(), entries, gbk(c.typed));
        if (c.expected == nullptr) {
            EXPECT_FALSE(chosen.has_value()) << c.typed;
        } else {
            ASSERT_TRUE(chosen.has_value()) << c.typed;
            EXPECT_EQ(entries[*chosen], gbk(c.expected)) << c.typed;
        }
    }
}

} // namespace
} // namespace parvelin::input
