#include "datafile/FolderEntries.h"

#include "datafile/PathNames.h"
#include "record/GbkText.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

namespace parvelin::datafile {
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

    std::string pattern = (fs::temp_directory_path() / "folder-entries-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    for (const std::string name : {gbk("王伟.ZBDW"), std::string("b.zbdw"),
                                   std::string(".hidden.zbdw"), std::string("notes.txt")}) {
        std::ofstream(fs::path(pattern) / name) << "x";
    }
    fs::create_directory(fs::path(pattern) / "z-folder");
    std::vector<std::string> shown;
    for (const FolderEntry& entry : listFolder(pattern, ".zbdw")) {
        shown.push_back(entry.shown);
    }
    EXPECT_EQ(shown, (std::vector<std::string>{"z-folder", "b.zbdw", "王伟.ZBDW"}));
    EXPECT_EQ(listFolder(pattern, ".zbdw")[2].name, gbk("王伟.ZBDW")) << "opened by its own bytes";
    fs::remove_all(pattern);
}

} // namespace
} // namespace parvelin::datafile
