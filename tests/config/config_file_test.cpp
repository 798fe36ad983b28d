// Config.lua read and written: the profile lookup the loader reads with, the
// loader's fallbacks, values, lists and memo, and the writer's bytes.

#include "config/config_loader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "config/config_writer.h"
#include "config/decimal.h"
#include "config/memo.h"
#include "config/profile_reader.h"
#include "config/settings_catalogue.h"
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

TEST(ConfigLoader, MissingKeysTakeTheLoadsOwnFallbacks) {
    // Where a load's fallback is not the start-up value: {AI load, specified load}.
    const std::map<std::string_view, std::pair<std::int32_t, std::int32_t>> differing = {
        {"FlagAttackOwnerEnemy", {YES, YES}}, {"FlagAttackQuickly", {YES, YES}}, {"Ph3TH_SkillLevel", {1, 1}},
        {"Ph1TH_OwnHP_C", {50, 20}},          {"Ph2TH_UsableFlag", {NO, YES}},   {"Ph2TH_MyHP_C", {100, 20}},
        {"Ph2TH_MySP_F", {0, 20}},
    };
    // One key only, at its start-up value: everything else falls back.
    for (std::string_view file : {"[CONFIG]\nDistanceNotReturn = 7\n", "[config]\r\nAttackDelay = 166\r\n"}) {
        for (const LoadKind kind : {LoadKind::Ai, LoadKind::Specified}) {
            const AiSettings loaded = load(file, kind).settings;
            for (const auto& spec : settingsCatalogue()) {
                const auto d = differing.find(spec.key);
                const std::int32_t expected = d == differing.end()     ? spec.values.startup
                                              : kind == LoadKind::Ai ? d->second.first
                                                                       : d->second.second;
                EXPECT_EQ(loaded.*spec.member, expected) << spec.key << " in " << file;
            }
        }
    }
    EXPECT_EQ(findSetting("flagautodeffence"), nullptr);  // the file's keys ignore case, the catalogue's names do not
    EXPECT_EQ(findSetting("IGNORE_MOB"), nullptr);
}

TEST(ConfigLoader, ValuesFollowTheKindOfEachKey) {
    for (const auto& c : test::cp932Rows("config/loader/values.tsv"))
        EXPECT_EQ(load(configWith(c[0])).settings.*findSetting(c[1])->member, std::stoi(c[2])) << c[0];
}

TEST(ConfigLoader, InfinityIsReadOnlyWhileRotationIsOn) {
    AiSettings current = startupSettings();
    current.FlagRotateInfinity = 1;
    for (const auto& c : test::cp932Rows("config/loader/rotation.tsv")) {
        const AiSettings loaded = load(configWith(c[0]), LoadKind::Ai, current).settings;
        EXPECT_EQ(loaded.FlagRotateFunction, std::stoi(c[1])) << c[0];
        EXPECT_EQ(loaded.FlagRotateInfinity, std::stoi(c[2])) << c[0];
    }
}

TEST(ConfigLoader, ListsAreReadAsLuaReadsThemAndFindTheirRows) {
    for (const auto& c : test::cp932Rows("config/loader/lists.tsv")) {
        const auto loaded = load(configWith("IGNORE_MOB = " + c[0] + "\nFRIENDS = {77}\n"));
        EXPECT_EQ(loaded.ignoreMob, test::listItems(c[1])) << c[0];
        EXPECT_EQ(loaded.friends, std::vector<std::string>{"77"}) << c[0];
    }

    // The rows: the first whose ID matches without regard to case; an ID no row has keeps its place (the
    // co-fight list's: FriendRows).
    const std::vector<MonsterRecord> monsters = {{{"1002", "poring"}}, {{"abc", "first"}}, {{"ABC", "second"}}, {{"1031", "poporing"}}};
    std::vector<std::string> names;
    for (const auto& row : ignoreRowsFor(load(configWith("IGNORE_MOB = {9999,Abc,1002,1002}\n")).ignoreMob, monsters))
        names.push_back(row.id() + " " + row.cells[1]);
    EXPECT_EQ(names, (std::vector<std::string>{"9999 ", "Abc first", "1002 poring", "1002 poring"}));
}

