// Reading a file on Windows: only files on a disk (never a folder, a device such as CON or a
// pipe), never more than the largest data file.

#include "disk/CappedRead.h"
#include "disk/RegularFile.h"
#include "disk/WindowsFiles.h"

#include <algorithm>
#include <windows.h>

namespace parvelin::disk {

namespace {

class Handle {
public:
    explicit Handle(HANDLE handle)
        : m_handle(handle) {}
    ~Handle() {
        if (m_handle != INVALID_HANDLE_VALUE) {
            ::CloseHandle(m_handle);
        }
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    HANDLE get() const { return m_handle; }

private:
    HANDLE m_handle;
};

} // namespace

std::variant<std::string, FileError> readRegularFile(const std::string& path, std::size_t maxBytes,
                                                     struct stat* read) {
    const auto failure = [&path] {
        return windowsFileError(::GetLastError(), FileAccess::Read, path);
    };
    const auto refusal = [&path](FileFault fault) { return FileError{fault, 0, path}; };

    // A folder does not open as a file; a device (NUL, CON) has no attributes to look at, and is
    // told by its type once it is open, before a byte is read.
    if (const auto entry = windowsEntryOf(path); entry && entry->folder) {
        return refusal(FileFault::NotRegularFile);
    }
    // Others may go on reading and writing it; a save elsewhere replaces it whole.
    const Handle file(::CreateFileW(widePath(path).c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) {
        return failure();
    }
    BY_HANDLE_FILE_INFORMATION information{};
    if (::GetFileType(file.get()) != FILE_TYPE_DISK ||
        !::GetFileInformationByHandle(file.get(), &information) ||
        (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return refusal(FileFault::NotRegularFile);
    }
    const std::uint64_t size =
        (static_cast<std::uint64_t>(information.nFileSizeHigh) << 32) | information.nFileSizeLow;
    if (size > maxBytes) {
        return refusal(FileFault::TooLarge);
    }
    // A file that has grown since beyond the cap reads one byte too many.
    DWORD error = 0;
    std::optional<std::string> content =
        readCapped(maxBytes, static_cast<std::size_t>(size),
                   [&](char* into, std::size_t room) -> std::optional<std::size_t> {
                       DWORD got = 0;
                       const auto wanted =
                           static_cast<DWORD>(std::min<std::size_t>(room, 1u << 20));
                       if (!::ReadFile(file.get(), into, wanted, &got, nullptr)) {
                           error = ::GetLastError();
                           return std::nullopt;
                       }
                       return got;
                   });
    if (!content) {
        return windowsFileError(error, FileAccess::Read, path);
    }
    if (content->size() > maxBytes) {
        return refusal(FileFault::TooLarge);
    }
    if (read != nullptr) {
        *read = {};
        read->st_mode = S_IFREG | S_IREAD;
        read->st_dev = information.dwVolumeSerialNumber;
        read->st_ino = static_cast<_ino_t>(information.nFileIndexLow);
        read->st_size = static_cast<_off_t>(size);
        read->st_mtime =
            static_cast<time_t>(nanosecondsSince1970(information.ftLastWriteTime.dwLowDateTime,
                                                     information.ftLastWriteTime.dwHighDateTime) /
                                1'000'000'000);
    }
    return std::move(*content);
}

} // namespace parvelin::disk
