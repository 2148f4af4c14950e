#include "disk/RegularFile.h"

#include "disk/CappedRead.h"
#include "disk/Descriptor.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace parvelin::disk {

std::variant<std::string, int> readAtMost(int descriptor, std::size_t maxBytes,
                                          std::size_t expected) {
    int error = 0;
    std::optional<std::string> content = readCapped(
        maxBytes, expected, [&](char* into, std::size_t room) -> std::optional<std::size_t> {
            for (;;) {
                const ssize_t got = ::read(descriptor, into, room);
                if (got >= 0) {
                    return static_cast<std::size_t>(got);
                }
                if (errno != EINTR) {
                    error = errno;
                    return std::nullopt;
                }
            }
        });
    if (!content) {
        return error;
    }
    return std::move(*content);
}

// The Windows build opens files through the system's wide calls (RegularFileWindows.cpp).
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

} // namespace parvelin::disk
