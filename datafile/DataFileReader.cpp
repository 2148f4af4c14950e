#include "datafile/DataFileReader.h"

#include "datafile/DataFile.h"
#include "datafile/Descriptor.h"
#include "datafile/FileLinks.h"
#include "datafile/FolderEntries.h"
#include "datafile/ListedFile.h"
#include "datafile/PathNames.h"
#include "datafile/RecordText.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <variant>

namespace parvelin::datafile {

namespace {

std::variant<FileSnapshot, FileError> readSnapshot(const std::string& path) {
    std::optional<std::string> linkedFile = linkedFileOf(path);
    struct stat status {};
    auto content = readDataFile(path, &status);
    if (auto* error = std::get_if<FileError>(&content)) {
        return std::move(*error);
    }
    return FileSnapshot{status.st_dev,
                        status.st_ino,
                        status.st_size,
                        modifiedNanoseconds(status),
                        std::get<std::string>(std::move(content)),
                        std::move(linkedFile)};
}

} // namespace

std::variant<std::string, int> readAtMost(int descriptor, std::size_t maxBytes,
                                          std::size_t expected) {
    std::string content(std::min(expected, maxBytes) + 1, '\0');
    std::size_t filled = 0;
    for (;;) {
        if (filled == content.size()) {
            if (filled > maxBytes) {
                break;
            }
            content.resize(std::min(content.size() * 2, maxBytes + 1));
        }
        const ssize_t got = ::read(descriptor, content.data() + filled, content.size() - filled);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return errno;
        }
        if (got == 0) {
            break;
        }
        filled += static_cast<std::size_t>(got);
    }
    content.resize(filled);
    return content;
}

// The Windows build opens files through the system's wide calls (DataFileReaderWindows.cpp).
#ifndef _WIN32
std::variant<std::string, FileError> readRegularFile(const std::string& path, std::size_t maxBytes,
                                                     struct stat* read) {
    const auto failure = [&path](int errorNumber) {
        return fileErrorOf(errorNumber, FileAccess::Read, path);
    };
    const auto refusal = [&path](FileFault fault) { return FileError{fault, 0, path}; };

    // Opening a device can have effects of its own, and a FIFO waits for a writer: look first.
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        return failure(errno);
    }
    if (!S_ISREG(status.st_mode)) {
        return refusal(FileFault::NotRegularFile);
    }
    // The path may have been replaced in between; the opened file is what counts.
    const Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (file.get() < 0) {
        return failure(errno);
    }
    if (::fstat(file.get(), &status) != 0) {
        return failure(errno);
    }
    if (!S_ISREG(status.st_mode)) {
        return refusal(FileFault::NotRegularFile);
    }
    if (static_cast<std::size_t>(status.st_size) > maxBytes) {
        return refusal(FileFault::TooLarge);
    }

    // A file that has grown since beyond the cap reads one byte too many.
    auto content = readAtMost(file.get(), maxBytes, static_cast<std::size_t>(status.st_size));
    if (const int* errorNumber = std::get_if<int>(&content)) {
        return failure(*errorNumber);
    }
    if (std::get<std::string>(content).size() > maxBytes) {
        return refusal(FileFault::TooLarge);
    }
    if (read != nullptr) {
        *read = status;
    }
    return std::get<std::string>(std::move(content));
}
#endif

std::variant<std::string, FileError> readDataFile(const std::string& path, struct stat* status) {
    return readRegularFile(path, largestDataFile(), status);
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
        return OpenFailure{fault, describe(*error)};
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
                           std::string(cause) + "（" + displayPath(source) + "）"};
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
    return OpenedDataFile{*std::move(recordText), std::move(record), {}};
}

std::vector<FolderApplicant> readFolderApplicants(const std::string& folder) {
    // The same files as the applicants window lists, so that Save asks about what it marks.
    std::vector<FolderApplicant> applicants;
    auto listed = listDataFiles(folder);
    if (auto* files = std::get_if<std::vector<ListedFile>>(&listed)) {
        for (ListedFile& file : *files) {
            if (file.applicant) {
                applicants.push_back({std::move(file.fileName), *std::move(file.applicant)});
            }
        }
    }
    return applicants;
}

} // namespace parvelin::datafile
