#pragma once

#include "input/EmbeddedPinyinTable.h"
#include "input/PinyinTable.h"
#include "record/GbkText.h"

#include <string>

namespace parvelin::test {

// The program's own pinyin table, loaded once as start-up loads it.
inline const input::PinyinTable& loadedPinyinTable() {
    static const input::PinyinTable table = [] {
        input::PinyinTable loaded;
        loaded.load(input::embeddedPinyinTable());
        return loaded;
    }();
    return table;
}

// A name of `characters` Chinese characters that all have several readings: twelve characters of
// two or three readings (单 CHAN DAN SHAN, 长 CHANG ZHANG, 参 CAN CEN SHEN, 龟 GUI JUN QIU, 解, 翟,
// 仇, 区, 查, 覃, 乐, 重) repeated.
inline record::GbkString polyphonicName(std::size_t characters) {
    const std::string cycle = "单长参龟解翟仇区查覃乐重";
    std::string utf8;
    while (utf8.size() < 3 * characters) {
        utf8 += cycle;
    }
    utf8.resize(3 * characters);
    return record::gbk(utf8);
}

} // namespace parvelin::test
