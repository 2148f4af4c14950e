#include "disk/AtomicFile.h"

#include "disk/TemporaryFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace parvelin::disk {

namespace {

// Gives the temporary file the owner and group of the file it replaces (a save by root, or by a
// member of the file's group, must not take the file from its owner), or of the folder it goes
// into.
bool takeOwnerOf(int descriptor, const struct stat& owned) {
    struct stat made {};
    if (::fstat(descriptor, &made) != 0) {
        return false;
    }
    if (made.st_uid == owned.st_uid && made.st_gid == owned.st_gid) {
        return true;
    }
    return ::fchown(descriptor, made.st_uid == owned.st_uid ? static_cast<uid_t>(-1) : owned.st_uid,
                    made.st_gid == owned.st_gid ? static_cast<gid_t>(-1) : owned.st_gid) == 0;
}

} // namespace

bool giveToFolderOwner(int descriptor, const struct stat& folder) {
    return ::geteuid() != 0 || folder.st_uid == 0 || takeOwnerOf(descriptor, folder);
}

bool writeAll(int descriptor, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(descriptor, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            if (written == 0) {
                errno = EIO;
            }
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

std::optional<FileError> writeFileAtomically(const std::string& path, std::string_view bytes,
                                             const std::optional<OpenedPath>& opened) {
    const auto failure = [&path](int errorNumber) {
        return fileErrorOf(errorNumber, FileAccess::Write, path);
    };
    auto found = placeToWrite(path, opened);
    if (auto* refusal = std::get_if<FileError>(&found)) {
        return std::move(*refusal);
    }
    const WritePlace& place = std::get<WritePlace>(found);
    const int folder = place.folder.get();
    if (place.existing) {
        if (!S_ISREG(place.existing->st_mode)) {
            return FileError{FileFault::NotRegularFile, 0, path};
        }
        // The rename needs only the folder's permission; the file's own decides, as it would for
        // writing in place.
        if (::faccessat(folder, place.name.c_str(), W_OK, AT_EACCESS) != 0) {
            return failure(errno);
        }
    }

    removeStaleTemporaryFiles(place.folderPath);
    TemporaryFile temporary(place.folderPath);
    if (!temporary.created()) {
        return failure(errno);
    }
    if (place.existing && !takeOwnerOf(temporary.descriptor(), *place.existing)) {
        return FileError{FileFault::OwnerNotKept, errno, path};
    }
    if (!place.existing && !giveToFolderOwner(temporary.descriptor(), place.folderStatus)) {
        return FileError{FileFault::OwnerNotGiven, errno, path};
    }
    // Set outright: a umask that takes the owner's write permission would make a file that the
    // next save could not replace.
    constexpr mode_t kOwnerReadWrite = 0600;
    if (::fchmod(temporary.descriptor(),
                 place.existing ? place.existing->st_mode & 07777 : kOwnerReadWrite) != 0) {
        return failure(errno);
    }
    if (!writeAll(temporary.descriptor(), bytes) || ::fsync(temporary.descriptor()) != 0 ||
        !temporary.close() || !temporary.renameTo(folder, place.name)) {
        return failure(errno);
    }
    // The rename reaches the disk with the folder's entries; a folder that cannot be synced
    // leaves the file written all the same.
    ::fsync(folder);
    return std::nullopt;
}

} // namespace parvelin::disk
