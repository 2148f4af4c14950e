#include "input/EntryReadings.h"

#include <algorithm>
#include <cstdint>

namespace parvelin::input {

namespace {

using record::GbkString;
using record::GbkStringView;

// The table's two accented capitals (UTF-8).
constexpr std::string_view kUmlautU = "\xC3\x9C";     // Ü
constexpr std::string_view kCircumflexE = "\xC3\x8A"; // Ê

// Ü as input methods type it (v), as it is often written without its dots (u) and as passports
// spell it (yu).
constexpr std::string_view kUmlautSpellings[] = {"v", "u", "yu"};

bool isAsciiLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isAsciiLetterOrDigit(char c) {
    return isAsciiLetter(c) || (c >= '0' && c <= '9');
}

char lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Ideographs that the pinyin table covers; a character of these ranges that has no line is still
// a character to be named, not a mark to pass over.
bool isIdeograph(char32_t c) {
    return (c >= 0x3400 && c <= 0x4DBF) || (c >= 0x4E00 && c <= 0x9FFF) ||
           (c >= 0xF900 && c <= 0xFAFF);
}

// A reading without its tone digits and the "-" of a compound, in lower case, once for each way
// of writing Ü.
std::vector<std::string> spellingsOf(std::string_view reading) {
    std::vector<std::string> spelled;
    for (const std::string_view umlaut : kUmlautSpellings) {
        std::string text;
        bool hasUmlaut = false;
        for (std::size_t i = 0; i < reading.size();) {
            if (reading.substr(i).starts_with(kUmlautU)) {
                text += umlaut;
                hasUmlaut = true;
                i += kUmlautU.size();
            } else if (reading.substr(i).starts_with(kCircumflexE)) {
                text += 'e';
                i += kCircumflexE.size();
            } else {
                if (isAsciiLetter(reading[i])) { // not the tone digits, nor a compound's "-"
                    text += lower(reading[i]);
                }
                ++i;
            }
        }
        spelled.push_back(std::move(text));
        if (!hasUmlaut) {
            break;
        }
    }
    return spelled;
}

TypedCharacter doubleByteCharacter(const PinyinTable& table, GbkStringView character) {
    TypedCharacter typed{GbkString(character), {}, false};
    const auto utf8 = record::gbkToUtf8(character);
    if (!utf8) {
        return typed; // a broken pair: only the same bytes name it
    }
    for (const std::string_view reading : table.readings(*utf8)) {
        for (std::string& spelling : spellingsOf(reading)) {
            if (!spelling.empty() && std::find(typed.spellings.begin(), typed.spellings.end(),
                                               spelling) == typed.spellings.end()) {
                typed.spellings.push_back(std::move(spelling));
            }
        }
    }
    if (typed.spellings.empty()) {
        const auto codePoint = singleCodePoint(*utf8);
        typed.passedOver = !codePoint || !isIdeograph(*codePoint);
    }
    return typed;
}

// The typed text as units to be matched: each double-byte character, and each Latin letter (in
// lower case) or digit; blanks and ASCII marks are left out.
std::vector<GbkString> typedUnits(GbkStringView typed) {
    std::vector<GbkString> units;
    for (const GbkStringView character : gbkCharacters(typed)) {
        if (static_cast<unsigned char>(character[0]) >= 0x80) {
            units.emplace_back(character);
        } else if (isAsciiLetterOrDigit(character[0])) {
            units.emplace_back(1, lower(character[0]));
        }
    }
    return units;
}

// How far a state of the match has come: not at all, or with a character named in part, or with
// every character so far named in full.
enum Reach : std::uint8_t { kNotReached = 0, kInPart = 1, kInFull = 2 };

} // namespace

std::vector<TypedCharacter> typedCharacters(const PinyinTable& table, GbkStringView entry) {
    std::vector<TypedCharacter> characters;
    for (const GbkStringView character : gbkCharacters(entry)) {
        if (static_cast<unsigned char>(character[0]) >= 0x80) {
            characters.push_back(doubleByteCharacter(table, character));
            continue;
        }
        const char c = character[0];
        TypedCharacter typed{GbkString(1, c), {}, !isAsciiLetterOrDigit(c)};
        if (!typed.passedOver) {
            typed.spellings.emplace_back(1, lower(c));
        }
        characters.push_back(std::move(typed));
    }
    return characters;
}

TypedMatch matchTyped(std::span<const TypedCharacter> entry, GbkStringView typed) {
    const std::vector<GbkString> units = typedUnits(typed);
    const std::size_t n = entry.size();
    const std::size_t m = units.size();
    if (m == 0) {
        return TypedMatch::None;
    }
    // reach[i * (m + 1) + j]: whether the entry's first i characters can take the first j units.
    // A state reached in full can do all that one reached in part can, so the better is kept.
    std::vector<std::uint8_t> reach((n + 1) * (m + 1), kNotReached);
    const auto at = [&](std::size_t i, std::size_t j) -> std::uint8_t& {
        return reach[i * (m + 1) + j];
    };
    const auto raise = [&](std::size_t i, std::size_t j, std::uint8_t to) {
        at(i, j) = std::max(at(i, j), to);
    };
    at(0, 0) = kInFull;
    for (std::size_t i = 0; i < n; ++i) {
        const TypedCharacter& character = entry[i];
        for (std::size_t j = 0; j < m; ++j) {
            const std::uint8_t from = at(i, j);
            if (from == kNotReached) {
                continue;
            }
            if (character.passedOver) {
                raise(i + 1, j, from);
            }
            if (units[j] == character.character) {
                raise(i + 1, j + 1, from);
            }
            for (const std::string& spelling : character.spellings) {
                // Each leading part of the spelling that the units spell from j on.
                for (std::size_t k = 0; k < spelling.size() && j + k < m &&
                                        units[j + k].size() == 1 && units[j + k][0] == spelling[k];
                     ++k) {
                    raise(i + 1, j + k + 1,
                          k + 1 == spelling.size() ? from : std::uint8_t{kInPart});
                }
            }
        }
    }
    TypedMatch match = TypedMatch::None;
    for (std::size_t i = n + 1; i-- > 1;) {
        const std::uint8_t end = at(i, m);
        if (end == kNotReached) {
            continue;
        }
        const bool restPassedOver =
            std::all_of(entry.begin() + static_cast<std::ptrdiff_t>(i), entry.end(),
                        [](const TypedCharacter& c) { return c.passedOver; });
        if (end == kInFull && restPassedOver) {
            return TypedMatch::Whole;
        }
        match = TypedMatch::Begins;
    }
    return match;
}

std::optional<std::size_t> entryChosenByTyping(const PinyinTable& table,
                                               std::span<const GbkString> entries,
                                               GbkStringView typed) {
    std::optional<std::size_t> begun;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        switch (matchTyped(typedCharacters(table, entries[i]), typed)) {
        case TypedMatch::Whole:
            return i;
        case TypedMatch::Begins:
            if (!begun) {
                begun = i;
            }
            break;
        case TypedMatch::None:
            break;
        }
    }
    return begun;
}

} // namespace parvelin::input
