#include "applicants/OpenedFile.h"

#include "datafile/DataFile.h"
#include "datafile/RecordText.h"
#include "disk/FileLinks.h"
#include "disk/FolderListing.h"
#include "disk/PathNames.h"
#include "disk/RegularFile.h"

#include <sys/stat.h>
#include <variant>

namespace parvelin::applicants {

using disk::FileError;
using disk::FileFault;

namespace {

std::variant<FileSnapshot, FileError> readSnapshot(const std::string& path) {
    std::optional<std::string> linkedFile = disk::linkedFileOf(path);
    struct stat status {};
    auto content = readDataFile(path, &status);
    if (auto* error = std::get_if<FileError>(&content)) {
        return std::move(*error);
    }
    return FileSnapshot{status.st_dev,
                        status.st_ino,
                        status.st_size,
                        disk::modifiedNanoseconds(status),
                        std::get<std::string>(std::move(content)),
                        std::move(linkedFile)};
}

} // namespace

std::variant<std::string, FileError> readDataFile(const std::string& path, struct stat* status) {
    return disk::readRegularFile(path, datafile::largestDataFile(), status);
}

std::optional<FileSnapshot> snapshotOf(const std::string& path) {
    auto snapshot = readSnapshot(path);
    if (auto* file = std::get_if<FileSnapshot>(&snapshot)) {
        return std::move(*file);
    }
    return std::nullopt;
}

std::variant<OpenedDataFile, OpenFailure> openDataFile(const std::string& path,
                                                       const record::MemberRecord& base) {
    auto snapshot = readSnapshot(path);
    if (const auto* error = std::get_if<FileError>(&snapshot)) {
        // A file larger than any data file was readable, but it is not one.
        const OpenFault fault =
            error->fault == FileFault::TooLarge ? OpenFault::Damaged : OpenFault::Unreadable;
        return OpenFailure{fault, disk::describe(*error)};
    }
    FileSnapshot& file = std::get<FileSnapshot>(snapshot);
    auto opened = openDataFileContent(file.content, path, base);
    if (auto* applicant = std::get_if<OpenedDataFile>(&opened)) {
        applicant->file = std::move(file);
    }
    return opened;
}

std::variant<OpenedDataFile, OpenFailure> openDataFileContent(std::string_view content,
                                                              const std::string& source,
                                                              const record::MemberRecord& base) {
    const auto damaged = [&source](std::string_view cause) {
        return OpenFailure{OpenFault::Damaged,
                           std::string(cause) + "（" + disk::displayPath(source) + "）"};
    };
    if (content.size() > datafile::largestDataFile()) {
        return OpenFailure{OpenFault::Damaged,
                           disk::describe(FileError{FileFault::TooLarge, 0, source})};
    }
    auto recordText = datafile::openRecord(content);
    if (!recordText) {
        return damaged("不是数据文件（解密后没有记录）");
    }
    record::MemberRecord record = base;
    if (const datafile::ParseStatus status = datafile::parseFileRecord(*recordText, record);
        status != datafile::ParseStatus::Ok) {
        return damaged(datafile::describe(status));
    }
    return OpenedDataFile{*std::move(recordText), std::move(record), {}};
}

} // namespace parvelin::applicants
