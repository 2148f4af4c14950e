#include "form/SaveLocation.h"

namespace parvelin::form {

namespace {

constexpr std::string_view kSaveRoot = "Lorvane";
constexpr std::string_view kNotInFileNames = "\\/:*?\"<>|";
// The static, shared part of the file system (Filesystem Hierarchy Standard).
constexpr std::string_view kSystemProgramFolders[] = {"/usr", "/bin", "/sbin", "/opt"};

} // namespace

record::GbkString defaultFileName(const record::MemberRecord& record) {
    record::GbkString name = record.groupNumber + "_" +
                             record::withNameSeparator(record, record.surnameChinese) +
                             record.givenNameChinese;
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (record::isLeadByte(static_cast<unsigned char>(name[i])) && i + 1 < name.size()) {
            ++i; // the second byte of a double-byte character is part of it, never a separator
        } else if (kNotInFileNames.find(name[i]) != std::string_view::npos) {
            name[i] = '_';
        }
    }
    return name;
}

std::string datedSaveFolder(const record::CalendarDate& date) {
    return std::string(kSaveRoot) + "/" + record::formatDate(date);
}

bool savesBesideProgram(std::string_view programFolder) {
    for (const std::string_view system : kSystemProgramFolders) {
        // Whole folder names only: "/usr2" is not below "/usr".
        if (programFolder.starts_with(system) &&
            (programFolder.size() == system.size() || programFolder[system.size()] == '/')) {
            return false;
        }
    }
    return true;
}

} // namespace parvelin::form
