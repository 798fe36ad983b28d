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

// The file writes each value as formatSettingValue gives it: the Lua test reads every key of a written file.
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
    for (const auto& c : test::cp932Rows("config/array_items.tsv")) EXPECT_EQ(isArrayItem(c[0]), c[1] == "1") << c[0];
}

}  // namespace
}  // namespace vellconf
