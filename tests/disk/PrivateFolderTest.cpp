#include "disk/PrivateFolder.h"

#include "tests/support/FileFaults.h"

#include <filesystem>
#include <optional>
#include <sys/stat.h>

#include <gtest/gtest.h>

namespace parvelin::disk {
namespace {

namespace fs = std::filesystem;

// The day's folder is taken only where no one but the clerk can put, replace or remove a file in
// it; the folders made here are the clerk's alone.
TEST(PrivateFolder, AFolderOthersMayWriteIntoIsRefusedWithItsPath) {
    struct Case {
        const char* why;
        const char* arranged; // the folder that exists beforehand, below the base
        mode_t mode;
        bool otherOwner;     // belongs to another user (arranged as root only)
        const char* refused; // the folder named in the refusal, or null where the save may go on
    };
    const Case cases[] = {
        {"nothing made yet", nullptr, 0, false, nullptr},
        {"an own folder closed to others", "Lorvane", 0755, false, nullptr},
        {"an own sticky folder open to all: others could put a link where the next file goes",
         "Lorvane", 01777, false, "Lorvane"},
        {"an own folder open to all", "Lorvane", 0777, false, "Lorvane"},
        {"an own folder open to the group", "Lorvane/2012-05-17", 0770, false,
         "Lorvane/2012-05-17"},
        {"another user's folder closed to others", "Lorvane", 0755, true, "Lorvane"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        if (c.otherOwner && !test::OtherUser::available()) {
            std::cout << "skipped: " << c.why << ": " << test::OtherUser::kWhyUnavailable << '\n';
            continue;
        }
        std::string pattern = (fs::temp_directory_path() / "private-folder-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        const fs::path base = fs::path(pattern) / "program";
        if (c.arranged) {
            fs::create_directories(base / c.arranged);
            ASSERT_EQ(chmod((base / c.arranged).c_str(), c.mode), 0);
            if (c.otherOwner) {
                ASSERT_EQ(chown((base / c.arranged).c_str(), 4242, 4242), 0);
            }
        }
        const mode_t umaskBefore = umask(0277); // the folders made are the clerk's whatever it is
        const auto made = makePrivateFolders(base, "Lorvane/2012-05-17");
        umask(umaskBefore);
        if (c.refused) {
            const auto* error = std::get_if<FileError>(&made);
            ASSERT_NE(error, nullptr);
            EXPECT_EQ(describe(*error), "文件夹不属于当前用户，或其他用户可以写入（" +
                                            (base / c.refused).string() + "）");
        } else {
            ASSERT_EQ(std::get_if<std::string>(&made) ? *std::get_if<std::string>(&made) : "",
                      (base / "Lorvane/2012-05-17").string());
            struct stat day {};
            ASSERT_EQ(stat((base / "Lorvane/2012-05-17").c_str(), &day), 0);
            EXPECT_EQ(day.st_mode & 07777, 0700u) << "made by the save, the clerk's alone";
        }
        fs::remove_all(pattern);
    }
}

} // namespace
} // namespace parvelin::disk
