#include "cli/CliSupport.h"

#include "datafile/AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <iostream>
#include <iterator>
#include <unistd.h>

namespace parvelin::cli {

namespace {

constexpr std::string_view kStandardOutput = "standard output";

int reportUnwritten(int errorNumber) {
    reportError(datafile::describe(datafile::fileErrorOf(errorNumber, datafile::FileAccess::Write,
                                                         std::string(kStandardOutput))));
    return kExitUnwritten;
}

} // namespace

std::string readStandardInput() {
    std::freopen(nullptr, "rb", stdin);
    return std::string(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
}

int writeStandardOutput(std::string_view bytes) {
    // Straight to the descriptor: nothing waits in a buffer to fail unseen at exit.
    return datafile::writeAll(STDOUT_FILENO, bytes) ? kExitOk : reportUnwritten(errno);
}

int writeOutputFile(const std::string& path, std::string_view bytes) {
    if (const auto error = datafile::writeFileAtomically(path, bytes)) {
        reportError(datafile::describe(*error));
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

std::optional<datafile::OpenedDataFile> openDataFile(const std::string& path) {
    const record::SystemClock clock;
    auto opened = datafile::openDataFile(path, record::freshRecord(clock));
    if (const auto* failure = std::get_if<datafile::OpenFailure>(&opened)) {
        reportError(failure->reason);
        return std::nullopt;
    }
    return std::get<datafile::OpenedDataFile>(std::move(opened));
}

} // namespace parvelin::cli
