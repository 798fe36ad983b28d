// Reading and writing whole files on a real file system: links, ownership, read-only files, folders that refuse new
// files, full devices and files that cannot be read; the history of what the writes replace; and saves of Config.lua
// the file system refuses.

#include "config/file_io.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <map>
#include <utility>
#include <vector>

#include "config/config_io.h"
#include "config/history.h"
#include "config/memo.h"
#include "config/messages.h"
#include "config/tool_paths.h"

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#endif

#include "test_support.h"

namespace vellconf {
namespace {

namespace fs = std::filesystem;
using test::writeBytes;

// Ways to make the file system fail on purpose: a full device, folders that
// refuse new files, and the permissions of an ordinary user when the tests run as root.
#ifdef _WIN32
// Windows checks every process against the folder itself: nothing to give up.
template <typename Check>
bool holdsWithoutPrivileges(const Check& check, const fs::path& dir) { return check(dir); }

// Whether no file may be created in the folder. Wine keeps a folder's security without enforcing it, and as root
// passes every Unix permission: a refusing folder can only be found, such as the host's sysfs, Z:\sys.
bool refusesNewFiles(const fs::path& dir) {
    std::error_code ec;
    if (!fs::is_directory(dir, ec)) return false;
    const fs::path probe = dir / "vellconf-probe";
    if (!std::ofstream(probe)) return true;
    fs::remove(probe, ec);
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
constexpr uid_t kUnprivilegedId = 65534;

// As root the check runs in a child process that has given up its privileges.
template <typename Check>
bool holdsWithoutPrivileges(const Check& check, const fs::path& dir) {
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
bool refusesNewFiles(const fs::path& dir) {
    fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read | fs::perms::group_exec |
                             fs::perms::others_read | fs::perms::others_exec);
    return true;
}

#endif

std::vector<std::string> namesIn(const fs::path& dir) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

const std::string kNew = "new content\r\n";

// An old file that everyone may write, so that unprivileged checks can.
void writeOldFile(const fs::path& file) {
    writeBytes(file, std::string(3000, 'o'));
    fs::permissions(file, fs::perms::all & ~fs::perms::others_exec & ~fs::perms::group_exec & ~fs::perms::owner_exec);
}

#ifndef _WIN32
// Config.lua leads to real/Config.lua through a chain of links, each
// relative to its own folder; the file at its end may not exist yet.
TEST(FileIoWrite, SymbolicLinksLeadToTheFileThatIsReplaced) {
    for (const bool targetExists : {true, false}) {
        test::ScratchDir dir;
        fs::create_directory(dir / "real");
        if (targetExists) writeBytes(dir / "real/Config.lua", "old");
        fs::create_symlink("real/hop.lua", dir / "Config.lua");
        fs::create_symlink("Config.lua", dir / "real/hop.lua");
        EXPECT_EQ(writeFileSafely(dir / "Config.lua", kNew), WriteResult::Ok) << targetExists;
        EXPECT_EQ(test::fileBytes(dir / "real/Config.lua"), kNew) << targetExists;  // written through the links, kept as links
        EXPECT_EQ(namesIn(dir.path()), (std::vector<std::string>{"Config.lua", "real"})) << targetExists;
        EXPECT_EQ(namesIn(dir / "real"), (std::vector<std::string>{"Config.lua", "hop.lua"})) << targetExists;
    }
}

// A plain file is replaced whole, not rewritten: a reader that opened it before the save still reads the old bytes.
// The new file keeps the old one's mode, owner and group.
TEST(FileIoWrite, APlainFileIsReplacedKeepingModeOwnerAndGroup) {
    test::ScratchDir dir;
    const fs::path file = dir / "Config.lua";
    writeBytes(file, "old");
    std::ifstream held(file, std::ios::binary);
    if (::geteuid() == 0) { ASSERT_EQ(::chown(file.c_str(), kUnprivilegedId, kUnprivilegedId), 0); }
    // A mode no default gives: readable by others, not by the group.
    struct stat before {}, after {};
    ASSERT_EQ(::chmod(file.c_str(), 0604), 0);
    ASSERT_EQ(::stat(file.c_str(), &before), 0);
    EXPECT_EQ(writeFileSafely(file, kNew), WriteResult::Ok);
    ASSERT_EQ(::stat(file.c_str(), &after), 0);
    EXPECT_EQ(after.st_mode & 07777, 0604u);
    EXPECT_EQ(after.st_uid, before.st_uid);
    EXPECT_EQ(after.st_gid, before.st_gid);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(held), {}), "old");
    // A hard-linked file is rewritten in place instead, to nothing as well (in this process: as root the failure
    // table below runs its writes in an unprivileged child).
    fs::create_hard_link(file, dir / "Backup.lua");
    ASSERT_EQ(writeFileSafely(file, ""), WriteResult::Ok);
    EXPECT_EQ(test::fileBytes(dir / "Backup.lua"), "");
}

#endif

// Each way a write can end. Refused targets fail before a byte is written (the folder takes new files, so the refusal
// is the target's own), and each way of writing meets a full device before any old byte changes: whatever fails, the
// folder and the old bytes stay as they were.
TEST(FileIoWrite, FailuresKeepWhatTheTargetHeld) {
    // The old Config.lua: read-only, with a second (hard) name, in a game folder the user may write files in but
    // not create them.
    static const auto readOnly = [](const fs::path& d) {
        writeOldFile(d / "Config.lua");
        fs::permissions(d / "Config.lua", fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    };
    static const auto hardLinked = [](const fs::path& d) {
        writeOldFile(d / "Config.lua");
        fs::create_hard_link(d / "Config.lua", d / "Backup.lua");
    };
#ifndef _WIN32
    static const auto refusingFolder = [](const fs::path& d) {
        writeOldFile(d / "Config.lua");
        refusesNewFiles(d);
    };
#endif
    const struct {
        const char* name;
        void (*prepare)(const fs::path& dir);
        fs::path target;  // in the folder, or a path of its own
        bool fullDevice;  // writes past 4096 bytes fail
        WriteResult result;
    } cases[] = {
        {"read-only file", readOnly, "Config.lua", false, WriteResult::OpenFailed},
        {"folder in the file's place", [](const fs::path& d) { fs::create_directory(d / "Config.lua"); }, "Config.lua", false, WriteResult::OpenFailed},
        {"missing folder", [](const fs::path&) {}, "missing/Config.lua", false, WriteResult::OpenFailed},
        {"hard-linked: rewritten in place", hardLinked, "Config.lua", false, WriteResult::Ok},
#ifdef _WIN32
        {"the null device", [](const fs::path&) {}, R"(\\.\NUL)", false, WriteResult::OpenFailed},
#else
        // A pipe of the folder's own rather than /dev/null: a fault would replace only that.
        {"a named pipe", [](const fs::path& d) { ::mkfifo((d / "Config.lua").c_str(), 0600); }, "Config.lua", false, WriteResult::OpenFailed},
        {"a loop of links", [](const fs::path& d) { fs::create_symlink("b.lua", d / "Config.lua"); fs::create_symlink("Config.lua", d / "b.lua"); },
         "Config.lua", false, WriteResult::OpenFailed},
        {"folder refuses new files: the file is rewritten in place", refusingFolder, "Config.lua", false, WriteResult::Ok},
        {"folder refuses new files: a new one", refusingFolder, "Other.lua", false, WriteResult::AccessDenied},
        {"folder refuses new files: a read-only file", [](const fs::path& d) { readOnly(d); refusesNewFiles(d); }, "Config.lua", false,
         WriteResult::AccessDenied},
        {"full device, through a temporary file", [](const fs::path& d) { writeOldFile(d / "Config.lua"); }, "Config.lua", true, WriteResult::WriteFailed},
        {"full device, in place, hard-linked", hardLinked, "Config.lua", true, WriteResult::WriteFailed},
#endif
    };
    for (const auto& c : cases) {
        test::ScratchDir dir;
        fs::permissions(dir.path(), fs::perms::all);
        c.prepare(dir.path());
        const auto before = namesIn(dir.path());
        const auto old = test::fileBytes(dir / "Config.lua");
        const auto writes = [&](const fs::path& d) {
#ifndef _WIN32
            std::optional<FileSizeLimit> limit;
            if (c.fullDevice) limit.emplace(4096);
#endif
            return writeFileSafely(d / c.target, c.fullDevice ? std::string(10000, 'n') : kNew) == c.result;
        };
        EXPECT_TRUE(holdsWithoutPrivileges(writes, dir.path())) << c.name;
        EXPECT_EQ(namesIn(dir.path()), before) << c.name;
        EXPECT_EQ(test::fileBytes(dir / "Config.lua"), c.result == WriteResult::Ok ? kNew : old) << c.name;
        if (fs::exists(dir / "Backup.lua")) {  // a hard link stays one file with the target
            EXPECT_EQ(test::fileBytes(dir / "Backup.lua"), test::fileBytes(dir / "Config.lua")) << c.name;
        }
    }
}

TEST(FileIoWrite, TemporaryFilesOfKilledSavesAreRemovedByTheNextSave) {
    test::ScratchDir dir;
    // No process has this number: Linux stops at 4,194,304, Windows counts in fours.
    std::vector<std::string> names = {".vellconf-999999996-0.tmp", ".vellconf-notes.tmp", "other.tmp",
                                      ".vellconf-" + std::to_string(test::processId()) + "-1.tmp"};
#ifndef _WIN32
    names.push_back(".vellconf-" + std::to_string(::getppid()) + "-1.tmp");  // another live process's
#endif
    for (const std::string& name : names) writeBytes(dir / name, "left over");
    ASSERT_EQ(writeFileSafely(dir / "Config.lua", kNew), WriteResult::Ok);
    names[0] = "Config.lua";
    std::sort(names.begin(), names.end());
    EXPECT_EQ(namesIn(dir.path()), names);
}

// The temporary file's name must fit wherever the target's does.
TEST(FileIoWrite, LongestFileNamesSave) {
    test::ScratchDir dir;
#ifdef _WIN32  // a folder entry's limit, and on Windows the whole path's as well
    const std::string name(std::min<std::size_t>(255, MAX_PATH - 1 - dir.path().native().size() - 1), 'c');
#else
    const std::string name(255, 'c');
#endif
    EXPECT_EQ(writeFileSafely(dir / name, "first"), WriteResult::Ok);
    EXPECT_EQ(writeFileSafely(dir / name, kNew), WriteResult::Ok);
    EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{name});
}

// The cases of tests/data/config/file_reads.tsv, in a folder of files of each kind.
TEST(FileIoRead, StatusTellsMissingFromUnreadable) {
    const std::map<std::string, ReadStatus> statuses{{"Ok", ReadStatus::Ok}, {"Missing", ReadStatus::Missing},
                                                     {"Unreadable", ReadStatus::Unreadable}, {"TooLarge", ReadStatus::TooLarge}};
    test::ScratchDir dir;
    writeBytes(dir / "file.ini", "a b\n");
    writeBytes(dir / "empty.ini", "");
    fs::create_directory(dir / "folder.ini");
#ifndef _WIN32
    ASSERT_EQ(::mkfifo((dir / "fifo.ini").c_str(), 0600), 0);  // nobody writes: a blocking read would hang
    writeBytes(dir / "sparse.lua", "");
    fs::resize_file(dir / "sparse.lua", 100ull << 30);  // 100 GB of holes
    EXPECT_TRUE(readFile("/proc/self/maps", kMaxTextFileBytes));  // a size of 0, and yet bytes to read
    // A file without read permission exists: it is unreadable, not missing.
    writeBytes(dir / "Friend.ini", "1 a\r\n");
    fs::permissions(dir / "Friend.ini", fs::perms::owner_write);
    EXPECT_TRUE(holdsWithoutPrivileges(
        [](const fs::path& d) { return readFile(d / "Friend.ini", kMaxTextFileBytes).status == ReadStatus::Unreadable; },
        dir.path()));
#endif
    const auto rows = test::cp932Rows("config/file_reads.tsv");
    ASSERT_EQ(rows.size(), 12u);
    for (const auto& c : rows) {
#ifdef _WIN32
        if (c[4] == "posix") continue;
#endif
        const fs::path path = c[0] == "unreadable" ? test::kUnreadableFile : dir / c[0];  // a path from "/" stays the system's
        errno = EINTR;  // left over from an earlier call: the end of a file is still its end
        const FileRead read = readFile(path, c[1] == "text" ? kMaxTextFileBytes : std::stoull(c[1]));
        EXPECT_EQ(read.status, statuses.at(c[2])) << c[0];
        EXPECT_EQ(read.bytes, c[3]) << c[0];
        EXPECT_EQ(existsButUnreadable(read.status), c[2] == "Unreadable" || c[2] == "TooLarge") << c[0];
    }
}

// The history of replaced files: what a save keeps and for how long, and that
// a history that cannot be kept stops no save.
std::vector<std::string> keptBytes(const History& history) {
    std::vector<std::string> kept;
    for (const HistoryVersion& version : history.versions()) kept.push_back(test::fileBytes(history.fileOf(version)).value());
    return kept;
}

// Each save keeps exactly the bytes it replaces, named after the file and the time, with the file's path; one over
// a file of the history itself keeps nothing more.
TEST(History, ASaveKeepsExactlyTheBytesItReplaces) {
    const struct {
        const char* name;
        std::vector<std::string> saves;  // over Config.lua; "history:BYTES" over the history's oldest version
        std::vector<std::string> kept;   // oldest first
    } cases[] = {
        {"a new file", {"a"}, {}},
        {"over other bytes", {"a", "b"}, {"a"}},
        {"the same bytes", {"a", "a"}, {}},
        {"and back again", {"a", "b", "a"}, {"a", "b"}},
        {"an empty file", {"", "b"}, {""}},
        {"over a kept version", {"a", "b", "history:c"}, {"c"}},
    };
    for (const auto& c : cases) {
        test::ScratchDir dir;
        History history(dir / "history");
        for (const std::string& bytes : c.saves) {
            const bool own = bytes.starts_with("history:");
            const fs::path file = own ? history.fileOf(history.versions().at(0)) : dir / "Config.lua";
            ASSERT_EQ(writeFileSafely(file, own ? bytes.substr(8) : bytes, &history), WriteResult::Ok) << c.name;
        }
        EXPECT_EQ(keptBytes(history), c.kept) << c.name;
        for (const HistoryVersion& version : history.versions()) {
            EXPECT_EQ(version.origin, toCp932Path(dir / "Config.lua")) << c.name;
            EXPECT_TRUE(version.name.ends_with("_Config.lua")) << version.name;
            EXPECT_EQ(version.name.substr(0, 10), version.time.substr(0, 10)) << version.name;
        }
        EXPECT_EQ(history.untoldFailure(), std::nullopt) << c.name;
    }
}

TEST(History, KeepsTheNewest50VersionsOfEachPathByNameInTimeOrder) {
    test::ScratchDir dir;
    History history(dir / "history");
    writeBytes(dir / "Friend.ini", "other path");
    ASSERT_EQ(writeFileSafely(dir / "Friend.ini", "changed", &history), WriteResult::Ok);
    for (int i = 0; i <= 51; ++i) ASSERT_EQ(writeFileSafely(dir / "Config.lua", std::to_string(i), &history), WriteResult::Ok);
    std::vector<std::string> expected = {"other path"};
    for (int i = 1; i <= 50; ++i) expected.push_back(std::to_string(i));  // 0 was the oldest of 51
    EXPECT_EQ(keptBytes(history), expected);
    std::vector<std::string> names;
    for (const HistoryVersion& version : history.versions(dir / "Config.lua")) names.push_back(version.name);
    EXPECT_EQ(names.size(), kVersionsKept);
    EXPECT_TRUE(std::is_sorted(names.begin(), names.end()));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir / "history"), fs::directory_iterator()), 52);  // and index.txt
}

