#pragma once

#include "input/PinyinTable.h"
#include "record/GbkText.h"

#include <cstddef>
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
    // Characters: a byte of 0x80 or more starts a double-byte character together with the byte
    // after it (alone when it is the last byte); any other byte is a character of its own.
    //
    // Readings: a double-byte character reads as the table's readings of it (PinyinTable::
    // readings) without their tone digits (the last byte of each), "Ü" written "YU" and "Ê"
    // written "E" as passports spell them (吕 LYU, 略 LYUE); of readings spelled alike the last
    // survives (載 ZAI4 ZAI3 DAI4 ZAI1 ZI1 gives DAI, ZAI, ZI). The middle dot "·" reads "-"; a
    // single-byte character reads as itself, white space as nothing; a character without
    // readings (no line, or no GBK character) reads as nothing.
    //
    // Joining: a candidate joins its characters' readings from the left, each step a + " " + b
    // with white space removed at both ends, so that a reading of nothing adds nothing.
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

    // The candidates of what the surname box holds: as romanize, except that a surname of the
    // surname table (input/SurnameTable.h) that the name begins with, compound before single,
    // reads as one character whose readings are the table's, in its order (尉迟恭 gives
    // YU CHI GONG, 单 only SHAN, 覃 QIN and TAN). A name beginning with no surname of the table
    // gives what romanize gives.
    std::vector<record::GbkString> romanizeSurname(record::GbkStringView name) const;

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
