#pragma once

#include <csignal>
#include <functional>
#include <grp.h>
#include <string>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace parvelin::test {

// Real faults of the file system for the tests of writing: no mocks. Each undoes itself when it
// goes out of scope.

// A file-size limit on this process (ulimit -f) with SIGXFSZ ignored, so that a write beyond it
// fails with EFBIG instead of ending the test.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &m_before);
        m_handler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_before;
        limit.rlim_cur = bytes;
        m_active = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_before);
        std::signal(SIGXFSZ, m_handler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

    bool active() const { return m_active; }

private:
    rlimit m_before{};
    void (*m_handler)(int) = SIG_DFL;
    bool m_active = false;
};

// A folder that takes no new entries. A user is kept out by its permissions; root ignores those,
// so for root the folder is mounted read-only over itself, where the system allows mounting.
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(std::string path)
        : m_path(std::move(path)) {
        if (geteuid() != 0) {
            m_active = chmod(m_path.c_str(), 0555) == 0;
            return;
        }
        m_mounted = mount(m_path.c_str(), m_path.c_str(), nullptr, MS_BIND, nullptr) == 0;
        m_active = m_mounted && mount(nullptr, m_path.c_str(), nullptr,
                                      MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) == 0;
    }
    ~ReadOnlyFolder() {
        if (geteuid() != 0) {
            chmod(m_path.c_str(), 0755);
        } else if (m_mounted) {
            umount2(m_path.c_str(), MNT_DETACH);
        }
    }
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

    bool active() const { return m_active; }
    static constexpr const char* kWhyInactive =
        "running as root without the right to mount: a read-only folder cannot be made, and "
        "root writes into folders whatever their permissions (the file-size limit and /dev/full "
        "cover failed writes)";

private:
    std::string m_path;
    bool m_mounted = false;
    bool m_active = false;
};

// A small file system of its own, mounted on an empty folder (root only), for a disk that runs
// full. `size` as tmpfs takes it ("16k").
class SmallFileSystem {
public:
    SmallFileSystem(std::string path, const std::string& size)
        : m_path(std::move(path)) {
        const std::string options = "size=" + size + ",mode=0755";
        m_mounted =
            geteuid() == 0 && mount("tmpfs", m_path.c_str(), "tmpfs", 0, options.c_str()) == 0;
    }
    ~SmallFileSystem() {
        if (m_mounted) {
            umount2(m_path.c_str(), MNT_DETACH);
        }
    }
    SmallFileSystem(const SmallFileSystem&) = delete;
    SmallFileSystem& operator=(const SmallFileSystem&) = delete;

    bool active() const { return m_mounted; }

private:
    std::string m_path;
    bool m_mounted = false;
};

// Another user on this computer, for what a save may do to files of others: ids that no account
// uses, taken by a child process (root only; a process that is no root cannot change its user).
struct OtherUser {
    uid_t uid;
    gid_t gid;         // the user's own group
    gid_t memberOf{0}; // a further group the user belongs to, 0 for none

    static bool available() { return geteuid() == 0; }
    static constexpr const char* kWhyUnavailable =
        "not running as root: the test cannot act as another user";

    // Runs `work` in a child process as this user; its result, or -1 when the child could not
    // become the user or did not end normally.
    int run(const std::function<int()>& work) const {
        const pid_t child = fork();
        if (child == 0) {
            const gid_t groups[] = {memberOf};
            const bool became = setgroups(memberOf != 0 ? 1 : 0, groups) == 0 && setgid(gid) == 0 &&
                                setuid(uid) == 0;
            _exit(became ? work() : 255);
        }
        int status = 0;
        if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status) ||
            WEXITSTATUS(status) == 255) {
            return -1;
        }
        return WEXITSTATUS(status);
    }
};

} // namespace parvelin::test
