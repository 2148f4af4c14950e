#include "disk/PathNames.h"

#include "record/GbkText.h"

#include <algorithm>

namespace parvelin::disk {

namespace {

char lowerLatin(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// A name that is neither UTF-8 nor GBK: its GBK characters read, every other byte escaped.
// Bytes below 0x80 stand for themselves and no GBK character reads as one of them, so every
// backslash shown begins an escape or is a doubled one: the name can be told back from it.
std::string escapedName(std::string_view name) {
    constexpr char kHexDigits[] = "0123456789ABCDEF";
    std::string shown;
    for (std::size_t i = 0; i < name.size();) {
        const auto byte = static_cast<unsigned char>(name[i]);
        if (byte == '\\') {
            shown += "\\\\";
            ++i;
            continue;
        }
        if (byte < 0x80) {
            shown += name[i++];
            continue;
        }
        const std::size_t length = record::isLeadByte(byte) && i + 1 < name.size() ? 2 : 1;
        if (const auto character = record::gbkToUtf8(name.substr(i, length))) {
            shown += *character;
            i += length;
            continue;
        }
        // Only this byte: the next one may begin a character, or be the "." of the suffix.
        shown += "\\x";
        shown += kHexDigits[byte >> 4];
        shown += kHexDigits[byte & 0x0F];
        ++i;
    }
    return shown;
}

} // namespace

bool hasSuffix(std::string_view name, std::string_view suffix) {
    return name.size() > suffix.size() &&
           std::equal(suffix.begin(), suffix.end(), name.end() - suffix.size(),
                      [](char a, char b) { return lowerLatin(a) == lowerLatin(b); });
}

std::string folderOf(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string_view::npos) {
        return ".";
    }
    return slash == 0 ? "/" : std::string(path.substr(0, slash));
}

std::string_view fileNameOf(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::string pathIn(std::string_view folder, std::string_view name) {
    std::string path(folder);
    if (!path.ends_with('/')) {
        path += '/';
    }
    return path + std::string(name);
}

std::string displayFileName(std::string_view fileName) {
    if (record::isUtf8(fileName)) {
        return std::string(fileName);
    }
    if (auto gbk = record::gbkToUtf8(fileName)) {
        return *std::move(gbk);
    }
    return escapedName(fileName);
}

std::string displayPath(std::string_view path) {
    std::string shown;
    for (std::size_t start = 0; start <= path.size();) {
        const std::size_t slash = std::min(path.find('/', start), path.size());
        shown += displayFileName(path.substr(start, slash - start));
        if (slash < path.size()) {
            shown += '/';
        }
        start = slash + 1;
    }
    return shown;
}

} // namespace parvelin::disk
