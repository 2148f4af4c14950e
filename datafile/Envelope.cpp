#include "datafile/Envelope.h"

#include "datafile/Base64.h"
#include "record/GbkText.h"

namespace parvelin::datafile {

namespace {
constexpr std::string_view kPrefix = "2|";
constexpr std::string_view kSuffix = "||";
constexpr char kSeparator = '|';
} // namespace

std::string wrapRecord(record::GbkStringView recordText) {
    std::string wrapped(kPrefix);
    wrapped += base64Encode(record::asBytes(recordText));
    wrapped += kSuffix;
    return wrapped;
}

std::optional<record::GbkString> unwrapRecord(std::string_view wrapped) {
    // The Base64 alphabet has no "|", so a plain byte search finds the inner text whole.
    const std::size_t first = wrapped.find(kSeparator);
    if (first == std::string_view::npos) {
        return std::nullopt;
    }
    const std::size_t second = wrapped.find(kSeparator, first + 1);
    if (second == std::string_view::npos) {
        return std::nullopt;
    }
    return base64Decode(wrapped.substr(first + 1, second - first - 1));
}

} // namespace parvelin::datafile
