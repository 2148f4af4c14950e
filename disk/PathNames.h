#pragma once

#include <string>
#include <string_view>

namespace parvelin::disk {

// Paths as the file system holds them (bytes, a name may be GBK) and as the clerk reads them.

// Whether `name` ends in `suffix` after at least one other byte, Latin letters in either case:
// "a.PDF" ends in ".pdf", ".pdf" alone is a hidden file's whole name and does not.
bool hasSuffix(std::string_view name, std::string_view suffix);

// The folder part of a path: "." for a bare name, "/" for a name in the root.
std::string folderOf(std::string_view path);

// The last name of a path.
std::string_view fileNameOf(std::string_view path);

// The path of `name` inside `folder`.
std::string pathIn(std::string_view folder, std::string_view name);

// A file name for a message (UTF-8): as it is where it is UTF-8, read as GBK otherwise, as
// archives made on Chinese systems name their files. A name that is neither (a damaged name, or
// one of another code page) is read as GBK where it can be, and every other byte shows as an
// escape, "\xFE", and its backslashes as "\\": no two such names look alike (where "?" stood for
// whatever could not be read, "x\xFE.zbdw" and "x\x81.zbdw" would both show as "x?zbdw").
std::string displayFileName(std::string_view fileName);

// A path for a message or a dialog (UTF-8): each of its names as displayFileName shows it, so
// that a GBK file name in a folder with a UTF-8 name reads right.
std::string displayPath(std::string_view path);

} // namespace parvelin::disk
