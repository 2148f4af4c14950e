#include "record/ReferenceLists.h"

#include "record/Vocabulary.h"

#include <algorithm>
#include <set>

#include <gtest/gtest.h>

namespace parvelin::record {
namespace {

std::string utf8(const GbkString& text) {
    return gbkToUtf8(text).value();
}

bool contains(std::span<const GbkString> entries, GbkStringView wanted) {
    return std::find(entries.begin(), entries.end(), wanted) != entries.end();
}

std::size_t occurrences(std::string_view text, std::string_view wanted) {
    std::size_t count = 0;
    for (std::size_t at = text.find(wanted); at != std::string_view::npos;
         at = text.find(wanted, at + wanted.size())) {
        ++count;
    }
    return count;
}

// The lists in the order the header gives, each found by its field. Every list holds each entry
// once; the blank "no choice" entry, where a list has one, comes first; a list that ends with 其他
// shows its entries as added, which keeps 其他 last.
TEST(ReferenceLists, FormTemplateLists) {
    const Field fields[] = {
        Field::nameDot,
        Field::idDocumentType,
        Field::birthPlace,
        Field::sex,
        Field::occupationCategory,
        Field::heldPassportStatus,
        Field::workUnit,
        Field::approvalKind,
        Field::birthPlaceScope,
        Field::remarkCategory,
        Field::ethnicity,
        Field::filingStatus,
    };
    const auto lists = formLists();
    ASSERT_EQ(lists.size(), std::size(fields));
    std::size_t entries = 0;
    std::size_t collated = 0;
    for (std::size_t i = 0; i < lists.size(); ++i) {
        const ReferenceList& list = lists[i];
        SCOPED_TRACE(fieldLabel(fields[i]));
        EXPECT_EQ(list.field, fields[i]);
        EXPECT_EQ(&formList(fields[i]), &list);
        ASSERT_FALSE(list.entries.empty());
        EXPECT_EQ(std::set<GbkString>(list.entries.begin(), list.entries.end()).size(),
                  list.entries.size())
            << "no entry twice";
        EXPECT_FALSE(contains(list.entries.subspan(1), word::kBlank)) << "the blank comes first";
        if (list.entries.back() == word::kOther) {
            EXPECT_EQ(list.order, ListOrder::AsAdded);
        }
        entries += list.entries.size();
        collated += list.order == ListOrder::Collated ? 1 : 0;
    }
    EXPECT_EQ(entries, 168u) << "the template's entries, all lists together";
    EXPECT_EQ(collated, 7u) << "lists the form shows in collation order";
    EXPECT_THROW((void)formList(Field::surnameChinese), std::invalid_argument);
}

TEST(ReferenceLists, KeyEntries) {
    struct Case {
        std::span<const GbkString> entries;
        std::size_t index;
        const char* entry;
        const char* why;
    };
    const auto& work = formList(Field::workUnit).entries;
    const auto& ethnicity = formList(Field::ethnicity).entries;
    const auto& category = formList(Field::occupationCategory).entries;
    const Case cases[] = {
        {ethnicity, 46, "土家", "土家 stands before 土"},
        {ethnicity, 47, "土", "so a stored 土 must reopen by equality"},
        {ethnicity, 1, "汉", "first after the blank"},
        {ethnicity, 54, "仡佬", "仡 is GBK"},
        {work, 22, "离退休干部局", "six characters"},
        {work, 30, "服务中心下属企业", "before 服务中心"},
        {work, 44, "其他", "last"},
        {category, 3, "事业单位人员", "unsorted: order added"},
        {category, 5, "国企人员", "after 军人"},
        {domesticBirthPlaces(), 0, "北京", "GB/T 2260 code 11"},
        {domesticBirthPlaces(), 33, "澳门", "GB/T 2260 code 82, the last"},
        {foreignBirthPlaces(), 0, "阿富汗", "ISO 3166-1 004, the first"},
        {foreignBirthPlaces(), 196, "赞比亚", "ISO 3166-1 894, the last code"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entry);
        ASSERT_LT(c.index, c.entries.size());
        EXPECT_EQ(utf8(c.entries[c.index]), c.entry) << c.why;
    }
    EXPECT_EQ(domesticBirthPlaces().size(), 34u) << "the provincial-level divisions";
    EXPECT_EQ(ethnicity.size(), 58u) << "the 56 ethnic groups between the blank and 其他";
    EXPECT_EQ(foreignBirthPlaces().size(), 198u);
    for (const GbkString& place : domesticBirthPlaces()) {
        EXPECT_FALSE(contains(foreignBirthPlaces(), place)) << utf8(place);
    }
}

// The words that checks, record text and dependent fields compare with are entries of the lists.
TEST(ReferenceLists, VocabularyWordsAreEntries) {
    EXPECT_TRUE(contains(formList(Field::idDocumentType).entries, word::kIdentityCard));
    EXPECT_TRUE(contains(formList(Field::idDocumentType).entries, word::kOfficerCard));
    EXPECT_TRUE(contains(formList(Field::heldPassportStatus).entries, word::kNone));
    EXPECT_TRUE(contains(formList(Field::heldPassportStatus).entries, word::kBlank));
    EXPECT_TRUE(contains(formList(Field::birthPlaceScope).entries, word::kAtHome));
    EXPECT_TRUE(contains(formList(Field::birthPlaceScope).entries, word::kAbroad));
    EXPECT_TRUE(contains(formList(Field::approvalKind).entries, word::kApproval));
    EXPECT_TRUE(contains(formList(Field::approvalKind).entries, word::kConfirmation));
    EXPECT_TRUE(contains(formList(Field::filingStatus).entries, word::kFiled));
    EXPECT_TRUE(contains(formList(Field::nameDot).entries, word::kMiddleDot));
    EXPECT_TRUE(contains(formList(Field::sex).entries, word::kMale));
    EXPECT_TRUE(contains(formList(Field::sex).entries, word::kFemale));
    for (const Field field :
         {Field::occupationCategory, Field::workUnit, Field::ethnicity, Field::filingStatus}) {
        EXPECT_TRUE(contains(formList(field).entries, word::kOther)) << fieldLabel(field);
    }
    EXPECT_TRUE(contains(defaultPositionList().entries, word::kOther));
    EXPECT_EQ(defaultPositionList().field, Field::position);
    EXPECT_EQ(defaultPositionList().order, ListOrder::AsAdded);
}

TEST(ReferenceLists, ExternalIdentityTitles) {
    const ReferenceList& list = externalIdentityTitleList();
    EXPECT_EQ(list.field, Field::externalIdentityNoteChoice);
    EXPECT_EQ(list.order, ListOrder::AsAdded);
    const auto titles = list.entries;
    ASSERT_EQ(titles.size(), 129u);
    EXPECT_EQ(titles[0], "") << "entry 0: no title";

    std::size_t withPlaceholder = 0;
    for (std::size_t i = 1; i < titles.size(); ++i) {
        SCOPED_TRACE(i);
        const std::string title = utf8(titles[i]);
        ASSERT_EQ(occurrences(title, ";"), 1u) << "one ASCII semicolon between the halves";
        const std::string chinese = title.substr(0, title.find(';'));
        const std::string english = title.substr(title.find(';') + 1);
        EXPECT_TRUE(std::all_of(english.begin(), english.end(), [](char c) {
            return c >= 0x20 && c < 0x7F;
        })) << "the English half is ASCII";
        EXPECT_FALSE(chinese.empty());
        const std::size_t inChinese = occurrences(chinese, "***");
        EXPECT_EQ(inChinese, occurrences(english, "***")) << "the placeholder in both halves";
        EXPECT_LE(inChinese, 1u);
        withPlaceholder += inChinese;
    }
    EXPECT_EQ(withPlaceholder, 50u);

    struct Case {
        std::size_t index;
        const char* title;
    };
    const Case cases[] = {
        {1, "新华社分社社长;Bureau Director of the Xinhua News Agency"},
        {4, "***夫人;wife of ***"},
        {8, "大使***夫人;wife of ***,Ambassador"},
        {14, "驻联合国军事参谋团团长;Head to the U.N.Military Staff Committee"},
        {36, "代表（大使）;Permanent Representative(Ambassador)"},
        {63, "副总领事;Vice Consul-General"},
        {71, "代办;Charge d'Affairs"},
        {75, "高级专员(大使衔);Senior Attache(Ambassadorial Rank)"},
        {76, "驻巴勒斯坦民族权力机构办事处主任（大使衔）;Director of the Office of the P.R.C. to "
             "the Palestinian National Authority (Ambassadorial Rank)"},
        {98, "中华人民共和国驻阿拉伯叙利亚共和国大使馆二等秘书***之女;Daughter of ***,Secretary "
             "of the Embassy of P.R.C.in the Syria Arab Republic"},
        {128, "副总领事;Deputy Consul-General"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(utf8(titles[c.index]), c.title) << "entry " << c.index;
    }
    EXPECT_NE(titles[63], titles[128]) << "63 and 128 share only the Chinese half";
}

// Entries 88 to 127 give each of the ten posts 78 to 87 four family titles, in the order wife,
// son, daughter, husband.
TEST(ReferenceLists, FamilyTitlesFollowTheTenPostsOfOneEmbassy) {
    const auto titles = externalIdentityTitleList().entries;
    struct Relation {
        const char* chinese;
        const char* english;
    };
    const Relation relations[] = {
        {"***夫人", "Wife of ***,"},
        {"***之子", "Son of ***,"},
        {"***之女", "Daughter of ***,"},
        {"***丈夫", "Husband of ***,"},
    };
    for (std::size_t post = 0; post < 10; ++post) {
        const std::string title = utf8(titles[78 + post]);
        const std::string chinese = title.substr(0, title.find(';'));
        const std::string english = title.substr(title.find(';') + 1);
        for (std::size_t r = 0; r < 4; ++r) {
            const std::size_t index = 88 + 4 * post + r;
            SCOPED_TRACE(index);
            const std::string family = utf8(titles[index]);
            EXPECT_EQ(family.substr(0, family.find(';')), chinese + relations[r].chinese);
            const std::string familyEnglish = family.substr(family.find(';') + 1);
            EXPECT_TRUE(familyEnglish.starts_with(relations[r].english));
            if (index != 98) {
                EXPECT_EQ(familyEnglish, relations[r].english + english);
            }
        }
    }
}

TEST(ReferenceLists, EveryEntryIsGbkOfItsUtf8Spelling) {
    std::vector<std::span<const GbkString>> all;
    for (const ReferenceList& list : formLists()) {
        all.push_back(list.entries);
    }
    all.push_back(defaultPositionList().entries);
    all.push_back(externalIdentityTitleList().entries);
    all.push_back(foreignBirthPlaces());
    for (const PositionRule& rule : positionRules()) {
        all.push_back(rule.categories);
        all.push_back(rule.positions);
    }
    std::size_t doubleByte = 0;
    for (const auto entries : all) {
        for (const GbkString& entry : entries) {
            const auto text = gbkToUtf8(entry);
            ASSERT_TRUE(text.has_value());
            EXPECT_EQ(utf8ToGbk(*text), entry);
            doubleByte += entry.size() - std::count_if(entry.begin(), entry.end(), [](char c) {
                              return static_cast<unsigned char>(c) < 0x80;
                          });
        }
    }
    EXPECT_GT(doubleByte, 0u) << "held as GBK, not as UTF-8";
    EXPECT_EQ(formList(Field::nameDot).entries[1], "\xA1\xA4") << "· in GBK";
}

TEST(ReferenceLists, PositionRulesCoverEveryCategoryButTheBlank) {
    const auto categories = formList(Field::occupationCategory).entries;
    std::set<GbkString> named;
    for (const PositionRule& rule : positionRules()) {
        for (const GbkString& category : rule.categories) {
            EXPECT_TRUE(contains(categories, category)) << utf8(category);
            EXPECT_TRUE(named.insert(category).second) << "one rule per category";
        }
    }
    EXPECT_EQ(named.size(), categories.size() - 1);
    EXPECT_EQ(named.count(GbkString(word::kBlank)), 0u);
}

} // namespace
} // namespace parvelin::record
