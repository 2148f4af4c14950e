#include "record/GbkText.h"

#include <cerrno>
#include <iconv.h>
#include <stdexcept>

namespace parvelin::record {

namespace {

// One iconv descriptor per direction and thread, opened on first use. Each conversion resets
// the descriptor's shift state before it starts.
class Converter {
public:
    Converter(const char* to, const char* from)
        : m_handle(iconv_open(to, from)) {}
    ~Converter() {
        if (m_handle != reinterpret_cast<iconv_t>(-1)) {
            iconv_close(m_handle);
        }
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    std::optional<std::string> convert(std::string_view input) {
        if (m_handle == reinterpret_cast<iconv_t>(-1)) {
            return std::nullopt;
        }
        iconv(m_handle, nullptr, nullptr, nullptr, nullptr);
        std::string output(input.size() * 2 + 8, '\0');
        char* in = const_cast<char*>(input.data());
        std::size_t inLeft = input.size();
        std::size_t written = 0;
        while (inLeft > 0) {
            char* out = output.data() + written;
            std::size_t outLeft = output.size() - written;
            const std::size_t result = iconv(m_handle, &in, &inLeft, &out, &outLeft);
            written = output.size() - outLeft;
            if (result == static_cast<std::size_t>(-1)) {
                if (errno == E2BIG) {
                    output.resize(output.size() * 2);
                    continue;
                }
                return std::nullopt; // EILSEQ or EINVAL: not representable, or cut short
            }
            if (result != 0) {
                return std::nullopt; // irreversible conversions would replace characters
            }
        }
        output.resize(written);
        return output;
    }

private:
    iconv_t m_handle;
};

} // namespace

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

std::optional<GbkString> utf8ToGbk(std::string_view utf8) {
    thread_local Converter converter("CP936", "UTF-8");
    return converter.convert(utf8);
}

std::optional<std::string> gbkToUtf8(GbkStringView gbk) {
    thread_local Converter converter("UTF-8", "CP936");
    return converter.convert(gbk);
}

bool isUtf8(std::string_view text) {
    thread_local Converter converter("UTF-8", "UTF-8");
    return converter.convert(text).has_value();
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
