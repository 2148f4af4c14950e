#pragma once

#include "record/GbkText.h"

#include <cstddef>
#include <vector>

namespace parvelin::input {

// The items of the birthplace list for a birthplace scope: for 国内 an empty item and the 34
// birthplaces at home, for 国外 an empty item and the 198 birthplaces abroad, for any other
// value none. In the order added; the list itself shows them sorted.
std::vector<record::GbkString> fillBirthPlaceList(record::GbkStringView scope);

// The items of the position list for an occupational category, in order: the positions of the
// category's rule, only 其他 for 其他, none for a category without a rule (the blank item).
std::vector<record::GbkString> fillPositionList(record::GbkStringView category);

// Names of four or more Chinese characters together (8 bytes or more) have their pinyin fields
// drawn in green rather than black, asking the operator to look at the pinyin again.
inline constexpr std::size_t kLongNameBytes = 8;
bool isLongName(record::GbkStringView surnameChinese, record::GbkStringView givenNameChinese);

} // namespace parvelin::input
