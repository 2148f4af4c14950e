// The temporary file on Windows. It is marked for deletion as soon as it is made, so that the
// system removes it however the program ends (closed, ended from the task manager, a crash)
// while it holds the applicant; the mark is taken back only once the whole content is written,
// just before the file takes its name.

#include "disk/PathNames.h"
#include "disk/TemporaryFile.h"
#include "disk/TemporaryFileName.h"
#include "disk/WindowsFiles.h"

#include <fcntl.h>
#include <io.h>
#include <random>
#include <string_view>
#include <windows.h>

namespace parvelin::disk {

namespace {

constexpr int kMostTries = 100;

std::string randomName() {
    constexpr std::string_view kLetters =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    thread_local std::random_device source;
    std::uniform_int_distribution<std::size_t> pick(0, kLetters.size() - 1);
    std::string name(kTemporaryNamePrefix);
    for (std::size_t i = 0; i < kTemporaryNameLetters; ++i) {
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

} // namespace parvelin::disk
