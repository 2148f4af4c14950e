// The temporary file on Windows. It is marked for deletion as soon as it is made, so that the
// system removes it however the program ends (closed, ended from the task manager, a crash)
// while it holds the applicant; the mark is taken back only once the whole content is written,
// just before the file takes its name.

#include "disk/PathNames.h"
#include "disk/TemporaryFile.h"
#include "disk/WindowsFiles.h"

#include <fcntl.h>
#include <io.h>
#include <random>
#include <string_view>
#include <windows.h>

namespace parvelin::disk {

namespace {

constexpr std::string_view kNamePrefix = ".parvelin-";
constexpr std::size_t kRandomLetters = 6;
constexpr int kMostTries = 100;
constexpr std::int64_t kStaleAfterNanoseconds = 60'000'000'000;

bool isTemporaryFileName(std::string_view name) {
    if (!name.starts_with(kNamePrefix) || name.size() != kNamePrefix.size() + kRandomLetters) {
        return false;
    }
    for (const char c : name.substr(kNamePrefix.size())) {
        const bool letterOrDigit =
            (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        if (!letterOrDigit) {
            return false;
        }
    }
    return true;
}

std::string randomName() {
    constexpr std::string_view kLetters =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    thread_local std::random_device source;
    std::uniform_int_distribution<std::size_t> pick(0, kLetters.size() - 1);
    std::string name(kNamePrefix);
    for (std::size_t i = 0; i < kRandomLetters; ++i) {
        name += kLetters[pick(source)];
    }
    return name;
}

bool markForDeletion(HANDLE file, bool deleted) {
    FILE_DISPOSITION_INFO disposition{};
    disposition.DeleteFile = deleted ? TRUE : FALSE;
    return ::SetFileInformationByHandle(file, FileDispositionInfo, &disposition,
                                        sizeof disposition) != 0;
}

} // namespace

TemporaryFile::TemporaryFile(const std::string& folder)
    : m_descriptor(-1)
    , m_named(false) {
    for (int tries = 0; tries < kMostTries; ++tries) {
        m_path = pathIn(folder, randomName());
        const HANDLE file = ::CreateFileW(widePath(m_path).c_str(), GENERIC_WRITE | DELETE, 0,
                                          nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            if (::GetLastError() == ERROR_FILE_EXISTS) {
                continue;
            }
            return;
        }
        if (!markForDeletion(file, true)) {
            const DWORD error = ::GetLastError();
            ::CloseHandle(file);
            ::DeleteFileW(widePath(m_path).c_str());
            ::SetLastError(error);
            return;
        }
        m_descriptor = ::_open_osfhandle(reinterpret_cast<intptr_t>(file), _O_WRONLY | _O_BINARY);
        if (m_descriptor < 0) {
            ::CloseHandle(file);
            ::SetLastError(ERROR_TOO_MANY_OPEN_FILES);
            return;
        }
        m_named = true;
        return;
    }
}

TemporaryFile::~TemporaryFile() {
    if (m_descriptor >= 0) {
        ::_close(m_descriptor); // still marked: the system removes it
    }
    if (m_named) {
        ::DeleteFileW(widePath(m_path).c_str());
    }
}

bool TemporaryFile::close() {
    const auto file = reinterpret_cast<HANDLE>(::_get_osfhandle(m_descriptor));
    const bool kept = markForDeletion(file, false);
    const DWORD error = ::GetLastError();
    const int result = ::_close(m_descriptor);
    m_descriptor = -1;
    if (!kept) {
        ::SetLastError(error);
    }
    return kept && result == 0;
}

bool TemporaryFile::renameTo(int /*folder: the path names it on Windows*/,
                             const std::string& target) {
    const std::wstring from = widePath(m_path);
    const std::wstring to = widePath(pathIn(folderOf(m_path), target));
    // One step that either happens or not, and returns only once it is on the disk; the file
    // has the permissions it inherited from the folder, as the one it replaces had. (ReplaceFileW
    // would keep the old file's own, but leaves files of its own behind where it fails.)
    if (!::MoveFileExW(from.c_str(), to.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return false;
    }
    m_named = false;
    return true;
}

void removeStaleTemporaryFiles(const std::string& folder) {
    WIN32_FIND_DATAW found{};
    const HANDLE search =
        ::FindFirstFileExW(widePath(pathIn(folder, std::string(kNamePrefix) + "*")).c_str(),
                           FindExInfoBasic, &found, FindExSearchNameMatch, nullptr, 0);
    if (search == INVALID_HANDLE_VALUE) {
        return;
    }
    FILETIME nowTime{};
    ::GetSystemTimeAsFileTime(&nowTime);
    const std::int64_t now = nanosecondsSince1970(nowTime.dwLowDateTime, nowTime.dwHighDateTime);
    do {
        const std::string name = narrowPath(found.cFileName);
        constexpr DWORD kNotAFile = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT;
        const std::int64_t written = nanosecondsSince1970(found.ftLastWriteTime.dwLowDateTime,
                                                          found.ftLastWriteTime.dwHighDateTime);
        if (isTemporaryFileName(name) && (found.dwFileAttributes & kNotAFile) == 0 &&
            now - written > kStaleAfterNanoseconds) {
            ::DeleteFileW(widePath(pathIn(folder, name)).c_str());
        }
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
}

} // namespace parvelin::disk
