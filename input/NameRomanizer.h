#pragma once

#include "input/PinyinTable.h"
#include "record/GbkText.h"

#include <cstddef>
#include <span>
#include <string>
#include <vector>

namespace parvelin::input {

// Proposes the pinyin of a Chinese surname or given name (GBK) from the pinyin table: one reading
// per character, all combinations of the characters' readings, as GBK texts of Latin letters with
// one space between syllables ("ZHANG SAN" for 张三).
class NameRomanizer {
public:
    // No name yields more candidates than this; see romanize.
    static constexpr std::size_t kMaxCandidates = 1000;

    explicit NameRomanizer(const PinyinTable& table)
        : m_table(table) {}

    // The candidates of a name, the first character varying slowest: 单长 gives CHAN CHANG,
    // CHAN ZHANG, DAN CHANG, DAN ZHANG, SHAN CHANG, SHAN ZHANG. An empty name gives none; a name
    // whose characters have no readings gives one empty candidate.
    //
    // Bound: when the combinations number more than kMaxCandidates, only those closest to the
    // first readings are kept. A combination's distance is the number of characters that take a
    // reading other than their first; all combinations of distance 0, 1, ..., d are kept for the
    // largest d that keeps them within the bound, in the same order as above. Distance 0 (every
    // character with its first reading) is always kept. Distance 1 is kept whenever the readings
    // beyond the first number at most 999 over the whole name, as they do for every name of the
    // form's 50 characters (no character of the table has more than 9 readings); every reading of
    // every character is then among the candidates.
    std::vector<record::GbkString> romanize(record::GbkStringView name) const;

    // One readings text per character of the name, in name order. A byte of 0x80 or more starts
    // a double-byte character together with the byte after it (alone when it is the last byte);
    // any other byte is a character whose readings text is that byte followed by "1".
    std::vector<std::string> readingsPerCharacter(record::GbkStringView name) const;

    // The readings text of one double-byte character: the fields after the second of its table
    // line, each followed by one space ("CHANG2 ZHANG3 " for 长, UTF-8 as the table holds them);
    // "-1" for the middle dot "·", so that it romanizes to "-"; empty for a character without a
    // line.
    std::string characterReadings(record::GbkStringView character) const;

    // The distinct readings of a readings text without their tone digits, in Latin letters:
    // trimmed, split at every single space, each piece trimmed and its last byte dropped, "Ü"
    // written "YU" and "Ê" written "E" as passports spell them (吕 LYU, 略 LYUE); of equal pieces
    // the last survives. "HE2 HE4 HUO2 HUO4 HU2" gives HE, HUO, HU; an empty text one empty piece.
    static std::vector<record::GbkString> readingSet(std::string_view readingsText);

    // Every a of `first` with, within it, every b of `second`: a + " " + b + " " with white space
    // removed at both ends, so that an empty reading adds nothing.
    static std::vector<record::GbkString>
    combineCandidates(std::span<const record::GbkString> first,
                      std::span<const record::GbkString> second);

private:
    const PinyinTable& m_table;
};

// A name field as the form holds it: every blank " " and every full-width space "　" (A1 A1,
// where it stands as a character) removed. A candidate enters a pinyin field the same way.
record::GbkString withoutSpaces(record::GbkStringView text);

// A pinyin field as the form holds it: the Latin letters a..z in upper case (double-byte
// characters untouched) and the spaces removed as withoutSpaces does.
record::GbkString normalizedPinyin(record::GbkStringView text);

} // namespace parvelin::input