TEST(History, OneThatCannotBeKeptStopsNoSaveAndIsToldOnce) {
    test::ScratchDir dir;
    const fs::path target = dir / "Config.lua";
    const auto savesAndTellsOnce = [&](const fs::path& folder) {
        History history(folder);
        writeBytes(target, "old");
        const bool saved = writeFileSafely(target, "new", &history) == WriteResult::Ok && test::fileBytes(target) == "new";
        const auto told = history.untoldFailure();
        const bool savedAgain = writeFileSafely(target, "newer", &history) == WriteResult::Ok;
        return saved && savedAgain && told && told->find(folder.filename().string()) != std::string::npos &&
               !history.untoldFailure();
    };
    writeBytes(dir / "history", "a file where the folder should be");
    EXPECT_TRUE(savesAndTellsOnce(dir / "history"));
#ifndef _WIN32
    // A read-only folder, as an ordinary user meets it; the save's own folder stays open.
    fs::permissions(dir.path(), fs::perms::all);
    fs::create_directory(dir / "read-only");
    ASSERT_TRUE(refusesNewFiles(dir / "read-only"));
    writeBytes(target, "");
    fs::permissions(target, fs::perms::all);
    EXPECT_TRUE(holdsWithoutPrivileges(savesAndTellsOnce, dir / "read-only"));
    // A folder name holding a line end would break the index line: saved, nothing kept, and told.
    fs::create_directory(dir / "two\nlines");
    History history(dir / "kept");
    writeBytes(dir / "two\nlines" / "Config.lua", "old");
    EXPECT_EQ(writeFileSafely(dir / "two\nlines" / "Config.lua", "new", &history), WriteResult::Ok);
    EXPECT_TRUE(history.versions().empty());
    EXPECT_TRUE(history.untoldFailure());
#endif
}

