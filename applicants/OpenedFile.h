#pragma once

#include "disk/FileError.h"
#include "record/MemberRecord.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <sys/types.h>
#include <variant>

namespace parvelin::applicants {

// A data file read as Open reads it: never more than the largest data file, opened into an
// applicant or refused with the reason, and remembered as it was read so that Save can tell
// whether it changed meanwhile.

// A data file: a regular file no larger than the largest one the form writes.
std::variant<std::string, disk::FileError> readDataFile(const std::string& path,
                                                        struct stat* status = nullptr);

// A file as it was read: which file it was (device and inode), its size and modification time,
// and its content (a data file is small: the bytes themselves are the surest digest), and whether
// its path was a symbolic link, to which file. Save compares the file on disk with the one opened,
// so that a change made meanwhile elsewhere (another window, another computer on a shared folder)
// is not overwritten unasked, and follows no link that was not there at Open.
struct FileSnapshot {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    std::int64_t modifiedNanoseconds = 0;
    std::string content;
    std::optional<std::string> linkedFile{}; // as linkedFileOf gave it before the file was read

    bool operator==(const FileSnapshot&) const = default;
};

// The data file at `path` as it is now; std::nullopt where it is gone or cannot be read.
std::optional<FileSnapshot> snapshotOf(const std::string& path);

// A data file read as Open reads it: its record text, and the applicant it holds (the file's
// values over those of `base`, which keeps what a file does not store), and the file as read.
struct OpenedDataFile {
    record::GbkString recordText;
    record::MemberRecord record;
    FileSnapshot file;
};

// Why a file did not open. A file that cannot be read (missing, not permitted, not a regular
// file) is Unreadable; one that was read but is larger than any data file, deciphers to no
// record or holds a malformed record text is Damaged. `reason` says it in one line (UTF-8) with
// the file's path.
enum class OpenFault { Unreadable, Damaged };
struct OpenFailure {
    OpenFault fault;
    std::string reason;
};

std::variant<OpenedDataFile, OpenFailure> openDataFile(const std::string& path,
                                                       const record::MemberRecord& base);

// The same for content already read from `source` (a path, or "标准输入"): what a file of this
// content would give when it is opened. Content larger than any data file is Damaged.
std::variant<OpenedDataFile, OpenFailure> openDataFileContent(std::string_view content,
                                                              const std::string& source,
                                                              const record::MemberRecord& base);

} // namespace parvelin::applicants
