#pragma once

#include "datafile/PathNames.h"
#include "record/GbkText.h"
#include "record/MemberRecord.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace parvelin::form {

// Where Save proposes to put a data file, and the texts of Save and Open.

// The data files' suffix without its dot, as a file dialog takes its default suffix.
inline constexpr std::string_view kDataFileSuffix = datafile::kDataFileSuffix.substr(1);
// File dialog filters: Save offers data files only, Open data files or anything ("*": "*.*"
// would hide the files whose names have no suffix).
inline constexpr std::string_view kSaveFilter = "Data Files (*.zbdw)";
inline constexpr std::string_view kOpenFilter = "Data File (*.zbdw)";
inline constexpr std::string_view kOpenAllFilter = "All Files (*)";
constexpr bool filtersDataFiles(std::string_view filter) {
    return filter.ends_with(")") &&
           filter.substr(0, filter.size() - 1).ends_with(kDataFileSuffix) &&
           filter.substr(0, filter.size() - 1 - kDataFileSuffix.size()).ends_with("(*.");
}
static_assert(filtersDataFiles(kSaveFilter) && filtersDataFiles(kOpenFilter),
              "the filters name the data files' suffix");

// The folder of the last file saved through the Save dialog, kept in the user's settings under
// organisation "Parvelin", application "Settings".
inline constexpr std::string_view kSettingsOrganisation = "Parvelin";
inline constexpr std::string_view kSettingsApplication = "Settings";
inline constexpr std::string_view kSaveDirKey = "SaveDir";
// Beside it: whether Save keeps the group's values for the next applicant (off at first).
inline constexpr std::string_view kKeepGroupKey = "KeepGroup";

namespace message {
inline constexpr std::string_view kSaved = "保存成功！";
inline constexpr std::string_view kDamagedFile = "数据文件已损坏或格式不正确，无法打开！";
inline constexpr std::string_view kSaveFailed = "数据文件保存失败：";
// Values from a data file that are longer than typing allows, with more typed beside them, may
// make a file larger than any that Open takes: it is not written.
inline constexpr std::string_view kTooLargeToOpen =
    "数据文件过大，保存后将无法再打开。请缩短过长的内容后再保存。";
inline constexpr std::string_view kReadFailed = "无法读取数据文件：";
// Save of an opened file that was changed, replaced or removed since it was opened: the first
// answer writes over it all the same, the second chooses another file, the last (Esc) stops.
inline constexpr std::string_view kChangedSinceOpened = "数据文件打开后已被修改或删除：";
inline constexpr std::string_view kChangedSinceOpenedQuestion = "另存为新文件，还是覆盖该文件？";
inline constexpr std::string_view kOverwrite = "覆盖";
inline constexpr std::string_view kSaveAs = "另存为…";
inline constexpr std::string_view kCancel = "取消";
// A file chosen in the Save dialog holds another applicant, or is no data file: the first answer
// saves beside it under a free name ("另存为“…(2).zbdw”"), the second replaces it, the last goes
// back to the form.
inline constexpr std::string_view kSaveBeside = "另存为";
inline constexpr std::string_view kReplace = "替换";
// A file chosen in the applicants window that changed again after it was chosen (or confirmed
// there): it is neither opened nor printed as it is now, unseen.
inline constexpr std::string_view kChangedSinceChosen =
    "在申请人列表中选定后又被修改，请重新选择。";
} // namespace message

// The file name Save proposes for a checked record, without the suffix: group number, "_",
// surname with the name separator and given name, in GBK. Characters that no file name may hold
// (\ / : * ? " < > |) are proposed as "_"; the operator may still change the name.
record::GbkString defaultFileName(const record::MemberRecord& record);

// The name Save offers beside a file name that is taken ("…_王伟.zbdw"): the name with "(2)",
// "(3)", … before its suffix ("…_王伟(2).zbdw"), in place of such a number it has already, the
// first that `taken` does not claim; std::nullopt where (2) to (999) are all taken.
std::optional<std::string> freeFileName(std::string_view fileName,
                                        const std::function<bool(const std::string&)>& taken);

// The dated folder of a day's files, relative to the program's folder (or the documents folder
// where that cannot be written): "Lorvane/2012-05-17".
std::string datedSaveFolder(const record::CalendarDate& date);

// Whether Save may make its dated folders beside a program in `programFolder` (an absolute path).
// Not in the system's folders for installed programs (/usr and below, /bin, /sbin, /opt): their
// files belong to the package manager, even where the user (root) could write there, so the
// documents folder takes the data files instead. On Windows (a folder with a drive letter, or on a
// share) never: the documents folder always.
bool savesBesideProgram(std::string_view programFolder);

} // namespace parvelin::form
