// Files as users, other editors and damaged disks hand them over:
// hand-edited, truncated, in another encoding, huge, in the wrong place. Each
// ends in the documented result or a clear failure, and the user's files keep
// their bytes.

#include <gtest/gtest.h>

#include <functional>

#include "config/config_io.h"
#include "config/config_writer.h"
#include "config/cp932.h"
#include "config/settings_catalogue.h"
#include "config/lua_array.h"
#include "config/messages.h"
#include "config/tool_paths.h"
#include "lists/friend_list.h"
#include "lists/monster_table.h"
#include "test_support.h"

namespace vellconf {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

// Config.lua files with what a load must find in them; through load -> save ->
// load nothing the user had may be lost.
struct HostileFile {
    std::string name;
    std::string bytes;
    // What the first load must give, besides DistanceNotReturn = 3 (7 is its fallback):
    std::string memo;                // CP932, as the record holds it
    std::vector<std::string> ignore;
    std::vector<std::string> friends = {};
    std::size_t lossyLines = 0;      // lines where characters CP932 lacks became "?"
};

std::string replacedAll(std::string text, const std::string& from, const std::string& to) {
    for (auto pos = text.find(from); pos != std::string::npos; pos = text.find(from, pos + to.size()))
        text.replace(pos, from.size(), to);
    return text;
}

std::vector<HostileFile> hostileFiles() {
    AiSettings settings = startupSettings();
    settings.DistanceNotReturn = 3;
    const std::vector<std::string> ignore = {"1002", "1031"};
    const auto file = [&](const std::string& memo, const std::vector<std::string>& ids = {"1002", "1031"}) {
        return writeConfigLua(settings, memo, ids, {});
    };
    const std::string memo = cp932("狩場：オーク\n作成日：2026/12/07");
    const std::string base = file(memo);
    const std::string endLine = memoEndMarker() + "\r\n";
    std::vector<std::string> many;
    for (int id = 1024; id < 1100; ++id) many.push_back(std::to_string(id));
    const std::string twoLines = std::string(511, 'p') + "\n" + std::string(511, 'q');
    const std::string oneLine(1024, 'r');
    const std::string utf8 = *cp932ToUtf8(base);
    const std::string keysStart = cp932("--●基本動作設定\r\n");
    const std::string ignoreLine = "    IGNORE_MOB              = {1002,1031}";
    const std::string friendsLine = "    FRIENDS                 = {}";
    const std::vector<std::string> three = {"1002", "1031", "1113"};
    const std::string lossyMemo = "caf\xC3\xA9 \xE2\x98\x83 \xF0\x9F\x98\x80\r\n" + *cp932ToUtf8(cp932("狩場"));
    return {
        {"as written", base, memo, ignore},
        {"end marker with a blank after it: memo text that saves", replacedAll(base, endLine, memoEndMarker() + " \r\n"),
         memo + "\n" + memoEndMarker() + " ", ignore},
        {"UTF-8 without a byte-order mark", *cp932ToUtf8(base), memo, ignore},
        {"UTF-8 with a byte-order mark", "\xEF\xBB\xBF" + *cp932ToUtf8(base), memo, ignore},
        {"CR-only line ends", replacedAll(base, "\r\n", "\r"), memo, ignore},
        {"LF line ends", replacedAll(base, "\r\n", "\n"), memo, ignore},
        {"76 ignored monsters", file(memo, many), memo, many},
        {"memo of two 511-byte lines", file(twoLines), twoLines, ignore},
        {"memo of one 1024-byte line", file(oneLine), oneLine, ignore},
        {"memo line like a marker", file(memoStartMarker() + "x\n" + memoEndMarker().substr(1)),
         memoStartMarker() + "x\n" + memoEndMarker().substr(1), ignore},
        // Lines beginning with "[" below the section line.
        {"a note under the end marker, inside the comment", replacedAll(base, endLine, endLine + cp932("[自分用メモ]\r\n")),
         memo, ignore},
        {"a comment block holding a bracketed line", replacedAll(base, keysStart, cp932("--[[ [狩場メモ] --]]\r\n") + keysStart),
         memo, ignore},
        {"a Lua table line above the keys",
         replacedAll(base, keysStart, "local seen = {\r\n    [1002] = true,\r\n}\r\n" + keysStart), memo, ignore},
        // Encodings other editors save in.
        {"UTF-16 LE with a byte-order mark", test::utf16(utf8, false), memo, ignore},
        {"UTF-16 BE with a byte-order mark", test::utf16(utf8, true), memo, ignore},
        {"UTF-8 with a stray byte in a comment", replacedAll(utf8, "by Ollum", "by Oll\xFFum"), memo, ignore, {}, 1},
        {"UTF-8 memo with characters CP932 lacks", replacedAll(*cp932ToUtf8(file("@")), "@", lossyMemo),
         cp932("caf? ? ?\n狩場"), ignore, {}, 1},
        // Lists as Lua reads them.
        {"blanks, tabs, semicolons and comments",
         replacedAll(replacedAll(base, ignoreLine, cp932("    IGNORE_MOB = {\t1002 ; 1031, -- ポリン\r\n\t1113;\r\n} -- 無視する敵")),
                     friendsLine, cp932("    FRIENDS = { --[[ 仲間 ]] 123,\r\n        456, }")),
         memo, three, {"123", "456"}},
    };
}

// The cases of tests/data/config/odd_bytes.tsv, and a line of 10 MB.
TEST(HostileConfig, OddBytesLoadWhatTheirLinesSay) {
    std::vector<test::Fields> cases = test::cp932Rows("config/odd_bytes.tsv");
    cases.push_back({"10 MB single line", "[CONFIG]\nDistanceNotReturn = 8\n" + std::string(10 << 20, 'x'), "8"});
    for (const auto& c : cases)
        EXPECT_EQ(loadConfig(c[1], LoadKind::Ai, startupSettings()).loaded.settings.DistanceNotReturn, std::stoi(c[2])) << c[0];
}

TEST(HostileConfig, LoadSaveLoadLosesNothing) {
    for (const auto& c : hostileFiles()) {
        const LoadOutcome first = loadConfig(c.bytes, LoadKind::Ai, startupSettings());
        EXPECT_EQ(first.loaded.settings.DistanceNotReturn, 3) << c.name;
        EXPECT_EQ(first.loaded.memo, c.memo) << c.name;
        EXPECT_EQ(first.loaded.ignoreMob, c.ignore) << c.name;
        EXPECT_EQ(first.loaded.friends, c.friends) << c.name;
        EXPECT_EQ(first.lossyLineCount, c.lossyLines) << c.name;
        test::ScratchDir dir;
        ASSERT_EQ(saveConfig(dir / "Config.lua", first.loaded), SaveResult::Saved) << c.name;
        const auto again = loadConfigFile(dir / "Config.lua", LoadKind::Ai, startupSettings());
        ASSERT_TRUE(again) << c.name;
        EXPECT_EQ(writeConfigLua(again.loaded), writeConfigLua(first.loaded)) << c.name;
    }
}

TEST(HostileConfig, WhatWouldNotReadBackIsRefusedAndNothingWritten) {
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
        test::writeBytes(dir / "Config.lua", "old");
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

// UTF-8 with and without a byte-order mark, and UTF-16.
TEST(HostileSideFiles, SavedFromNotepadTheyReadAsMeant) {
    const std::string path = "C:\\ゲーム\\AI", name = "たろう";
    const std::string ini = "[PATH]\r\nSetPath = \"" + path + "\"\r\n", friends = "123 " + name + "\r\n";
    test::ScratchDir dir;
    for (const std::string bom : {"\xEF\xBB\xBF", "", "UTF-16"}) {
        const auto encoded = [&](const std::string& utf8) { return bom == "UTF-16" ? test::utf16(utf8, false) : bom + utf8; };
        test::writeBytes(dir / "VellConf.ini", encoded(ini));
        test::writeBytes(dir / "Friend.ini", encoded(friends));
        EXPECT_EQ(readToolPaths(dir / "VellConf.ini").value.setPath, cp932(path)) << bom;
        EXPECT_EQ(readFriendIni(dir / "Friend.ini").value, (std::vector<FriendRecord>{{"123", cp932(name)}})) << bom;
    }
}

TEST(HostileSideFiles, HugeMobDataParsesWithoutWaste) {
    const std::string row = "1002 " + cp932("ポリン") + " 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18\r\n";
    const auto one = parseMobData(std::string(20u << 20, '\n') + row);  // empty lines cost no rows
    ASSERT_EQ(one.size(), 1u);
    EXPECT_LE(one.capacity(), 1u);
    std::string text;
    text.reserve(50u << 20);
    while (text.size() < (50u << 20)) text += row;
    const auto rows = parseMobData(text);
    EXPECT_EQ(rows.size(), text.size() / row.size());
    EXPECT_EQ(rows.back().cells[19], "18");
}

}  // namespace
}  // namespace vellconf
