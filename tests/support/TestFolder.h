#pragma once

#include "record/GbkText.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#ifdef _WIN32
#include <random>
#include <windows.h>
#else
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#endif

namespace parvelin::test {

// Files of the tests on either system, named as the program names them: paths are the system's
// bytes on Linux and UTF-8 with "/" on Windows, where the wide calls take them as UTF-16.

// A path of the program as std::filesystem takes it.
inline std::filesystem::path pathOf(const std::string& path) {
#ifdef _WIN32
    return std::filesystem::path(std::u8string(path.begin(), path.end()));
#else
    return path;
#endif
}

// A std::filesystem path as the program names it.
inline std::string pathName(const std::filesystem::path& path) {
#ifdef _WIN32
    const std::u8string utf8 = path.generic_u8string();
    return std::string(utf8.begin(), utf8.end());
#else
    return path.string();
#endif
}

// A Chinese file name as the system holds it: GBK bytes, as an archive made on a Chinese system
// brings them, on Linux; Unicode (UTF-8 in the program) on Windows.
inline std::string chineseFileName(std::string_view utf8) {
#ifdef _WIN32
    return std::string(utf8);
#else
    return record::gbk(utf8);
#endif
}

// A new folder of the test's own in the system's temporary folder, closed to others where the
// system has modes: its path, or "" where none could be made.
inline std::string makeTestFolder(std::string_view prefix) {
#ifdef _WIN32
    wchar_t temporary[MAX_PATH + 1];
    if (::GetTempPathW(MAX_PATH + 1, temporary) == 0) {
        return {};
    }
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::filesystem::path folder = std::filesystem::path(temporary) /
                                             (std::string(prefix) + "-" + std::to_string(random()));
        if (::CreateDirectoryW(folder.c_str(), nullptr)) {
            const std::u8string utf8 = folder.generic_u8string();
            return std::string(utf8.begin(), utf8.end());
        }
        if (::GetLastError() != ERROR_ALREADY_EXISTS) {
            return {};
        }
    }
    return {};
#else
    std::string pattern = (std::filesystem::temp_directory_path() / prefix).string() + "-XXXXXX";
    return mkdtemp(pattern.data()) != nullptr ? pattern : std::string();
#endif
}

// A file of `content`, made or emptied first.
inline void writeTestFile(const std::string& path, std::string_view content) {
    std::ofstream(pathOf(path), std::ios::binary | std::ios::trunc) << content;
}

// The file's last write set to `seconds` and `nanoseconds` since 1970 (to 100 ns on Windows);
// false where the system refused.
inline bool setModified(const std::string& path, std::int64_t seconds, long nanoseconds) {
#ifdef _WIN32
    const HANDLE file = ::CreateFileW(pathOf(path).c_str(), FILE_WRITE_ATTRIBUTES,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    constexpr std::uint64_t kTicksFrom1601To1970 = 116'444'736'000'000'000;
    const std::uint64_t ticks = kTicksFrom1601To1970 +
                                static_cast<std::uint64_t>(seconds) * 10'000'000 +
                                static_cast<std::uint64_t>(nanoseconds) / 100;
    const FILETIME when{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    const bool set = ::SetFileTime(file, nullptr, &when, &when) != 0;
    ::CloseHandle(file);
    return set;
#else
    const timespec times[2] = {{static_cast<time_t>(seconds), nanoseconds},
                               {static_cast<time_t>(seconds), nanoseconds}};
    return utimensat(AT_FDCWD, path.c_str(), times, 0) == 0;
#endif
}

} // namespace parvelin::test
