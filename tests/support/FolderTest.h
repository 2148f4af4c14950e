#pragma once

#include "tests/support/TestFolder.h"

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <system_error>

#include <gtest/gtest.h>

namespace parvelin::test {

// A test with a private folder of its own, made before each test and removed after it, whatever
// the test did to its modes. `fileWith` writes a file there and gives its path as the program names
// it.
class FolderTest : public testing::Test {
protected:
    void SetUp() override {
        const std::string folder = makeTestFolder(
            testing::UnitTest::GetInstance()->current_test_info()->test_suite_name());
        ASSERT_FALSE(folder.empty());
        m_folder = pathOf(folder);
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::permissions(m_folder, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(m_folder, ignored);
    }
    std::string fileWith(const char* name, std::string_view content) {
        std::ofstream(m_folder / name, std::ios::binary) << content;
        return pathName(m_folder / name);
    }

    std::filesystem::path m_folder;
};

} // namespace parvelin::test
