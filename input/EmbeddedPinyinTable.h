#pragma once

#include <string_view>

namespace parvelin::input {

// The pinyin table as the program carries it: the bytes of resources/PinyinTable.txt (UTF-8
// byte-order mark, then one "character TAB code point TAB readings" line per Han character, each
// ended by CR LF), embedded by the build. PinyinTable::load reads it.
std::string_view embeddedPinyinTable();

} // namespace parvelin::input
