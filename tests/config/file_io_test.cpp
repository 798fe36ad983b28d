// Reading and writing whole files on a real file system: links, ownership,
// read-only files, folders that refuse new files, full devices and files that
// cannot be read.

#include "config/file_io.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <fstream>
#include <utility>
#include <vector>

#include "fs_failures.h"
#include "test_support.h"

namespace vellconf {
namespace {

namespace fs = std::filesystem;

void writeBytes(const fs::path& path, std::string_view bytes) { std::ofstream(path, std::ios::binary) << bytes; }

std::vector<std::string> namesIn(const fs::path& dir) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// Which file a name leads to (the same for two names of one file, another
// once the name leads to a new file), and how many names the file has.
struct FileFacts {
    std::pair<std::uint64_t, std::uint64_t> identity;
    std::uint64_t links = 0;
};

FileFacts factsOf(const fs::path& path) {
#ifdef _WIN32
    const HANDLE file = CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    BY_HANDLE_FILE_INFORMATION info{};
    EXPECT_TRUE(file != INVALID_HANDLE_VALUE && GetFileInformationByHandle(file, &info)) << path;
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    return {{info.dwVolumeSerialNumber, (std::uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow},
            info.nNumberOfLinks};
#else
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
    return {{info.st_dev, info.st_ino}, info.st_nlink};
#endif
}

const std::string kNew = "new content\r\n";

// An old file that everyone may write, so that unprivileged checks can.
void writeOldFile(const fs::path& file) {
    writeBytes(file, std::string(3000, 'o'));
    fs::permissions(file, fs::perms::all & ~fs::perms::others_exec & ~fs::perms::group_exec & ~fs::perms::owner_exec);
}

#ifndef _WIN32
struct stat statOf(const fs::path& path) {
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
    return info;
}

TEST(FileIoWrite, SymbolicLinksLeadToTheFileThatIsReplaced) {
    struct Case {
        const char* name;
        void (*prepare)(const fs::path& dir);  // makes "Config.lua" a link to "real/Config.lua" one way or another
    };
    const Case cases[] = {
        {"relative link", [](const fs::path& d) { fs::create_symlink("real/Config.lua", d / "Config.lua"); }},
        {"absolute link", [](const fs::path& d) { fs::create_symlink(d / "real/Config.lua", d / "Config.lua"); }},
        {"chain of links",
         [](const fs::path& d) {
             fs::create_symlink("Config.lua", d / "real/hop.lua");  // relative to the link's own folder
             fs::create_symlink("real/hop.lua", d / "Config.lua");
         }},
    };
    for (const bool targetExists : {true, false}) {
        for (const auto& c : cases) {
            const std::string label = std::string(c.name) + (targetExists ? "" : ", dangling");
            test::ScratchDir dir;
            fs::create_directory(dir / "real");
            if (targetExists) writeBytes(dir / "real/Config.lua", "old");
            c.prepare(dir.path());
            const auto before = namesIn(dir / "real");
            EXPECT_EQ(writeFileSafely(dir / "Config.lua", kNew), WriteResult::Ok) << label;
            EXPECT_TRUE(fs::is_symlink(dir / "Config.lua")) << label;
            EXPECT_EQ(test::fileBytes(dir / "real/Config.lua"), kNew) << label;
            EXPECT_EQ(namesIn(dir.path()), (std::vector<std::string>{"Config.lua", "real"})) << label;
            if (targetExists) {
                EXPECT_EQ(namesIn(dir / "real"), before) << label;
            }
        }
    }
}

TEST(FileIoWrite, LinkLoopIsRefused) {
    test::ScratchDir dir;
    fs::create_symlink("b.lua", dir / "a.lua");
    fs::create_symlink("a.lua", dir / "b.lua");
    EXPECT_EQ(writeFileSafely(dir / "a.lua", kNew), WriteResult::OpenFailed);
    EXPECT_EQ(namesIn(dir.path()), (std::vector<std::string>{"a.lua", "b.lua"}));
}

TEST(FileIoWrite, ModeOwnerAndGroupAreKept) {
    test::ScratchDir dir;
    writeBytes(dir / "Config.lua", "old");
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown((dir / "Config.lua").c_str(), test::kUnprivilegedId, test::kUnprivilegedId), 0);
    }
    for (const mode_t mode : {0600u, 0640u, 0604u}) {
        ASSERT_EQ(::chmod((dir / "Config.lua").c_str(), mode), 0);
        const struct stat before = statOf(dir / "Config.lua");
        EXPECT_EQ(writeFileSafely(dir / "Config.lua", kNew), WriteResult::Ok);
        const struct stat after = statOf(dir / "Config.lua");
        EXPECT_EQ(after.st_mode & 07777, mode);
        EXPECT_EQ(after.st_uid, before.st_uid);
        EXPECT_EQ(after.st_gid, before.st_gid);
    }
    EXPECT_EQ(test::fileBytes(dir / "Config.lua"), kNew);
}

// A game folder the user may write files in but not create them.
void makeFolderRefuseNewFiles(const fs::path& dir, const fs::path& file) {
    writeOldFile(file);
    test::refusesNewFiles(dir);
}

TEST(FileIoWrite, FolderThatRefusesNewFilesGetsTheFileRewrittenInPlace) {
    test::ScratchDir dir;
    makeFolderRefuseNewFiles(dir.path(), dir / "Config.lua");
    EXPECT_TRUE(test::holdsWithoutPrivileges(
        [](const fs::path& d) {
            return writeFileSafely(d / "Config.lua", kNew) == WriteResult::Ok &&
                   writeFileSafely(d / "Other.lua", kNew) == WriteResult::AccessDenied;
        },
        dir.path()));
    EXPECT_EQ(test::fileBytes(dir / "Config.lua"), kNew);
    EXPECT_EQ(namesIn(dir.path()), (std::vector<std::string>{"Config.lua"}));
}

// Each way of writing meets a full device before any old byte changes.
TEST(FileIoWrite, FullDeviceKeepsTheOldBytesWhicheverWayTheFileIsWritten) {
    struct Case {
        const char* name;
        void (*prepare)(const fs::path& dir);
    };
    const Case cases[] = {
        {"through a temporary file", [](const fs::path& d) { writeOldFile(d / "Config.lua"); }},
        {"in place, hard-linked",
         [](const fs::path& d) {
             writeOldFile(d / "Config.lua");
             fs::create_hard_link(d / "Config.lua", d / "Backup.lua");
         }},
        {"in place, folder refuses new files",
         [](const fs::path& d) { makeFolderRefuseNewFiles(d, d / "Config.lua"); }},
    };
    for (const auto& c : cases) {
        test::ScratchDir dir;
        c.prepare(dir.path());
        const auto before = namesIn(dir.path());
        EXPECT_TRUE(test::holdsWithoutPrivileges(
            [](const fs::path& d) {
                test::FileSizeLimit limit(4096);
                return writeFileSafely(d / "Config.lua", std::string(10000, 'n')) == WriteResult::WriteFailed;
            },
            dir.path()))
            << c.name;
        EXPECT_EQ(test::fileBytes(dir / "Config.lua"), std::string(3000, 'o')) << c.name;
        EXPECT_EQ(namesIn(dir.path()), before) << c.name;
    }
}

#endif

TEST(FileIoWrite, HardLinkedFileStaysOneFile) {
    test::ScratchDir dir;
    writeBytes(dir / "Config.lua", std::string(5000, 'x'));
    fs::create_hard_link(dir / "Config.lua", dir / "Backup.lua");
    const auto identity = factsOf(dir / "Config.lua").identity;
    EXPECT_EQ(writeFileSafely(dir / "Config.lua", kNew), WriteResult::Ok);
    EXPECT_EQ(test::fileBytes(dir / "Backup.lua"), kNew);
    EXPECT_EQ(factsOf(dir / "Config.lua").identity, identity);
    EXPECT_EQ(factsOf(dir / "Config.lua").links, 2u);
    EXPECT_EQ(namesIn(dir.path()), (std::vector<std::string>{"Backup.lua", "Config.lua"}));
}

// Targets refused before a byte is written; the folder takes new files, so
// the refusal is the target's own.
TEST(FileIoWrite, RefusedTargetsKeepWhatTheyHeld) {
    struct Case {
        const char* name;
        void (*prepare)(const fs::path& dir);
        fs::path target;  // in the folder, or a path of its own
        WriteResult result;
    };
    const Case cases[] = {
        {"read-only file",
         [](const fs::path& d) {
             writeOldFile(d / "Config.lua");
             fs::permissions(d / "Config.lua", fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                             fs::perm_options::remove);
         },
         "Config.lua", WriteResult::OpenFailed},
        {"folder in the file's place", [](const fs::path& d) { fs::create_directory(d / "Config.lua"); }, "Config.lua",
         WriteResult::OpenFailed},
        {"missing folder", [](const fs::path&) {}, "missing/Config.lua", WriteResult::OpenFailed},
#ifdef _WIN32
        {"the null device", [](const fs::path&) {}, R"(\\.\NUL)", WriteResult::OpenFailed},
#else
        {"the null device", [](const fs::path&) {}, "/dev/null", WriteResult::OpenFailed},
#endif
    };
    for (const auto& c : cases) {
        test::ScratchDir dir;
        fs::permissions(dir.path(), fs::perms::all);
        c.prepare(dir.path());
        const auto before = namesIn(dir.path());
        const auto old = test::fileBytes(dir / "Config.lua");
        EXPECT_TRUE(test::holdsWithoutPrivileges(
            [&](const fs::path& d) { return writeFileSafely(d / c.target, kNew) == c.result; }, dir.path()))
            << c.name;
        EXPECT_EQ(namesIn(dir.path()), before) << c.name;
        EXPECT_EQ(test::fileBytes(dir / "Config.lua"), old) << c.name;
    }
}

// A folder entry's limit, and on Windows the whole path's as well.
std::size_t longestNameIn(const fs::path& dir) {
#ifdef _WIN32
    return std::min<std::size_t>(255, MAX_PATH - 1 - dir.native().size() - 1);
#else
    (void)dir;
    return 255;
#endif
}

TEST(FileIoWrite, TemporaryFilesOfKilledSavesAreRemovedByTheNextSave) {
    test::ScratchDir dir;
    // No process has this number: Linux stops at 4,194,304, Windows counts in fours.
    const std::string gone = ".vellconf-999999996-0.tmp";
    const std::string live = ".vellconf-" + std::to_string(test::processId()) + "-1.tmp";
    for (const std::string& name : {gone, live, std::string(".vellconf-notes.tmp"), std::string("other.tmp")})
        writeBytes(dir / name, "left over");
    ASSERT_EQ(writeFileSafely(dir / "Config.lua", kNew), WriteResult::Ok);
    EXPECT_EQ(namesIn(dir.path()), (std::vector<std::string>{live, ".vellconf-notes.tmp", "Config.lua", "other.tmp"}));
}

TEST(FileIoWrite, LongestFileNamesSave) {
    for (const std::size_t shorter : {4u, 0u}) {
        test::ScratchDir dir;
        const std::size_t length = longestNameIn(dir.path()) - shorter;
        const std::string name = std::string(length - 4, 'c') + ".lua";
        EXPECT_EQ(writeFileSafely(dir / name, "first"), WriteResult::Ok) << length;
        EXPECT_EQ(writeFileSafely(dir / name, kNew), WriteResult::Ok) << length;
        EXPECT_EQ(test::fileBytes(dir / name), kNew) << length;
        EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{name}) << length;
    }
}

