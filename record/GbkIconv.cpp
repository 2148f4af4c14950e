// GBK and UTF-8 through iconv's "CP936", where the C library has it (glibc).

#include "record/GbkText.h"

#include <cerrno>
#include <iconv.h>

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

} // namespace parvelin::record
