#pragma once
// Ways to make the file system fail on purpose: a full device, folders that
// refuse new files, and the permissions of an ordinary user when the tests run as root.

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#endif

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace vellconf::test {

#ifdef _WIN32

// Windows checks every process against the folder itself: nothing to give up.
template <typename Check>
bool holdsWithoutPrivileges(const Check& check, const std::filesystem::path& dir) {
    return check(dir);
}

// Whether no file may be created in the folder. Wine keeps a folder's security
// without enforcing it, and as root passes every Unix permission: a refusing
// folder can only be found, such as the host's sysfs, Z:\sys.
inline bool refusesNewFiles(const std::filesystem::path& dir) {
    std::error_code ec;
    if (!std::filesystem::is_directory(dir, ec)) return false;
    const std::filesystem::path probe = dir / "vellconf-probe";
    if (!std::ofstream(probe)) return true;
    std::filesystem::remove(probe, ec);
    return false;
}

#else

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

// As root the check runs in a child process that has given up its privileges.
template <typename Check>
bool holdsWithoutPrivileges(const Check& check, const std::filesystem::path& dir) {
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

// Makes the folder one no one but root (see holdsWithoutPrivileges) may create files in.
inline bool refusesNewFiles(const std::filesystem::path& dir) {
    namespace fs = std::filesystem;
    fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read | fs::perms::group_exec |
                             fs::perms::others_read | fs::perms::others_exec);
    return true;
}

#endif

}  // namespace vellconf::test
