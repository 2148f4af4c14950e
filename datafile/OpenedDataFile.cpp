#include "datafile/OpenedDataFile.h"

#include "datafile/DataFile.h"
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
    auto recordText = openRecord(std::get<std::string>(content));
    if (!recordText) {
        return OpenFailure{OpenFault::Damaged,
                           path + ": not a data file (it deciphers to no record)"};
    }
    record::MemberRecord record = base;
    if (const ParseStatus status = parseFileRecord(*recordText, record);
        status != ParseStatus::Ok) {
        return OpenFailure{OpenFault::Damaged, path + ": " + std::string(describe(status))};
    }
    return OpenedDataFile{*std::move(recordText), std::move(record)};
}

} // namespace parvelin::datafile
