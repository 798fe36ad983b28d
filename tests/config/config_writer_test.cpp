#include "config/config_writer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "config/settings_catalogue.h"
#include "config/memo.h"
#include "test_support.h"

namespace vellconf {
namespace {

using test::crlfLines;

std::string defaultFile() { return writeConfigLua(startupSettings(), startupMemo(), {}, {}); }

std::vector<std::string> linesBetweenMarkers(const std::string& file) {
    const auto lines = crlfLines(file);
    const auto start = std::find(lines.begin(), lines.end(), memoStartMarker());
    const auto end = std::find(lines.begin(), lines.end(), memoEndMarker());
    return {start + 1, end};
}

TEST(DefaultFile, HasTheDocumentedShape) {
    const std::string file = defaultFile();
    // Every line ends in CR LF and nothing follows the last one.
    ASSERT_TRUE(file.ends_with("-------------------------------------------------\r\n"));
    for (std::size_t i = 0; i < file.size(); ++i) {
        if (file[i] == '\n') {
            EXPECT_EQ(file[i - 1], '\r') << "bare LF at byte " << i;
        }
        if (file[i] == '\r') {
            EXPECT_EQ(file[i + 1], '\n') << "bare CR at byte " << i;
        }
    }
    // 596 lines plus the memo's: the six placeholder lines and the writer's own line end.
    const auto lines = crlfLines(file);
    EXPECT_EQ(linesBetweenMarkers(file).size(), 7u);
    EXPECT_EQ(lines.size(), 596u + 7u);
    EXPECT_EQ(memoStartMarker().size(), 49u);
    EXPECT_EQ(memoEndMarker().size(), 49u);
    EXPECT_EQ(lines[1], cp932("-- ヴェルAI 設定ファイル\tby Ollum"));
    EXPECT_EQ(lines[8], "[CONFIG]");
}

TEST(DefaultFile, HoldsEveryKeyOnceAtItsColumn) {
    const auto lines = crlfLines(defaultFile());
    std::multiset<std::string> keys;
    for (const auto& line : lines) {
        if (!line.starts_with("    ")) continue;
        const auto equals = line.find(" = ");
        ASSERT_NE(equals, std::string::npos) << line;
        const std::string key = line.substr(4, line.find(' ', 4) - 4);
        keys.insert(key);
        if (const SettingSpec* spec = findSetting(key)) {
            EXPECT_EQ(equals + 1, std::size_t(spec->equalsColumn)) << line;
        }
    }
    EXPECT_EQ(keys.size(), 234u);
    for (const auto& spec : settingsCatalogue()) EXPECT_EQ(keys.count(std::string(spec.key)), 1u) << spec.key;
    EXPECT_EQ(keys.count("IGNORE_MOB"), 1u);
    EXPECT_EQ(keys.count("FRIENDS"), 1u);
}

TEST(DefaultFile, ShowsTheStartupValues) {
    const auto lines = crlfLines(defaultFile());
    const auto has = [&](std::string_view line) { return std::ranges::count(lines, line) == 1; };
    for (const char* line : {
             "    FlagDefaultState        = YES",
             "    AttackDelay              = 166",
             "    FlagAttackOwnerEnemy     = NO",
             "    FlagAttackQuickly        = NO",
             "    FlagRotateInfinity      = NO",
             "    Ph2ML_MySP_F            = 50",
             "    Ph2ML_MySP_C            = 80",
             "    Ph1CV_MyHP_C           = 10",
             "    Ph3TH_SkillLevel       = 5",
             "    Ph3ML_SkillLevel        = 1",
             "    Ph1FM_UsableFlag       = YES",
             "    FlagAutoEmergencyAvoidC = NO",
             "    FlagAutoTouchHeal      = YES",
             "    IGNORE_MOB              = {}",
             "    FRIENDS                 = {}",
             "YES = 1",
             "NO  = 0",
         })
        EXPECT_TRUE(has(line)) << line;
}

// Runs of lines quoted from the documented layout, found in order.
TEST(DefaultFile, ContainsTheDocumentedRuns) {
    const auto lines = crlfLines(defaultFile());
    const std::vector<std::vector<std::string>> runs = {
        {cp932("--●ディフェンス＠アミストル(羊)の自動使用設定変数"), cp932("--○ディフェンスを自動的に使用する"),
         "    FlagAutoDeffence        = YES", "", cp932("--　第1段階"), cp932("--○第1段階のスキル使用可否"),
         "    Ph1DEF_UsableFlag       = YES", cp932("--○第1段階のスキル使用レベル"), "    Ph1DEF_SkillLevel       = 5",
         cp932("--○第1段階のホムの下限HP(％)"), "    Ph1DEF_MyHP_F           = 0"},
        {cp932("--　第3段階(第1～2段階以外のとき)"), cp932("--○第3段階のスキル使用可否"),
         "    Ph3FM_UsableFlag       = NO", cp932("--○第3段階のスキル使用レベル"), "    Ph3FM_SkillLevel       = 1", "",
         ""},
        {"    Ph3EA_SkillLevel       = 1", "", cp932("---------------------▼Modified By Tessaly様--"),
         cp932("--●癒しの手＠リーフ(幼女)の自動使用設定変数")},
        {"    Ph3TH_SkillLevel       = 5", cp932("---------------------▲Modified By Tessaly様--"),
         "-------------------------------------------------", "", "",
         "-------------------------------------------------"},
        {"--]]", "", "", "", "-------------------------------------------------"},
    };
    for (const auto& run : runs) {
        const auto found = std::search(lines.begin(), lines.end(), run.begin(), run.end());
        EXPECT_NE(found, lines.end()) << "run starting with: " << run.front();
    }
}

TEST(DefaultFile, EncodesTheSpecialCharactersAsWindowsDoes) {
    const std::string file = defaultFile();
    const std::vector<std::pair<std::string, std::string>> bytes = {
        {"ideographic space in the phase headings", "--\x81\x40\x91\xe6"},
        {"wave dash in 第1～2段階", "1\x81\x60" "2"},
        {"black circle", "--\x81\x9c"},
        {"white circle", "--\x81\x9b"},
        {"black square", "--\x81\xa1"},
        {"white triangle", "--\x81\xa2"},
        {"down triangle in the start marker", "-\x81\xa5"},
        {"up triangle in the end marker", "-\x81\xa3"},
        {"at sign", "\x81\x97"},
        {"percent", "(\x81\x93)"},
        {"infinity", "\x81\x87"},
        {"down arrow", "\x81\xab"},
        {"full-width colon in 例：", "\x97\xe1\x81\x46"},
    };
    for (const auto& [what, expected] : bytes) EXPECT_NE(file.find(expected), std::string::npos) << what;
}

TEST(ValueForms, FollowTheKindOfEachKey) {
    struct Case {
        const char* key;
        std::int32_t value;
        const char* written;
    };
    const Case cases[] = {
        {"FlagDefaultState", 1, "YES"},  {"FlagDefaultState", 2, "NO"},   {"Ph2TH_UsableFlag", 1, "YES"},
        {"FlagRotateFunction", 7, "NO"}, {"AutoSkillPriority", 1, "1"},   {"AutoSkillPriority", 0, "2"},
        {"FlagRotateState", 2, "2"},     {"FlagRotateState", 1, "1"},     {"FlagRotateState", 3, "0"},
        {"FlagAutoMoonLight", 3, "3"},   {"Ph1ML_SkillLevel", -5, "-5"},  {"DistanceAttackArea", 0, "0"},
    };
    for (const auto& c : cases) {
        AiSettings settings = startupSettings();
        settings.*findSetting(c.key)->member = c.value;
        EXPECT_EQ(formatSettingValue(settings, c.key), c.written) << c.key << " = " << c.value;
        const std::string file = writeConfigLua(settings, "", {}, {});
        const std::string prefix = "    " + std::string(c.key);
        const auto lines = crlfLines(file);
        const auto line = std::ranges::find_if(lines, [&](const std::string& l) { return l.starts_with(prefix + " "); });
        ASSERT_NE(line, lines.end());
        EXPECT_TRUE(line->ends_with(std::string("= ") + c.written)) << *line;
    }
}

TEST(MemoBlock, WritesEachMemoLineAsAFileLine) {
    struct Case {
        std::string memo;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"", {""}},
        {"a\nb", {"a", "b"}},
        {"a\n", {"a", ""}},
        {"\n\n", {"", "", ""}},
        {"a\r\nb", {"a\r", "b"}},  // a CR held in the memo stays in front of the line end
        {cp932("[狩場]\nFlagDefaultState = NO"), {cp932("[狩場]"), "FlagDefaultState = NO"}},
    };
    for (const auto& c : cases) EXPECT_EQ(linesBetweenMarkers(writeConfigLua({}, c.memo, {}, {})), c.lines) << c.memo;
}

TEST(MemoBlock, StartupMemoHasNoDoubledCarriageReturn) {
    const std::string file = defaultFile();
    EXPECT_EQ(file.find("\r\r"), std::string::npos);
    EXPECT_EQ(startupMemo().size(), 131u);
    EXPECT_EQ(memoPlaceholder().size(), 137u);
}

TEST(Arrays, ListTheIdsInOrderWithoutSpaces) {
    struct Case {
        std::vector<std::string> ignore;
        std::vector<std::string> friends;
        const char* ignoreLine;
        const char* friendsLine;
    };
    const Case cases[] = {
        {{}, {}, "    IGNORE_MOB              = {}", "    FRIENDS                 = {}"},
        {{"1002", "1031", "1113"}, {"1234567"}, "    IGNORE_MOB              = {1002,1031,1113}",
         "    FRIENDS                 = {1234567}"},
        {{"1002", "1002"}, {"7", "7"}, "    IGNORE_MOB              = {1002,1002}", "    FRIENDS                 = {7,7}"},
    };
    for (const auto& c : cases) {
        const auto lines = crlfLines(writeConfigLua(startupSettings(), "", c.ignore, c.friends));
        EXPECT_EQ(std::ranges::count(lines, c.ignoreLine), 1) << c.ignoreLine;
        EXPECT_EQ(std::ranges::count(lines, c.friendsLine), 1) << c.friendsLine;
    }
}

TEST(Arrays, AnItemIsWhatLuaReadsBackAsOneItem) {
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
