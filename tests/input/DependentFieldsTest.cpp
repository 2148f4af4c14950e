#include "input/DependentFields.h"

#include "record/ReferenceLists.h"

#include <gtest/gtest.h>

namespace parvelin::input {
namespace {

using record::gbk;

TEST(DependentFields, BirthPlaceListFollowsTheScope) {
    struct Case {
        const char* scope;
        std::size_t count;
        const char* second; // the first item is always the empty one
        const char* last;
        const char* why;
    };
    const Case cases[] = {
        {"国内", 35, "北京", "澳门", "empty item and the 34 birthplaces at home"},
        {"国外", 199, "阿富汗", "贝劳", "empty item and the 198 birthplaces abroad"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        const auto items = fillBirthPlaceList(gbk(c.scope));
        ASSERT_EQ(items.size(), c.count);
        EXPECT_EQ(items[0], "");
        EXPECT_EQ(items[1], gbk(c.second));
        EXPECT_EQ(items.back(), gbk(c.last));
    }
    const auto abroad = fillBirthPlaceList(gbk("国外"));
    for (const char* country : {"刚果（布）", "刚果（金）", "朝鲜", "蒙古", "巴勒斯坦"}) {
        EXPECT_NE(std::find(abroad.begin(), abroad.end(), gbk(country)), abroad.end()) << country;
    }
    for (const char* scope : {"", " ", "国内 ", "国"}) {
        EXPECT_TRUE(fillBirthPlaceList(gbk(scope)).empty()) << "no items for \"" << scope << "\"";
    }
}

TEST(DependentFields, PositionListFollowsTheOccupationalCategory) {
    struct Case {
        const char* category;
        std::size_t count;
        const char* second;
        const char* why;
    };
    const Case cases[] = {
        {"国家公务员", 20, "国家级正职", "civil servants"},
        {"参公管理人员", 20, "国家级正职", "managed as civil servants"},
        {"国企人员", 9, "董事长", "state enterprises"},
        {"非国企人员", 4, "管理人员", "other enterprises"},
        {"事业单位人员", 4, "管理人员", "public institutions"},
        {"军人", 16, "军委副主席级", "the military"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        const auto items = fillPositionList(gbk(c.category));
        ASSERT_EQ(items.size(), c.count);
        EXPECT_EQ(items[0], "") << "an empty first item";
        EXPECT_EQ(items[1], gbk(c.second));
        EXPECT_EQ(items.back(), gbk("其他"));
    }
    EXPECT_EQ(fillPositionList(gbk("其他")), std::vector{gbk("其他")})
        << "only 其他, no empty item";
    for (const char* category : {" ", "", "学生", "军"}) {
        EXPECT_TRUE(fillPositionList(gbk(category)).empty()) << "none for \"" << category << "\"";
    }
    const auto& defaults = record::defaultPositionList().entries;
    EXPECT_EQ(fillPositionList(gbk("国家公务员")),
              std::vector<record::GbkString>(defaults.begin(), defaults.end()))
        << "start-up's list is the civil servants'";
    const auto military = fillPositionList(gbk("军人"));
    EXPECT_EQ(military[14], gbk("技术七级及以下"));
}

TEST(DependentFields, PinyinFieldsTurnGreenFromFourChineseCharacters) {
    struct Case {
        const char* surname;
        const char* givenName;
        bool isLong;
        const char* why;
    };
    const Case cases[] = {
        {"张", "三丰李", true, "8 bytes together"},
        {"欧阳", "娜娜", true, "two and two"},
        {"张", "三", false, "4 bytes"},
        {"张", "三丰", false, "6 bytes"},
        {"张", "三丰A", false, "7 bytes"},
        {"ABCD", "EFGH", true, "bytes, not characters"},
        {"", "", false, "empty"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(isLongName(gbk(c.surname), gbk(c.givenName)), c.isLong);
    }
}

} // namespace
} // namespace parvelin::input
