#include "datafile/FolderApplicants.h"

#include "datafile/OpenedDataFile.h"
#include "record/GbkText.h"

#include <algorithm>
#include <filesystem>
#include <variant>

namespace parvelin::datafile {

namespace {

constexpr std::string_view kSuffix = ".zbdw";

// Whether the bytes are well-formed UTF-8 (RFC 3629: no overlong forms, no surrogates, at most
// U+10FFFF).
bool isUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = 0;
        char32_t code = 0;
        if (lead < 0x80) {
            ++i;
            continue;
        }
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
            code = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            code = lead & 0x0F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            code = lead & 0x07;
        } else {
            return false;
        }
        if (i + length > text.size()) {
            return false;
        }
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80) {
                return false;
            }
            code = (code << 6) | (next & 0x3F);
        }
        const char32_t lowest = length == 3 ? 0x800 : length == 4 ? 0x10000 : 0x80;
        if (code < lowest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
            return false;
        }
        i += length;
    }
    return true;
}

} // namespace

std::vector<FolderApplicant> readFolderApplicants(const std::string& folder) {
    namespace fs = std::filesystem;
    std::vector<FolderApplicant> applicants;
    std::error_code error;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        std::string name = entry->path().filename().native();
        if (name.size() <= kSuffix.size() || !name.ends_with(kSuffix)) {
            continue;
        }
        // The reading refuses what is not a regular file before it blocks on it.
        auto opened = openDataFile(entry->path().native(), record::MemberRecord{});
        if (auto* file = std::get_if<OpenedDataFile>(&opened)) {
            applicants.push_back({std::move(name), std::move(file->record)});
        }
    }
    std::sort(applicants.begin(), applicants.end(),
              [](const auto& a, const auto& b) { return a.fileName < b.fileName; });
    return applicants;
}

std::string displayFileName(std::string_view fileName) {
    return isUtf8(fileName) ? std::string(fileName) : record::gbkToUtf8Lossy(fileName);
}

} // namespace parvelin::datafile
