#pragma once

#include "datafile/FileError.h"

#include <string>
#include <variant>

namespace parvelin::datafile {

// The folders that Save proposes for the day's data files, below `base`: `relative` is one or more
// folder names separated by "/" ("Lorvane/2012-05-17"). The files hold applicants' personal data,
// so a folder made here is its owner's alone (0700), and one that exists already is taken only
// when it belongs to the user and no one else may write into it (a sticky folder such as /tmp
// aside, where others can neither replace nor remove what is not theirs). The base folder is made
// where it is missing. Gives the full path, or why not: FolderNotPrivate with the folder's path.
std::variant<std::string, FileError> makePrivateFolders(const std::string& base,
                                                        const std::string& relative);

} // namespace parvelin::datafile
