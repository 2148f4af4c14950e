#include "disk/FolderEntries.h"

#include "disk/PathNames.h"
#include "record/GbkText.h"
#include "tests/support/TestFolder.h"

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

namespace parvelin::disk {
namespace {

namespace fs = std::filesystem;

std::string gbk(std::string_view utf8) {
    return *record::utf8ToGbk(utf8);
}

TEST(FolderEntries, FiltersAndPathsReadAsTheClerkSeesThem) {
    EXPECT_EQ(suffixOfFilter("Data File (*.zbdw)"), ".zbdw");
    EXPECT_EQ(suffixOfFilter("All Files (*)"), std::nullopt);
    EXPECT_EQ(suffixOfFilter("All Files (*.*)"), std::nullopt);
    // Each name of a path on its own: a GBK file name in a UTF-8 folder.
    EXPECT_EQ(displayPath("/home/用户/" + gbk("王伟.zbdw")), "/home/用户/王伟.zbdw");
    EXPECT_EQ(displayPath("/home/\xFE/" + gbk("王伟.zbdw")), "/home/\\xFE/王伟.zbdw")
        << "a folder named in neither";

    const std::string pattern = test::makeTestFolder("folder-entries");
    ASSERT_FALSE(pattern.empty());
    const std::string chinese = test::chineseFileName("王伟.ZBDW");
#ifdef _WIN32 // names are Unicode: none in no code page
    const std::vector<std::string> unread;
    const std::vector<std::string> expected = {"z-folder", "b.zbdw", "c.Zbdw", "王伟.ZBDW"};
#else
    const std::vector<std::string> unread = {"x\xFE.zbdw", "x\x81.zbdw"};
    const std::vector<std::string> expected = {"z-folder",    "b.zbdw",      "c.Zbdw",
                                               "x\\x81.zbdw", "x\\xFE.zbdw", "王伟.ZBDW"};
#endif
    for (const std::string& name :
         {chinese, std::string("b.zbdw"), std::string(".hidden.zbdw"), std::string("notes.txt"),
          std::string("c.Zbdw"), std::string(".zbdw")}) {
        test::writeTestFile(pattern + "/" + name, "x");
    }
    for (const std::string& name : unread) {
        test::writeTestFile(pattern + "/" + name, "x");
    }
    fs::create_directory(test::pathOf(pattern) / "z-folder");
    std::vector<std::string> shown;
    for (const FolderEntry& entry : listFolder(pattern, ".zbdw")) {
        shown.push_back(entry.shown);
    }
    EXPECT_EQ(shown, expected);
    EXPECT_EQ(listFolder(pattern, ".zbdw").back().name, chinese) << "opened by its own bytes";
#ifndef _WIN32
    EXPECT_EQ(listFolder(pattern, ".zbdw")[4].name, "x\xFE.zbdw");
#endif
    fs::remove_all(test::pathOf(pattern));
}

// How a file name reads in every window and message: UTF-8 and GBK names as they are meant,
// other bytes as escapes, so that two names that differ in such bytes never look alike.
TEST(FolderEntries, NamesShownSoThatNoTwoLookAlike) {
    struct Case {
        std::string name, shown;
        const char* why;
    };
    const Case cases[] = {
        {"王伟.zbdw", "王伟.zbdw", "UTF-8"},
        {gbk("王伟.zbdw"), "王伟.zbdw", "GBK, from an archive made on a Chinese system"},
        {"a\\b.zbdw", "a\\b.zbdw", "a backslash of a UTF-8 name as it is"},
        {"x\xFE.zbdw", "x\\xFE.zbdw", "a lead byte before the suffix's dot"},
        {"x\x81.zbdw", "x\\x81.zbdw", "another one, which must not look the same"},
        {"x\xFF.zbdw", "x\\xFF.zbdw", "a byte that begins nothing"},
        {gbk("王伟") + "\xFE", "王伟\\xFE", "GBK, then a lead byte at the end"},
        {"a\\\xFE", "a\\\\\\xFE", "the backslash of such a name doubled"},
        {"a\\xFE\xFF", "a\\\\xFE\\xFF", "so that it is not read as an escape"},
        {"\x80\xFF", "€\\xFF", "the one single-byte GBK character"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(displayFileName(c.name), c.shown);
    }
}

} // namespace
} // namespace parvelin::disk