TEST(ConfigLoader, ListsAreReadWholeScalarsStillCut) {
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

TEST(ConfigLoader, MemoIsTheLinesBetweenTheMarkersAndNeverSettings) {
    for (const auto& c : test::cp932Rows("config/loader/memo.tsv")) {
        const auto loaded = load("[CONFIG]\r\n" + c[1] + "FlagDefaultState = NO\r\n");
        EXPECT_EQ(loaded.memo, c[2]) << c[0];
        EXPECT_EQ(loaded.settings.FlagDefaultState, 0) << c[0];
    }
    // A marker as the last line without a line end is no marker.
    EXPECT_EQ(load("[CONFIG]\r\n" + kStart + "\r\na\r\nFlagDefaultState = NO\r\n" + kEnd).memo,
              "a\nFlagDefaultState = NO\n" + kEnd);
    // Without an end marker the settings below still load.
    for (const std::string& tail : {std::string("--]]\r\n"), std::string()}) {
        const auto loaded = load("[CONFIG]\r\n" + kStart + "\r\nmemo\r\n" + tail + "DistanceNotReturn = 3\r\nIGNORE_MOB = {1002}\r\n");
        EXPECT_EQ(loaded.settings.DistanceNotReturn, 3) << tail;
        EXPECT_EQ(loaded.ignoreMob, std::vector<std::string>{"1002"}) << tail;
    }
}

using test::crlfLines;

// The file a save right after start-up writes, byte for byte: every line, the
// CP932 bytes Windows gives its special characters, CR LF line ends.
TEST(ConfigWriter, DefaultFileIsTheGoldenOne) {
    EXPECT_EQ(writeConfigLua(startupSettings(), startupMemo(), {}, {}), test::testData("config/Config.lua"));
}

// How each value is written; that the file holds it at its key, the Lua test checks on every key.
TEST(ConfigWriter, ValuesFollowTheKindOfEachKey) {
    for (const auto& c : test::cp932Rows("config/written_values.tsv")) {
        AiSettings settings = startupSettings();
        settings.*findSetting(c[0])->member = std::stoi(c[1]);
        EXPECT_EQ(formatSettingValue(settings, c[0]), c[2]) << c[0] << " = " << c[1];
    }
}

TEST(ConfigWriter, MemoLinesAndArraysGoWhereTheyBelong) {
    for (const auto& c : test::cp932Rows("config/written_memo_and_lists.tsv")) {
        const auto lines = crlfLines(writeConfigLua(startupSettings(), c[1], test::listItems(c[2]), test::listItems(c[3])));
        const auto start = std::ranges::find(lines, memoStartMarker()), end = std::ranges::find(lines, memoEndMarker());
        ASSERT_LT(start, end) << c[0];
        std::string memoLines;
        for (auto line = start + 1; line != end; ++line) memoLines += *line + "\n";
        EXPECT_EQ(memoLines, c[4]) << c[0];
        EXPECT_EQ(std::ranges::count(lines, "    IGNORE_MOB              = {" + c[2] + "}"), 1) << c[0];
        EXPECT_EQ(std::ranges::count(lines, "    FRIENDS                 = {" + c[3] + "}"), 1) << c[0];
    }
}

// The memo field counts every line end as CR LF, however the text holds it: the cases of memo_line_ends.tsv.
TEST(Memo, FieldBytesAndLineEnds) {
    for (const auto& c : test::cp932Rows("config/memo_line_ends.tsv")) {
        EXPECT_EQ(memoFieldBytes(c[0]), std::stoul(c[2])) << c[3];
        EXPECT_EQ(memoFieldBytes(c[1]), std::stoul(c[2])) << c[3];
        EXPECT_EQ(crlfToLf(c[1]), c[0]) << c[3];
        EXPECT_EQ(lfToCrlf(c[0]), c[1]) << c[3];
    }
    EXPECT_EQ(crlfToLf("a\nb\r\n"), "a\nb\n");  // a bare LF keeps the byte before it
    EXPECT_EQ(memoFieldBytes(startupMemo()), memoPlaceholder().size());
}

TEST(ConfigWriter, AnArrayItemIsWhatLuaReadsBackAsOneItem) {
    for (const auto& c : test::cp932Rows("config/array_items.tsv")) EXPECT_EQ(isArrayItem(c[0]), c[1] == "1") << c[0];
}

constexpr std::string_view kFallback = "<fallback>";

// The cases of tests/data/config/profile_lookups.tsv; its head says how they are written.
TEST(ProfileReader, AnswersEachLookupOfTheCaseFile) {
    const auto rows = test::cp932Rows("config/profile_lookups.tsv");
    ASSERT_EQ(rows.size(), 50u);
    for (const auto& c : rows) {
        SCOPED_TRACE(c[5]);
        const ProfileReader reader(c[1], c[0] == "lua" ? SectionEnd::EndOfFile : SectionEnd::NextSectionLine);
        EXPECT_EQ(reader.get(c[2], c[3], kFallback), c[4]);
        EXPECT_EQ(reader.find(c[2], c[3]).has_value(), c[4] != kFallback);
    }
}

TEST(ProfileReader, ValuesAndFallbacksAreCutTo260BytesFallbacksNeverUnquoted) {
    for (const auto& c : test::cp932Rows("config/cut_values.tsv")) {
        SCOPED_TRACE(c[0]);
        const std::string& text = c[1];
        const ProfileReader reader("[s]\nk=" + text);
        EXPECT_EQ(reader.get("s", "k", "x"), c[2]);
        EXPECT_EQ(reader.getWhole("s", "k", "x"), text.front() == '"' ? text.substr(1, text.size() - 2) : text);
        EXPECT_EQ(reader.get("s", "missing", text), c[3]) << "missing key";
        EXPECT_EQ(reader.get("t", "k", text), c[3]) << "missing section";
        EXPECT_EQ(reader.getWhole("t", "k", text), text);
    }
    EXPECT_EQ(ProfileReader().get("s", "k", "fb"), "fb");
    EXPECT_EQ(ProfileReader("[s]\nk=v").find("s", "k")->valueBegin, 6u);
}

}  // namespace
}  // namespace vellconf
