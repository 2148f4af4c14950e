#include "disk/FolderEntries.h"

#include "disk/FolderListing.h"
#include "disk/PathNames.h"

#include <algorithm>
#include <sys/stat.h>

namespace parvelin::disk {

std::vector<FolderEntry> listFolder(const std::string& folder,
                                    const std::optional<std::string>& suffix) {
    std::vector<FolderEntry> entries;
    // A link counts as what it leads to.
    auto listing = readFolder(folder, LinksAs::Target);
    auto* found = std::get_if<FolderListing>(&listing);
    if (found == nullptr) {
        return entries;
    }
    for (FolderItem& item : found->items) {
        if (item.name.starts_with('.')) {
            continue;
        }
        const bool isFolder = S_ISDIR(item.status.st_mode);
        if (!isFolder && suffix && !hasSuffix(item.name, *suffix)) {
            continue;
        }
        std::string shown = displayFileName(item.name);
        entries.push_back({std::move(item.name), std::move(shown), isFolder});
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

} // namespace parvelin::disk
