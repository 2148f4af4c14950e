#pragma once

#include "datafile/FileError.h"
#include "record/MemberRecord.h"

#include <string>
#include <string_view>
#include <variant>

namespace parvelin::datafile {

// A data file read as Open reads it: its record text, and the applicant it holds (the file's
// values over those of `base`, which keeps what a file does not store).
struct OpenedDataFile {
    record::GbkString recordText;
    record::MemberRecord record;
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

} // namespace parvelin::datafile
