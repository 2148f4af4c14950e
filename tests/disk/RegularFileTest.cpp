#include "disk/RegularFile.h"

#include "tests/support/FolderTest.h"

#include <filesystem>
#include <fstream>
#include <string>
#include <variant>

#include <gtest/gtest.h>

namespace parvelin::disk {
namespace {

namespace fs = std::filesystem;

class RegularFile : public test::FolderTest {};

TEST_F(RegularFile, ReadsTheWholeFileUpToTheCap) {
    EXPECT_EQ(std::get<std::string>(readRegularFile(fileWith("empty", ""), 10)), "");
    EXPECT_EQ(std::get<std::string>(readRegularFile(fileWith("ten", "0123456789"), 10)),
              "0123456789");
    const auto longer = readRegularFile(fileWith("eleven", "0123456789A"), 10);
    ASSERT_TRUE(std::holds_alternative<FileError>(longer));
    EXPECT_EQ(std::get<FileError>(longer).fault, FileFault::TooLarge);
}

} // namespace
} // namespace parvelin::disk
