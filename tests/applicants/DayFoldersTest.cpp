#include "applicants/DayFolders.h"

#include "tests/support/TestFolder.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace parvelin::applicants {
namespace {

namespace fs = std::filesystem;

TEST(DayFolders, OneFolderPerDay) {
    using namespace std::chrono_literals;
    EXPECT_EQ(datedSaveFolder(2012y / 5 / 17), "Lorvane/2012-05-17");
    EXPECT_EQ(datedSaveFolder(2024y / 12 / 1), "Lorvane/2024-12-01");
}

TEST(DayFolders, InstalledProgramsKeepTheirFoldersClean) {
    struct Case {
        std::string_view folder;
        bool beside;
        const char* why;
    };
    const Case cases[] = {
        {"/usr/bin", false, "the Debian package's program folder"},
        {"/usr/local/bin", false, "cmake --install's default prefix"},
        {"/usr", false, "the system folder itself"},
        {"/bin", false, "the merged /bin of older systems"},
        {"/opt/parvelin/bin", false, "an add-on package under /opt"},
        {"/home/clerk/parvelin/build", true, "a build folder, as make run starts it"},
        {"/media/clerk/USB/Parvelin", true, "a copy carried on a stick"},
        {"/usr2/parvelin", true, "only whole folder names count"},
        {"/srv/usr/bin", true, "/usr inside another folder is not the system's"},
        {"C:/Program Files/Parvelin", false, "Windows: installed under Program Files"},
        {"D:/Parvelin", false, "Windows: an unpacked folder saves into the documents too"},
        {"//office/tools/Parvelin", false, "Windows: a program on a share"},
        {"C:\\Parvelin", false, "Windows: backslashes as the system writes them"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(savesBesideProgram(c.folder), c.beside) << c.folder;
    }
}

TEST(DayFolders, DayFoldersBesideADayFolderNewestFirst) {
    const std::string folder = test::makeTestFolder("day-folders");
    ASSERT_FALSE(folder.empty());
    const fs::path days = test::pathOf(folder);
    for (const char* folder : {"2012-05-17", "2012-05-16", "2011-12-31", "2012-02-30", "2012-5-1",
                               "notes", "2012-05-17x"}) {
        fs::create_directory(days / folder);
    }
    std::ofstream(days / "2012-05-15") << "a file";
    const std::string at = folder + "/";
    std::vector<std::string> expected = {at + "2012-05-17", at + "2012-05-16", at + "2011-12-31"};
#ifndef _WIN32 // a link to a folder counts as the folder; Windows links need a privilege
    fs::create_directory_symlink(days / "2011-12-31", days / "2011-01-01");
    expected.push_back(at + "2011-01-01");
#endif
    EXPECT_EQ(dayFoldersBeside(at + "2012-05-17"), expected);
    EXPECT_EQ(dayFoldersBeside(at + "2012-05-17/"), expected) << "a trailing slash";
    EXPECT_EQ(dayFoldersBeside(at + "2012-05-18"), expected) << "a day without its folder yet";
    EXPECT_TRUE(dayFoldersBeside(at + "missing/2012-05-17").empty());
    fs::remove_all(days);
}

} // namespace
} // namespace parvelin::applicants
