#include "input/DependentFields.h"

#include "record/ReferenceLists.h"
#include "record/Vocabulary.h"

#include <algorithm>

namespace parvelin::input {

namespace {

std::vector<record::GbkString> afterEmptyItem(std::span<const record::GbkString> names) {
    std::vector<record::GbkString> items;
    items.reserve(names.size() + 1);
    items.emplace_back();
    items.insert(items.end(), names.begin(), names.end());
    return items;
}

} // namespace

std::vector<record::GbkString> fillBirthPlaceList(record::GbkStringView scope) {
    if (scope == record::word::kAtHome) {
        return afterEmptyItem(record::domesticBirthPlaces());
    }
    if (scope == record::word::kAbroad) {
        return afterEmptyItem(record::foreignBirthPlaces());
    }
    return {};
}

std::vector<record::GbkString> fillPositionList(record::GbkStringView category) {
    for (const record::PositionRule& rule : record::positionRules()) {
        if (std::find(rule.categories.begin(), rule.categories.end(), category) !=
            rule.categories.end()) {
            return {rule.positions.begin(), rule.positions.end()};
        }
    }
    return {};
}

bool isLongName(record::GbkStringView surnameChinese, record::GbkStringView givenNameChinese) {
    return surnameChinese.size() + givenNameChinese.size() >= kLongNameBytes;
}

} // namespace parvelin::input
