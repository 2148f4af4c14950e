#pragma once

#include "disk/FileError.h"
#include "record/MemberRecord.h"

#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace parvelin::applicants {

// The folders of the days: Save puts each day's data files into a folder of that day, and the
// applicants window lists a day's folder and offers the days beside it.

// The dated folder of a day's files, relative to the program's folder (or the documents folder
// where that cannot be written): "Lorvane/2012-05-17".
std::string datedSaveFolder(const record::CalendarDate& date);

// Whether Save may make its dated folders beside a program in `programFolder` (an absolute path).
// Not in the system's folders for installed programs (/usr and below, /bin, /sbin, /opt): their
// files belong to the package manager, even where the user (root) could write there, so the
// documents folder takes the data files instead. On Windows (a folder with a drive letter, or on a
// share) never: the documents folder always.
bool savesBesideProgram(std::string_view programFolder);

// The day's folder, made where it is missing: beside the program in `programFolder` where
// savesBesideProgram allows it and it can be made, else in `documentsFolder`; the documents
// folder itself when neither can be made. A day's folder that is not the user's alone is refused
// rather than passed over (FolderNotPrivate with its path): the clerk has to know. Either folder
// may be empty (unknown), and is then passed over.
std::variant<std::string, disk::FileError> makeDayFolder(const std::string& programFolder,
                                                         const std::string& documentsFolder,
                                                         const record::CalendarDate& day);

// The day folders beside `dayFolder` (the folders of its parent named yyyy-mm-dd after a real
// day, `dayFolder` itself among them when it exists), newest first, as paths.
std::vector<std::string> dayFoldersBeside(const std::string& dayFolder);

} // namespace parvelin::applicants
