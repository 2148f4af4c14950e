#include "input/PinyinTable.h"

#include "record/GbkText.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

namespace parvelin::input {

namespace {

constexpr std::size_t kByteOrderMarkSize = 3; // EF BB BF
constexpr std::string_view kLineEnd = "\r\n";
constexpr char kFieldSeparator = '\t';
constexpr std::size_t kReadingsField = 2;              // after the character and its code point
constexpr std::string_view kReadingSeparators = " \t"; // a blank, or the TAB of a further field

std::string_view firstField(std::string_view line) {
    return line.substr(0, line.find(kFieldSeparator));
}

std::string_view trimmedView(std::string_view text) {
    const std::size_t first = text.find_first_not_of(record::kWhiteSpace);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(record::kWhiteSpace) - first + 1);
}

bool isContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

} // namespace

std::optional<char32_t> singleCodePoint(std::string_view utf8) {
    if (utf8.empty()) {
        return std::nullopt;
    }
    const auto lead = static_cast<unsigned char>(utf8[0]);
    std::size_t length = 0;
    char32_t codePoint = 0;
    char32_t smallest = 0; // the least code point of the sequence length; below it is overlong
    if (lead < 0x80) {
        length = 1;
        codePoint = lead;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        codePoint = lead & 0x1F;
        smallest = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        codePoint = lead & 0x0F;
        smallest = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        codePoint = lead & 0x07;
        smallest = 0x10000;
    } else {
        return std::nullopt;
    }
    if (utf8.size() != length) {
        return std::nullopt;
    }
    for (std::size_t i = 1; i < length; ++i) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        if (!isContinuation(byte)) {
            return std::nullopt;
        }
        codePoint = (codePoint << 6) | (byte & 0x3F);
    }
    if (codePoint < smallest || codePoint > 0x10FFFF ||
        (codePoint >= 0xD800 && codePoint <= 0xDFFF)) {
        return std::nullopt;
    }
    return codePoint;
}

void PinyinTable::load(std::string_view stored) {
    m_body.clear();
    m_lines.clear();
    m_index.clear();
    if (stored.size() < kByteOrderMarkSize) {
        return;
    }
    const std::string_view body = stored.substr(kByteOrderMarkSize);
    if (body.size() > std::numeric_limits<std::uint32_t>::max()) {
        throw std::length_error("pinyin table larger than 4 GiB");
    }
    const std::size_t loaded = body.rfind(kLineEnd);
    if (loaded == std::string_view::npos) {
        return;
    }
    m_body.assign(body.substr(0, loaded + kLineEnd.size()));

    const std::string_view text = m_body;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = text.find(kLineEnd, start);
        m_lines.push_back(
            {static_cast<std::uint32_t>(start), static_cast<std::uint32_t>(end - start)});
        start = end + kLineEnd.size();
    }

    // Index every line whose first field is one code point. A stored table is in ascending code
    // point order already; any other order is sorted, keeping the first line of each code point.
    m_index.reserve(m_lines.size());
    bool ascending = true;
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        if (const auto codePoint = singleCodePoint(firstField(line(i)))) {
            ascending = ascending && (m_index.empty() || m_index.back().codePoint < *codePoint);
            m_index.push_back({*codePoint, static_cast<std::uint32_t>(i)});
        }
    }
    if (!ascending) {
        const auto byCodePoint = [](const IndexEntry& a, const IndexEntry& b) {
            return a.codePoint < b.codePoint;
        };
        std::stable_sort(m_index.begin(), m_index.end(), byCodePoint);
        const auto sameCodePoint = [](const IndexEntry& a, const IndexEntry& b) {
            return a.codePoint == b.codePoint;
        };
        m_index.erase(std::unique(m_index.begin(), m_index.end(), sameCodePoint), m_index.end());
    }
}

std::string_view PinyinTable::line(std::size_t index) const {
    if (index >= m_lines.size()) {
        throw std::out_of_range("pinyin table line index");
    }
    const Span span = m_lines[index];
    return std::string_view(m_body).substr(span.offset, span.length);
}

std::optional<std::size_t> PinyinTable::findCodePoint(char32_t codePoint) const {
    const auto found = std::lower_bound(
        m_index.begin(), m_index.end(), codePoint,
        [](const IndexEntry& entry, char32_t wanted) { return entry.codePoint < wanted; });
    if (found == m_index.end() || found->codePoint != codePoint) {
        return std::nullopt;
    }
    return found->line;
}

std::optional<std::size_t> PinyinTable::findCharacter(std::string_view utf8Character) const {
    if (const auto codePoint = singleCodePoint(utf8Character)) {
        return findCodePoint(*codePoint);
    }
    // Not one code point (a GBK character never converts to such a text): the scan itself.
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        if (firstField(line(i)) == utf8Character) {
            return i;
        }
    }
    return std::nullopt;
}

std::vector<std::string_view> PinyinTable::readings(std::string_view utf8Character) const {
    const auto index = findCharacter(utf8Character);
    if (!index) {
        return {};
    }
    std::string_view rest = line(*index);
    for (std::size_t field = 0; field < kReadingsField; ++field) {
        const std::size_t end = rest.find(kFieldSeparator);
        if (end == std::string_view::npos) {
            return {};
        }
        rest.remove_prefix(end + 1);
    }
    std::vector<std::string_view> found;
    std::size_t throughLastReading = 0;
    for (;;) {
        const std::size_t end = rest.find_first_of(kReadingSeparators);
        const std::string_view reading = trimmedView(rest.substr(0, end));
        if (!reading.empty()) {
            found.push_back(reading);
            throughLastReading = found.size();
        } else if (!found.empty()) {
            found.push_back(reading); // kept only if a reading follows
        }
        if (end == std::string_view::npos) {
            break;
        }
        rest.remove_prefix(end + 1);
    }
    found.resize(throughLastReading);
    return found;
}

std::vector<std::string_view> gbkCharacters(std::string_view text) {
    std::vector<std::string_view> characters;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = static_cast<unsigned char>(text[i]) >= 0x80 ? 2 : 1;
        characters.push_back(text.substr(i, length));
        i += length;
    }
    return characters;
}

} // namespace parvelin::input
