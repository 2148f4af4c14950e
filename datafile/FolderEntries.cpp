#include "datafile/FolderEntries.h"

#include "datafile/PathNames.h"

#include <algorithm>
#include <dirent.h>
#include <memory>
#include <sys/stat.h>

namespace parvelin::datafile {

std::vector<FolderEntry> listFolder(const std::string& folder,
                                    const std::optional<std::string>& suffix) {
    std::vector<FolderEntry> entries;
    const auto closeFolder = [](DIR* opened) { ::closedir(opened); };
    const std::unique_ptr<DIR, decltype(closeFolder)> listing(::opendir(folder.c_str()),
                                                              closeFolder);
    if (!listing) {
        return entries;
    }
    while (const dirent* entry = ::readdir(listing.get())) {
        const std::string_view name = entry->d_name;
        if (name.starts_with('.')) {
            continue;
        }
        // A link counts as what it leads to.
        struct stat status {};
        if (::fstatat(::dirfd(listing.get()), entry->d_name, &status, 0) != 0) {
            continue;
        }
        const bool isFolder = S_ISDIR(status.st_mode);
        if (!isFolder && suffix && !hasSuffix(name, *suffix)) {
            continue;
        }
        entries.push_back({std::string(name), displayFileName(name), isFolder});
    }
    std::sort(entries.begin(), entries.end(), [](const FolderEntry& a, const FolderEntry& b) {
        return a.isFolder != b.isFolder ? a.isFolder : a.shown < b.shown;
    });
    return entries;
}

std::optional<std::string> suffixOfFilter(std::string_view filter) {
    const std::size_t open = filter.rfind("(*");
    const std::size_t close = filter.rfind(')');
    if (open == std::string_view::npos || close == std::string_view::npos || close < open + 2) {
        return std::nullopt;
    }
    const std::string_view pattern = filter.substr(open + 2, close - open - 2);
    if (pattern.empty() || pattern == ".*") {
        return std::nullopt;
    }
    return std::string(pattern);
}

} // namespace parvelin::datafile
