// Start-up time of the desktop program against a bare Qt dialog of 80 widgets: the time from
// spawning each program to the moment the X server maps its first top-level window (and sends
// it its first Expose), on a private Xvfb display, interleaved run by run so that both see the
// same machine load. Prints both medians and their ratio; it reports, it does not judge.
//
//   parvelin-startup-benchmark [runs]     (default 15, after two warm-up runs each)

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>
#include <xcb/xcb.h>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;
using Millis = std::chrono::duration<double, std::milli>;

constexpr auto kWindowTimeout = std::chrono::seconds(20);

pid_t spawn(const std::vector<std::string>& argv) {
    std::vector<char*> args;
    for (const std::string& arg : argv) {
        args.push_back(const_cast<char*>(arg.c_str()));
    }
    args.push_back(nullptr);
    pid_t pid = -1;
    if (posix_spawn(&pid, args[0], nullptr, nullptr, args.data(), environ) != 0) {
        return -1;
    }
    return pid;
}

void stop(pid_t pid) {
    kill(pid, SIGTERM);
    int status = 0;
    waitpid(pid, &status, 0);
}

// A display number with no server behind it.
int freeDisplay() {
    for (int display = 90; display < 200; ++display) {
        if (!std::filesystem::exists("/tmp/.X11-unix/X" + std::to_string(display)) &&
            !std::filesystem::exists("/tmp/.X" + std::to_string(display) + "-lock")) {
            return display;
        }
    }
    return -1;
}

xcb_connection_t* connectWithin(const std::string& display, std::chrono::seconds limit) {
    const auto end = Clock::now() + limit;
    while (Clock::now() < end) {
        xcb_connection_t* connection = xcb_connect(display.c_str(), nullptr);
        if (xcb_connection_has_error(connection) == 0) {
            return connection;
        }
        xcb_disconnect(connection);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return nullptr;
}

// Spawns the program and waits for the server to map a top-level window of it. Only the
// benchmark's own programs draw on the private display, so the first map is theirs.
std::optional<double> timeToFirstWindow(xcb_connection_t* connection, const std::string& program) {
    const auto start = Clock::now();
    const pid_t pid = spawn({program});
    if (pid < 0) {
        return std::nullopt;
    }
    std::optional<double> elapsed;
    const int fd = xcb_get_file_descriptor(connection);
    while (!elapsed) {
        const auto left = kWindowTimeout - (Clock::now() - start);
        if (left <= Clock::duration::zero()) {
            break;
        }
        pollfd wait{fd, POLLIN, 0};
        const int ready = poll(
            &wait, 1, int(std::chrono::duration_cast<std::chrono::milliseconds>(left).count()));
        if (ready < 0 && errno != EINTR) {
            break;
        }
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection)) {
            if ((event->response_type & 0x7F) == XCB_MAP_NOTIFY && !elapsed) {
                elapsed = Millis(Clock::now() - start).count();
            }
            std::free(event);
        }
        if (xcb_connection_has_error(connection) != 0) {
            break;
        }
    }
    stop(pid);
    // Let the stopped program's windows go before the next one starts.
    std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
    while (xcb_generic_event_t* event = xcb_poll_for_event(connection)) {
        std::free(event);
    }
    return elapsed;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

} // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    const int display = freeDisplay();
    if (display < 0) {
        std::fprintf(stderr, "no free X display number between :90 and :199\n");
        return 1;
    }
    const std::string name = ":" + std::to_string(display);
    const pid_t server =
        spawn({"/usr/bin/Xvfb", name, "-screen", "0", "1280x1024x24", "-nolisten", "tcp"});
    if (server < 0) {
        std::fprintf(stderr, "Xvfb could not be started (Debian package xvfb)\n");
        return 1;
    }
    xcb_connection_t* connection = connectWithin(name, std::chrono::seconds(10));
    if (connection == nullptr) {
        std::fprintf(stderr, "Xvfb %s did not answer\n", name.c_str());
        stop(server);
        return 1;
    }
    // Both programs start with the same empty home, display and no settings of the user's.
    char home[] = "/tmp/parvelin-startup-XXXXXX";
    if (mkdtemp(home) == nullptr) {
        std::perror("mkdtemp");
        stop(server);
        return 1;
    }
    setenv("HOME", home, 1);
    setenv("XDG_CONFIG_HOME", (std::string(home) + "/.config").c_str(), 1);
    setenv("DISPLAY", name.c_str(), 1);
    setenv("QT_QPA_PLATFORM", "xcb", 1);

    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection, screen->root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(connection);

    const std::string programs[2] = {PARVELIN_PROGRAM, BARE_DIALOG_PROGRAM};
    std::vector<double> times[2];
    int exitCode = 0;
    for (int run = -2; run < runs && exitCode == 0; ++run) {
        // ABBA order, so that a drift in the machine's load falls on both alike.
        for (int k = 0; k < 2; ++k) {
            const int which = (run & 1) == 0 ? k : 1 - k;
            const std::optional<double> ms = timeToFirstWindow(connection, programs[which]);
            if (!ms) {
                std::fprintf(stderr, "%s showed no window within %lld s\n", programs[which].c_str(),
                             (long long)kWindowTimeout.count());
                exitCode = 1;
                break;
            }
            if (run >= 0) {
                times[which].push_back(*ms);
            }
        }
    }
    xcb_disconnect(connection);
    stop(server);
    std::filesystem::remove_all(home);
    if (exitCode != 0) {
        return exitCode;
    }
    const double program = median(times[0]);
    const double bare = median(times[1]);
    std::printf("start-up to first window, medians of %d interleaved runs on Xvfb %s:\n", runs,
                name.c_str());
    std::printf("  parvelin                 %7.1f ms  (min %.1f, max %.1f)\n", program,
                *std::min_element(times[0].begin(), times[0].end()),
                *std::max_element(times[0].begin(), times[0].end()));
    std::printf("  bare dialog, 80 widgets  %7.1f ms  (min %.1f, max %.1f)\n", bare,
                *std::min_element(times[1].begin(), times[1].end()),
                *std::max_element(times[1].begin(), times[1].end()));
    std::printf("  ratio                    %7.2fx  (target 1.10x or less)\n", program / bare);
    return 0;
}
