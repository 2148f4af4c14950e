#pragma once

#include "disk/FileError.h"
#include "disk/FileLinks.h"

#include <optional>
#include <string>
#include <string_view>
#include <sys/stat.h>

namespace parvelin::disk {

// Every byte to an open file descriptor, written again after an interruption or a partial
// write. False on failure, with errno saying why.
[[nodiscard]] bool writeAll(int descriptor, std::string_view bytes);

// A new file that root makes in a folder of another user is given to that user, with the folder's
// group: root saves for a clerk, and the clerk must be able to open it. Nothing changes for any
// other user or folder. False with errno where the file cannot be given.
[[nodiscard]] bool giveToFolderOwner(int descriptor, const struct stat& folder);

// Writes `bytes` as the whole new content of the file at `path`, or leaves everything as it was.
// The bytes go into a temporary file in the target's folder; every write, the flush to the disk
// and the close are checked, and only then is the temporary file renamed over the target, so a
// reader finds the old content or the new, never a part. On any failure the temporary file is
// removed, the target keeps its content, and the error says why.
//
// Data files hold identity numbers and birth dates: a new file is readable and writable by its
// owner only (0600); a file that is replaced keeps its owner, group and mode, and is replaced only
// where the user may write to it (not merely into its folder); a new file is given to the
// folder's owner as giveToFolderOwner says. A symbolic link at the path is followed only as
// FileLinks allows (`opened` where the file was read through the same path before), and the file it
// names is replaced; the link stays. A target that exists but is no regular file (a folder, a FIFO,
// a device) is refused before anything is written. The temporary file is handled as TemporaryFile
// says: no copy of the applicant stays behind.
//
// The checks and the rename go through the folder's descriptor, and the rename replaces a name
// and never follows one: a link put in the file's place after the checks is replaced by the file,
// and its target is left alone.
[[nodiscard]] std::optional<FileError>
writeFileAtomically(const std::string& path, std::string_view bytes,
                    const std::optional<OpenedPath>& opened = std::nullopt);

} // namespace parvelin::disk