#ifndef _WIN32
// A rewrite in place (a hard-linked file) killed part-way leaves a torn file; the history holds what it replaced.
TEST(History, AKillDuringAnInPlaceRewriteLeavesTheOldBytesInTheHistory) {
    test::ScratchDir dir;
    const std::string oldBytes(48u << 20, 'o'), newBytes(48u << 20, 'n');
    writeBytes(dir / "Config.lua", oldBytes);
    fs::create_hard_link(dir / "Config.lua", dir / "link.lua");
    const pid_t child = ::fork();
    if (child == 0) {
        History history(dir / "history");
        writeFileSafely(dir / "Config.lua", newBytes, &history);
        std::_Exit(0);
    }
    // Killed as soon as the version is listed, before the rewrite can end.
    const History history(dir / "history");
    bool ended = false;
    while (history.versions().empty() && !ended) ended = ::waitpid(child, nullptr, WNOHANG) == child;
    if (!ended && ::kill(child, SIGKILL) == 0) ::waitpid(child, nullptr, 0);
    ASSERT_EQ(history.versions().size(), 1u);
    EXPECT_TRUE(test::fileBytes(history.fileOf(history.versions()[0])) == oldBytes);
}
#endif

// Saves refused by the file system leave the user's files as they were and name the folder as the user typed it.
ConfigContent defaults() { return {startupSettings(), startupMemo(), {}, {}}; }

