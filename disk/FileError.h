#pragma once

#include <string>
#include <string_view>

namespace parvelin::disk {

// Why a file could not be read or written, and which file.
enum class FileFault {
    NoSpace,           // ENOSPC, EDQUOT, EFBIG: the disk, the quota or the file-size limit is full
    NoWritePermission, // EACCES, EPERM, EROFS while writing
    NoReadPermission,  // EACCES, EPERM while reading
    NotFound,          // ENOENT, ENOTDIR: the file or a folder on its path is missing
    NotRegularFile,    // a folder, a FIFO, a device: never a data file
    TooLarge,          // larger than any data file the program writes
    OwnerNotKept,      // a file replaced would change its owner or group, which is not allowed
    FolderNotPrivate,  // a save folder of another user, or one that others may write into
    ForeignLink,       // a symbolic link another user made, or could change, on the way to the file
    LinkAppeared,      // an opened file replaced by a symbolic link since it was opened
    LinkRedirected,    // the symbolic link a file was opened through leads elsewhere now
    OwnerNotGiven,     // a new file could not be given to the owner of its folder
    SameAsInput,       // an output that would replace the file it is made from
    InUse,             // another program holds the file open and lets no one replace it
    PathTooLong,       // the path is longer than the system takes
    Other,             // any other error number, described by the system
};

struct FileError {
    FileFault fault = FileFault::Other;
    int errorNumber = 0; // errno where the system reported one, else 0
    std::string path;
    std::string target{}; // where a refused symbolic link at `path` leads
};

enum class FileAccess { Read, Write };

// The fault of a system error number met while reading or writing.
FileError fileErrorOf(int errorNumber, FileAccess access, std::string path);

// The cause in Chinese, then the file's path: "磁盘空间不足（/home/a/x.zbdw）", and for a refused
// link where it leads: "（/tmp/x.zbdw → /home/a/y.zbdw）". Texts are UTF-8; a name of the path
// that is not UTF-8 is shown as GBK (displayPath).
std::string describe(const FileError& error);

} // namespace parvelin::disk
