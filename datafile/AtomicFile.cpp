#include "datafile/AtomicFile.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace parvelin::datafile {

namespace {

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

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

// The temporary file beside the target: removed when it is dropped before it has been renamed.
class TemporaryFile {
public:
    explicit TemporaryFile(const std::string& folder)
        : m_path(folder + "/.parvelin-XXXXXX")
        , m_descriptor(mkostemp(m_path.data(), O_CLOEXEC))
        , m_named(m_descriptor >= 0) {}
    ~TemporaryFile() {
        if (m_descriptor >= 0) {
            ::close(m_descriptor);
        }
        if (m_named) {
            ::unlink(m_path.c_str());
        }
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    bool created() const { return m_descriptor >= 0; }
    int descriptor() const { return m_descriptor; }

    // Some file systems report a failed write only when the file is closed.
    bool close() {
        const int result = ::close(m_descriptor);
        m_descriptor = -1;
        return result == 0;
    }

    bool renameTo(const std::string& target) {
        if (::rename(m_path.c_str(), target.c_str()) != 0) {
            return false;
        }
        m_named = false; // the name is the target's now
        return true;
    }

private:
    std::string m_path;
    int m_descriptor;
    bool m_named;
};

// The rename reaches the disk with the folder's entries; a folder that cannot be synced leaves
// the file written all the same.
void syncFolder(const std::string& folder) {
    const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor >= 0) {
        ::fsync(descriptor);
        ::close(descriptor);
    }
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
    std::optional<mode_t> keptMode;
    struct stat existing {};
    if (::stat(target.c_str(), &existing) == 0) {
        if (!S_ISREG(existing.st_mode)) {
            return FileError{FileFault::NotRegularFile, 0, path};
        }
        keptMode = existing.st_mode & 07777;
    } else if (errno != ENOENT) {
        return failure(errno);
    }

    const std::string folder = folderOf(target);
    TemporaryFile temporary(folder); // created 0600
    if (!temporary.created()) {
        return failure(errno);
    }
    if (keptMode && ::fchmod(temporary.descriptor(), *keptMode) != 0) {
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
