#include "disk/RegularFile.h"

#include "tests/support/FolderTest.h"

#include <filesystem>
#include <fstream>
#include <string>
#include <variant>

#include <gtest/gtest.h>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#else
#include <unistd.h>
#endif

namespace parvelin::disk {
namespace {

namespace fs = std::filesystem;

class RegularFile : public test::FolderTest {};

int makePipe(int ends[2]) {
#ifdef _WIN32
    return ::_pipe(ends, 4096, _O_BINARY);
#else
    return ::pipe(ends);
#endif
}

TEST_F(RegularFile, ReadsTheWholeFileUpToTheCap) {
    EXPECT_EQ(std::get<std::string>(readRegularFile(fileWith("empty", ""), 10)), "");
    EXPECT_EQ(std::get<std::string>(readRegularFile(fileWith("ten", "0123456789"), 10)),
              "0123456789");
    const auto longer = readRegularFile(fileWith("eleven", "0123456789A"), 10);
    ASSERT_TRUE(std::holds_alternative<FileError>(longer));
    EXPECT_EQ(std::get<FileError>(longer).fault, FileFault::TooLarge);
}

// An input of unknown size (standard input, a pipe) is read until its end, but cut one byte past
// the cap, so that a longer one is told from one that fits.
TEST(ReadAtMost, CutsAnInputOneBytePastTheCap) {
    struct Case {
        std::string input;
        std::size_t expected;
        std::string read;
        const char* why;
    };
    const std::string many(25, 'x');
    const Case cases[] = {
        {"", 0, "", "empty"},
        {"0123456789", 0, "0123456789", "exactly the cap, grown from the smallest buffer"},
        {"0123456789", 3, "0123456789", "exactly the cap, more than expected"},
        {"0123456789A", 0, "0123456789A", "one byte over"},
        {many, 0, many.substr(0, 11), "far over, unknown size"},
        {many, 25, many.substr(0, 11), "far over, size given"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        int ends[2];
        ASSERT_EQ(makePipe(ends), 0);
        ASSERT_EQ(static_cast<std::size_t>(
                      ::write(ends[1], c.input.data(), static_cast<unsigned>(c.input.size()))),
                  c.input.size());
        ::close(ends[1]);
        const auto read = readAtMost(ends[0], 10, c.expected);
        ::close(ends[0]);
        ASSERT_TRUE(std::holds_alternative<std::string>(read));
        EXPECT_EQ(std::get<std::string>(read), c.read);
    }
}

} // namespace
} // namespace parvelin::disk
