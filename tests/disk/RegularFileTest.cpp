#include "disk/RegularFile.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <variant>

#include <gtest/gtest.h>

namespace parvelin::disk {
namespace {

namespace fs = std::filesystem;

class RegularFile : public testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "regular-file-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        m_folder = pattern;
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(m_folder, ignored);
    }
    fs::path put(const char* name, std::string_view content) {
        std::ofstream(m_folder / name, std::ios::binary) << content;
        return m_folder / name;
    }
    fs::path m_folder;
};

TEST_F(RegularFile, ReadsTheWholeFileUpToTheCap) {
    EXPECT_EQ(std::get<std::string>(readRegularFile(put("empty", ""), 10)), "");
    EXPECT_EQ(std::get<std::string>(readRegularFile(put("ten", "0123456789"), 10)), "0123456789");
    const auto longer = readRegularFile(put("eleven", "0123456789A"), 10);
    ASSERT_TRUE(std::holds_alternative<FileError>(longer));
    EXPECT_EQ(std::get<FileError>(longer).fault, FileFault::TooLarge);
}

} // namespace
} // namespace parvelin::disk
