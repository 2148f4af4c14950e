#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace parvelin::input {

// The Han characters with their Mandarin readings, one UTF-8 text line per character:
// "character TAB code point (4 upper-case hex digits) TAB readings", the readings in upper case
// with tone digits and separated by single spaces ("长\t957F\tCHANG2 ZHANG3"). The lines are held
// exactly as stored, without their CR LF; readings() splits one into its readings.
//
// Filled once at start-up from the program's embedded copy (embeddedPinyinTable()) and read-only
// afterwards.
class PinyinTable {
public:
    // Replaces the content with the lines of a stored table: the first three bytes (the UTF-8
    // byte-order mark) are skipped unexamined; every CR LF ends a line; bytes after the last CR LF
    // are not loaded. A table shorter than three bytes, or without CR LF, yields no lines.
    void load(std::string_view stored);

    std::size_t lineCount() const { return m_lines.size(); }

    // A copy of the line at a 0-based index below lineCount().
    std::string lineAt(std::size_t index) const { return std::string(line(index)); }
    std::string_view line(std::size_t index) const;

    // The index of the first line whose first field (the bytes before its first TAB) is the given
    // character, as a scan from the top would find it; std::nullopt when no line names it. Runs in
    // logarithmic time for one UTF-8 encoded code point.
    std::optional<std::size_t> findCharacter(std::string_view utf8Character) const;
    std::optional<std::size_t> findCodePoint(char32_t codePoint) const;

    // The readings of a character as the first line naming it holds them, in table order: the
    // text after the line's second TAB, split at every blank and TAB, each piece without white
    // space at its ends ("CHANG2", "ZHANG3" for 长). Blank pieces before the first reading and
    // after the last are left out; between two readings, a double blank leaves an empty one. None
    // for a character without a line or without a readings field. The views point into the
    // table and hold until the next load.
    std::vector<std::string_view> readings(std::string_view utf8Character) const;

private:
    struct Span {
        std::uint32_t offset;
        std::uint32_t length;
    };
    struct IndexEntry {
        char32_t codePoint;
        std::uint32_t line;
    };

    std::string m_body;
    std::vector<Span> m_lines;
    // The first line of each code point, ascending by code point.
    std::vector<IndexEntry> m_index;
};

// The code point of a text that is exactly one well-formed UTF-8 sequence (shortest form, no
// surrogates, at most U+10FFFF); std::nullopt otherwise. Byte-wise equality of two such texts is
// equality of their code points, which lets the table index by code point.
std::optional<char32_t> singleCodePoint(std::string_view utf8);

// The characters of a GBK text as its readings are looked up: any byte from 0x80 up (0x80
// included) with the byte after it, every other byte alone. A lead byte at the very end stands
// alone.
std::vector<std::string_view> gbkCharacters(std::string_view text);

} // namespace parvelin::input
