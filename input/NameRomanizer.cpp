#include "input/NameRomanizer.h"

#include "input/SurnameTable.h"
#include "record/Vocabulary.h"

#include <algorithm>

namespace parvelin::input {

namespace {

using record::GbkString;
using record::GbkStringView;
using record::kWhiteSpace;

constexpr GbkStringView kDotReading = "-"; // the middle dot romanizes to "-"
constexpr char kSeparator = ' ';
constexpr GbkStringView kFullWidthSpace = "\xA1\xA1"; // 　

// The two accented capitals of the table (UTF-8) as Chinese passports write them in Latin
// letters: 吕 LÜ -> LYU, 略 LÜE -> LYUE; Ê -> E.
struct Spelling {
    std::string_view accented;
    std::string_view latin;
};
constexpr Spelling kSpellings[] = {{"\xC3\x9C", "YU"}, {"\xC3\x8A", "E"}};

// The distinct readings of one character, never empty: a character without readings has the
// one empty reading.
using ReadingSet = std::vector<GbkString>;

bool isWhiteSpace(char byte) {
    return kWhiteSpace.find(byte) != std::string_view::npos;
}

std::string_view trimmedView(std::string_view text) {
    const std::size_t first = text.find_first_not_of(kWhiteSpace);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(kWhiteSpace) - first + 1);
}

std::string_view trimmedRightView(std::string_view text) {
    const std::size_t last = text.find_last_not_of(kWhiteSpace);
    return last == std::string_view::npos ? std::string_view() : text.substr(0, last + 1);
}

GbkString inLatinLetters(std::string_view reading) {
    GbkString spelled;
    spelled.reserve(reading.size() + 1);
    for (std::size_t i = 0; i < reading.size();) {
        const auto match =
            std::find_if(std::begin(kSpellings), std::end(kSpellings), [&](const Spelling& s) {
                return reading.substr(i).starts_with(s.accented);
            });
        if (match != std::end(kSpellings)) {
            spelled += match->latin;
            i += match->accented.size();
        } else {
            spelled += reading[i++];
        }
    }
    return spelled;
}

// The table's readings of a character without tone digits, in Latin letters; of readings spelled
// alike the last survives.
ReadingSet spelledReadings(const std::vector<std::string_view>& readings) {
    if (readings.empty()) {
        return {GbkString()};
    }
    ReadingSet spelled;
    for (std::string_view reading : readings) {
        if (!reading.empty()) {
            reading.remove_suffix(1); // the tone digit
        }
        spelled.push_back(inLatinLetters(reading));
    }
    ReadingSet set;
    for (std::size_t i = 0; i < spelled.size(); ++i) {
        if (std::find(spelled.begin() + i + 1, spelled.end(), spelled[i]) == spelled.end()) {
            set.push_back(std::move(spelled[i]));
        }
    }
    return set;
}

ReadingSet doubleByteReadings(const PinyinTable& table, GbkStringView character) {
    if (character == record::word::kMiddleDot) {
        return {GbkString(kDotReading)};
    }
    const auto utf8 = record::gbkToUtf8(character);
    if (!utf8) {
        return {GbkString()}; // a lone lead byte or a broken pair names no character
    }
    return spelledReadings(table.readings(*utf8));
}

std::vector<ReadingSet> readingSets(const PinyinTable& table, GbkStringView name) {
    std::vector<ReadingSet> sets;
    for (const GbkStringView character : gbkCharacters(name)) {
        if (static_cast<unsigned char>(character[0]) >= 0x80) {
            sets.push_back(doubleByteReadings(table, character));
        } else {
            sets.push_back({isWhiteSpace(character[0]) ? GbkString() : GbkString(character)});
        }
    }
    return sets;
}

// The largest distance d such that the combinations of distance 0..d number at most `limit`; the
// largest distance there is when all combinations do. The distance of a combination is the
// number of characters off their first reading.
std::size_t keptDistance(const std::vector<ReadingSet>& sets, std::size_t limit) {
    // levels[d]: combinations of distance d, counted up to limit + 1. Multiplying in a character
    // of k readings is the polynomial product with 1 + (k - 1)x. Counts only grow, so levels past
    // the first that overflows the bound are never needed.
    const std::size_t saturated = limit + 1;
    std::vector<std::size_t> levels{1};
    for (const ReadingSet& set : sets) {
        if (set.size() < 2) {
            continue;
        }
        const std::size_t others = std::min(set.size() - 1, saturated);
        levels.push_back(0);
        for (std::size_t d = levels.size() - 1; d > 0; --d) {
            levels[d] = std::min(saturated, levels[d] + levels[d - 1] * others);
        }
        std::size_t total = 0;
        for (std::size_t d = 0; d < levels.size(); ++d) {
            total += levels[d];
            if (total > limit) {
                levels.resize(d + 1);
                break;
            }
        }
    }
    std::size_t total = 0;
    std::size_t kept = 0;
    for (std::size_t d = 0; d < levels.size(); ++d) {
        total += levels[d];
        if (total > limit) {
            break;
        }
        kept = d;
    }
    return kept;
}

// The combinations of distance at most maxDistance, the first character varying slowest, each
// joined as romanize describes.
//
// Joining builds s1 = r1 and s(i) = trim(s(i-1) + " " + r(i) + " "). From s2 on, s(i) has no
// white space at either end, so s(i+1) is s(i) followed by " " and r(i+1) trimmed at its right
// end (nothing when r(i+1) is all white space), or r(i+1) trimmed when s(i) is empty: each prefix
// extends the one before. One working text with the length of each prefix therefore replaces a
// text per prefix, and a step to the next combination rejoins only the characters it changed.
std::vector<GbkString> closestCandidates(const std::vector<ReadingSet>& sets,
                                         std::size_t maxDistance) {
    const std::size_t count = sets.size();
    std::vector<std::size_t> pick(count, 0);
    std::vector<std::size_t> prefixLength(count, 0);
    std::size_t distance = 0;
    GbkString text;
    std::vector<GbkString> candidates;
    for (std::size_t changed = 0;;) {
        const GbkStringView first = sets[0][pick[0]];
        for (std::size_t i = std::max<std::size_t>(changed, 1); i < count; ++i) {
            const GbkStringView reading = sets[i][pick[i]];
            if (i == 1) {
                text.assign(first);
                text += kSeparator;
                text += reading;
                text += kSeparator;
                text = GbkString(trimmedView(text));
            } else {
                text.resize(prefixLength[i - 1]);
                if (text.empty()) {
                    text = trimmedView(reading);
                } else if (const GbkStringView right = trimmedRightView(reading); !right.empty()) {
                    text += kSeparator;
                    text += right;
                }
            }
            prefixLength[i] = text.size();
        }
        candidates.emplace_back(count == 1 ? first : GbkStringView(text));

        // The next combination: the rightmost character that can take its next reading within
        // the distance, every character after it back on its first reading.
        std::size_t i = count;
        for (; i > 0; --i) {
            const std::size_t at = i - 1;
            const std::size_t widened = distance + (pick[at] == 0 ? 1 : 0);
            if (pick[at] + 1 < sets[at].size() && widened <= maxDistance) {
                ++pick[at];
                distance = widened;
                break;
            }
            distance -= pick[at] != 0 ? 1 : 0;
            pick[at] = 0;
        }
        if (i == 0) {
            return candidates;
        }
        changed = i - 1;
    }
}

} // namespace

