#include "datafile/RegularFile.h"

#include "datafile/DataFileSize.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace parvelin::datafile {

namespace {

class Descriptor {
public:
    explicit Descriptor(int descriptor)
        : m_descriptor(descriptor) {}
    ~Descriptor() {
        if (m_descriptor >= 0) {
            ::close(m_descriptor);
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    int get() const { return m_descriptor; }

private:
    int m_descriptor;
};

} // namespace

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

    // Room for one byte more than the file holds tells a file that has grown since.
    std::string content(static_cast<std::size_t>(status.st_size) + 1, '\0');
    std::size_t filled = 0;
    for (;;) {
        if (filled == content.size()) {
            if (filled > maxBytes) {
                return refusal(FileFault::TooLarge);
            }
            content.resize(std::min(content.size() * 2, maxBytes + 1));
        }
        const ssize_t got = ::read(file.get(), content.data() + filled, content.size() - filled);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return failure(errno);
        }
        if (got == 0) {
            break;
        }
        filled += static_cast<std::size_t>(got);
    }
    content.resize(filled);
    if (read != nullptr) {
        *read = status;
    }
    return content;
}

std::variant<std::string, FileError> readDataFile(const std::string& path, struct stat* status) {
    return readRegularFile(path, largestDataFile(), status);
}

} // namespace parvelin::datafile
