#include "disk/TemporaryFile.h"

#include <array>
#include <csignal>
#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace parvelin::disk {
namespace {

namespace fs = std::filesystem;

constexpr int kHandlerExit = 42; // how the program's own handler ends the child

void endByOwnHandler(int) {
    _exit(kHandlerExit);
}

enum class Before { defaultAction, ownHandler, ignored };

struct SignalCase {
    int signal;
    Before before;
    bool fileStays;
    const char* why;
};

const SignalCase kSignalCases[] = {
    {SIGTERM, Before::defaultAction, false, "kill and shutdown"},
    {SIGINT, Before::defaultAction, false, "Ctrl+C in the terminal"},
    {SIGHUP, Before::defaultAction, false, "the terminal closed"},
    {SIGTERM, Before::ownHandler, false, "the program's handler still runs after the removal"},
    {SIGTERM, Before::ignored, true, "an ignored signal ends nothing, the save goes on"},
};

// A child process creates a temporary file through the real code, tells its path, and waits
// for the signal; the parent sends it and looks at how the child ended and what it left.
TEST(TemporaryFile, EndingSignalRemovesTheFileThenActsAsBefore) {
    for (const SignalCase& c : kSignalCases) {
        SCOPED_TRACE(c.why);
        std::string pattern = (fs::temp_directory_path() / "temporary-file-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        const fs::path folder = pattern;
        std::array<int, 2> channel{};
        ASSERT_EQ(pipe(channel.data()), 0);

        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            close(channel[0]);
            if (c.before == Before::ownHandler) {
                std::signal(c.signal, endByOwnHandler);
            } else if (c.before == Before::ignored) {
                std::signal(c.signal, SIG_IGN);
            }
            TemporaryFile file(folder.string());
            const char created = file.created() ? 'y' : 'n';
            if (write(channel[1], &created, 1) != 1) {
                _exit(1);
            }
            for (;;) {
                pause();
            }
        }
        close(channel[1]);
        char created = 0;
        ASSERT_EQ(read(channel[0], &created, 1), 1);
        close(channel[0]);
        ASSERT_EQ(created, 'y');
        ASSERT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);

        ASSERT_EQ(kill(child, c.signal), 0);
        if (c.fileStays) {
            // Give the child time to act on it; an ignored signal leaves it waiting.
            usleep(100'000);
            ASSERT_EQ(kill(child, SIGKILL), 0);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);

        if (c.before == Before::ownHandler) {
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == kHandlerExit) << status;
        } else {
            ASSERT_TRUE(WIFSIGNALED(status)) << status;
            EXPECT_EQ(WTERMSIG(status), c.fileStays ? SIGKILL : c.signal);
        }
        const auto left = std::distance(fs::directory_iterator(folder), fs::directory_iterator());
        EXPECT_EQ(left, c.fileStays ? 1 : 0);
        fs::remove_all(folder);
    }
}

void (*sigtermHandler())(int) {
    struct sigaction current {};
    sigaction(SIGTERM, nullptr, &current);
    return current.sa_handler;
}

// Once the file is gone, the program's own handling of the signals is back.
TEST(TemporaryFile, DroppedFileGivesBackTheSignals) {
    std::string pattern = (fs::temp_directory_path() / "temporary-file-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    const auto before = std::signal(SIGTERM, endByOwnHandler);
    {
        TemporaryFile file(pattern);
        ASSERT_TRUE(file.created());
        EXPECT_NE(sigtermHandler(), endByOwnHandler) << "a file under way watches SIGTERM";
    }
    EXPECT_EQ(sigtermHandler(), endByOwnHandler);
    std::signal(SIGTERM, before);
    fs::remove_all(pattern);
}

} // namespace
} // namespace parvelin::disk
