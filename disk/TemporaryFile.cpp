#include "disk/TemporaryFile.h"

#include "disk/PathNames.h"
#include "disk/TemporaryFileName.h"

#include <array>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace parvelin::disk {

namespace {

// The signals that end a program politely: from the terminal, from `kill` and shutdown, and from
// a closed terminal or session.
constexpr std::array kEndingSignals = {SIGINT, SIGTERM, SIGHUP};

// What the signal handler removes: the path of the temporary file that exists now, or null. Only
// one save runs at a time (the form's thread, or the command-line tool).
const char* volatile g_pendingPath = nullptr;
std::array<struct sigaction, kEndingSignals.size()> g_previousActions{};

void removePendingAndEnd(int signal) {
    if (const char* path = g_pendingPath) {
        ::unlink(path);
    }
    for (std::size_t i = 0; i < kEndingSignals.size(); ++i) {
        if (kEndingSignals[i] == signal) {
            ::sigaction(signal, &g_previousActions[i], nullptr);
        }
    }
    // Delivered once this handler returns, with the action the program had before.
    ::raise(signal);
}

// For as long as a temporary file exists, the ending signals remove it first. A signal the
// program ignores stays ignored: it ends nothing.
void watchEndingSignals(const char* path) {
    g_pendingPath = path;
    struct sigaction action {};
    action.sa_handler = removePendingAndEnd;
    sigemptyset(&action.sa_mask);
    for (std::size_t i = 0; i < kEndingSignals.size(); ++i) {
        struct sigaction& previous = g_previousActions[i];
        if (::sigaction(kEndingSignals[i], nullptr, &previous) == 0 &&
            previous.sa_handler != SIG_IGN) {
            ::sigaction(kEndingSignals[i], &action, nullptr);
        }
    }
}

void stopWatchingEndingSignals() {
    for (std::size_t i = 0; i < kEndingSignals.size(); ++i) {
        struct sigaction current {};
        if (::sigaction(kEndingSignals[i], nullptr, &current) == 0 &&
            current.sa_handler == removePendingAndEnd) {
            ::sigaction(kEndingSignals[i], &g_previousActions[i], nullptr);
        }
    }
    g_pendingPath = nullptr;
}

} // namespace

TemporaryFile::TemporaryFile(const std::string& folder)
    : m_path(pathIn(folder,
                    std::string(kTemporaryNamePrefix) + std::string(kTemporaryNameLetters, 'X')))
    , m_descriptor(mkostemp(m_path.data(), O_CLOEXEC))
    , m_named(m_descriptor >= 0) {
    if (m_named) {
        watchEndingSignals(m_path.c_str());
    }
}

TemporaryFile::~TemporaryFile() {
    if (m_descriptor >= 0) {
        ::close(m_descriptor);
    }
    if (m_named) {
        ::unlink(m_path.c_str());
        stopWatchingEndingSignals();
    }
}

bool TemporaryFile::close() {
    const int result = ::close(m_descriptor);
    m_descriptor = -1;
    return result == 0;
}

bool TemporaryFile::renameTo(int folder, const std::string& target) {
    // Both names in the one folder: the file goes nowhere but into the folder examined.
    const std::string name(fileNameOf(m_path));
    if (::renameat(folder, name.c_str(), folder, target.c_str()) != 0) {
        return false;
    }
    m_named = false; // the name is the target's now
    stopWatchingEndingSignals();
    return true;
}

} // namespace parvelin::disk
