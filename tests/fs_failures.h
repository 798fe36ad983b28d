#pragma once
// Ways to make the file system fail on purpose: a full device, and the
// permissions of an ordinary user when the tests run as root.

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>

namespace vellconf::test {

// Writes past this many bytes fail as on a full device, for the life of the object.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        std::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        rlimit limited = saved_;
        limited.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit() { ::setrlimit(RLIMIT_FSIZE, &saved_); }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit saved_{};
};

// The user and group "nobody", which an unprivileged check runs as.
inline constexpr uid_t kUnprivilegedId = 65534;

// Permissions do not stop root, so as root the check runs in a child process
// that has given up its privileges.
inline bool holdsWithoutPrivileges(bool (*check)(const std::filesystem::path&), const std::filesystem::path& dir) {
    if (::geteuid() != 0) return check(dir);
    const pid_t child = ::fork();
    if (child == 0) {
        const bool dropped = ::setgid(kUnprivilegedId) == 0 && ::setuid(kUnprivilegedId) == 0;
        std::_Exit(dropped && check(dir) ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace vellconf::test
