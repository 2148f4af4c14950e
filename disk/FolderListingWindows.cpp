// A folder's entries on Windows, read through the system's wide calls so that Chinese names
// come as they are whatever the code page.

#include "disk/FolderListing.h"
#include "disk/PathNames.h"
#include "disk/WindowsFiles.h"

#include <algorithm>
#include <windows.h>

namespace parvelin::disk {

namespace {

constexpr std::int64_t kNanosecondsPerSecond = 1'000'000'000;

// A link (a reparse point) described as itself is neither folder nor file: its mode names no kind.
struct stat statusOf(const WIN32_FIND_DATAW& found, LinksAs links) {
    struct stat status {};
    const bool folder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    const bool readOnly = (found.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0;
    const bool link = (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    const int kind = link && links == LinksAs::Link ? 0 : folder ? S_IFDIR : S_IFREG;
    status.st_mode = static_cast<unsigned short>(kind | S_IREAD | (readOnly ? 0 : S_IWRITE));
    const std::uint64_t size =
        (static_cast<std::uint64_t>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
    // A size beyond what stat holds here stays beyond any data file.
    status.st_size = static_cast<_off_t>(std::min<std::uint64_t>(size, 0x7FFFFFFF));
    status.st_mtime =
        static_cast<time_t>(nanosecondsSince1970(found.ftLastWriteTime.dwLowDateTime,
                                                 found.ftLastWriteTime.dwHighDateTime) /
                            kNanosecondsPerSecond);
    return status;
}

} // namespace

// Windows names no folder by a descriptor: the listing's stays closed, and what is done to an entry
// goes by its path. A link (a reparse point) is described by what the listing says of it: as a
// folder or a file where it is followed, as neither where it is taken as itself.
std::variant<FolderListing, FileError> readFolder(const std::string& folder, LinksAs links) {
    WIN32_FIND_DATAW found{};
    const HANDLE search = ::FindFirstFileExW(widePath(pathIn(folder, "*")).c_str(), FindExInfoBasic,
                                             &found, FindExSearchNameMatch, nullptr, 0);
    if (search == INVALID_HANDLE_VALUE) {
        return windowsFileError(::GetLastError(), FileAccess::Read, folder);
    }
    FolderListing listing{Descriptor(-1), {}};
    do {
        std::string name = narrowPath(found.cFileName);
        if (name != "." && name != "..") {
            listing.items.push_back({std::move(name), statusOf(found, links)});
        }
    } while (::FindNextFileW(search, &found));
    const DWORD code = ::GetLastError();
    ::FindClose(search);
    if (code != ERROR_NO_MORE_FILES) {
        return windowsFileError(code, FileAccess::Read, folder);
    }
    return listing;
}

std::int64_t modifiedNanoseconds(const struct stat& status) {
    return static_cast<std::int64_t>(status.st_mtime) * kNanosecondsPerSecond;
}

bool ownedByThisUser(const struct stat& /*status*/) {
    return true; // a file here has no owner the program goes by
}

void removeListed(const FolderListing& /*listing*/, const std::string& folder,
                  const std::string& name) {
    ::DeleteFileW(widePath(pathIn(folder, name)).c_str());
}

bool nameExists(const std::string& path) {
    if (windowsEntryOf(path)) {
        return true;
    }
    const DWORD code = ::GetLastError();
    return code != ERROR_FILE_NOT_FOUND && code != ERROR_PATH_NOT_FOUND;
}

} // namespace parvelin::disk
