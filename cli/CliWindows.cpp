// The command-line tool's ground on Windows: UTF-16 arguments, byte-exact standard streams, and
// files told apart by their volume and index, as device and inode tell them on Linux.

#include "cli/CliSupport.h"
#include "disk/FileError.h"
#include "disk/WindowsFiles.h"

#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <io.h>
#include <windows.h>

namespace parvelin::cli {

namespace {

// A file as the system tells it apart: its volume and its 128-bit id there.
struct FileIdentity {
    ULONGLONG volume = 0;
    FILE_ID_128 id{};

    // A handle that does not tell its volume (a redirected standard stream on some systems) is
    // taken by its id alone: refusing a write is better than destroying the input.
    bool sameAs(const FileIdentity& other) const {
        return (volume == 0 || other.volume == 0 || volume == other.volume) &&
               std::memcmp(id.Identifier, other.id.Identifier, sizeof id.Identifier) == 0;
    }
};

std::optional<FileIdentity> identityOf(HANDLE file) {
    FILE_ID_INFO information{};
    if (file == INVALID_HANDLE_VALUE || ::GetFileType(file) != FILE_TYPE_DISK ||
        !::GetFileInformationByHandleEx(file, FileIdInfo, &information, sizeof information)) {
        return std::nullopt;
    }
    return FileIdentity{information.VolumeSerialNumber, information.FileId};
}

std::optional<FileIdentity> identityOf(const std::string& path) {
    const HANDLE file = ::CreateFileW(disk::widePath(path).c_str(), 0,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    const auto identity = identityOf(file);
    ::CloseHandle(file);
    return identity;
}

} // namespace

void useBinaryStandardStreams() {
    for (FILE* stream : {stdin, stdout, stderr}) {
        ::_setmode(::_fileno(stream), _O_BINARY);
    }
    ::SetConsoleOutputCP(CP_UTF8);
}

std::vector<std::string> utf8Arguments(int argc, wchar_t** argv) {
    std::vector<std::string> arguments;
    for (int i = 0; i < argc; ++i) {
        const std::wstring_view argument = argv[i];
        const int needed =
            ::WideCharToMultiByte(CP_UTF8, 0, argument.data(), static_cast<int>(argument.size()),
                                  nullptr, 0, nullptr, nullptr);
        std::string utf8(static_cast<std::size_t>(std::max(needed, 0)), '\0');
        ::WideCharToMultiByte(CP_UTF8, 0, argument.data(), static_cast<int>(argument.size()),
                              utf8.data(), needed, nullptr, nullptr);
        arguments.push_back(std::move(utf8));
    }
    return arguments;
}

bool outputSparesInputs(const std::string& output, std::span<const std::string> inputs,
                        bool readsStandardInput) {
    const auto written = identityOf(output);
    if (!written) {
        return true; // a new file is no input
    }
    const auto same = [&written](const std::optional<FileIdentity>& read) {
        return read && read->sameAs(*written);
    };
    bool clash = readsStandardInput && same(identityOf(::GetStdHandle(STD_INPUT_HANDLE)));
    for (const std::string& input : inputs) {
        clash = clash || same(identityOf(input));
    }
    if (clash) {
        reportError(disk::describe({disk::FileFault::SameAsInput, 0, output}));
    }
    return !clash;
}

} // namespace parvelin::cli
