#include "config/config_loader.h"

#include <gtest/gtest.h>

#include "config/config_io.h"
#include "config/config_writer.h"
#include "config/decimal.h"
#include "config/settings_catalogue.h"
#include "config/memo.h"
#include "lists/friend_list.h"
#include "lists/monster_table.h"
#include "test_support.h"

namespace vellconf {
namespace {

const std::string kStart = memoStartMarker();
const std::string kEnd = memoEndMarker();

ConfigContent load(std::string_view file, LoadKind kind = LoadKind::Ai, const AiSettings& current = startupSettings()) {
    LoadOutcome outcome = loadConfig(file, kind, current);
    EXPECT_TRUE(outcome) << file.substr(0, 80);
    return std::move(outcome.loaded);
}

// With one setting the lines do not give: a file without any fails to load.
std::string configWith(std::string_view lines) { return "[CONFIG]\nDistanceNotReturn = 7\n" + std::string(lines); }

TEST(LoadFallbacks, MissingKeysTakeTheLoadsOwnFallbacks) {
    struct Case {
        const char* key;
        std::int32_t ai;
        std::int32_t specified;
    };
    // One key only: everything else falls back; these are where the two loads and start-up part.
    const Case cases[] = {
        {"FlagAttackOwnerEnemy", 1, 1}, {"FlagAttackQuickly", 1, 1}, {"Ph3TH_SkillLevel", 1, 1},
        {"Ph1TH_OwnHP_C", 50, 20},      {"Ph2TH_UsableFlag", 0, 1},  {"Ph2TH_MyHP_C", 100, 20},
        {"Ph2TH_MySP_F", 0, 20},        {"FlagRotateFunction", 1, 1}, {"RotateDelay", 3000, 3000},
        {"FlagAutoEmergencyAvoidC", 0, 0},
    };
    for (std::string_view file : {"[CONFIG]\nDistanceNotReturn = 7\n", "[config]\r\nAttackDelay = 166\r\n"}) {
        const AiSettings ai = load(file, LoadKind::Ai).settings;
        const AiSettings specified = load(file, LoadKind::Specified).settings;
        for (const auto& c : cases) {
            EXPECT_EQ(ai.*findSetting(c.key)->member, c.ai) << c.key;
            EXPECT_EQ(specified.*findSetting(c.key)->member, c.specified) << c.key;
        }
    }
}

TEST(LoadConversion, FollowsTheKindOfEachKey) {
    struct Case {
        const char* line;
        const char* key;
        std::int32_t value;
    };
    const Case cases[] = {
        {"FlagDefaultState = YES", "FlagDefaultState", 1},
        {"FlagDefaultState = yes", "FlagDefaultState", 0},
        {"FlagDefaultState = Yes", "FlagDefaultState", 0},
        {"FlagDefaultState = 1", "FlagDefaultState", 0},
        {"FlagDefaultState = YES -- note", "FlagDefaultState", 0},
        {"FlagDefaultState =   YES  ", "FlagDefaultState", 1},
        {"flagdefaultstate = YES", "FlagDefaultState", 1},
        {"FlagRotateFunction = no", "FlagRotateFunction", 1},
        {"FlagRotateFunction = 0", "FlagRotateFunction", 1},
        {"FlagRotateFunction = NO", "FlagRotateFunction", 0},
        {"DistanceAttackArea = 007", "DistanceAttackArea", 7},
        {"DistanceAttackArea = 12 -- cells", "DistanceAttackArea", 12},
        {"DistanceAttackArea = abc", "DistanceAttackArea", 0},
        {"Ph1ML_SkillLevel = 9", "Ph1ML_SkillLevel", 9},
        {"RotatePeriod = 99999999999", "RotatePeriod", 2147483647},
        {"FlagRotateState = 7", "FlagRotateState", 7},
        {"AutoSkillPriority = 0", "AutoSkillPriority", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(load(configWith(c.line)).settings.*findSetting(c.key)->member, c.value) << c.line;
}

TEST(LoadRotation, InfinityIsReadOnlyWhileRotationIsOn) {
    AiSettings current = startupSettings();
    current.FlagRotateInfinity = 1;
    struct Case {
        const char* lines;
        std::int32_t function;
        std::int32_t infinity;
    };
    const Case cases[] = {
        {"FlagRotateFunction = NO\nFlagRotateInfinity = NO\n", 0, 1},  // kept from before the load
        {"FlagRotateFunction = YES\nFlagRotateInfinity = NO\n", 1, 0},
        {"FlagRotateFunction = YES\nFlagRotateInfinity = maybe\n", 1, 1},
        {"FlagRotateFunction = YES\n", 1, 0},  // Infinity's fallback
        {"", 1, 0},
    };
    for (const auto& c : cases) {
        const AiSettings loaded = load(configWith(c.lines), LoadKind::Ai, current).settings;
        EXPECT_EQ(loaded.FlagRotateFunction, c.function) << c.lines;
        EXPECT_EQ(loaded.FlagRotateInfinity, c.infinity) << c.lines;
    }
}

MonsterRecord monster(std::string id, std::string name, std::string level = "1") {
    MonsterRecord row;
    row.cells[0] = std::move(id);
    row.cells[1] = std::move(name);
    row.cells[2] = std::move(level);
    return row;
}

TEST(LoadArrays, RebuildTheListsFromTheSourceLists) {
    const std::vector<MonsterRecord> monsters = {monster("1002", "poring"), monster("abc", "first", "5"),
                                                 monster("ABC", "second"), monster("1031", "poporing")};
    const std::vector<FriendRecord> friends = {{"77", "taro"}, {"77", "jiro"}, {"x1", "hana"}};
    struct Case {
        const char* ignoreValue;
        std::vector<std::pair<std::string, std::string>> ignore;  // ID as read, name found
    };
    const Case cases[] = {
        {"{}", {}},
        {"", {}},
        {"{1002,1031}", {{"1002", "poring"}, {"1031", "poporing"}}},
        {"{1002, 1031}", {{"1002", "poring"}, {"1031", "poporing"}}},
        {"{ ,1002,,}", {{"1002", "poring"}}},
        {"{Abc}", {{"Abc", "first"}}},  // first row whose ID matches without regard to case
        {"{9999,1002,1002}", {{"9999", ""}, {"1002", "poring"}, {"1002", "poring"}}},
    };
    for (const auto& c : cases) {
        const auto rows = ignoreRowsFor(load(configWith(std::string("IGNORE_MOB = ") + c.ignoreValue + "\n")).ignoreMob, monsters);
        ASSERT_EQ(rows.size(), c.ignore.size()) << c.ignoreValue;
        for (std::size_t i = 0; i < c.ignore.size(); ++i) {
            EXPECT_EQ(rows[i].id(), c.ignore[i].first);
            EXPECT_EQ(rows[i].cells[1], c.ignore[i].second);
        }
    }
    const std::vector<FriendRecord> expected = {{"77", "taro"}, {"X1", "hana"}, {"5", cp932("名前不明")}};
    EXPECT_EQ(coFightRowsFor(load(configWith("FRIENDS = {77,X1,5}\n")).friends, friends), expected);
}

TEST(LoadArrays, TablesAreReadAsLuaReadsThem) {
    const struct {
        const char* value;  // after "IGNORE_MOB = ", up to the FRIENDS line
        std::vector<std::string> ids;
    } cases[] = {
        {"{\n  1002,\n  1031,\n  1113\n}", {"1002", "1031", "1113"}},
        {"{1002, 1031,\r\n 1113, 1039}", {"1002", "1031", "1113", "1039"}},
        {"{\t1002 ;1031;\t}", {"1002", "1031"}},
        {"{1002,1031} -- ポリン, 1113", {"1002", "1031"}},
        {"{\n1002, -- ポリン\n1031 -- ポポリン, 1113\n}", {"1002", "1031"}},
        {"{1002, --[[ ポリン, 1113 ]] 1031}", {"1002", "1031"}},
        {"{1002, --[==[ a\n]] 1113 ]==] 1031}", {"1002", "1031"}},
        {"-- the table is below\n{1002}", {"1002"}},
        {"\n\n{\n1002\n}", {"1002"}},
        {"1002", {"1002"}},
        {"", {}},
        {"1002}", {"1002"}},
        // Without its "}" the table takes everything up to the next one.
        {"{1002", {"1002", "FRIENDS", "=", "77"}},
    };
    for (const auto& c : cases) {
        const auto loaded = load(configWith(cp932(std::string("IGNORE_MOB = ") + c.value + "\nFRIENDS = {77}\n")));
        EXPECT_EQ(loaded.ignoreMob, c.ids) << c.value;
        EXPECT_EQ(loaded.friends, std::vector<std::string>{"77"}) << c.value;
    }
}

TEST(LoadArrays, ListsAreReadWholeScalarsStillCut) {
    // Past 260 bytes a cut list would lose IDs and turn the last one into another (1099 into 10).
    std::string ids;
    for (int i = 0; i < 3040; ++i) ids += (i ? "," : "") + std::to_string(1024 + i % 76);
    const auto loaded = load(configWith("IGNORE_MOB = {" + ids + "}\nFRIENDS = {" + ids + "}\nRotatePeriod = " +
                                        std::string(300, '1') + "\n"));
    ASSERT_EQ(loaded.ignoreMob.size(), 3040u);
    ASSERT_EQ(loaded.friends.size(), 3040u);
    EXPECT_EQ(loaded.ignoreMob[75], "1099");
    EXPECT_EQ(loaded.friends.back(), "1099");
    EXPECT_EQ(loaded.settings.RotatePeriod, leadingInt(std::string(260, '1')));
}

std::string memoFile(const std::string& middle) { return "[CONFIG]\r\n" + middle + "FlagDefaultState = NO\r\n"; }

TEST(LoadMemo, GathersTheLinesBetweenTheMarkers) {
    struct Case {
        std::string name;
        std::string file;
        std::string memo;
    };
    const std::string line1000(1000, 'x');
    const Case cases[] = {
        {"plain", kStart + "\r\na\r\nb\r\n" + kEnd + "\r\n", "a\nb"},
        {"LF line ends", kStart + "\na\nb\n" + kEnd + "\n", "a\nb"},
        {"empty memo line", kStart + "\r\n\r\n" + kEnd + "\r\n", ""},
        {"markers only", kStart + "\r\n" + kEnd + "\r\n", ""},
        {"no start marker", "a\r\n" + kEnd + "\r\n", ""},
        {"end before start", kEnd + "\r\n" + kStart + "\r\nb\r\n", ""},
        {"no end marker nor comment end: to the end of the file", kStart + "\r\na\r\n", "a\nFlagDefaultState = NO"},
        {"no end marker: up to the end of the Lua comment", kStart + "\r\na\r\n--]]\r\nb\r\n", "a"},
        {"an end marker after the comment end still counts", kStart + "\r\na\r\n--]]\r\n" + kEnd + "\r\n", "a\n--]]"},
        {"a damaged end marker is text up to the comment end", kStart + "\r\na\r\n" + kEnd + " \r\n--]]\r\n",
         "a\n" + kEnd + " "},
        {"marker with a trailing blank is text", kStart + "\r\n" + kEnd + " \r\nb\r\n" + kEnd + "\r\n",
         kEnd + " \nb"},
        {"a second start marker right after the first is text", kStart + "\r\n" + kStart + "\r\nb\r\n" + kEnd + "\r\n",
         kStart + "\nb"},
        {"a line that would pass 1024 bytes is dropped, a later short one kept",
         kStart + "\r\n" + line1000 + "\r\n" + std::string(30, 'y') + "\r\nshort\r\n" + kEnd + "\r\n",
         line1000 + "\nshort"},
        {"a lone CR ends a line", kStart + "\r\na\rb\r\n" + kEnd + "\r\n", "a\nb"},
        {"CR-only line ends", kStart + "\ra\rb\r" + kEnd + "\r", "a\nb"},
        // Whatever the memo field took (1024 bytes, line ends counted as CR LF) comes back whole.
        {"two 511-byte lines", kStart + "\r\n" + std::string(511, 'p') + "\r\n" + std::string(511, 'q') + "\r\n" + kEnd + "\r\n",
         std::string(511, 'p') + "\n" + std::string(511, 'q')},
        {"one 1024-byte line", kStart + "\r\n" + std::string(1024, 'r') + "\r\n" + kEnd + "\r\n", std::string(1024, 'r')},
        {"a longer line is dropped whole", kStart + "\r\n" + std::string(1025, 's') + "\r\nt\r\n" + kEnd + "\r\n", "t"},
    };
    for (const auto& c : cases) EXPECT_EQ(load(memoFile(c.file)).memo, c.memo) << c.name;
    // A marker as the last line without a line end is no marker.
    EXPECT_EQ(load(memoFile(kStart + "\r\na\r\n") + kEnd).memo, "a\nFlagDefaultState = NO\n" + kEnd);
}

TEST(LoadMemo, AMissingEndMarkerHidesNoSettings) {
    const std::string settings = "DistanceNotReturn = 3\r\nIGNORE_MOB = {1002}\r\n";
    for (const std::string& tail : {std::string("--]]\r\n"), std::string()}) {
        const auto loaded = load("[CONFIG]\r\n" + kStart + "\r\nmemo\r\n" + tail + settings);
        EXPECT_EQ(loaded.settings.DistanceNotReturn, 3) << tail;
        ASSERT_EQ(loaded.ignoreMob.size(), 1u) << tail;
    }
}

TEST(LoadMemo, MemoLinesAreNeverSettings) {
    const std::string file = "[CONFIG]\r\n" + kStart + "\r\n" + cp932("[狩場]") + "\r\nDistanceNotReturn = 3\r\n" + kEnd +
                             "\r\nDistanceNotReturn = 5\r\nFlagDefaultState = NO\r\n";
    const auto loaded = load(file);
    EXPECT_EQ(loaded.settings.DistanceNotReturn, 5);
    EXPECT_EQ(loaded.settings.FlagDefaultState, 0);
    EXPECT_EQ(loaded.memo, cp932("[狩場]") + "\nDistanceNotReturn = 3");
}

TEST(LoadThenSave, ReproducesTheFile) {
    AiSettings settings = startupSettings();
    settings.FlagRotateFunction = 0;  // Infinity then comes from the record the load started from
    settings.RotatePeriod = 50000;
    settings.Ph1ML_SkillLevel = 9;
    const std::vector<std::string> ignore = {"1031", "1002", "1031"};
    const std::vector<std::string> friends = {"123", "456"};
    for (const std::string& memo :
         {startupMemo(), std::string(), std::string("one line"), cp932("[狩場]\nFlagDefaultState = NO\n\n")}) {
        const std::string file = writeConfigLua(settings, memo, ignore, friends);
        const auto loaded = load(file, LoadKind::Specified);
        const std::string again = writeConfigLua(loaded.settings, loaded.memo, std::vector<std::string>{"1031", "1002", "1031"},
                                                 std::vector<std::string>{"123", "456"});
        EXPECT_EQ(again, file) << memo;
        EXPECT_EQ(loaded.ignoreMob, ignore);
        EXPECT_EQ(loaded.friends, friends);
        EXPECT_EQ(loaded.settings, settings);
    }
}

}  // namespace
}  // namespace vellconf
