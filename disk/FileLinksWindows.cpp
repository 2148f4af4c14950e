// Where a write goes on Windows. Symbolic links and junctions (reparse points) are made by
// administrators there; a write follows one only where Open read the file through it, to the
// same file, and refuses any other with where it leads.

#include "disk/FileLinks.h"
#include "disk/PathNames.h"
#include "disk/WindowsFiles.h"

#include <cerrno>
#include <windows.h>

namespace parvelin::disk {

namespace {

bool namesAFolder(std::string_view name) {
    return name.empty() || name == "." || name == "..";
}

std::string withSlashes(std::string path) {
    for (char& c : path) {
        if (c == '\\') {
            c = '/';
        }
    }
    return path;
}

// The file a reparse point leads to, every link on the way resolved; empty where it leads
// nowhere.
std::string finalPathOf(const std::string& path) {
    const HANDLE file = ::CreateFileW(widePath(path).c_str(), 0,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return {};
    }
    std::wstring final(MAX_PATH, L'\0');
    DWORD length = ::GetFinalPathNameByHandleW(file, final.data(), static_cast<DWORD>(final.size()),
                                               FILE_NAME_NORMALIZED);
    if (length >= final.size()) {
        final.resize(length + 1);
        length = ::GetFinalPathNameByHandleW(file, final.data(), static_cast<DWORD>(final.size()),
                                             FILE_NAME_NORMALIZED);
    }
    ::CloseHandle(file);
    final.resize(length < final.size() ? length : 0);
    constexpr std::wstring_view kLongPrefix = L"\\\\?\\";
    if (std::wstring_view(final).starts_with(kLongPrefix)) {
        final.erase(0, kLongPrefix.size());
    }
    return narrowPath(final);
}

struct stat statusOf(const WindowsEntry& entry) {
    struct stat status {};
    status.st_mode = static_cast<unsigned short>((entry.folder ? S_IFDIR : S_IFREG) | S_IREAD |
                                                 (entry.readOnly ? 0 : S_IWRITE));
    status.st_size = static_cast<_off_t>(entry.size);
    status.st_mtime = static_cast<time_t>(entry.modifiedNanoseconds / 1'000'000'000);
    return status;
}

} // namespace

std::optional<std::string> linkedFileOf(const std::string& path) {
    const auto entry = windowsEntryOf(path);
    if (!entry || !entry->link) {
        return std::nullopt;
    }
    return finalPathOf(path);
}

std::variant<WritePlace, FileError> placeToWrite(const std::string& path,
                                                 const std::optional<OpenedPath>& opened) {
    const auto failure = [&path](const std::string& at) {
        return windowsFileError(::GetLastError(), FileAccess::Write, at);
    };
    std::string current = withSlashes(path);
    for (int links = 0;; ++links) {
        WritePlace place;
        place.folderPath = folderOf(current);
        place.name = std::string(fileNameOf(current));
        if (namesAFolder(place.name)) {
            return FileError{FileFault::NotRegularFile, 0, path};
        }
        const auto folder = windowsEntryOf(place.folderPath);
        if (!folder) {
            return failure(path);
        }
        if (!folder->folder) {
            return fileErrorOf(ENOTDIR, FileAccess::Write, path);
        }
        place.folderStatus = statusOf(*folder);
        const auto entry = windowsEntryOf(current);
        if (!entry) {
            const DWORD code = ::GetLastError();
            if (code == ERROR_FILE_NOT_FOUND) {
                return place; // a new file
            }
            return windowsFileError(code, FileAccess::Write, path);
        }
        if (!entry->link) {
            place.existing = statusOf(*entry);
            return place;
        }
        const std::string target = finalPathOf(current);
        if (links == 0 && opened) {
            if (!opened->linkedFile) {
                return FileError{FileFault::LinkAppeared, 0, path, target};
            }
            if (target != *opened->linkedFile) {
                return FileError{FileFault::LinkRedirected, 0, path, target};
            }
        }
        if (links > 0 || !opened || target.empty()) {
            return FileError{FileFault::ForeignLink, 0, current, target};
        }
        current = target;
    }
}

} // namespace parvelin::disk