TEST(FileIoRead, StatusTellsMissingFromUnreadable) {
    test::ScratchDir dir;
    writeBytes(dir / "file.ini", "a b\n");
    writeBytes(dir / "empty.ini", "");
    fs::create_directory(dir / "folder.ini");
    struct Case {
        fs::path path;
        std::uint64_t maxBytes;
        ReadStatus status;
        std::string bytes;
    };
    std::vector<Case> cases = {
        {dir / "file.ini", kMaxTextFileBytes, ReadStatus::Ok, "a b\n"},
        {dir / "file.ini", 4, ReadStatus::Ok, "a b\n"},
        {dir / "file.ini", 3, ReadStatus::TooLarge, ""},
        {dir / "empty.ini", kMaxTextFileBytes, ReadStatus::Ok, ""},
        {dir / "none.ini", kMaxTextFileBytes, ReadStatus::Missing, ""},
        {dir / "none/file.ini", kMaxTextFileBytes, ReadStatus::Missing, ""},
        {dir / "file.ini/below", kMaxTextFileBytes, ReadStatus::Missing, ""},
        {dir / "folder.ini", kMaxTextFileBytes, ReadStatus::Unreadable, ""},
        {test::kUnreadableFile, kMaxTextFileBytes, ReadStatus::Unreadable, ""},
    };
#ifndef _WIN32
    ASSERT_EQ(::mkfifo((dir / "fifo.ini").c_str(), 0600), 0);  // nobody writes: a blocking read would hang
    {
        std::ofstream sparse(dir / "sparse.lua");
    }
    fs::resize_file(dir / "sparse.lua", 100ull << 30);  // 100 GB of holes
    cases.insert(cases.end(), {
        {dir / "fifo.ini", kMaxTextFileBytes, ReadStatus::Unreadable, ""},
        {dir / "sparse.lua", kMaxTextFileBytes, ReadStatus::TooLarge, ""},
        {"/proc/self/maps", 16, ReadStatus::TooLarge, ""},  // claims 0 bytes, holds more
    });
    EXPECT_TRUE(readFile("/proc/self/maps", kMaxTextFileBytes));
#endif
    for (const auto& c : cases) {
        const FileRead read = readFile(c.path, c.maxBytes);
        EXPECT_EQ(read.status, c.status) << c.path;
        EXPECT_EQ(read.bytes, c.bytes) << c.path;
        EXPECT_EQ(existsButUnreadable(read.status),
                  c.status == ReadStatus::Unreadable || c.status == ReadStatus::TooLarge);
    }
}

#ifndef _WIN32
TEST(FileIoRead, FileWithoutReadPermissionIsUnreadable) {
    test::ScratchDir dir;
    writeBytes(dir / "Friend.ini", "1 a\r\n");
    fs::permissions(dir / "Friend.ini", fs::perms::owner_write);
    EXPECT_TRUE(test::holdsWithoutPrivileges(
        [](const fs::path& d) { return readFile(d / "Friend.ini", kMaxTextFileBytes).status == ReadStatus::Unreadable; },
        dir.path()));
}
#endif

}  // namespace
}  // namespace vellconf
