#include "config/config_writer.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "config/memo.h"
#include "config/settings_catalogue.h"
#include "test_support.h"

namespace vellconf {
namespace {

using test::crlfLines;

// The file a save right after start-up writes, byte for byte: every line, the
// CP932 bytes Windows gives its special characters, CR LF line ends.
TEST(ConfigWriter, DefaultFileIsTheGoldenOne) {
    EXPECT_EQ(writeConfigLua(startupSettings(), startupMemo(), {}, {}), test::testData("config/Config.lua"));
}

TEST(ConfigWriter, ValuesFollowTheKindOfEachKey) {
    const struct {
        const char* key;
        std::int32_t value;
        const char* written;
    } cases[] = {
        {"FlagDefaultState", 1, "YES"},  {"FlagDefaultState", 2, "NO"},   {"Ph2TH_UsableFlag", 1, "YES"},
        {"FlagRotateFunction", 7, "NO"}, {"AutoSkillPriority", 1, "1"},   {"AutoSkillPriority", 0, "2"},
        {"FlagRotateState", 2, "2"},     {"FlagRotateState", 1, "1"},     {"FlagRotateState", 3, "0"},
        {"FlagAutoMoonLight", 3, "3"},   {"Ph1ML_SkillLevel", -5, "-5"},  {"DistanceAttackArea", 0, "0"},
    };
    for (const auto& c : cases) {
        AiSettings settings = startupSettings();
        settings.*findSetting(c.key)->member = c.value;
        EXPECT_EQ(formatSettingValue(settings, c.key), c.written) << c.key << " = " << c.value;
        const auto lines = crlfLines(writeConfigLua(settings, "", {}, {}));
        const auto line = std::ranges::find_if(lines, [&](const auto& l) { return l.starts_with("    " + std::string(c.key) + " "); });
        ASSERT_NE(line, lines.end());
        EXPECT_TRUE(line->ends_with(std::string("= ") + c.written)) << *line;
    }
}

TEST(ConfigWriter, MemoLinesAndArraysGoWhereTheyBelong) {
    const struct {
        std::string memo;
        std::vector<std::string> ignore, friends;
        std::vector<std::string> memoLines;  // between the markers
        const char *ignoreLine, *friendsLine;
    } cases[] = {
        {"", {}, {}, {""}, "{}", "{}"},
        {"a\nb", {"1002", "1031", "1113"}, {"1234567"}, {"a", "b"}, "{1002,1031,1113}", "{1234567}"},
        {"a\n", {"1002", "1002"}, {"7", "7"}, {"a", ""}, "{1002,1002}", "{7,7}"},
        {"\n\n", {}, {}, {"", "", ""}, "{}", "{}"},
        {"a\r\nb", {}, {}, {"a\r", "b"}, "{}", "{}"},  // a CR held in the memo stays in front of the line end
        {cp932("[狩場]\nFlagDefaultState = NO"), {}, {}, {cp932("[狩場]"), "FlagDefaultState = NO"}, "{}", "{}"},
    };
    for (const auto& c : cases) {
        const auto lines = crlfLines(writeConfigLua(startupSettings(), c.memo, c.ignore, c.friends));
        const auto start = std::ranges::find(lines, memoStartMarker()), end = std::ranges::find(lines, memoEndMarker());
        ASSERT_LT(start, end) << c.memo;
        EXPECT_EQ(std::vector<std::string>(start + 1, end), c.memoLines) << c.memo;
        EXPECT_EQ(std::ranges::count(lines, "    IGNORE_MOB              = " + std::string(c.ignoreLine)), 1);
        EXPECT_EQ(std::ranges::count(lines, "    FRIENDS                 = " + std::string(c.friendsLine)), 1);
    }
}

// The memo field counts every line end as CR LF, however the text holds it.
TEST(Memo, FieldBytesAndLineEnds) {
    const struct {
        std::string lf, crlf;
        std::size_t fieldBytes;
    } cases[] = {
        {"", "", 0}, {"\n", "\r\n", 2}, {"a\nb", "a\r\nb", 4}, {"\n\n", "\r\n\r\n", 4}, {"a\n", "a\r\n", 3},
        {"\r", "\r", 1},  // a lone CR is no line end
    };
    for (const auto& c : cases) {
        EXPECT_EQ(memoFieldBytes(c.lf), c.fieldBytes) << c.crlf;
        EXPECT_EQ(memoFieldBytes(c.crlf), c.fieldBytes) << c.crlf;
        EXPECT_EQ(crlfToLf(c.crlf), c.lf) << c.crlf;
        EXPECT_EQ(lfToCrlf(c.lf), c.crlf) << c.crlf;
    }
    EXPECT_EQ(startupMemo(), crlfToLf(memoPlaceholder()));
    EXPECT_EQ(memoFieldBytes(startupMemo()), memoPlaceholder().size());
}

TEST(ConfigWriter, AnArrayItemIsWhatLuaReadsBackAsOneItem) {
    const struct {
        std::string item;
        bool accepted;
    } cases[] = {
        {"1002", true}, {"-5", true}, {"007", true}, {"X1", true}, {"_a_9", true}, {"YES", true},
        {"", false}, {"-", false}, {"1)", false}, {"12,34", false}, {"1 2", false}, {";1", false},
        {"1e5", false}, {"0x10", false}, {"9a", false}, {"a-b", false}, {"end", false}, {"nil", false},
        {"--", false}, {"}", false}, {cp932("ポリン"), false}, {cp932("１２"), false}, {std::string("1\0" "2", 3), false},
    };
    for (const auto& c : cases) EXPECT_EQ(isArrayItem(c.item), c.accepted) << c.item;
}

}  // namespace
}  // namespace vellconf
