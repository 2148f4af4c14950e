#include "datafile/AtomicFile.h"

#include "datafile/PathNames.h"
#include "datafile/TemporaryFile.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace parvelin::datafile {

namespace {

// The file that a path names: a symbolic link's target where the link resolves.
std::string resolvedTarget(const std::string& path) {
    struct stat link {};
    if (lstat(path.c_str(), &link) != 0 || !S_ISLNK(link.st_mode)) {
        return path;
    }
    const std::unique_ptr<char, decltype(&std::free)> resolved(realpath(path.c_str(), nullptr),
                                                               &std::free);
    return resolved ? std::string(resolved.get()) : path;
}

// The rename reaches the disk with the folder's entries; a folder that cannot be synced leaves
// the file written all the same.
void syncFolder(const std::string& folder) {
    const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor >= 0) {
        ::fsync(descriptor);
        ::close(descriptor);
    }
}

// Gives the temporary file the owner and group of the file it replaces: a save by root, or by a
// member of the file's group, must not take the file from its owner.
bool takeOwnerOf(int descriptor, const struct stat& replaced) {
    struct stat made {};
    if (::fstat(descriptor, &made) != 0) {
        return false;
    }
    if (made.st_uid == replaced.st_uid && made.st_gid == replaced.st_gid) {
        return true;
    }
    return ::fchown(descriptor,
                    made.st_uid == replaced.st_uid ? static_cast<uid_t>(-1) : replaced.st_uid,
                    made.st_gid == replaced.st_gid ? static_cast<gid_t>(-1) : replaced.st_gid) == 0;
}

} // namespace

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

std::optional<FileError> writeFileAtomically(const std::string& path, std::string_view bytes) {
    const auto failure = [&path](int errorNumber) {
        return fileErrorOf(errorNumber, FileAccess::Write, path);
    };
    const std::string target = resolvedTarget(path);
    std::optional<struct stat> replaced;
    struct stat existing {};
    if (::stat(target.c_str(), &existing) == 0) {
        if (!S_ISREG(existing.st_mode)) {
            return FileError{FileFault::NotRegularFile, 0, path};
        }
        // The rename needs only the folder's permission; the file's own decides, as it would for
        // writing in place.
        if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) {
            return failure(errno);
        }
        replaced = existing;
    } else if (errno != ENOENT) {
        return failure(errno);
    }

    const std::string folder = folderOf(target);
    removeStaleTemporaryFiles(folder);
    TemporaryFile temporary(folder);
    if (!temporary.created()) {
        return failure(errno);
    }
    if (replaced && !takeOwnerOf(temporary.descriptor(), *replaced)) {
        return FileError{FileFault::OwnerNotKept, errno, path};
    }
    // Set outright: a umask that takes the owner's write permission would make a file that the
    // next save could not replace.
    constexpr mode_t kOwnerReadWrite = 0600;
    if (::fchmod(temporary.descriptor(), replaced ? replaced->st_mode & 07777 : kOwnerReadWrite) !=
        0) {
        return failure(errno);
    }
    if (!writeAll(temporary.descriptor(), bytes) || ::fsync(temporary.descriptor()) != 0 ||
        !temporary.close() || !temporary.renameTo(target)) {
        return failure(errno);
    }
    syncFolder(folder);
    return std::nullopt;
}

} // namespace parvelin::datafile
