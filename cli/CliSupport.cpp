#include "cli/CliSupport.h"

#include "applicants/OpenedFile.h"
#include "disk/AtomicFile.h"
#include "disk/RegularFile.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <iostream>
#include <sys/stat.h>
#include <unistd.h>

namespace parvelin::cli {

namespace {

constexpr std::string_view kStandardOutput = "标准输出";

int reportUnwritten(int errorNumber) {
    reportError(disk::describe(
        disk::fileErrorOf(errorNumber, disk::FileAccess::Write, std::string(kStandardOutput))));
    return kExitUnwritten;
}

} // namespace

bool readOptionValue(Arguments arguments, std::size_t& at, std::optional<std::string_view>& value) {
    if (value) {
        reportError(std::string(arguments[at]) + " is given twice");
        return false;
    }
    if (at + 1 >= arguments.size() || arguments[at + 1].empty()) {
        reportError(std::string(arguments[at]) + " needs a value");
        return false;
    }
    value = arguments[++at];
    return true;
}

std::optional<std::string> readStandardInput(std::size_t maxBytes) {
    auto input = disk::readAtMost(STDIN_FILENO, maxBytes);
    if (const int* errorNumber = std::get_if<int>(&input)) {
        reportError(disk::describe(
            disk::fileErrorOf(*errorNumber, disk::FileAccess::Read, std::string(kStandardInput))));
        return std::nullopt;
    }
    return std::get<std::string>(std::move(input));
}

// Windows: the standard streams and file identities through the system's calls (CliWindows.cpp).
#ifndef _WIN32
void holdClosedStandardDescriptors() {
    for (const int descriptor : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
        if (::fcntl(descriptor, F_GETFD) == -1 && errno == EBADF) {
            // The lowest free number: this one, as those below it are open.
            ::open("/dev/null", descriptor == STDIN_FILENO ? O_WRONLY : O_RDONLY);
        }
    }
}

bool outputSparesInputs(const std::string& output, std::span<const std::string> inputs,
                        bool readsStandardInput) {
    struct stat written {};
    if (::stat(output.c_str(), &written) != 0) {
        return true; // a new file is no input
    }
    const auto same = [&written](const struct stat& read) {
        return read.st_dev == written.st_dev && read.st_ino == written.st_ino;
    };
    struct stat read {};
    bool clash = readsStandardInput && ::fstat(STDIN_FILENO, &read) == 0 && same(read);
    for (const std::string& input : inputs) {
        clash = clash || (::stat(input.c_str(), &read) == 0 && same(read));
    }
    if (clash) {
        reportError(disk::describe({disk::FileFault::SameAsInput, 0, output}));
    }
    return !clash;
}
#endif

int writeStandardOutput(std::string_view bytes) {
    // Straight to the descriptor: nothing waits in a buffer to fail unseen at exit.
    return disk::writeAll(STDOUT_FILENO, bytes) ? kExitOk : reportUnwritten(errno);
}

int writeOutputFile(const std::string& path, std::string_view bytes) {
    if (const auto error = disk::writeFileAtomically(path, bytes)) {
        reportError(disk::describe(*error));
        return kExitUnwritten;
    }
    return kExitOk;
}

int finishStandardOutput(int status) {
    int failure = 0;
    errno = 0;
    if (!std::cout.flush().good() || std::fflush(stdout) != 0 || std::ferror(stdout)) {
        failure = errno != 0 ? errno : EIO;
    }
    // A file system may report a failed write only when the file is closed. A standard output
    // that was never open is no failure of a command that wrote nothing to it.
    if (::close(STDOUT_FILENO) != 0 && errno != EBADF && failure == 0) {
        failure = errno;
    }
    return failure != 0 && status == kExitOk ? reportUnwritten(failure) : status;
}

void reportError(std::string_view text) {
    std::cerr << "parvelin-cli: " << text << '\n';
}

std::optional<applicants::OpenedDataFile> openDataFile(const std::string& path) {
    const record::SystemClock clock;
    auto opened = applicants::openDataFile(path, record::freshRecord(clock));
    if (const auto* failure = std::get_if<applicants::OpenFailure>(&opened)) {
        reportError(failure->reason);
        return std::nullopt;
    }
    return std::get<applicants::OpenedDataFile>(std::move(opened));
}

} // namespace parvelin::cli
