// Save's folders on Windows. A folder made in the user's documents takes their permissions (the
// user's own, and the administrators'); Windows has no owner and mode to check them by, so a
// folder is taken where it is a folder, and its permissions are left to the system.

#include "disk/PrivateFolder.h"
#include "disk/WindowsFiles.h"

#include <algorithm>
#include <cerrno>
#include <windows.h>

namespace parvelin::disk {

namespace {

// Makes the folder `path` where it is missing; an existing file of its name is no folder.
std::optional<FileError> madeFolder(const std::string& path) {
    if (::CreateDirectoryW(widePath(path).c_str(), nullptr)) {
        return std::nullopt;
    }
    const DWORD code = ::GetLastError();
    if (code != ERROR_ALREADY_EXISTS) {
        return windowsFileError(code, FileAccess::Write, path);
    }
    return checkSaveFolder(path);
}

// Where the names of a path begin that may be made: after the drive ("C:/") or the share
// ("//server/share/").
std::size_t firstMadeName(const std::string& path) {
    if (path.size() >= 2 && path[1] == ':') {
        return path.size() > 2 ? 3 : 2;
    }
    if (path.starts_with("//")) {
        const std::size_t server = path.find('/', 2);
        const std::size_t share =
            server == std::string::npos ? std::string::npos : path.find('/', server + 1);
        return share == std::string::npos ? path.size() : share + 1;
    }
    return path.starts_with('/') ? 1 : 0;
}

} // namespace

std::optional<FileError> checkSaveFolder(const std::string& folder) {
    const auto entry = windowsEntryOf(folder);
    if (!entry) {
        return windowsFileError(::GetLastError(), FileAccess::Write, folder);
    }
    if (!entry->folder) {
        return fileErrorOf(ENOTDIR, FileAccess::Write, folder);
    }
    return std::nullopt;
}

std::variant<std::string, FileError> makePrivateFolders(const std::string& base,
                                                        const std::string& relative) {
    std::string path;
    for (char c : base) {
        path += c == '\\' ? '/' : c;
    }
    while (path.size() > 1 && path.ends_with('/') && !(path.size() == 3 && path[1] == ':')) {
        path.pop_back();
    }
    // The base and the folders above it, as `mkdir -p` makes them.
    for (std::size_t slash = path.find('/', firstMadeName(path));;
         slash = path.find('/', slash + 1)) {
        const std::string level = path.substr(0, slash);
        if (level.size() > firstMadeName(path) || slash == std::string::npos) {
            if (auto error = madeFolder(level)) {
                return *std::move(error);
            }
        }
        if (slash == std::string::npos) {
            break;
        }
    }
    std::size_t start = 0;
    while (start <= relative.size()) {
        const std::size_t end = std::min(relative.find('/', start), relative.size());
        path += "/" + relative.substr(start, end - start);
        start = end + 1;
        if (auto error = madeFolder(path)) {
            return *std::move(error);
        }
    }
    return path;
}

} // namespace parvelin::disk
