#include "form/SaveLocation.h"

namespace parvelin::form {

namespace {

constexpr std::string_view kSaveRoot = "Lorvane";
constexpr std::string_view kNotInFileNames = "\\/:*?\"<>|";
constexpr int kMostNumbered = 999;
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

std::optional<std::string> freeFileName(std::string_view fileName,
                                        const std::function<bool(const std::string&)>& taken) {
    // The suffix in any case, as archives from other systems write it.
    std::string_view stem = fileName;
    if (datafile::isDataFileName(stem)) {
        stem.remove_suffix(datafile::kDataFileSuffix.size());
    }
    const std::string_view ending = fileName.substr(stem.size());
    // "(2)" of its own: numbered again from the name it was made from. No second byte of a GBK
    // character is a bracket or a digit, so the bytes are read as they are.
    if (stem.ends_with(')')) {
        const std::size_t open = stem.find_last_of('(');
        const std::string_view number = open == std::string_view::npos
                                            ? std::string_view()
                                            : stem.substr(open + 1, stem.size() - open - 2);
        if (!number.empty() && number.find_first_not_of("0123456789") == std::string_view::npos) {
            stem = stem.substr(0, open);
        }
    }
    for (int number = 2; number <= kMostNumbered; ++number) {
        std::string name =
            std::string(stem) + "(" + std::to_string(number) + ")" + std::string(ending);
        if (!taken(name)) {
            return name;
        }
    }
    return std::nullopt;
}

std::string datedSaveFolder(const record::CalendarDate& date) {
    return std::string(kSaveRoot) + "/" + record::formatDate(date);
}

bool savesBesideProgram(std::string_view programFolder) {
    // On Windows a program lives under Program Files, which is the system's, or in a folder the
    // clerk unpacked and may lose or share: the data files go into the documents folder always.
    const bool driveLetter = programFolder.size() >= 2 && programFolder[1] == ':';
    if (driveLetter || programFolder.starts_with("//") || programFolder.starts_with("\\\\")) {
        return false;
    }
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
