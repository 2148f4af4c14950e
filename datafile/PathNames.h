#pragma once

#include <string>
#include <string_view>

namespace parvelin::datafile {

// Paths as the file system holds them (bytes, a name may be GBK) and as the clerk reads them.

// The folder part of a path: "." for a bare name, "/" for a name in the root.
std::string folderOf(std::string_view path);

// The last name of a path.
std::string_view fileNameOf(std::string_view path);

// A file name for a message (UTF-8): as it is where it is UTF-8, read as GBK otherwise, as
// archives made on Chinese systems name their files.
std::string displayFileName(std::string_view fileName);

// A path for a message or a dialog (UTF-8): each of its names as displayFileName shows it, so
// that a GBK file name in a folder with a UTF-8 name reads right.
std::string displayPath(std::string_view path);

} // namespace parvelin::datafile
