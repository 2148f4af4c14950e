#include "applicants/DayFolders.h"

#include "disk/FolderListing.h"
#include "disk/PathNames.h"
#include "disk/PrivateFolder.h"

#include <algorithm>
#include <chrono>
#include <functional>
#include <sys/stat.h>

namespace parvelin::applicants {

namespace {

constexpr std::string_view kSaveRoot = "Lorvane";
// The static, shared part of the file system (Filesystem Hierarchy Standard).
constexpr std::string_view kSystemProgramFolders[] = {"/usr", "/bin", "/sbin", "/opt"};

bool isDayName(std::string_view name) {
    // yyyy-mm-dd, as datedSaveFolder names the day folders.
    constexpr std::string_view kPattern = "dddd-dd-dd";
    if (name.size() != kPattern.size()) {
        return false;
    }
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (kPattern[i] == 'd' ? !(name[i] >= '0' && name[i] <= '9') : name[i] != kPattern[i]) {
            return false;
        }
    }
    const auto number = [name](std::size_t at, std::size_t length) {
        int value = 0;
        for (const char c : name.substr(at, length)) {
            value = value * 10 + (c - '0');
        }
        return value;
    };
    return std::chrono::year_month_day(std::chrono::year(number(0, 4)),
                                       std::chrono::month(static_cast<unsigned>(number(5, 2))),
                                       std::chrono::day(static_cast<unsigned>(number(8, 2))))
        .ok();
}

} // namespace

std::string datedSaveFolder(const record::CalendarDate& date) {
    return disk::pathIn(kSaveRoot, record::formatDate(date));
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

std::variant<std::string, disk::FileError> makeDayFolder(const std::string& programFolder,
                                                         const std::string& documentsFolder,
                                                         const record::CalendarDate& day) {
    const std::string dated = datedSaveFolder(day);
    const std::string besideProgram = savesBesideProgram(programFolder) ? programFolder : "";
    for (const std::string& base : {besideProgram, documentsFolder}) {
        if (base.empty()) {
            continue;
        }
        auto made = disk::makePrivateFolders(base, dated);
        if (std::holds_alternative<std::string>(made) ||
            std::get<disk::FileError>(made).fault == disk::FileFault::FolderNotPrivate) {
            return made;
        }
    }
    return documentsFolder;
}

std::vector<std::string> dayFoldersBeside(const std::string& dayFolder) {
    std::string day = dayFolder;
    while (day.size() > 1 && day.ends_with('/')) {
        day.pop_back();
    }
    const std::string parent = disk::folderOf(day);
    auto listing = disk::readFolder(parent, disk::LinksAs::Target);
    std::vector<std::string> names;
    if (auto* found = std::get_if<disk::FolderListing>(&listing)) {
        for (disk::FolderItem& item : found->items) {
            if (S_ISDIR(item.status.st_mode) && isDayName(item.name)) {
                names.push_back(std::move(item.name));
            }
        }
    }
    std::sort(names.begin(), names.end(), std::greater<>());
    std::vector<std::string> folders;
    for (const std::string& name : names) {
        folders.push_back(disk::pathIn(parent, name));
    }
    return folders;
}

} // namespace parvelin::applicants
