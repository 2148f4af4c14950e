#include "datafile/PrivateFolder.h"

#include <algorithm>
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace parvelin::datafile {

namespace {

constexpr mode_t kOwnerOnly = 0700;

bool isPrivate(const struct stat& folder) {
    const bool othersWrite = (folder.st_mode & (S_IWGRP | S_IWOTH)) != 0;
    return folder.st_uid == ::geteuid() && (!othersWrite || (folder.st_mode & S_ISVTX) != 0);
}

} // namespace

std::variant<std::string, FileError> makePrivateFolders(const std::string& base,
                                                        const std::string& relative) {
    // The base and the folders above it, as `mkdir -p` makes them.
    for (std::size_t slash = base.find('/', 1);; slash = base.find('/', slash + 1)) {
        const std::string level = base.substr(0, slash);
        if (::mkdir(level.c_str(), kOwnerOnly) != 0 && errno != EEXIST) {
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
        path += "/" + relative.substr(start, end - start);
        start = end + 1;
        if (::mkdir(path.c_str(), kOwnerOnly) == 0) {
            continue; // made here: the user's own, closed to others
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
        if (!isPrivate(folder)) {
            return FileError{FileFault::FolderNotPrivate, 0, path};
        }
    }
    return path;
}

} // namespace parvelin::datafile