std::vector<GbkString> NameRomanizer::romanize(GbkStringView name) const {
    if (name.empty()) {
        return {};
    }
    const std::vector<ReadingSet> sets = readingSets(m_table, name);
    return closestCandidates(sets, keptDistance(sets, kMaxCandidates));
}

std::vector<GbkString> NameRomanizer::romanizeSurname(GbkStringView name) const {
    std::optional<LeadingSurname> surname = leadingSurname(name);
    if (!surname) {
        return romanize(name);
    }
    std::vector<ReadingSet> sets{std::move(surname->readings)};
    for (ReadingSet& set : readingSets(m_table, name.substr(surname->length))) {
        sets.push_back(std::move(set));
    }
    return closestCandidates(sets, keptDistance(sets, kMaxCandidates));
}

GbkString withoutSpaces(GbkStringView text) {
    GbkString kept;
    kept.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] == kSeparator) {
            ++i;
        } else if (text.substr(i).starts_with(kFullWidthSpace)) {
            i += kFullWidthSpace.size();
        } else {
            const std::size_t length =
                record::isLeadByte(static_cast<unsigned char>(text[i])) ? 2 : 1;
            kept += text.substr(i, length);
            i += length;
        }
    }
    return kept;
}

GbkString normalizedPinyin(GbkStringView text) {
    GbkString upper = withoutSpaces(text);
    for (std::size_t i = 0; i < upper.size();) {
        const auto byte = static_cast<unsigned char>(upper[i]);
        if (record::isLeadByte(byte)) {
            i += 2; // the second byte of a double-byte character may lie in a..z
            continue;
        }
        if (byte >= 'a' && byte <= 'z') {
            upper[i] = static_cast<char>(byte - 'a' + 'A');
        }
        ++i;
    }
    return upper;
}

} // namespace parvelin::input
