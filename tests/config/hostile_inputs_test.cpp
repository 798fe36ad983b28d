// Files as users, other editors and damaged disks hand them over: hand-edited, truncated, in another encoding, huge,
// in the wrong place. Each ends in the documented result or a clear failure, and the user's files keep their bytes.

#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "config/config_io.h"
#include "config/config_writer.h"
#include "config/cp932.h"
#include "config/settings_catalogue.h"
#include "config/lua_array.h"
#include "config/memo.h"
#include "config/messages.h"
#include "config/tool_paths.h"
#include "lists/friend_list.h"
#include "lists/monster_table.h"
#include "test_support.h"

namespace vellconf {
namespace {

namespace fs = std::filesystem;

// The cases of tests/data/config/odd_bytes.tsv, and a line of 10 MB.
TEST(HostileConfig, OddBytesLoadWhatTheirLinesSay) {
    std::vector<test::Fields> cases = test::cp932Rows("config/odd_bytes.tsv");
    cases.push_back({"10 MB single line", "[CONFIG]\nDistanceNotReturn = 8\n" + std::string(10 << 20, 'x'), "8"});
    for (const auto& c : cases)
        EXPECT_EQ(loadConfig(c[1], LoadKind::Ai, startupSettings()).loaded.settings.DistanceNotReturn, std::stoi(c[2])) << c[0];
}

// Config.lua as other editors and hands leave it (tests/data/config/hostile.tsv): through load -> save -> load
// nothing the user had may be lost.
TEST(HostileConfig, LoadSaveLoadLosesNothing) {
    for (const auto& c : test::cp932Rows("config/hostile.tsv")) {
        const LoadOutcome first = loadConfig(test::testData("config/hostile/" + c[0] + ".lua"), LoadKind::Ai, startupSettings());
        EXPECT_EQ(first.loaded.settings.DistanceNotReturn, 3) << c[0];
        EXPECT_EQ(first.loaded.memo, c[1]) << c[0];
        EXPECT_EQ(first.loaded.ignoreMob, test::listItems(c[2])) << c[0];
        EXPECT_EQ(first.loaded.friends, test::listItems(c[3])) << c[0];
        EXPECT_EQ(first.lossyLineCount, std::stoul(c[4])) << c[0];
        test::ScratchDir dir;
        ASSERT_EQ(saveConfig(dir / "Config.lua", first.loaded), SaveResult::Saved) << c[0];
        const auto again = loadConfigFile(dir / "Config.lua", LoadKind::Ai, startupSettings());
        ASSERT_TRUE(again) << c[0];
        EXPECT_EQ(writeConfigLua(again.loaded), writeConfigLua(first.loaded)) << c[0];
    }
}

// The cases of tests/data/config/refused_saves.tsv, and a list longer than a load takes.
TEST(HostileConfig, WhatWouldNotReadBackIsRefusedAndNothingWritten) {
    const std::map<std::string, SaveResult> results{
        {"MemoHoldsMarker", SaveResult::MemoHoldsMarker},   {"MemoHoldsCommentEnd", SaveResult::MemoHoldsCommentEnd},
        {"IgnoreItemNotLua", SaveResult::IgnoreItemNotLua}, {"FriendItemNotLua", SaveResult::FriendItemNotLua},
        {"IgnoreListTooLong", SaveResult::IgnoreListTooLong}};
    std::vector<test::Fields> cases = test::cp932Rows("config/refused_saves.tsv");
    std::string ids = "1";
    for (std::size_t i = 0; i < kMaxListItems; ++i) ids += ",1";
    cases.push_back({"more IDs than a load takes", "", ids, "", "IgnoreListTooLong", ""});
    for (const auto& c : cases) {
        test::ScratchDir dir;
        test::writeBytes(dir / "Config.lua", "old");
        const SaveOutcome outcome = saveConfig(dir / "Config.lua", {startupSettings(), c[1], test::listItems(c[2]), test::listItems(c[3])});
        EXPECT_EQ(outcome.result, results.at(c[4])) << c[0];
        EXPECT_EQ(outcome.subject, c[5]) << c[0];
        EXPECT_EQ(test::fileBytes(dir / "Config.lua"), "old") << c[0];
    }
    EXPECT_EQ(saveMessage({SaveResult::FriendItemNotLua, "1)"}),
              messages::withArgs(messages::kListItemNotLua, {messages::kCoFightListName, "1)"}));
}

// Loads that would give every fallback, or gigabytes of rows, change nothing.
TEST(HostileConfig, FilesWithoutSettingsOrWithHugeListsLoadNothing) {
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
        {"UTF-16 without a byte-order mark", test::testData("config/hostile/14-utf-16-le-with-a-byte-order-mark.lua").substr(2), LoadFailure::NoSettings, ""},
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

// Each reader reads up to its own bound (a sparse file past it takes no disk space) and tells a missing file
// from one too large; a load of Config.lua fails for both. Folders and files that do not read: FileIoRead.
TEST(HostileSideFiles, EachReaderKeepsItsBound) {
    const auto configStatus = [](const fs::path& p) {
        return loadConfigFile(p, LoadKind::Ai, startupSettings()).failure == LoadFailure::Unreadable ? ReadStatus::Unreadable
                                                                                                    : ReadStatus::Ok;
    };
    const struct {
        const char* name;
        std::uint64_t bound;
        std::function<ReadStatus(const fs::path&)> status;
        ReadStatus missing, tooLarge;
    } readers[] = {
        {"VellConf.ini", kMaxTextFileBytes, [](const fs::path& p) { return readToolPaths(p).status; }, ReadStatus::Missing, ReadStatus::TooLarge},
        {"Friend.ini", kMaxTextFileBytes, [](const fs::path& p) { return readFriendIni(p).status; }, ReadStatus::Missing, ReadStatus::TooLarge},
        {"MobData.ini", kMaxMobDataBytes, [](const fs::path& p) { return readMobData(p).status; }, ReadStatus::Missing, ReadStatus::TooLarge},
        {"Config.lua", kMaxTextFileBytes, configStatus, ReadStatus::Unreadable, ReadStatus::Unreadable},
    };
    for (const auto& r : readers) {
        test::ScratchDir dir;
        test::writeBytes(dir / "big", "[CONFIG]\nDistanceNotReturn = 3\n");
        fs::resize_file(dir / "big", r.bound + 1);
        EXPECT_EQ(r.status(dir / "none"), r.missing) << r.name;
        EXPECT_EQ(r.status(dir / "big"), r.tooLarge) << r.name;
    }
}

// Rows are reserved for the tokens, not the lines: 20 MB of empty lines cost no rows.
TEST(HostileSideFiles, HugeMobDataParsesWithoutWaste) {
    const auto one = parseMobData(std::string(20u << 20, '\n') + "1002 " + cp932("ポリン") + " 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18\r\n");
    ASSERT_EQ(one.size(), 1u);
    EXPECT_LE(one.capacity(), 1u);
}

}  // namespace
}  // namespace vellconf
