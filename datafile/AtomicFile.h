#pragma once

#include "datafile/FileError.h"

#include <optional>
#include <string>
#include <string_view>

namespace parvelin::datafile {

// Every byte to an open file descriptor, written again after an interruption or a partial
// write. False on failure, with errno saying why.
[[nodiscard]] bool writeAll(int descriptor, std::string_view bytes);

// Writes `bytes` as the whole new content of the file at `path`, or leaves everything as it was.
// The bytes go into a temporary file in the target's folder; every write, the flush to the disk
// and the close are checked, and only then is the temporary file renamed over the target, so a
// reader finds the old content or the new, never a part. On any failure the temporary file is
// removed, the target keeps its content, and the error says why.
//
// Data files hold identity numbers and birth dates: a new file is readable and writable by its
// owner only (0600); a file that is replaced keeps its owner, group and mode, and is replaced only
// where the user may write to it (not merely into its folder). A symbolic link is followed, and
// the file it names is replaced. A target that exists but is no regular file (a folder, a FIFO, a
// device) is refused before anything is written. The temporary file is handled as TemporaryFile
// says: no copy of the applicant stays behind.
[[nodiscard]] std::optional<FileError> writeFileAtomically(const std::string& path,
                                                           std::string_view bytes);

} // namespace parvelin::datafile
