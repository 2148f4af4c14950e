#include "datafile/FolderEntries.h"

#include "datafile/PathNames.h"

#include <algorithm>
#include <cerrno>
#ifndef _WIN32
#include <dirent.h>
#include <memory>
#include <sys/stat.h>
#endif

namespace parvelin::datafile {

// The Windows build lists folders through the system's own calls (FolderEntriesWindows.cpp).
#ifndef _WIN32
std::variant<std::vector<StatedEntry>, FileError> statedEntriesOf(const std::string& folder) {
    const auto closeFolder = [](DIR* opened) { ::closedir(opened); };
    const std::unique_ptr<DIR, decltype(closeFolder)> listing(::opendir(folder.c_str()),
                                                              closeFolder);
    if (!listing) {
        return fileErrorOf(errno, FileAccess::Read, folder);
    }
    std::vector<StatedEntry> entries;
    for (;;) {
        errno = 0;
        const dirent* entry = ::readdir(listing.get());
        if (entry == nullptr) {
            if (errno != 0) {
                return fileErrorOf(errno, FileAccess::Read, folder);
            }
            return entries;
        }
        StatedEntry made{entry->d_name, {}};
        if (made.name != "." && made.name != ".." &&
            ::fstatat(::dirfd(listing.get()), entry->d_name, &made.status, 0) == 0) {
            entries.push_back(std::move(made));
        }
    }
}

std::int64_t modifiedNanoseconds(const struct stat& status) {
    constexpr std::int64_t kNanosecondsPerSecond = 1'000'000'000;
    return status.st_mtim.tv_sec * kNanosecondsPerSecond + status.st_mtim.tv_nsec;
}

bool nameExists(const std::string& path) {
    struct stat status {};
    return ::lstat(path.c_str(), &status) == 0 || (errno != ENOENT && errno != ENOTDIR);
}

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
#endif

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
