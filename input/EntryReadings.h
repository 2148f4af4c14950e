#pragma once

#include "input/PinyinTable.h"
#include "record/GbkText.h"

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace parvelin::input {

// Choosing a list entry by typing it: by the pinyin of its characters in full ("zhejiang" for
// 浙江), by their initials ("zj"), by any leading letters of each syllable ("zhj"), or by the
// characters themselves as an input method commits them ("浙"). Case and tones do not count.

// One character of an entry and the spellings that type it.
struct TypedCharacter {
    record::GbkString character; // its GBK bytes
    // Lower-case Latin letters. A Chinese character: each of its readings in the pinyin table,
    // without tone digits, in the table's order (藏 cang, zang: a character read several ways is
    // typed in any of them, as a clerk may know it either way); Ü as v, u and yu (女 nv, nu,
    // nyu), Ê as e. A Latin letter or a digit: itself. Nothing for the rest.
    std::vector<std::string> spellings;
    // Blanks and marks ("（", "·", ";", the "***" of a title): typing passes over them, or
    // names them by themselves.
    bool passedOver = false;
};

// The characters of a GBK entry with their spellings. A byte from 0x80 up starts a double-byte
// character with the byte after it.
std::vector<TypedCharacter> typedCharacters(const PinyinTable& table, record::GbkStringView entry);

enum class TypedMatch {
    None,
    Begins, // the typed text names the entry's first characters, or names them in part ("zj")
    Whole,  // it names every character: by a full reading or by the character itself
};

// How typed text meets an entry. The typed text is GBK: Latin letters in either case, digits,
// Chinese characters; blanks and ASCII marks in it ("xi'an", "zhe jiang") do not count. From
// the entry's start, each character in turn takes either itself or the leading letters (one or
// more) of one of its spellings, until the typed text is used up. Empty typed text matches
// nothing.
TypedMatch matchTyped(std::span<const TypedCharacter> entry, record::GbkStringView typed);

// The entry of a list that typed text chooses: the first, in the list's order, that it names
// whole, else the first that it begins (so "tu" takes 土 before 土家, which comes first in the
// list, while "t" takes the first entry read with a t); std::nullopt when it meets none.
std::optional<std::size_t> entryChosenByTyping(const PinyinTable& table,
                                               std::span<const record::GbkString> entries,
                                               record::GbkStringView typed);

} // namespace parvelin::input
