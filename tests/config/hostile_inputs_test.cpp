// Files as users and disks really hand them over: hand-edited, truncated, in
// another encoding, huge, in the wrong place. Each ends in the documented
// result or a clear failure, and the user's files keep their bytes.

#include <gtest/gtest.h>

#include <fstream>

#include "config/config_io.h"
#include "config/cp932.h"
#include "config/file_io.h"
#include "config/lua_array.h"
#include "config/settings_catalogue.h"
#include "config/tool_paths.h"
#include "lists/friend_list.h"
#include "config/memo.h"
#include "lists/monster_table.h"
#include "hostile_files.h"
#include "config/messages.h"
#include "test_support.h"

namespace vellconf {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

std::string defaultFile(std::string memo = startupMemo()) { return writeConfigLua(startupSettings(), memo, {}, {}); }

LoadOutcome loadOutcome(std::string_view bytes) {
    LoadOutcome outcome = loadConfig(bytes, LoadKind::Ai, startupSettings());
    EXPECT_TRUE(outcome) << bytes.substr(0, 80);
    return outcome;
}

ConfigContent load(std::string_view bytes) { return loadOutcome(bytes).loaded; }

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
        {"CR-only line ends", "[CONFIG]\rDistanceNotReturn = 3\r", 3},
        {"10 MB single line", "[CONFIG]\nDistanceNotReturn = 8\n" + std::string(10 << 20, 'x'), 8},
    };
    for (const auto& c : cases) EXPECT_EQ(load(c.file).settings.DistanceNotReturn, c.distance) << c.name;
}

TEST(HostileConfig, Utf8WithByteOrderMarkIsReadAsUtf8) {
    // A modern editor saves the file as UTF-8 with a byte-order mark.
    const std::string memo = cp932("狩場：オーク\n");
    std::string utf8 = "\xEF\xBB\xBF" + *cp932ToUtf8(replaced(defaultFile(memo), "= 7", "= 3"));
    const ConfigContent loaded = load(utf8);
    EXPECT_EQ(loaded.settings.DistanceNotReturn, 3);
    EXPECT_EQ(loaded.memo, cp932("狩場：オーク\n"));
}

TEST(HostileConfig, HugeMemoAndLinesStayBounded) {
    const std::string file = defaultFile(std::string(5000, 'm') + "\n" + std::string(100, 'n'));
    const ConfigContent loaded = load(file);
    // Cut by whole lines: the long one goes, the shorter one after it stays.
    EXPECT_EQ(loaded.memo, std::string(100, 'n'));
    EXPECT_EQ(loaded.settings, startupSettings());
}

ConfigContent contentOf(const ConfigContent& loaded) {
    return {loaded.settings, loaded.memo, loaded.ignoreMob, loaded.friends};
}

TEST(HostileRoundTrip, LoadSaveLoadLosesNothing) {
    for (const auto& c : test::hostileFiles()) {
        const LoadOutcome outcome = loadOutcome(c.bytes);
        const ConfigContent& first = outcome.loaded;
        EXPECT_EQ(first.settings.DistanceNotReturn, c.distanceNotReturn) << c.name;
        EXPECT_EQ(first.memo, c.memo) << c.name;
        EXPECT_EQ(first.ignoreMob, c.ignore) << c.name;
        EXPECT_EQ(first.friends, c.friends) << c.name;
        EXPECT_EQ(outcome.lossyLineCount, c.lossyLines) << c.name;
        test::ScratchDir dir;
        ASSERT_EQ(saveConfig(dir / "Config.lua", contentOf(first)), SaveResult::Saved) << c.name;
        const auto again = loadConfigFile(dir / "Config.lua", LoadKind::Ai, startupSettings());
        ASSERT_TRUE(again) << c.name;
        EXPECT_EQ(again.loaded.settings, first.settings) << c.name;
        EXPECT_EQ(again.loaded.memo, first.memo) << c.name;
        EXPECT_EQ(again.loaded.ignoreMob, first.ignoreMob) << c.name;
        EXPECT_EQ(again.loaded.friends, first.friends) << c.name;
    }
}