#ifdef _WIN32
// Another program holds the file to itself (share mode 0): no other handle may read, write or delete it.
TEST(SaveAndLoad, FileHeldByAnotherProgramIsNeitherReadNorReplaced) {
    test::ScratchDir dir;
    writeBytes(dir / "Config.lua", "old");
    const HANDLE lock = CreateFileW((dir / "Config.lua").c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    EXPECT_EQ(saveConfig(dir / "Config.lua", defaults()), SaveResult::OpenFailed);
    EXPECT_EQ(loadConfigFile(dir / "Config.lua", LoadKind::Ai, startupSettings()).failure, LoadFailure::Unreadable);
    CloseHandle(lock);
    EXPECT_EQ(test::fileBytes(dir / "Config.lua"), "old");
    EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"Config.lua"});
}
#endif

// The message names the folder as the user typed it, whatever form the system gives it.
TEST(Save, FolderThatForbidsNewFilesIsNamedInTheMessage) {
#ifdef _WIN32
    const std::string typed = R"(Z:\sys)";  // see refusesNewFiles
#else
    // Windows paths lead into Wine's prefix, here a scratch folder.
    test::ScratchDir dir;
    ::setenv("WINEPREFIX", dir.path().c_str(), 1);
    // The trail byte of ソ is a backslash.
    const std::string typed = cp932(R"(C:\Program Files\ゲーム\ソフト\USER_AI)");
#endif
    const fs::path folder = resolvePath(typed).value();
    fs::create_directories(folder);
    if (!refusesNewFiles(folder)) GTEST_SKIP() << "no folder here refuses new files";
    const auto before = namesIn(folder);
    const std::string expected = std::string(messages::kSaveOpenFailed) + "\nアクセスが拒否されました: " +
                                 cp932ToUtf8(typed).value();
    EXPECT_TRUE(holdsWithoutPrivileges(
        [&](const fs::path&) {
            const SaveOutcome outcome = saveConfig(resolvePath(aiConfigPath(typed)).value(), defaults());
            return outcome == SaveResult::AccessDenied && outcome.subject == typed && saveMessage(outcome) == expected;
        },
        folder));
    EXPECT_EQ(namesIn(folder), before);
#ifndef _WIN32
    ::unsetenv("WINEPREFIX");
#endif
}

}  // namespace
}  // namespace vellconf
