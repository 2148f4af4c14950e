// The disk on Windows, through the system's own calls: Chinese names whatever the code page, the
// same causes for the same faults, and no temporary copy of an applicant left behind.

#include "disk/AtomicFile.h"
#include "disk/FolderEntries.h"
#include "disk/PrivateFolder.h"
#include "disk/RegularFile.h"
#include "disk/TemporaryFile.h"
#include "disk/WindowsFiles.h"

#include <algorithm>
#include <filesystem>
#include <random>
#include <windows.h>

#include <gtest/gtest.h>

namespace parvelin::disk {
namespace {

// The names in a folder, hidden ones too, as the system lists them.
std::vector<std::string> namesIn(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAW found{};
    const HANDLE search = ::FindFirstFileW(widePath(folder + "/*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return names;
    }
    do {
        const std::string name = narrowPath(found.cFileName);
        if (name != "." && name != "..") {
            names.push_back(name);
        }
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

std::string contentOf(const std::string& path) {
    auto read = readRegularFile(path, 1 << 20);
    return std::holds_alternative<std::string>(read) ? std::get<std::string>(read) : "<unread>";
}

// A file written by hand, last written `ageSeconds` ago.
void put(const std::string& path, std::string_view content, int ageSeconds = 0) {
    const HANDLE file = ::CreateFileW(widePath(path).c_str(), GENERIC_WRITE, 0, nullptr,
                                      CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
    DWORD written = 0;
    ::WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    FILETIME now{};
    ::GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER ticks{};
    ticks.LowPart = now.dwLowDateTime;
    ticks.HighPart = now.dwHighDateTime;
    ticks.QuadPart -= static_cast<ULONGLONG>(ageSeconds) * 10'000'000;
    const FILETIME then{ticks.LowPart, ticks.HighPart};
    ::SetFileTime(file, nullptr, nullptr, &then);
    ::CloseHandle(file);
}

class WindowsDisk : public testing::Test {
protected:
    void SetUp() override {
        wchar_t temporary[MAX_PATH];
        ASSERT_GT(::GetTempPathW(MAX_PATH, temporary), 0u);
        std::random_device random;
        m_folder = narrowPath(temporary) + "parvelin-测试-" + std::to_string(random());
        while (m_folder.ends_with('/')) {
            m_folder.pop_back();
        }
        ASSERT_TRUE(::CreateDirectoryW(widePath(m_folder).c_str(), nullptr)) << m_folder;
    }
    void TearDown() override {
        const std::wstring folder = widePath(m_folder);
        for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
            ::SetFileAttributesW(entry.path().c_str(), FILE_ATTRIBUTE_NORMAL);
        }
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
    std::string m_folder;
};

TEST_F(WindowsDisk, SavesUnderChineseNamesAndReadsThemBack) {
    const std::string path = m_folder + "/000013012201203501_王·伟.zbdw";
    ASSERT_EQ(writeFileAtomically(path, "first"), std::nullopt);
    EXPECT_EQ(contentOf(path), "first");
    ASSERT_EQ(writeFileAtomically(path, std::string("second\0\r\n", 9)), std::nullopt);
    EXPECT_EQ(contentOf(path), std::string("second\0\r\n", 9)) << "bytes as they are, no line ends";
    EXPECT_EQ(namesIn(m_folder), std::vector<std::string>{"000013012201203501_王·伟.zbdw"})
        << "no temporary file left";
    const std::vector<FolderEntry> listed = listFolder(m_folder, ".zbdw");
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0].shown, "000013012201203501_王·伟.zbdw");
    EXPECT_EQ(listed[0].name, "000013012201203501_王·伟.zbdw");
    EXPECT_EQ(writeFileAtomically(m_folder + "\\反斜杠.zbdw", "x"), std::nullopt)
        << "a path as Windows writes it";
    EXPECT_EQ(contentOf(m_folder + "/反斜杠.zbdw"), "x");
}

TEST_F(WindowsDisk, FailedSavesSayWhyAndKeepTheFile) {
    const std::string kept = m_folder + "/kept.zbdw";
    put(kept, "kept");
    const std::string readOnly = m_folder + "/read-only.zbdw";
    put(readOnly, "kept");
    ::SetFileAttributesW(widePath(readOnly).c_str(), FILE_ATTRIBUTE_READONLY);
    ::CreateDirectoryW(widePath(m_folder + "/folder.zbdw").c_str(), nullptr);
    const std::string tooLong = m_folder + "/" + std::string(300, 'a') + ".zbdw";

    // The target held open by another program that shares nothing.
    const HANDLE held = ::CreateFileW(widePath(kept).c_str(), GENERIC_READ, 0, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    struct Case {
        std::string path, described, why;
    };
    const Case cases[] = {
        {kept, "文件正被其他程序使用（" + kept + "）", "in use by another program"},
        {readOnly, "没有写入权限（" + readOnly + "）", "a read-only file"},
        {m_folder + "/folder.zbdw", "不是普通文件（" + m_folder + "/folder.zbdw）", "a folder"},
        {m_folder + "/missing/a.zbdw", "文件或文件夹不存在（" + m_folder + "/missing/a.zbdw）",
         "a missing folder"},
        {tooLong, "路径过长（" + tooLong + "）", "longer than the system takes"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        const auto error = writeFileAtomically(c.path, "new");
        ASSERT_NE(error, std::nullopt);
        EXPECT_EQ(describe(*error), c.described);
    }
    ::CloseHandle(held);
    EXPECT_EQ(contentOf(kept), "kept");
    EXPECT_EQ(contentOf(readOnly), "kept");
    EXPECT_EQ(namesIn(m_folder),
              (std::vector<std::string>{"folder.zbdw", "kept.zbdw", "read-only.zbdw"}))
        << "no temporary file left";
}

TEST_F(WindowsDisk, TemporaryFilesGoWhateverBecomesOfTheSave) {
    {
        TemporaryFile dropped(m_folder);
        ASSERT_TRUE(dropped.created());
        ASSERT_TRUE(writeAll(dropped.descriptor(), "applicant"));
        EXPECT_EQ(namesIn(m_folder).size(), 1u);
    }
    EXPECT_TRUE(namesIn(m_folder).empty()) << "dropped unrenamed";

    // Left by a save that was ended a while ago, and one under way now; others' names stay.
    put(m_folder + "/.parvelin-abc123", "old", 120);
    put(m_folder + "/.parvelin-def456", "fresh");
    put(m_folder + "/.parvelin-notours", "old", 120);
    ASSERT_EQ(writeFileAtomically(m_folder + "/a.zbdw", "a"), std::nullopt);
    EXPECT_EQ(namesIn(m_folder),
              (std::vector<std::string>{".parvelin-def456", ".parvelin-notours", "a.zbdw"}));
}

TEST_F(WindowsDisk, OpenRefusesWhatIsNoDataFile) {
    const std::string large = m_folder + "/large.zbdw";
    put(large, std::string(2000, 'x'));
    ::CreateDirectoryW(widePath(m_folder + "/folder.zbdw").c_str(), nullptr);
    struct Case {
        std::string path;
        FileFault fault;
        const char* why;
    };
    const Case cases[] = {
        {large, FileFault::TooLarge, "larger than allowed"},
        {m_folder + "/folder.zbdw", FileFault::NotRegularFile, "a folder"},
        {"NUL", FileFault::NotRegularFile, "a device"},
        {m_folder + "/missing.zbdw", FileFault::NotFound, "missing"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        auto read = readRegularFile(c.path, 1000);
        ASSERT_TRUE(std::holds_alternative<FileError>(read));
        EXPECT_EQ(std::get<FileError>(read).fault, c.fault);
    }
}

TEST_F(WindowsDisk, SaveFoldersAreMadeBelowTheDocuments) {
    const std::string documents = m_folder + "/文档";
    auto made = makePrivateFolders(documents, "Lorvane/2012-05-17");
    ASSERT_TRUE(std::holds_alternative<std::string>(made));
    EXPECT_EQ(std::get<std::string>(made), documents + "/Lorvane/2012-05-17");
    EXPECT_EQ(checkSaveFolder(std::get<std::string>(made)), std::nullopt);
    EXPECT_EQ(std::get<std::string>(makePrivateFolders(documents, "Lorvane/2012-05-17")),
              documents + "/Lorvane/2012-05-17")
        << "made once, taken again";
    put(documents + "/Lorvane/2012-05-18", "a file in the folder's place");
    auto refused = makePrivateFolders(documents, "Lorvane/2012-05-18");
    ASSERT_TRUE(std::holds_alternative<FileError>(refused));
    EXPECT_EQ(std::get<FileError>(refused).fault, FileFault::NotFound);
}

} // namespace
} // namespace parvelin::disk
