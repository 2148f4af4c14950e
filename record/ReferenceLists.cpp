#include "record/ReferenceLists.h"

#include <array>
#include <stdexcept>
#include <vector>

namespace parvelin::record {

namespace {

// The entries are written in UTF-8, once, and converted to GBK on first use.
using Utf8 = std::string_view;

struct ListSource {
    Field field;
    ListOrder order;
    std::span<const Utf8> entries;
};

struct PositionRuleSource {
    std::span<const Utf8> categories;
    std::span<const Utf8> positions;
};

using enum ListOrder;

#include "record/ReferenceListTables.inc"

constexpr std::size_t kFormListCount = std::size(kFormListSources);
constexpr std::size_t kPositionRuleCount = std::size(kPositionRuleSources);

std::vector<GbkString> inGbk(std::span<const Utf8> entries) {
    std::vector<GbkString> converted;
    converted.reserve(entries.size());
    for (const Utf8 entry : entries) {
        converted.push_back(gbk(entry));
    }
    return converted;
}

// Every list in GBK, converted once. The spans handed out point into these vectors, which are
// never changed after construction.
struct Catalogue {
    std::array<std::vector<GbkString>, kFormListCount> formEntries;
    std::array<ReferenceList, kFormListCount> formLists;
    std::vector<GbkString> titles = inGbk(kExternalIdentityTitles);
    std::vector<GbkString> foreignBirthPlaces = inGbk(kForeignBirthPlaces);
    std::array<std::vector<GbkString>, kPositionRuleCount> ruleCategories;
    std::array<std::vector<GbkString>, kPositionRuleCount> rulePositions;
    std::array<PositionRule, kPositionRuleCount> positionRules;
    ReferenceList defaultPositionList;
    ReferenceList titleList;

    Catalogue() {
        for (std::size_t i = 0; i < kFormListCount; ++i) {
            const ListSource& source = kFormListSources[i];
            formEntries[i] = inGbk(source.entries);
            formLists[i] = {source.field, source.order, formEntries[i]};
        }
        for (std::size_t i = 0; i < kPositionRuleCount; ++i) {
            ruleCategories[i] = inGbk(kPositionRuleSources[i].categories);
            rulePositions[i] = inGbk(kPositionRuleSources[i].positions);
            positionRules[i] = {ruleCategories[i], rulePositions[i]};
        }
        defaultPositionList = {Field::position, AsAdded, rulePositions[kDefaultPositionRule]};
        titleList = {Field::externalIdentityNoteChoice, AsAdded, titles};
    }
};

const Catalogue& catalogue() {
    static const Catalogue instance;
    return instance;
}

} // namespace

std::span<const ReferenceList> formLists() {
    return catalogue().formLists;
}

const ReferenceList& formList(Field field) {
    for (const ReferenceList& list : catalogue().formLists) {
        if (list.field == field) {
            return list;
        }
    }
    throw std::invalid_argument("the form has no fixed list for this field");
}

const ReferenceList& defaultPositionList() {
    return catalogue().defaultPositionList;
}

const ReferenceList& externalIdentityTitleList() {
    return catalogue().titleList;
}

std::span<const GbkString> domesticBirthPlaces() {
    return formList(Field::birthPlace).entries;
}

std::span<const GbkString> foreignBirthPlaces() {
    return catalogue().foreignBirthPlaces;
}

std::span<const PositionRule> positionRules() {
    return catalogue().positionRules;
}

} // namespace parvelin::record
