// Saves refused by the file system leave the user's files as they were and
// name the folder as the user typed it.

#include "config/config_io.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "config/memo.h"
#include "config/messages.h"
#include "config/tool_paths.h"
#include "fs_failures.h"
#include "test_support.h"

namespace vellconf {
namespace {

namespace fs = std::filesystem;
using test::writeBytes;

ConfigContent defaults() { return {startupSettings(), startupMemo(), {}, {}}; }

std::size_t filesIn(const fs::path& dir) {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir), fs::directory_iterator()));
}

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
    EXPECT_EQ(filesIn(dir.path()), 1u);
}
#endif

// The message names the folder as the user typed it, whatever form the
// system gives it.
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
#ifndef _WIN32
    ::unsetenv("WINEPREFIX");
#endif
}

}  // namespace
}  // namespace vellconf
