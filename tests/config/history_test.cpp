// The history of replaced files: what a save keeps and for how long, and that
// a history that cannot be kept stops no save.

#include "config/history.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "config/file_io.h"
#include "config/tool_paths.h"
#include "fs_failures.h"  // and the POSIX calls that fork, kill and wait
#include "test_support.h"

namespace vellconf {
namespace {

namespace fs = std::filesystem;
using test::writeBytes;

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
    ASSERT_TRUE(test::refusesNewFiles(dir / "read-only"));
    writeBytes(target, "");
    fs::permissions(target, fs::perms::all);
    EXPECT_TRUE(test::holdsWithoutPrivileges(savesAndTellsOnce, dir / "read-only"));
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
// A rewrite in place (a hard-linked file) killed part-way leaves a torn file;
// the history holds what it replaced.
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
    if (!ended) {
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
    }
    ASSERT_EQ(history.versions().size(), 1u);
    EXPECT_TRUE(test::fileBytes(history.fileOf(history.versions()[0])) == oldBytes);
}
#endif

}  // namespace
}  // namespace vellconf
