#pragma once

#include "disk/FileError.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace parvelin::disk {

// The Windows side of the disk code: paths are UTF-8 in the program and UTF-16 at the system, so
// that Chinese file names work whatever the system's code page; the system's error codes become
// the same faults, said with the same causes, as on Linux.

// A UTF-8 path as the wide calls take it, "/" turned into "\"; empty where the path is no UTF-8.
std::wstring widePath(std::string_view path);

// A name or path from a wide call as UTF-8, "\" turned into "/".
std::string narrowPath(std::wstring_view path);

// The fault of an error code of the system (GetLastError) met while reading or writing `path`.
FileError windowsFileError(unsigned long code, FileAccess access, std::string path);

// What the system says of a name: whether it is there, a folder, a link (a reparse point), read
// only; its size and last write in nanoseconds since 1970.
struct WindowsEntry {
    bool folder = false;
    bool link = false;
    bool readOnly = false;
    std::uint64_t size = 0;
    std::int64_t modifiedNanoseconds = 0;
};
// std::nullopt with GetLastError set where the name cannot be examined.
std::optional<WindowsEntry> windowsEntryOf(const std::string& path);

// Nanoseconds since 1970 of a FILETIME's two halves.
std::int64_t nanosecondsSince1970(unsigned long low, unsigned long high);

} // namespace parvelin::disk
