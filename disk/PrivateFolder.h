#pragma once

#include "disk/FileError.h"

#include <optional>
#include <string>
#include <sys/stat.h>
#include <variant>

namespace parvelin::disk {

// The folders that Save proposes for the day's data files, below `base`: `relative` is one or more
// folder names separated by "/" ("Lorvane/2012-05-17"). The files hold applicants' personal data,
// so a folder made here is its owner's alone (0700), and one that exists already is taken only
// when it belongs to the user and is closed to others. The base folder is made where it is
// missing. Gives the full path, or why not: FolderNotPrivate with the folder's path.
std::variant<std::string, FileError> makePrivateFolders(const std::string& base,
                                                        const std::string& relative);

// Whether no one but the folder's owner may write into it: neither its group nor others, sticky
// or not. In a sticky folder such as /tmp others cannot replace what is the user's, but they can
// put a name there first (a link named like the next file), and see every name that comes.
bool closedToOthers(const struct stat& folder);

// A folder the clerk chose to save into: FolderNotPrivate with its path where others may write
// into it, the reason where it cannot be examined. It may belong to another user (root saves into
// a clerk's folder, and gives the new file to the clerk).
std::optional<FileError> checkSaveFolder(const std::string& folder);

} // namespace parvelin::disk
