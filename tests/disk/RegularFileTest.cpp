#include "disk/RegularFile.h"

#include "tests/support/TestFolder.h"

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
        const std::string folder = test::makeTestFolder("regular-file");
        ASSERT_FALSE(folder.empty());
        m_folder = test::pathOf(folder);
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(m_folder, ignored);
    }
    std::string put(const char* name, std::string_view content) {
        std::ofstream(m_folder / name, std::ios::binary) << content;
        return test::pathName(m_folder / name);
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
