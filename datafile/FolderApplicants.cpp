#include "datafile/FolderApplicants.h"

#include "datafile/OpenedDataFile.h"

#include <algorithm>
#include <filesystem>
#include <variant>

namespace parvelin::datafile {

namespace {

constexpr std::string_view kSuffix = ".zbdw";

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

} // namespace parvelin::datafile
