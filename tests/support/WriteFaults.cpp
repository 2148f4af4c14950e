// Loaded with LD_PRELOAD into the command-line tool, this makes one call on a save's temporary
// file (a ".parvelin-" file) fail, as a network file system or a quota reports a failed write
// only at fsync or close. PARVELIN_FAULT names the call and what it does:
//   eio:write, eio:fsync, eio:close, eio:rename   the first such call fails with EIO (rename
//                                                 or renameat)
//   stall:fsync                                   the call waits for a signal forever, after
//                                                 creating the file PARVELIN_FAULT_MARK
// Calls on other files pass through unchanged.

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
#include <string>
#include <unistd.h>

namespace {

bool g_spent = false;

bool onTemporaryFile(int descriptor) {
    char path[4096];
    const std::string link = "/proc/self/fd/" + std::to_string(descriptor);
    const ssize_t length = readlink(link.c_str(), path, sizeof path - 1);
    if (length <= 0) {
        return false;
    }
    path[length] = '\0';
    return std::strstr(path, "/.parvelin-") != nullptr;
}

// Whether `call` on this file is to fail now; the fault is spent once it fails.
bool failsNow(const char* call, bool temporary) {
    const char* fault = std::getenv("PARVELIN_FAULT");
    if (g_spent || !temporary || fault == nullptr) {
        return false;
    }
    const char* colon = std::strchr(fault, ':');
    if (colon == nullptr || std::strcmp(colon + 1, call) != 0) {
        return false;
    }
    if (std::strncmp(fault, "stall:", 6) == 0) {
        if (const char* mark = std::getenv("PARVELIN_FAULT_MARK")) {
            std::fclose(std::fopen(mark, "w"));
        }
        for (;;) {
            pause();
        }
    }
    g_spent = true;
    errno = EIO;
    return true;
}

template <typename Function>
Function next(const char* name) {
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

} // namespace

extern "C" {

ssize_t write(int descriptor, const void* bytes, size_t count) {
    static const auto real = next<ssize_t (*)(int, const void*, size_t)>("write");
    return failsNow("write", onTemporaryFile(descriptor)) ? -1 : real(descriptor, bytes, count);
}

int fsync(int descriptor) {
    static const auto real = next<int (*)(int)>("fsync");
    return failsNow("fsync", onTemporaryFile(descriptor)) ? -1 : real(descriptor);
}

int close(int descriptor) {
    static const auto real = next<int (*)(int)>("close");
    const bool temporary = onTemporaryFile(descriptor);
    const int result = real(descriptor); // the descriptor is gone either way, as on Linux
    return failsNow("close", temporary) ? -1 : result;
}

int rename(const char* from, const char* to) {
    static const auto real = next<int (*)(const char*, const char*)>("rename");
    return failsNow("rename", std::strstr(from, "/.parvelin-") != nullptr) ? -1 : real(from, to);
}

int renameat(int fromFolder, const char* from, int toFolder, const char* to) {
    static const auto real = next<int (*)(int, const char*, int, const char*)>("renameat");
    const bool temporary =
        std::strncmp(from, ".parvelin-", 10) == 0 || std::strstr(from, "/.parvelin-") != nullptr;
    return failsNow("rename", temporary) ? -1 : real(fromFolder, from, toFolder, to);
}
}
