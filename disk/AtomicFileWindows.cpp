// The atomic save on Windows: the same steps as on Linux (a temporary file beside the target,
// flushed to the disk, then put in the target's place), through the system's own calls. Windows
// keeps who may read a file in its folder's inherited permissions, not in an owner and a mode:
// the rules of those are left out here.

#include "disk/AtomicFile.h"
#include "disk/TemporaryFile.h"
#include "disk/WindowsFiles.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <io.h>
#include <windows.h>

namespace parvelin::disk {

bool giveToFolderOwner(int /*descriptor*/, const struct stat& /*folder*/) {
    return true; // a new file takes its folder's permissions
}

bool writeAll(int descriptor, std::string_view bytes) {
    const auto file = reinterpret_cast<HANDLE>(::_get_osfhandle(descriptor));
    if (file == INVALID_HANDLE_VALUE) {
        errno = EBADF;
        return false;
    }
    while (!bytes.empty()) {
        DWORD written = 0;
        const auto chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), INT_MAX));
        if (!::WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) {
            const DWORD code = ::GetLastError();
            errno = code == ERROR_DISK_FULL || code == ERROR_HANDLE_DISK_FULL ? ENOSPC : EIO;
            ::SetLastError(code);
            return false;
        }
        bytes.remove_prefix(written);
    }
    return true;
}

namespace {

// Windows refuses to replace a file that another program holds open, as it refuses one the user
// may not write, with "access denied": a file that cannot even be opened to be removed, for
// sharing's sake, is the one in use.
unsigned long causeOfFailedReplace(const std::string& path, unsigned long code) {
    if (code != ERROR_ACCESS_DENIED) {
        return code;
    }
    const HANDLE file = ::CreateFileW(widePath(path).c_str(), DELETE,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        ::CloseHandle(file);
        return code;
    }
    return ::GetLastError() == ERROR_SHARING_VIOLATION ? ERROR_SHARING_VIOLATION : code;
}

} // namespace

std::optional<FileError> writeFileAtomically(const std::string& path, std::string_view bytes,
                                             const std::optional<OpenedPath>& opened) {
    const auto failure = [&path] {
        return windowsFileError(::GetLastError(), FileAccess::Write, path);
    };
    auto found = placeToWrite(path, opened);
    if (auto* refusal = std::get_if<FileError>(&found)) {
        return std::move(*refusal);
    }
    const WritePlace& place = std::get<WritePlace>(found);
    if (place.existing) {
        if (!S_ISREG(place.existing->st_mode)) {
            return FileError{FileFault::NotRegularFile, 0, path};
        }
        // A read-only file is not replaced, as it would not be written in place.
        if ((place.existing->st_mode & S_IWRITE) == 0) {
            return fileErrorOf(EACCES, FileAccess::Write, path);
        }
    }

    removeStaleTemporaryFiles(place.folderPath);
    TemporaryFile temporary(place.folderPath);
    if (!temporary.created()) {
        return failure();
    }
    if (!writeAll(temporary.descriptor(), bytes) ||
        !::FlushFileBuffers(reinterpret_cast<HANDLE>(::_get_osfhandle(temporary.descriptor()))) ||
        !temporary.close()) {
        return failure();
    }
    if (!temporary.renameTo(-1, place.name)) {
        const unsigned long code = ::GetLastError();
        return windowsFileError(causeOfFailedReplace(path, code), FileAccess::Write, path);
    }
    return std::nullopt;
}

} // namespace parvelin::disk
