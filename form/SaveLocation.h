#pragma once

#include "applicants/DataFileName.h"
#include "print/PrintBatch.h"

#include <string_view>

namespace parvelin::form {

// The texts of Save and Open, and the settings that remember where the Save dialog starts.

// File dialog filters: Save offers data files only, Open data files or anything ("*": "*.*"
// would hide the files whose names have no suffix).
inline constexpr std::string_view kSaveFilter = "Data Files (*.zbdw)";
inline constexpr std::string_view kOpenFilter = "Data File (*.zbdw)";
inline constexpr std::string_view kOpenAllFilter = "All Files (*)";
constexpr bool filtersDataFiles(std::string_view filter) {
    return filter.ends_with(")") &&
           filter.substr(0, filter.size() - 1).ends_with(applicants::kDataFileSuffix) &&
           filter.substr(0, filter.size() - 1 - applicants::kDataFileSuffix.size()).ends_with("(*");
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
// there): it is neither opened nor printed as it is now, unseen. Printing says it too.
inline constexpr std::string_view kChangedSinceChosen = print::kChangedSinceChosen;
} // namespace message

} // namespace parvelin::form