TEST(HostileSave, WhatWouldNotReadBackIsRefusedAndNothingWritten) {
    const std::string start = memoStartMarker(), end = memoEndMarker();
    const struct {
        const char* name;
        std::string memo;
        std::vector<std::string> ignore, friends;
        SaveResult result;
        std::string subject;
    } cases[] = {
        {"end marker line", "a\n" + end + "\n[x]", {}, {}, SaveResult::MemoHoldsMarker, end},
        {"start marker as the last line", "a\n" + start, {}, {}, SaveResult::MemoHoldsMarker, start},
        {"marker ended by a lone CR", end + "\rb", {}, {}, SaveResult::MemoHoldsMarker, end},
        {"comment end", cp932("ゾ]"), {}, {}, SaveResult::MemoHoldsCommentEnd, "]]"},
        {"ignore item", "", {"1002", "1)"}, {}, SaveResult::IgnoreItemNotLua, "1)"},
        {"co-fight item", "", {}, {"12,34"}, SaveResult::FriendItemNotLua, "12,34"},
        {"more IDs than a load takes", "", std::vector<std::string>(kMaxListItems + 1, "1"), {},
         SaveResult::IgnoreListTooLong, ""},
    };
    for (const auto& c : cases) {
        test::ScratchDir dir;
        std::ofstream(dir / "Config.lua") << "old";
        const SaveOutcome outcome = saveConfig(dir / "Config.lua", {startupSettings(), c.memo, c.ignore, c.friends});
        EXPECT_EQ(outcome.result, c.result) << c.name;
        EXPECT_EQ(outcome.subject, c.subject) << c.name;
        EXPECT_EQ(test::fileBytes(dir / "Config.lua"), "old") << c.name;
    }
    EXPECT_EQ(saveMessage({SaveResult::FriendItemNotLua, "1)"}),
              messages::withArgs(messages::kListItemNotLua, {messages::kCoFightListName, "1)"}));
}

// Loads that would give every fallback, or gigabytes of rows, change nothing.
TEST(HostileConfig, FilesWithoutSettingsOrWithHugeListsLoadNothing) {
    const std::string written = writeConfigLua(startupSettings(), "", {}, {});
    const auto ids = [](std::size_t count, const char* key) {
        std::string list = "[CONFIG]\nDistanceNotReturn = 3\n" + std::string(key) + " = {";
        for (std::size_t i = 0; i < count; ++i) list += "1,";
        return list + "}\n";
    };
    const struct {
        const char* name;
        std::string bytes;
        LoadFailure failure;
        std::string listKey;
    } cases[] = {
        {"empty", "", LoadFailure::NoSettings, ""},
        {"cut after 100 bytes", written.substr(0, 100), LoadFailure::NoSettings, ""},
        {"a picture", "\x89PNG\r\n\x1A\n\0\0\0\rIHDR\0\0\x01\0"s, LoadFailure::NoSettings, ""},
        {"UTF-16 without a byte-order mark", test::utf16(*cp932ToUtf8(written), false).substr(2), LoadFailure::NoSettings, ""},
        {"keys without a [CONFIG] line", "DistanceNotReturn = 3\n", LoadFailure::NoSettings, ""},
        {"100,000 IDs", ids(kMaxListItems, "IGNORE_MOB"), LoadFailure::None, ""},
        {"100,001 IDs", ids(kMaxListItems + 1, "IGNORE_MOB"), LoadFailure::ListTooLong, "IGNORE_MOB"},
        {"two million IDs", ids(2'000'000, "FRIENDS"), LoadFailure::ListTooLong, "FRIENDS"},
    };
    for (const auto& c : cases) {
        const LoadOutcome outcome = loadConfig(c.bytes, LoadKind::Ai, startupSettings());
        EXPECT_EQ(outcome.failure, c.failure) << c.name;
        EXPECT_EQ(outcome.listKey, c.listKey) << c.name;
    }
    EXPECT_EQ(loadMessage(failedLoad(LoadFailure::NoSettings)), messages::kLoadOpenFailed);
    EXPECT_EQ(loadMessage(failedLoad(LoadFailure::ListTooLong, "FRIENDS")),
              messages::withArgs(messages::kListTooLongToLoad, {messages::kCoFightListName, "100000"}));
}

TEST(HostileSideFiles, OversizedOrUnreadableFilesAreRefusedWithoutReading) {
    test::ScratchDir dir;
    for (const char* name : {"Config.lua", "VellConf.ini", "Friend.ini"}) {
        std::ofstream(dir / name) << "[CONFIG]\n";
        fs::resize_file(dir / name, kMaxTextFileBytes + 1);  // sparse: no disk space used
    }
    std::ofstream(dir / "MobData.ini").close();
    fs::resize_file(dir / "MobData.ini", kMaxMobDataBytes + 1);
    EXPECT_EQ(loadConfigFile(dir / "Config.lua", LoadKind::Ai, startupSettings()).failure, LoadFailure::Unreadable);
    EXPECT_EQ(readToolPaths(dir / "VellConf.ini").status, ReadStatus::TooLarge);
    EXPECT_EQ(readFriendIni(dir / "Friend.ini").status, ReadStatus::TooLarge);
    EXPECT_EQ(readMobData(dir / "MobData.ini").status, ReadStatus::TooLarge);
    EXPECT_EQ(readMobData(test::kUnreadableFile).status, ReadStatus::Unreadable);
    EXPECT_EQ(loadConfigFile(test::kUnreadableFile, LoadKind::Ai, startupSettings()).failure,
              LoadFailure::Unreadable);
}

