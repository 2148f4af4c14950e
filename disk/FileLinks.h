#pragma once

#include "disk/Descriptor.h"
#include "disk/FileError.h"

#include <optional>
#include <string>
#include <sys/stat.h>
#include <variant>

namespace parvelin::disk {

// Symbolic links on the way to a file that is written. A write follows a link only where no one
// but the user can have made it or can change it: the user's own link, in a folder that belongs
// to the user (or to root) and that no one else may write into. A write over a file that was
// opened follows, besides, only the link that was there at Open, to the same file. Any other link
// is refused with its path and where it leads, before anything is written.

// The file that a symbolic link at `path` leads to, every link on the way resolved; none where the
// path is no link. Open records it, so that Save can tell a link that appeared or turned since.
std::optional<std::string> linkedFileOf(const std::string& path);

// What Open found at the path of a file it read: the file a link there led to, or none where the
// path named the file itself.
struct OpenedPath {
    std::optional<std::string> linkedFile;
};

// Where a write of a path goes: the folder (open, so that the file is put into the very folder
// examined), the name in it, and the file of that name now, if any.
struct WritePlace {
    Descriptor folder;
    std::string folderPath;
    std::string name;
    struct stat folderStatus {};
    std::optional<struct stat> existing;
};

// The place a write of `path` goes, through the links that may be followed; `opened` where the
// write replaces a file read earlier through that path. A missing file is no error: the write
// makes it. A link that leads nowhere is replaced by the file, as before.
std::variant<WritePlace, FileError> placeToWrite(const std::string& path,
                                                 const std::optional<OpenedPath>& opened);

} // namespace parvelin::disk
