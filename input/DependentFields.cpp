#include "input/DependentFields.h"

#include "app/ReferenceLists.h"
#include "app/Vocabulary.h"

#include <algorithm>

namespace parvelin::input {

namespace {

std::vector<app::GbkString> afterEmptyItem(std::span<const app::GbkString> names) {
    std::vector<app::GbkString> items;
    items.reserve(names.size() + 1);
    items.emplace_back();
    items.insert(items.end(), names.begin(), names.end());
    return items;
}

} // namespace

std::vector<app::GbkString> fillBirthPlaceList(app::GbkStringView scope) {
    if (scope == app::word::kAtHome) {
        return afterEmptyItem(app::domesticBirthPlaces());
    }
    if (scope == app::word::kAbroad) {
        return afterEmptyItem(app::foreignBirthPlaces());
    }
    return {};
}

std::vector<app::GbkString> fillPositionList(app::GbkStringView category) {
    for (const app::PositionRule& rule : app::positionRules()) {
        if (std::find(rule.categories.begin(), rule.categories.end(), category) !=
            rule.categories.end()) {
            return {rule.positions.begin(), rule.positions.end()};
        }
    }
    return {};
}

bool isLongName(app::GbkStringView surnameChinese, app::GbkStringView givenNameChinese) {
    return surnameChinese.size() + givenNameChinese.size() >= kLongNameBytes;
}

} // namespace parvelin::input
