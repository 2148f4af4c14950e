#include "disk/FolderListing.h"

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <unistd.h>

namespace parvelin::disk {

std::variant<FolderListing, FileError> readFolder(const std::string& folder, LinksAs links) {
    const auto failure = [&folder](int errorNumber) {
        return fileErrorOf(errorNumber, FileAccess::Read, folder);
    };
    FolderListing listing{Descriptor(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)),
                          {}};
    if (listing.folder.get() < 0) {
        return failure(errno);
    }
    // The stream reads through a descriptor of its own, so the listing's stays open after it.
    const int streamDescriptor = ::fcntl(listing.folder.get(), F_DUPFD_CLOEXEC, 0);
    if (streamDescriptor < 0) {
        return failure(errno);
    }
    const auto closeFolder = [](DIR* opened) { ::closedir(opened); };
    const std::unique_ptr<DIR, decltype(closeFolder)> stream(::fdopendir(streamDescriptor),
                                                             closeFolder);
    if (!stream) {
        const int errorNumber = errno;
        ::close(streamDescriptor);
        return failure(errorNumber);
    }
    const int flags = links == LinksAs::Link ? AT_SYMLINK_NOFOLLOW : 0;
    for (;;) {
        errno = 0;
        const dirent* entry = ::readdir(stream.get());
        if (entry == nullptr) {
            if (errno != 0) {
                return failure(errno);
            }
            return listing;
        }
        FolderItem item{entry->d_name, {}};
        if (item.name != "." && item.name != ".." &&
            ::fstatat(listing.folder.get(), entry->d_name, &item.status, flags) == 0) {
            listing.items.push_back(std::move(item));
        }
    }
}

std::int64_t modifiedNanoseconds(const struct stat& status) {
    constexpr std::int64_t kNanosecondsPerSecond = 1'000'000'000;
    return status.st_mtim.tv_sec * kNanosecondsPerSecond + status.st_mtim.tv_nsec;
}

bool ownedByThisUser(const struct stat& status) {
    return status.st_uid == ::geteuid();
}

void removeListed(const FolderListing& listing, const std::string& /*folder*/,
                  const std::string& name) {
    ::unlinkat(listing.folder.get(), name.c_str(), 0);
}

bool nameExists(const std::string& path) {
    struct stat status {};
    return ::lstat(path.c_str(), &status) == 0 || (errno != ENOENT && errno != ENOTDIR);
}

} // namespace parvelin::disk
