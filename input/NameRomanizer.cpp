#include "input/NameRomanizer.h"

#include "record/Vocabulary.h"

#include <algorithm>

namespace parvelin::input {

namespace {

using record::GbkString;
using record::GbkStringView;
using record::kWhiteSpace;

constexpr std::string_view kDotReadings = "-1"; // the middle dot romanizes to "-"
constexpr char kToneSuffix = '1';               // the reading of a single-byte character
constexpr char kSeparator = ' ';
constexpr char kFieldSeparator = '\t';
constexpr GbkStringView kFullWidthSpace = "\xA1\xA1"; // 　

// The two accented capitals of the table (UTF-8) as Chinese passports write them in Latin
// letters: 吕 LÜ -> LYU, 略 LÜE -> LYUE; Ê -> E.
struct Spelling {
    std::string_view accented;
    std::string_view latin;
};
constexpr Spelling kSpellings[] = {{"\xC3\x9C", "YU"}, {"\xC3\x8A", "E"}};

using ReadingSets = std::vector<std::vector<GbkString>>;

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

// a + " " + b + " " with white space removed at both ends.
GbkString joined(GbkStringView a, GbkStringView b) {
    GbkString text;
    text.reserve(a.size() + b.size() + 2);
    text += a;
    text += kSeparator;
    text += b;
    text += kSeparator;
    return GbkString(trimmedView(text));
}

std::size_t combinationCount(const ReadingSets& sets, std::size_t limit) {
    std::size_t product = 1;
    for (const auto& set : sets) {
        product = set.size() > limit ? limit : std::min(limit, product * set.size());
    }
    return product;
}

// The largest distance d such that the combinations of distance 0..d number at most `limit`. The
// distance of a combination is the number of characters off their first reading.
std::size_t keptDistance(const ReadingSets& sets, std::size_t limit) {
    // levels[d]: combinations of distance d, counted up to limit + 1. Multiplying in a character
    // of k readings is the polynomial product with 1 + (k - 1)x. Counts only grow, so levels past
    // the first that overflows the bound are never needed.
    const std::size_t saturated = limit + 1;
    std::vector<std::size_t> levels{1};
    for (const auto& set : sets) {
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

// The combinations of distance at most maxDistance, in the order of the full product (the first
// character varying slowest), each the text that folding combineCandidates gives.
//
// Folding builds s1 = r1 and s(i) = joined(s(i-1), r(i)). From s2 on, s(i) has no white space at
// either end, so s(i+1) is s(i) followed by " " and r(i+1) trimmed at its right end (nothing when
// r(i+1) is all white space), or r(i+1) trimmed when s(i) is empty: each prefix extends the one
// before. One working text with the length of each prefix therefore replaces a text per prefix.
std::vector<GbkString> closestCandidates(const ReadingSets& sets, std::size_t maxDistance) {
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
                text = joined(first, reading);
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
    ReadingSets sets;
    for (const std::string& readings : readingsPerCharacter(name)) {
        sets.push_back(readingSet(readings));
    }
    if (combinationCount(sets, kMaxCandidates + 1) > kMaxCandidates) {
        return closestCandidates(sets, keptDistance(sets, kMaxCandidates));
    }
    std::vector<GbkString> candidates = sets[0];
    for (std::size_t i = 1; i < sets.size(); ++i) {
        candidates = combineCandidates(candidates, sets[i]);
    }
    return candidates;
}

std::vector<std::string> NameRomanizer::readingsPerCharacter(GbkStringView name) const {
    std::vector<std::string> readings;
    for (std::size_t i = 0; i < name.size();) {
        // Any byte from 0x80 up starts a double-byte character here, 0x80 included.
        if (static_cast<unsigned char>(name[i]) >= 0x80) {
            readings.push_back(characterReadings(name.substr(i, 2)));
            i += 2;
        } else {
            readings.push_back(std::string{name[i], kToneSuffix});
            i += 1;
        }
    }
    return readings;
}

std::string NameRomanizer::characterReadings(GbkStringView character) const {
    if (character == record::word::kMiddleDot) {
        return std::string(kDotReadings);
    }
    const auto utf8 = record::gbkToUtf8(character);
    if (!utf8) {
        return {}; // a lone lead byte or a broken pair names no character
    }
    const auto index = m_table.findCharacter(*utf8);
    if (!index) {
        return {};
    }
    std::string_view line = m_table.line(*index);
    std::string readings;
    for (std::size_t field = 0;; ++field) {
        const std::size_t end = line.find(kFieldSeparator);
        if (field >= 2) {
            readings += line.substr(0, end);
            readings += kSeparator;
        }
        if (end == std::string_view::npos) {
            return readings;
        }
        line.remove_prefix(end + 1);
    }
}

std::vector<GbkString> NameRomanizer::readingSet(std::string_view readingsText) {
    std::string_view text = trimmedView(readingsText);
    std::vector<GbkString> pieces;
    for (;;) {
        const std::size_t end = text.find(kSeparator);
        std::string_view piece = trimmedView(text.substr(0, end));
        if (!piece.empty()) {
            piece.remove_suffix(1); // the tone digit
        }
        pieces.push_back(inLatinLetters(piece));
        if (end == std::string_view::npos) {
            break;
        }
        text.remove_prefix(end + 1);
    }
    // Of equal pieces the last survives. Spelling first makes the pieces distinct as candidates
    // show them.
    std::vector<GbkString> set;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        if (std::find(pieces.begin() + i + 1, pieces.end(), pieces[i]) == pieces.end()) {
            set.push_back(std::move(pieces[i]));
        }
    }
    return set;
}

std::vector<GbkString> NameRomanizer::combineCandidates(std::span<const GbkString> first,
                                                        std::span<const GbkString> second) {
    std::vector<GbkString> combined;
    combined.reserve(first.size() * second.size());
    for (const GbkString& a : first) {
        for (const GbkString& b : second) {
            combined.push_back(joined(a, b));
        }
    }
    return combined;
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
