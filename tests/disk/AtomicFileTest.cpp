#include "disk/AtomicFile.h"

#include "tests/support/FolderTest.h"
#ifndef _WIN32
#include "tests/support/FileFaults.h"
#endif

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <optional>
#include <sstream>
#include <sys/stat.h>

#include <gtest/gtest.h>

namespace parvelin::disk {
namespace {

namespace fs = std::filesystem;

std::string contentOf(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream content;
    content << file.rdbuf();
    return content.str();
}

void put(const fs::path& path, std::string_view content) {
    std::ofstream(path, std::ios::binary) << content;
}

#ifndef _WIN32
mode_t modeOf(const fs::path& path) {
    struct stat status {};
    stat(path.c_str(), &status);
    return status.st_mode & 07777;
}
#endif

// The names in a folder and its subfolders.
std::vector<std::string> entriesOf(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        names.push_back(fs::relative(entry.path(), folder).string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

class AtomicFile : public test::FolderTest {};

const std::string kOld = "the content that must survive";
const std::string kNew(3000, 'n');

// Windows keeps who may read a file in its folder's permissions, not in a mode of the file's own.
#ifndef _WIN32
TEST_F(AtomicFile, NewFilesAreTheOwnersAloneAndReplacedFilesKeepTheirMode) {
    const fs::path path = m_folder / "a.zbdw";
    const mode_t umaskBefore = umask(0277); // takes even the owner's write permission
    ASSERT_EQ(writeFileAtomically(path, kOld), std::nullopt);
    umask(umaskBefore);
    EXPECT_EQ(contentOf(path), kOld);
    EXPECT_EQ(modeOf(path), 0600u);

    chmod(path.c_str(), 0640);
    ASSERT_EQ(writeFileAtomically(path, kNew), std::nullopt);
    EXPECT_EQ(contentOf(path), kNew);
    EXPECT_EQ(modeOf(path), 0640u);
    EXPECT_EQ(entriesOf(m_folder), std::vector<std::string>{"a.zbdw"}) << "no temporary file";

    // A link is followed: the file it names is replaced, the link stays.
    fs::create_symlink("a.zbdw", m_folder / "link.zbdw");
    ASSERT_EQ(writeFileAtomically(m_folder / "link.zbdw", kOld), std::nullopt);
    EXPECT_TRUE(fs::is_symlink(m_folder / "link.zbdw"));
    EXPECT_EQ(contentOf(path), kOld);
}
#endif

// Each fault: the write fails with the cause named, the file there before keeps its content and
// no temporary file is left; a link stays a link. Faults that need root (a mount, another user's
// link) or not-root are skipped elsewhere.
TEST_F(AtomicFile, FailuresLeaveTheTargetAndTheFolderAsTheyWere) {
    struct Case {
        const char* why;
        FileFault fault;
        std::string_view cause;
        const char* skippedWhen; // what an empty path from `arrange` means
        // Sets the fault up and gives the path to write, or an empty path to skip the case.
        std::function<fs::path(const fs::path& folder)> arrange;
        // A refused link, and where it leads, in the case's folder.
        const char* refusedLink = nullptr;
        const char* leadsTo = nullptr;
    };
    std::optional<OpenedPath> opened; // where the file was opened before, as Save passes it
#ifndef _WIN32 // resource limits, mounts, devices, FIFOs, owners and links are Linux's
    std::unique_ptr<test::FileSizeLimit> sizeLimit;
    std::unique_ptr<test::ReadOnlyFolder> readOnly;
    std::unique_ptr<test::SmallFileSystem> smallDisk;
    // The file of the case becomes `victim.zbdw`, and `a.zbdw` a link to it: a write through the
    // link would change the victim.
    const auto linkToVictim = [](const fs::path& folder, const char* linkName) {
        fs::rename(folder / "a.zbdw", folder / "victim.zbdw");
        fs::create_symlink("victim.zbdw", folder / linkName);
        return folder / linkName;
    };
    const auto otherUsersLink = [](const fs::path& link) {
        return lchown(link.c_str(), 4242, 4242) == 0 ? link : fs::path();
    };
#endif
    const Case cases[] = {
#ifndef _WIN32
        {"a file-size limit below the content", FileFault::NoSpace, "磁盘空间不足",
         "the limit cannot be set",
         [&](const fs::path& folder) {
             sizeLimit = std::make_unique<test::FileSizeLimit>(1000);
             return sizeLimit->active() ? folder / "a.zbdw" : fs::path();
         }},
        {"a full disk", FileFault::NoSpace, "磁盘空间不足",
         "a small file system needs root and the right to mount",
         [&](const fs::path& folder) {
             const fs::path disk = folder / "disk";
             fs::create_directory(disk);
             smallDisk = std::make_unique<test::SmallFileSystem>(disk, "8k");
             if (!smallDisk->active()) {
                 return fs::path();
             }
             put(disk / "a.zbdw", kOld);
             put(disk / "filler", std::string(8192, 'f')); // fills the rest, or fails doing so
             return disk / "a.zbdw";
         }},
        {"a read-only folder", FileFault::NoWritePermission, "没有写入权限",
         test::ReadOnlyFolder::kWhyInactive,
         [&](const fs::path& folder) {
             readOnly = std::make_unique<test::ReadOnlyFolder>(folder);
             return readOnly->active() ? folder / "a.zbdw" : fs::path();
         }},
        {"a device: /dev/full is never replaced", FileFault::NotRegularFile, "不是普通文件", "",
         [](const fs::path&) { return fs::path("/dev/full"); }},
        {"a FIFO", FileFault::NotRegularFile, "不是普通文件", "",
         [](const fs::path& folder) {
             mkfifo((folder / "fifo").c_str(), 0600);
             return folder / "fifo";
         }},
#endif
        {"a folder", FileFault::NotRegularFile, "不是普通文件", "",
         [](const fs::path& folder) {
             fs::create_directory(folder / "sub");
             return folder / "sub";
         }},
        {"a missing folder", FileFault::NotFound, "文件或文件夹不存在", "",
         [](const fs::path& folder) { return folder / "missing" / "a.zbdw"; }},
#ifndef _WIN32
        {"another user's link in a sticky folder, named like the next file", FileFault::ForeignLink,
         "符号链接不属于当前用户，或其所在文件夹其他用户可以写入", test::OtherUser::kWhyUnavailable,
         [&](const fs::path& folder) {
             chmod(folder.c_str(), 01777);
             return otherUsersLink(linkToVictim(folder, "a.zbdw"));
         },
         "a.zbdw", "victim.zbdw"},
        {"an own link in a folder that others may write into: it may be another's by now",
         FileFault::ForeignLink, "符号链接不属于当前用户，或其所在文件夹其他用户可以写入", "",
         [&](const fs::path& folder) {
             chmod(folder.c_str(), 0777);
             return linkToVictim(folder, "a.zbdw");
         },
         "a.zbdw", "victim.zbdw"},
        {"an own link to another user's link: every link on the way counts", FileFault::ForeignLink,
         "符号链接不属于当前用户，或其所在文件夹其他用户可以写入", test::OtherUser::kWhyUnavailable,
         [&](const fs::path& folder) {
             fs::rename(folder / "a.zbdw", folder / "victim.zbdw");
             fs::create_directory(folder / "shared");
             chmod((folder / "shared").c_str(), 01777);
             fs::create_symlink("../victim.zbdw", folder / "shared" / "next.zbdw");
             fs::create_symlink("shared/next.zbdw", folder / "a.zbdw");
             return otherUsersLink(folder / "shared" / "next.zbdw").empty() ? fs::path()
                                                                            : folder / "a.zbdw";
         },
         "shared/next.zbdw", "shared/../victim.zbdw"},
        {"an own link where Open found the file itself", FileFault::LinkAppeared,
         "文件打开后已被替换为符号链接", "",
         [&](const fs::path& folder) {
             opened = OpenedPath{std::nullopt};
             return linkToVictim(folder, "a.zbdw");
         },
         "a.zbdw", "victim.zbdw"},
        {"an own link that led to another file at Open", FileFault::LinkRedirected,
         "文件打开时所经的符号链接已指向别处", "",
         [&](const fs::path& folder) {
             put(folder / "opened.zbdw", kOld);
             opened = OpenedPath{fs::canonical(folder / "opened.zbdw").string()};
             return linkToVictim(folder, "a.zbdw");
         },
         "a.zbdw", "victim.zbdw"},
#endif
    };
    int index = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        const fs::path folder = m_folder / std::to_string(++index);
        fs::create_directory(folder);
        put(folder / "a.zbdw", kOld);
        opened.reset();
        const fs::path target = c.arrange(folder);
        if (target.empty()) {
            std::cout << "skipped: " << c.why << ": " << c.skippedWhen << '\n';
            continue;
        }
        const bool wasLink = fs::is_symlink(target);
        const auto before = entriesOf(folder);
        const auto error = writeFileAtomically(test::pathName(target), kNew, opened);
        const auto after = entriesOf(folder);
#ifndef _WIN32
        sizeLimit.reset();
        readOnly.reset();
#endif
        ASSERT_TRUE(error.has_value());
        EXPECT_EQ(error->fault, c.fault);
        const std::string named = c.refusedLink ? test::pathName(folder / c.refusedLink) + " → " +
                                                      test::pathName(folder / c.leadsTo)
                                                : test::pathName(target);
        EXPECT_EQ(describe(*error), std::string(c.cause) + "（" + named + "）");
        EXPECT_EQ(after, before) << "a temporary file was left";
        EXPECT_EQ(fs::is_symlink(target), wasLink) << "a link stays a link";
        if (fs::is_regular_file(target)) {
            EXPECT_EQ(contentOf(target), kOld);
        }
#ifndef _WIN32
        smallDisk.reset();
#endif
    }
#ifndef _WIN32
    struct stat device {};
    ASSERT_EQ(stat("/dev/full", &device), 0);
    EXPECT_TRUE(S_ISCHR(device.st_mode));
#endif
}

// On a shared computer a save keeps every file's owner and refuses what writing in place would
// refuse, as root and as a clerk in a group folder (the owner of the other files, and the clerk,
// are users of the test's own); a new file that root makes in a clerk's folder is the clerk's.
#ifndef _WIN32 // owners, groups and modes
TEST_F(AtomicFile, ASaveKeepsTheOwnerAndNeedsTheRightToWriteTheFile) {
    if (!test::OtherUser::available()) {
        GTEST_SKIP() << test::OtherUser::kWhyUnavailable;
    }
    constexpr gid_t kShared = 4300;
    constexpr gid_t kForeign = 4399;
    const test::OtherUser owner{4242, 4242};
    const test::OtherUser clerk{4243, 4243, kShared};
    const fs::path folder = m_folder / "shared";
    fs::create_directory(folder);
    ASSERT_EQ(chown(folder.c_str(), 0, kShared), 0);
    ASSERT_EQ(chmod(folder.c_str(), 0775), 0);
    chmod(m_folder.c_str(), 0755);
    struct Case {
        const char* why;
        uid_t fileOwner;
        gid_t fileGroup;
        mode_t mode;
        const test::OtherUser* saver; // null for root
        std::optional<FileFault> fault;
        bool newFile = false; // made by the save in a folder of the file's owner and group
    };
    const Case cases[] = {
        {"root over a clerk's file", owner.uid, owner.gid, 0640, nullptr, std::nullopt},
        {"a clerk over another's 0644 file", owner.uid, kShared, 0644, &clerk,
         FileFault::NoWritePermission},
        {"a clerk over an own 0444 file", clerk.uid, kShared, 0444, &clerk,
         FileFault::NoWritePermission},
        {"a clerk over an own file of the shared group", clerk.uid, kShared, 0660, &clerk,
         std::nullopt},
        {"a clerk over an own file of a group not theirs", clerk.uid, kForeign, 0640, &clerk,
         FileFault::OwnerNotKept},
        {"root's new file in a clerk's folder", owner.uid, owner.gid, 0600, nullptr, std::nullopt,
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        const fs::path path = folder / "a.zbdw";
        fs::remove(path);
        ASSERT_EQ(
            chown(folder.c_str(), c.newFile ? c.fileOwner : 0, c.newFile ? c.fileGroup : kShared),
            0);
        if (!c.newFile) {
            put(path, kOld);
            ASSERT_EQ(chown(path.c_str(), c.fileOwner, c.fileGroup), 0);
            ASSERT_EQ(chmod(path.c_str(), c.mode), 0);
        }
        const auto save = [&path] {
            const auto error = writeFileAtomically(path, kNew);
            return error ? 1 + static_cast<int>(error->fault) : 0;
        };
        const int result = c.saver ? c.saver->run(save) : save();
        EXPECT_EQ(result, c.fault ? 1 + static_cast<int>(*c.fault) : 0);
        EXPECT_EQ(contentOf(path), c.fault ? kOld : kNew) << "kept only when refused";
        struct stat after {};
        ASSERT_EQ(stat(path.c_str(), &after), 0);
        EXPECT_EQ(after.st_uid, c.fileOwner);
        EXPECT_EQ(after.st_gid, c.fileGroup);
        EXPECT_EQ(after.st_mode & 07777, c.mode);
        EXPECT_EQ(entriesOf(folder), std::vector<std::string>{"a.zbdw"});
    }
}
#endif

TEST(FileError, OtherCausesAreNamedByTheSystem) {
    EXPECT_EQ(describe(fileErrorOf(EIO, FileAccess::Write, "a.zbdw")),
              "读写错误：Input/output error（a.zbdw）");
    EXPECT_EQ(describe(fileErrorOf(EACCES, FileAccess::Read, "a.zbdw")), "没有读取权限（a.zbdw）");
}

} // namespace
} // namespace parvelin::disk
