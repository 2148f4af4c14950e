#include "disk/PrivateFolder.h"

#include "disk/PathNames.h"

#include <algorithm>
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace parvelin::disk {

namespace {

constexpr mode_t kOwnerOnly = 0700;

// Makes the folder `path`, the user's alone whatever the umask took away (a folder of mode 0500
// would take no day's folder or file). False with errno otherwise: EEXIST where the name is taken.
bool madeOwnFolder(const std::string& path) {
    return ::mkdir(path.c_str(), kOwnerOnly) == 0 && ::chmod(path.c_str(), kOwnerOnly) == 0;
}

} // namespace

bool closedToOthers(const struct stat& folder) {
    return (folder.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

std::optional<FileError> checkSaveFolder(const std::string& folder) {
    struct stat status {};
    if (::stat(folder.c_str(), &status) != 0) {
        return fileErrorOf(errno, FileAccess::Write, folder);
    }
    if (!S_ISDIR(status.st_mode)) {
        return fileErrorOf(ENOTDIR, FileAccess::Write, folder);
    }
    if (!closedToOthers(status)) {
        return FileError{FileFault::FolderNotPrivate, 0, folder};
    }
    return std::nullopt;
}

std::variant<std::string, FileError> makePrivateFolders(const std::string& base,
                                                        const std::string& relative) {
    // The base and the folders above it, as `mkdir -p` makes them.
    for (std::size_t slash = base.find('/', 1);; slash = base.find('/', slash + 1)) {
        const std::string level = base.substr(0, slash);
        if (!madeOwnFolder(level) && errno != EEXIST) {
            return fileErrorOf(errno, FileAccess::Write, level);
        }
        if (slash == std::string::npos) {
            break;
        }
    }
    std::string path = base;
    std::size_t start = 0;
    while (start <= relative.size()) {
        const std::size_t end = std::min(relative.find('/', start), relative.size());
        path = pathIn(path, relative.substr(start, end - start));
        start = end + 1;
        if (madeOwnFolder(path)) {
            continue;
        }
        if (errno != EEXIST) {
            return fileErrorOf(errno, FileAccess::Write, path);
        }
        struct stat folder {};
        if (::stat(path.c_str(), &folder) != 0) {
            return fileErrorOf(errno, FileAccess::Write, path);
        }
        if (!S_ISDIR(folder.st_mode)) {
            return fileErrorOf(ENOTDIR, FileAccess::Write, path); // a file of the folder's name
        }
        if (folder.st_uid != ::geteuid() || !closedToOthers(folder)) {
            return FileError{FileFault::FolderNotPrivate, 0, path};
        }
    }
    return path;
}

} // namespace parvelin::disk
