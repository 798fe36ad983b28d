// Files as users and disks really hand them over: hand-edited, truncated, in
// another encoding, huge, in the wrong place. Each ends in the documented
// result or a clear failure, and the user's files keep their bytes.

#include <gtest/gtest.h>

#include <fstream>

#include "config/config_io.h"
#include "config/cp932.h"
#include "config/file_io.h"
#include "config/settings_catalogue.h"
#include "config/tool_paths.h"
#include "lists/friend_list.h"
#include "lists/memo.h"
#include "lists/monster_table.h"
#include "test_support.h"

namespace vellconf {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

std::string defaultFile(std::string memo = startupMemo()) { return writeConfigLua(startupSettings(), memo, {}, {}); }

LoadedConfig load(std::string_view bytes) { return loadConfig(bytes, LoadKind::Ai, startupSettings(), {}, {}); }

std::string replaced(std::string text, std::string_view from, std::string_view to) {
    for (auto pos = text.find(from); pos != std::string::npos; pos = text.find(from, pos + to.size()))
        text.replace(pos, from.size(), to);
    return text;
}

TEST(HostileConfig, OddBytesLoadWhatTheirLinesSay) {
    struct Case {
        const char* name;
        std::string file;
        std::int32_t distance;  // DistanceNotReturn as loaded
    };
    const Case cases[] = {
        {"NUL bytes before the value's line", "[CONFIG]\n\x00\x00junk\nDistanceNotReturn = 3\n"s, 3},
        {"NUL inside the value", "[CONFIG]\nDistanceNotReturn = 4\x00" "9\n"s, 4},
        {"lone lead byte at the end", "[CONFIG]\nDistanceNotReturn = 5\x83", 5},
        {"bytes 80, A0, FD-FF", "[CONFIG]\n\x80\xA0\xFD\xFE\xFF = 1\nDistanceNotReturn = 6\n", 6},
        {"CR-only line ends: no section line", "[CONFIG]\rDistanceNotReturn = 3\r", 7},
        {"10 MB single line", "[CONFIG]\nDistanceNotReturn = 8\n" + std::string(10 << 20, 'x'), 8},
    };
    for (const auto& c : cases) EXPECT_EQ(load(c.file).settings.DistanceNotReturn, c.distance) << c.name;
}

TEST(HostileConfig, Utf8WithByteOrderMarkIsReadAsUtf8) {
    // A modern editor saves the file as UTF-8 with a byte-order mark.
    const std::string memo = cp932("狩場：オーク\n");
    std::string utf8 = "\xEF\xBB\xBF" + *cp932ToUtf8(replaced(defaultFile(memo), "= 7", "= 3"));
    const LoadedConfig loaded = load(utf8);
    EXPECT_EQ(loaded.settings.DistanceNotReturn, 3);
    EXPECT_EQ(loaded.memo, cp932("狩場：オーク\n"));
    EXPECT_EQ(asCp932("\xEF\xBB\xBF" "emoji \xF0\x9F\x98\x80"), "emoji ?");
}

TEST(HostileConfig, HugeMemoAndLinesStayBounded) {
    const std::string file = defaultFile(std::string(5000, 'm') + "\n" + std::string(100, 'n'));
    const LoadedConfig loaded = load(file);
    EXPECT_LT(loaded.memo.size(), 1024u);
    // The long line arrives in pieces of 1023 bytes: the first fits, nothing after it does.
    EXPECT_EQ(loaded.memo, std::string(1023, 'm'));
    EXPECT_EQ(loaded.settings, startupSettings());
}

TEST(HostileMobData, FiftyMegabytesParse) {
    std::string text;
    text.reserve(50u << 20);
    const std::string row = "1002 " + cp932("ポリン") + " 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18\r\n";
    while (text.size() < (50u << 20)) text += row;
    const auto rows = parseMobData(text);
    EXPECT_EQ(rows.size(), text.size() / row.size());
    EXPECT_EQ(rows.back().cells[19], "18");
}

TEST(HostileSideFiles, AFolderInPlaceOfAFile) {
    test::ScratchDir dir;
    for (const char* name : {"VellConf.ini", "MobData.ini", "Friend.ini", "Config.lua"}) fs::create_directory(dir / name);
    EXPECT_EQ(readToolPaths(dir / "VellConf.ini"), (ToolPaths{std::string(kDefaultSetPath), std::string(kDefaultLibPath)}));
    EXPECT_EQ(readFile(dir / "MobData.ini"), std::nullopt);
    EXPECT_EQ(writeToolPaths(dir / "VellConf.ini", {"a", "b"}), WriteResult::OpenFailed);
    const std::vector<FriendRecord> friends = {{"1", "a"}};
    EXPECT_EQ(writeFileAtomically(dir / "Friend.ini", writeFriendIni(friends)), WriteResult::OpenFailed);
    EXPECT_EQ(saveConfig(dir / "Config.lua", {startupSettings(), "", {}, {}}), SaveResult::OpenFailed);
    for (const char* name : {"VellConf.ini", "MobData.ini", "Friend.ini", "Config.lua"}) EXPECT_TRUE(fs::is_empty(dir / name));
}

TEST(HostileSideFiles, SetPathLongerThanThePlatformAllows) {
    test::ScratchDir dir;
    const std::string setPath = (dir.path() / std::string(300, 'a')).string();  // one name past NAME_MAX
    EXPECT_EQ(saveConfig(*resolvePath(aiConfigPath(setPath)), {startupSettings(), "", {}, {}}), SaveResult::OpenFailed);
    EXPECT_EQ(loadConfigFile(*resolvePath(aiConfigPath(setPath)), LoadKind::Ai, startupSettings(), {}, {}), std::nullopt);
    const std::string deep = dir.path().string() + std::string(5000, '/').replace(0, 5000, 2500, 'b') + "/x";
    EXPECT_EQ(saveConfig(*resolvePath(aiConfigPath(deep)), {startupSettings(), "", {}, {}}), SaveResult::OpenFailed);
    EXPECT_TRUE(fs::is_empty(dir.path()));
}

TEST(HostileSideFiles, FriendIniThatVanishedIsWrittenAnew) {
    test::ScratchDir dir;
    std::ofstream(dir / "Friend.ini") << "1 a\n";
    auto friends = parseFriendIni(readFile(dir / "Friend.ini").value());
    fs::remove(dir / "Friend.ini");
    ASSERT_EQ(registerFriend(friends, "2", "b"), RegisterOutcome::Registered);
    EXPECT_EQ(writeFileAtomically(dir / "Friend.ini", writeFriendIni(friends)), WriteResult::Ok);
    EXPECT_EQ(readFile(dir / "Friend.ini"), "2 b\r\n1 a\r\n");
    // Its folder gone as well: a failure the caller reports, nothing half-written.
    fs::remove_all(dir.path());
    EXPECT_EQ(writeFileAtomically(dir / "Friend.ini", writeFriendIni(friends)), WriteResult::OpenFailed);
    fs::create_directories(dir.path());
}

}  // namespace
}  // namespace vellconf
