#include "record/GbkText.h"

#include <stdexcept>

namespace parvelin::record {

bool isWellFormedGbk(GbkStringView text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!isLeadByte(static_cast<unsigned char>(text[i]))) {
            continue;
        }
        if (++i == text.size()) {
            return false;
        }
        const auto second = static_cast<unsigned char>(text[i]);
        if (second < 0x40 || second == 0x7F || second == 0xFF) {
            return false;
        }
    }
    return true;
}

std::size_t characterCount(GbkStringView text) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size(); ++count) {
        i += isLeadByte(static_cast<unsigned char>(text[i])) ? 2 : 1;
    }
    return count;
}

std::size_t findSingleByte(GbkStringView text, char wanted, std::size_t from) {
    for (std::size_t i = 0; i < text.size();) {
        if (i >= from && text[i] == wanted) {
            return i;
        }
        i += isLeadByte(static_cast<unsigned char>(text[i])) ? 2 : 1;
    }
    return GbkStringView::npos;
}

std::size_t findText(GbkStringView text, GbkStringView wanted, std::size_t from) {
    if (wanted.empty()) {
        return from <= text.size() ? from : GbkStringView::npos;
    }
    for (std::size_t i = 0; i < text.size();) {
        if (i >= from && text.substr(i, wanted.size()) == wanted) {
            return i;
        }
        i += isLeadByte(static_cast<unsigned char>(text[i])) ? 2 : 1;
    }
    return GbkStringView::npos;
}

bool containsText(GbkStringView text, GbkStringView wanted) {
    return findText(text, wanted) != GbkStringView::npos;
}

GbkString trimmedLeft(GbkStringView text) {
    const std::size_t first = text.find_first_not_of(kWhiteSpace);
    return first == GbkStringView::npos ? GbkString() : GbkString(text.substr(first));
}

GbkString trimmedRight(GbkStringView text) {
    const std::size_t last = text.find_last_not_of(kWhiteSpace);
    return last == GbkStringView::npos ? GbkString() : GbkString(text.substr(0, last + 1));
}

GbkString trimmed(GbkStringView text) {
    return trimmedRight(trimmedLeft(text));
}

std::string gbkToUtf8Lossy(GbkStringView gbk) {
    if (auto whole = gbkToUtf8(gbk)) {
        return *std::move(whole);
    }
    constexpr std::string_view kReplacement = "\xEF\xBF\xBD";
    std::string out;
    for (std::size_t i = 0; i < gbk.size();) {
        const std::size_t length =
            isLeadByte(static_cast<unsigned char>(gbk[i])) && i + 1 < gbk.size() ? 2 : 1;
        const auto character = gbkToUtf8(gbk.substr(i, length));
        out += character ? *character : std::string(kReplacement);
        i += length;
    }
    return out;
}

GbkString gbk(std::string_view utf8) {
    auto converted = utf8ToGbk(utf8);
    if (!converted) {
        throw std::invalid_argument("text has no GBK form");
    }
    return *std::move(converted);
}

} // namespace parvelin::record
