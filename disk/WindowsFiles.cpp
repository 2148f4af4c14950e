#include "disk/WindowsFiles.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <windows.h>

namespace parvelin::disk {

std::wstring widePath(std::string_view path) {
    if (path.empty() || path.size() > INT_MAX) {
        return {};
    }
    const int length = static_cast<int>(path.size());
    const int needed =
        ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path.data(), length, nullptr, 0);
    if (needed <= 0) {
        return {};
    }
    std::wstring wide(static_cast<std::size_t>(needed), L'\0');
    ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path.data(), length, wide.data(), needed);
    for (wchar_t& c : wide) {
        if (c == L'/') {
            c = L'\\';
        }
    }
    return wide;
}

std::string narrowPath(std::wstring_view path) {
    if (path.empty()) {
        return {};
    }
    const int length = static_cast<int>(path.size());
    const int needed =
        ::WideCharToMultiByte(CP_UTF8, 0, path.data(), length, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(std::max(needed, 0)), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, path.data(), length, narrow.data(), needed, nullptr, nullptr);
    for (char& c : narrow) {
        if (c == '\\') {
            c = '/';
        }
    }
    return narrow;
}

FileError windowsFileError(unsigned long code, FileAccess access, std::string path) {
    switch (code) {
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return fileErrorOf(ENOSPC, access, std::move(path));
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_PRIVILEGE_NOT_HELD:
        return fileErrorOf(EACCES, access, std::move(path));
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_BAD_NETPATH:
    case ERROR_DIRECTORY:
        // A path beyond the system's limit is reported as one that is not found.
        if (widePath(path).size() >= MAX_PATH) {
            return {FileFault::PathTooLong, ENAMETOOLONG, std::move(path)};
        }
        return fileErrorOf(ENOENT, access, std::move(path));
    case ERROR_FILENAME_EXCED_RANGE:
        return {FileFault::PathTooLong, ENAMETOOLONG, std::move(path)};
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_USER_MAPPED_FILE:
    case ERROR_UNABLE_TO_REMOVE_REPLACED:
        return {FileFault::InUse, EBUSY, std::move(path)};
    case ERROR_INVALID_NAME:
        return fileErrorOf(EINVAL, access, std::move(path));
    default:
        return fileErrorOf(EIO, access, std::move(path));
    }
}

std::int64_t nanosecondsSince1970(unsigned long low, unsigned long high) {
    // FILETIME counts 100 ns from 1601-01-01; 1970 is 11 644 473 600 s later.
    constexpr std::int64_t kUnixEpoch = 116'444'736'000'000'000;
    const auto ticks = static_cast<std::int64_t>((static_cast<std::uint64_t>(high) << 32) | low);
    return (ticks - kUnixEpoch) * 100;
}

std::optional<WindowsEntry> windowsEntryOf(const std::string& path) {
    const std::wstring wide = widePath(path);
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (wide.empty()) {
        ::SetLastError(ERROR_INVALID_NAME);
        return std::nullopt;
    }
    if (!::GetFileAttributesExW(wide.c_str(), GetFileExInfoStandard, &data)) {
        return std::nullopt;
    }
    WindowsEntry entry;
    entry.folder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    entry.link = (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    entry.readOnly = (data.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0;
    entry.size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    entry.modifiedNanoseconds = nanosecondsSince1970(data.ftLastWriteTime.dwLowDateTime,
                                                     data.ftLastWriteTime.dwHighDateTime);
    return entry;
}

} // namespace parvelin::disk
