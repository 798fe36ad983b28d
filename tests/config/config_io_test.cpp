// Saves that fail must leave the user's files as they were.

#include "config/config_io.h"

#include <gtest/gtest.h>

#include <fstream>

#include "config/file_io.h"
#include "config/settings_catalogue.h"
#include "lists/memo.h"
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

TEST(Save, ReadOnlyFolderAndFile) {
    test::ScratchDir dir;
    writeBytes(dir / "Config.lua", "old");
    fs::permissions(dir / "Config.lua", fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    fs::permissions(dir.path(), fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                    fs::perms::others_read | fs::perms::others_exec);
    EXPECT_TRUE(test::holdsWithoutPrivileges(
        [](const fs::path& d) {
            return saveConfig(d / "Config.lua", defaults()) == SaveResult::OpenFailed &&
                   saveConfig(d / "New.lua", defaults()) == SaveResult::OpenFailed;
        },
        dir.path()));
    EXPECT_EQ(test::fileBytes(dir / "Config.lua"), "old");
    EXPECT_FALSE(fs::exists(dir / "New.lua"));
}

TEST(Load, UnreadableFileGivesNothing) {
    test::ScratchDir dir;
    const AiSettings current = startupSettings();
    EXPECT_EQ(loadConfigFile(dir / "Config.lua", LoadKind::Ai, current, {}, {}), std::nullopt);
    fs::create_directory(dir / "folder.lua");
    EXPECT_EQ(loadConfigFile(dir / "folder.lua", LoadKind::Ai, current, {}, {}), std::nullopt);
}

}  // namespace
}  // namespace vellconf