TEST(HostileMobData, EmptyLinesCostNoRows) {
    const std::string text = std::string(20u << 20, '\n') + "1002 a 1 - - - - - - - - - - - - - - - - -\n";
    const auto rows = parseMobData(text);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_LE(rows.capacity(), 1u);
}

TEST(HostileSideFiles, SavedFromNotepadTheyReadAsMeant) {
    const std::string path = "C:\\ゲーム\\AI", name = "たろう";
    const std::string ini = "[PATH]\r\nSetPath = \"" + path + "\"\r\n", friends = "123 " + name + "\r\n";
    const struct {
        const char* name;
        std::string (*encode)(const std::string& utf8);
    } encodings[] = {
        {"UTF-8 with a byte-order mark", [](const std::string& utf8) { return "\xEF\xBB\xBF" + utf8; }},
        {"UTF-8", [](const std::string& utf8) { return utf8; }},
        {"UTF-16", [](const std::string& utf8) { return test::utf16(utf8, false); }},
    };
    test::ScratchDir dir;
    for (const auto& e : encodings) {
        std::ofstream(dir / "VellConf.ini", std::ios::binary) << e.encode(ini);
        std::ofstream(dir / "Friend.ini", std::ios::binary) << e.encode(friends);
        EXPECT_EQ(readToolPaths(dir / "VellConf.ini").value.setPath, cp932(path)) << e.name;
        EXPECT_EQ(readFriendIni(dir / "Friend.ini").value, (std::vector<FriendRecord>{{"123", cp932(name)}})) << e.name;
    }
}

TEST(HostileSideFiles, ToolPathsAreReadWhole) {
    const std::string longPath = "C:\\" + std::string(300, 'a') + "\\" + cp932("ソ");
    const ToolPaths paths = parseToolPaths("[PATH]\r\nSetPath = \"" + longPath + "\"\rLibPath = " + longPath + "\n");
    EXPECT_EQ(paths, (ToolPaths{longPath, longPath}));
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
    EXPECT_EQ(readToolPaths(dir / "VellConf.ini").value, (ToolPaths{std::string(kDefaultSetPath), std::string(kDefaultLibPath)}));
    EXPECT_EQ(test::fileBytes(dir / "MobData.ini"), std::nullopt);
    EXPECT_EQ(writeToolPaths(dir / "VellConf.ini", {"a", "b"}), WriteResult::OpenFailed);
    const std::vector<FriendRecord> friends = {{"1", "a"}};
    EXPECT_EQ(writeFileSafely(dir / "Friend.ini", writeFriendIni(friends)), WriteResult::OpenFailed);
    EXPECT_EQ(saveConfig(dir / "Config.lua", {startupSettings(), "", {}, {}}), SaveResult::OpenFailed);
    for (const char* name : {"VellConf.ini", "MobData.ini", "Friend.ini", "Config.lua"}) EXPECT_TRUE(fs::is_empty(dir / name));
}

TEST(HostileSideFiles, SetPathLongerThanThePlatformAllows) {
    test::ScratchDir dir;
    const std::string setPath = (dir.path() / std::string(300, 'a')).string();  // one name past NAME_MAX
    const std::string deep = dir.path().string() + "/" + std::string(2500, 'b') + "/" + std::string(2500, 'c');
    for (const std::string& path : {setPath, deep}) {
        EXPECT_EQ(resolvePath(aiConfigPath(path)), std::nullopt);
        EXPECT_EQ(unusablePathOf({path, ""}), path);
        EXPECT_EQ(unusablePathOf({"", path}), path);
    }
    EXPECT_EQ(unusablePathOf({dir.path().string(), dir.path().string()}), std::nullopt);
    EXPECT_TRUE(fs::is_empty(dir.path()));
}

TEST(HostileSideFiles, FriendIniThatVanishedIsWrittenAnew) {
    test::ScratchDir dir;
    std::ofstream(dir / "Friend.ini") << "1 a\n";
    auto friends = parseFriendIni(test::fileBytes(dir / "Friend.ini").value());
    fs::remove(dir / "Friend.ini");
    ASSERT_EQ(registerFriend(friends, "2", "b"), RegisterOutcome::Registered);
    EXPECT_EQ(writeFileSafely(dir / "Friend.ini", writeFriendIni(friends)), WriteResult::Ok);
    EXPECT_EQ(test::fileBytes(dir / "Friend.ini"), "2 b\r\n1 a\r\n");
    // Its folder gone as well: a failure the caller reports, nothing half-written.
    fs::remove_all(dir.path());
    EXPECT_EQ(writeFileSafely(dir / "Friend.ini", writeFriendIni(friends)), WriteResult::OpenFailed);
    fs::create_directories(dir.path());
}

}  // namespace
}  // namespace vellconf
