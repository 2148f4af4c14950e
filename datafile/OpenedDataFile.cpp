#include "datafile/OpenedDataFile.h"

#include "datafile/DataFile.h"
#include "datafile/DataFileSize.h"
#include "datafile/RecordText.h"
#include "datafile/RegularFile.h"

namespace parvelin::datafile {

std::variant<OpenedDataFile, OpenFailure> openDataFile(const std::string& path,
                                                       const record::MemberRecord& base) {
    const auto content = readDataFile(path);
    if (const auto* error = std::get_if<FileError>(&content)) {
        // A file larger than any data file was readable, but it is not one.
        const OpenFault fault =
            error->fault == FileFault::TooLarge ? OpenFault::Damaged : OpenFault::Unreadable;
        return OpenFailure{fault, describe(*error)};
    }
    return openDataFileContent(std::get<std::string>(content), path, base);
}

std::variant<OpenedDataFile, OpenFailure> openDataFileContent(std::string_view content,
                                                              const std::string& source,
                                                              const record::MemberRecord& base) {
    const auto damaged = [&source](std::string_view cause) {
        return OpenFailure{OpenFault::Damaged, std::string(cause) + "（" + source + "）"};
    };
    if (content.size() > largestDataFile()) {
        return OpenFailure{OpenFault::Damaged, describe(FileError{FileFault::TooLarge, 0, source})};
    }
    auto recordText = openRecord(content);
    if (!recordText) {
        return damaged("不是数据文件（解密后没有记录）");
    }
    record::MemberRecord record = base;
    if (const ParseStatus status = parseFileRecord(*recordText, record);
        status != ParseStatus::Ok) {
        return damaged(describe(status));
    }
    return OpenedDataFile{*std::move(recordText), std::move(record)};
}

} // namespace parvelin::datafile
