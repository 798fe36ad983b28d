// Saves that fail must leave the user's files as they were.

#include "config/config_io.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "config/file_io.h"
#include "config/settings_catalogue.h"
#include "config/tool_paths.h"
#include "config/memo.h"
#include "config/messages.h"
#include "fs_failures.h"
#include "test_support.h"

namespace vellconf {
namespace {

namespace fs = std::filesystem;

ConfigContent defaults() { return {startupSettings(), startupMemo(), {}, {}}; }

void writeBytes(const fs::path& path, std::string_view bytes) { std::ofstream(path, std::ios::binary) << bytes; }

std::size_t filesIn(const fs::path& dir) {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir), fs::directory_iterator()));
}

TEST(Save, WritesTheWholeFileAndReplacesAnOldOne) {
    test::ScratchDir dir;
    writeBytes(dir / "Config.lua", "old");
    ASSERT_EQ(saveConfig(dir / "Config.lua", defaults()), SaveResult::Saved);
    EXPECT_EQ(test::fileBytes(dir / "Config.lua"), writeConfigLua(defaults()));
    EXPECT_EQ(filesIn(dir.path()), 1u);
}

TEST(Save, FailuresLeaveEverythingAsItWas) {
    struct Case {
        const char* name;
        void (*prepare)(const fs::path& dir);
        const char* target;
        SaveResult result;
    };
    const Case cases[] = {
        {"missing folder", [](const fs::path&) {}, "missing/Config.lua", SaveResult::OpenFailed},
        {"target is a folder", [](const fs::path& d) { fs::create_directory(d / "Config.lua"); }, "Config.lua",
         SaveResult::OpenFailed},
        {"memo holds ]]", [](const fs::path& d) { writeBytes(d / "Config.lua", "old"); }, "Config.lua",
         SaveResult::MemoHoldsCommentEnd},
    };
    for (const auto& c : cases) {
        test::ScratchDir dir;
        c.prepare(dir.path());
        const std::size_t before = filesIn(dir.path());
        ConfigContent content = defaults();
        if (c.result == SaveResult::MemoHoldsCommentEnd) content.memo = cp932("ゾ]はLuaのコメントを閉じる");
        EXPECT_EQ(saveConfig(dir / c.target, content), c.result) << c.name;
        EXPECT_EQ(filesIn(dir.path()), before) << c.name;
        if (fs::is_regular_file(dir / "Config.lua")) {
            EXPECT_EQ(test::fileBytes(dir / "Config.lua"), "old") << c.name;
        }
    }
}

#ifdef _WIN32
TEST(SaveAndLoad, FileHeldByAnotherProgramIsNeitherReadNorReplaced) {
    test::ScratchDir dir;
    writeBytes(dir / "Config.lua", "old");
    {
        const test::ExclusiveLock lock(dir / "Config.lua");
        ASSERT_TRUE(lock.held());
        EXPECT_EQ(saveConfig(dir / "Config.lua", defaults()), SaveResult::OpenFailed);
        EXPECT_EQ(loadConfigFile(dir / "Config.lua", LoadKind::Ai, startupSettings()).failure,
                  LoadFailure::Unreadable);
    }
    EXPECT_EQ(test::fileBytes(dir / "Config.lua"), "old");
    EXPECT_EQ(filesIn(dir.path()), 1u);
}
#else
// A game installed by another user: neither its folder nor its Config.lua
// may be written.
TEST(Save, ReadOnlyFolderAndFile) {
    test::ScratchDir dir;
    writeBytes(dir / "Config.lua", "old");
    fs::permissions(dir / "Config.lua", fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    ASSERT_TRUE(test::refusesNewFiles(dir.path()));
    EXPECT_TRUE(test::holdsWithoutPrivileges(
        [](const fs::path& d) {
            const SaveOutcome existing = saveConfig(d / "Config.lua", defaults());
            const SaveOutcome created = saveConfig(d / "New.lua", defaults());
            return existing == SaveResult::AccessDenied && existing.subject == d.string() &&
                   created == SaveResult::AccessDenied && created.subject == d.string();
        },
        dir.path()));
    EXPECT_EQ(test::fileBytes(dir / "Config.lua"), "old");
    EXPECT_EQ(filesIn(dir.path()), 1u);
}

// Points Wine's prefix, where Windows paths lead, at a folder for the life of the object.
class WinePrefix {
public:
    explicit WinePrefix(const fs::path& folder) {
        if (const char* old = std::getenv("WINEPREFIX")) saved_ = old;
        ::setenv("WINEPREFIX", folder.c_str(), 1);
    }
    ~WinePrefix() {
        if (saved_) ::setenv("WINEPREFIX", saved_->c_str(), 1);
        else ::unsetenv("WINEPREFIX");
    }
    WinePrefix(const WinePrefix&) = delete;
    WinePrefix& operator=(const WinePrefix&) = delete;

private:
    std::optional<std::string> saved_;
};
#endif

// The message names the folder as the user typed it, whatever form the
// system gives it.
TEST(Save, FolderThatForbidsNewFilesIsNamedInTheMessage) {
#ifdef _WIN32
    const std::string typed = R"(Z:\sys)";  // see refusesNewFiles
#else
    test::ScratchDir dir;
    const WinePrefix prefix(dir.path());
    // The trail byte of ソ is a backslash.
    const std::string typed = cp932(R"(C:\Program Files\ゲーム\ソフト\USER_AI)");
#endif
    const fs::path folder = resolvePath(typed).value();
    fs::create_directories(folder);
    if (!test::refusesNewFiles(folder)) GTEST_SKIP() << "no folder here refuses new files";
    const std::size_t before = filesIn(folder);
    const std::string expected = std::string(messages::kSaveOpenFailed) + "\nアクセスが拒否されました: " +
                                 cp932ToUtf8(typed).value();
    EXPECT_TRUE(test::holdsWithoutPrivileges(
        [&](const fs::path&) {
            const SaveOutcome outcome = saveConfig(resolvePath(aiConfigPath(typed)).value(), defaults());
            return outcome == SaveResult::AccessDenied && outcome.subject == typed && saveMessage(outcome) == expected;
        },
        folder));
    EXPECT_EQ(filesIn(folder), before);
}

TEST(Load, UnreadableFileGivesNothing) {
    test::ScratchDir dir;
    const AiSettings current = startupSettings();
    EXPECT_EQ(loadConfigFile(dir / "Config.lua", LoadKind::Ai, current).failure, LoadFailure::Unreadable);
    fs::create_directory(dir / "folder.lua");
    EXPECT_EQ(loadConfigFile(dir / "folder.lua", LoadKind::Ai, current).failure, LoadFailure::Unreadable);
}

}  // namespace
}  // namespace vellconf
