#include "disk/TemporaryFileName.h"

#include "disk/FolderListing.h"
#include "disk/TemporaryFile.h"

#include <ctime>
#include <sys/stat.h>

namespace parvelin::disk {

bool isTemporaryFileName(std::string_view name) {
    if (!name.starts_with(kTemporaryNamePrefix) ||
        name.size() != kTemporaryNamePrefix.size() + kTemporaryNameLetters) {
        return false;
    }
    for (const char c : name.substr(kTemporaryNamePrefix.size())) {
        const bool letterOrDigit =
            (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        if (!letterOrDigit) {
            return false;
        }
    }
    return true;
}

void removeStaleTemporaryFiles(const std::string& folder) {
    // A link of that name is not one of ours: it is examined, and left, as the link it is.
    auto listing = readFolder(folder, LinksAs::Link);
    const auto* found = std::get_if<FolderListing>(&listing);
    if (found == nullptr) {
        return;
    }
    const std::time_t now = std::time(nullptr);
    for (const FolderItem& item : found->items) {
        if (isTemporaryFileName(item.name) && S_ISREG(item.status.st_mode) &&
            ownedByThisUser(item.status) &&
            now - item.status.st_mtime > kTemporaryFileStaleAfterSeconds) {
            removeListed(*found, folder, item.name);
        }
    }
}

} // namespace parvelin::disk
