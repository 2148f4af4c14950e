#include "form/ListSelection.h"

namespace parvelin::form {

namespace {

char asciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Whether `text` begins with `prefix`, ASCII letters folded; the second byte of a double-byte
// character is compared as it is, so that it never folds.
bool beginsWithIgnoringCase(record::GbkStringView text, record::GbkStringView prefix) {
    if (prefix.size() > text.size()) {
        return false;
    }
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        const auto byte = static_cast<unsigned char>(prefix[i]);
        if (record::isLeadByte(byte) && i + 1 < prefix.size()) {
            if (text[i] != prefix[i] || text[i + 1] != prefix[i + 1]) {
                return false;
            }
            ++i;
        } else if (asciiLower(text[i]) != asciiLower(prefix[i])) {
            return false;
        }
    }
    return true;
}

} // namespace

std::optional<std::size_t> entryToSelect(std::span<const record::GbkString> entries,
                                         record::GbkStringView value) {
    if (value.empty()) {
        return std::nullopt;
    }
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i] == value) {
            return i;
        }
    }
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (beginsWithIgnoringCase(entries[i], value)) {
            return i;
        }
    }
    return std::nullopt;
}

} // namespace parvelin::form
