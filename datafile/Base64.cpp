#include "datafile/Base64.h"

#include <array>

namespace parvelin::datafile {

namespace {

constexpr std::string_view kAlphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr char kPad = '=';
constexpr std::size_t kLineLength = 2000;
constexpr std::string_view kLineBreak = "\r\n";

constexpr std::array<std::int8_t, 256> makeDecodeTable() {
    std::array<std::int8_t, 256> table{};
    table.fill(-1);
    for (std::size_t i = 0; i < kAlphabet.size(); ++i) {
        table[static_cast<unsigned char>(kAlphabet[i])] = static_cast<std::int8_t>(i);
    }
    return table;
}

constexpr auto kDecode = makeDecodeTable();

} // namespace

std::string base64Encode(std::span<const std::uint8_t> bytes) {
    const std::size_t groups = bytes.size() / 3;
    const std::size_t encodedLength = (bytes.size() + 2) / 3 * 4;
    std::string out(encodedLength + encodedLength / kLineLength * kLineBreak.size(), '\0');
    char* cursor = out.data();
    const std::uint8_t* in = bytes.data();

    std::size_t written = 0;
    for (std::size_t g = 0; g < groups; ++g, in += 3) {
        const std::uint32_t triple = std::uint32_t(in[0]) << 16 | std::uint32_t(in[1]) << 8 | in[2];
        cursor[0] = kAlphabet[triple >> 18 & 0x3F];
        cursor[1] = kAlphabet[triple >> 12 & 0x3F];
        cursor[2] = kAlphabet[triple >> 6 & 0x3F];
        cursor[3] = kAlphabet[triple & 0x3F];
        cursor += 4;
        written += 4;
        // The break counts complete groups only, so it also comes when they end on the boundary.
        if (written % kLineLength == 0) {
            cursor[0] = kLineBreak[0];
            cursor[1] = kLineBreak[1];
            cursor += 2;
        }
    }

    const std::size_t rest = bytes.size() - 3 * groups;
    if (rest > 0) {
        const std::uint32_t first = in[0];
        const std::uint32_t second = rest == 2 ? in[1] : 0;
        const std::uint32_t triple = first << 16 | second << 8;
        cursor[0] = kAlphabet[triple >> 18 & 0x3F];
        cursor[1] = kAlphabet[triple >> 12 & 0x3F];
        cursor[2] = rest == 2 ? kAlphabet[triple >> 6 & 0x3F] : kPad;
        cursor[3] = kPad;
        cursor += 4;
    }
    out.resize(static_cast<std::size_t>(cursor - out.data()));
    return out;
}

std::string base64Decode(std::string_view text) {
    std::string out(text.size() / 4 * 3 + 3, '\0');
    char* cursor = out.data();
    std::uint32_t accumulated = 0;
    int values = 0;
    for (const char c : text) {
        const std::int8_t value = kDecode[static_cast<unsigned char>(c)];
        if (value < 0) {
            continue;
        }
        accumulated = accumulated << 6 | static_cast<std::uint32_t>(value);
        if (++values == 4) {
            cursor[0] = static_cast<char>(accumulated >> 16 & 0xFF);
            cursor[1] = static_cast<char>(accumulated >> 8 & 0xFF);
            cursor[2] = static_cast<char>(accumulated & 0xFF);
            cursor += 3;
            accumulated = 0;
            values = 0;
        }
    }
    if (values == 3) {
        cursor[0] = static_cast<char>(accumulated >> 10 & 0xFF);
        cursor[1] = static_cast<char>(accumulated >> 2 & 0xFF);
        cursor += 2;
    } else if (values == 2) {
        cursor[0] = static_cast<char>(accumulated >> 4 & 0xFF);
        cursor += 1;
    }
    out.resize(static_cast<std::size_t>(cursor - out.data()));
    return out;
}

} // namespace parvelin::datafile
