#include "lists/monster_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "config/cp932.h"
#include "config/decimal.h"
#include "test_support.h"

namespace vellconf {
namespace {

// A MobData.ini line of twenty tokens "<id> <id>_2 ... <id>_20".
std::string mobLine(std::string_view id) {
    std::string line(id);
    for (int column = 2; column <= 20; ++column) line += " " + std::string(id) + "_" + std::to_string(column);
    return line;
}

// The cells of mobLine(id), from column `first` (1-based) on.
std::vector<std::string> mobCells(std::string_view id, int first = 1) {
    std::vector<std::string> cells;
    for (int column = first; column <= 20; ++column)
        cells.push_back(column == 1 ? std::string(id) : std::string(id) + "_" + std::to_string(column));
    return cells;
}

// A row from its leading cells; the rest stay empty.
MonsterRecord record(const std::vector<std::string>& cells) {
    MonsterRecord row;
    for (std::size_t i = 0; i < cells.size() && i < kMonsterColumns; ++i) row.cells[i] = cells[i];
    return row;
}

std::vector<std::string> ids(const std::vector<MonsterRecord>& rows) {
    std::vector<std::string> out;
    for (const auto& row : rows) out.push_back(row.id());
    return out;
}

std::vector<std::string> column(const std::vector<MonsterRecord>& rows, std::size_t c) {
    std::vector<std::string> out;
    for (const auto& row : rows) out.push_back(row.cells[c]);
    return out;
}

// Rows with ID "r<n>" and `values` in column `c`.
std::vector<MonsterRecord> rowsWithColumn(std::size_t c, const std::vector<std::string>& values) {
    std::vector<MonsterRecord> rows;
    for (std::size_t i = 0; i < values.size(); ++i) {
        MonsterRecord row;
        row.cells[0] = "r" + std::to_string(i);
        row.cells[c] = values[i];
        rows.push_back(row);
    }
    return rows;
}

// --- Columns -----------------------------------------------------------------

TEST(MonsterColumns, CaptionsAndWidthsInColumnOrder) {
    const std::pair<std::string_view, int> expected[] = {
        {"ID", 30},   {"名前", 100}, {"Lv", 30},   {"BaseExp", 50}, {"JobExp", 50}, {"Hit", 40},    {"Flee", 40},
        {"Hp", 40},   {"Atk", 40},   {"Def", 40},  {"MAtk", 40},    {"MDef", 40},   {"種族", 40},   {"属性", 40},
        {"属性Lv", 40}, {"ｻｲｽﾞ", 40}, {"ｱｸﾃｨﾌﾞ", 40}, {"詠唱反応", 40}, {"ﾘﾝｸ", 40},    {"ﾙｰﾄ", 40},
    };
    const auto& columns = monsterColumns();
    ASSERT_EQ(std::size(expected), columns.size());
    for (std::size_t i = 0; i < columns.size(); ++i) {
        EXPECT_EQ(columns[i].text, expected[i].first) << i;
        EXPECT_EQ(columns[i].width, expected[i].second) << i;
        EXPECT_TRUE(utf8ToCp932(columns[i].text).has_value()) << i;
    }
}

TEST(MonsterColumns, HalfWidthKatakanaCaptionsAreSingleByteInCp932) {
    const std::pair<std::size_t, std::size_t> cases[] = {{15, 4}, {16, 6}, {18, 3}, {19, 3}};  // column, characters
    for (const auto& [index, characters] : cases)
        EXPECT_EQ(cp932(monsterColumns()[index].text).size(), characters) << index;
}

// --- Reading MobData.ini -----------------------------------------------------

std::string captionLine() {
    std::string line = ";";
    for (const auto& caption : monsterColumns()) line += cp932(caption.text) + " ";
    return line;  // ";ID 名前 ... ﾙｰﾄ": twenty tokens, the first one ";ID"
}

struct MobCase {
    const char* name;
    std::string input;
    std::vector<std::vector<std::string>> rows;  // leading cells of each expected row
};

TEST(ParseMobData, GroupsTokensByTwenty) {
    const std::string ideographicName = cp932("ポリン　改");
    const MobCase cases[] = {
        {"caption line then one monster a line", captionLine() + "\r\n" + mobLine("1002") + "\r\n" + mobLine("1007") + "\r\n",
         {mobCells("1002"), mobCells("1007")}},
        {"LF line ends", mobLine("1") + "\n" + mobLine("2") + "\n", {mobCells("1"), mobCells("2")}},
        {"no line end after the last monster", mobLine("1"), {mobCells("1")}},
        {"empty", "", {}},
        {"blanks only", " \r\n\t\n\v\f ", {}},
        {"empty lines and extra blanks", "\r\n\r\n  " + mobLine("1") + " \t \r\n\n\n\t" + mobLine("2") + "  \r\n\r\n",
         {mobCells("1"), mobCells("2")}},
        {"vertical tab and form feed separate", "a\vb\fc", {{"a", "b", "c"}}},
        {"any blank may stand between the tokens of one monster",
         [] {
             std::string text = mobLine("1");
             std::replace(text.begin(), text.end(), ' ', '\n');
             return text;
         }(),
         {mobCells("1")}},
        {"the ideographic space belongs to its token", "1049 " + ideographicName + " 3", {{"1049", ideographicName, "3"}}},
        {"a short last group is still a monster", mobLine("1") + "\r\n9 x y\r\n", {mobCells("1"), {"9", "x", "y"}}},
        {"a short last comment group is not", mobLine("1") + "\r\n;end of table\r\n", {mobCells("1")}},
        {"a full comment group in the middle", mobLine("1") + "\r\n;" + mobLine("x") + "\r\n" + mobLine("2"),
         {mobCells("1"), mobCells("2")}},
        {"only a leading semicolon makes a comment", mobLine("a;b"), {mobCells("a;b")}},
    };
    for (const auto& c : cases) {
        std::vector<MonsterRecord> expected;
        for (const auto& cells : c.rows) expected.push_back(record(cells));
        EXPECT_EQ(parseMobData(c.input), expected) << c.name;
    }
}

TEST(ParseMobData, ShortCommentLineShiftsTheFollowingColumns) {
    // ";" and eighteen words: the comment group takes the first token of the
    // next line, and every later monster starts one column early. The file is
    // read as it is; nothing reports the damage.
    std::string comment = ";";
    for (int i = 0; i < 18; ++i) comment += " w" + std::to_string(i);
    const std::string input = comment + "\r\n" + mobLine("1002") + "\r\n" + mobLine("1007") + "\r\n";

    auto first = mobCells("1002", 2);
    first.push_back("1007");
    const auto second = mobCells("1007", 2);  // nineteen tokens left: the last cell stays empty

    EXPECT_EQ(parseMobData(input), (std::vector{record(first), record(second)}));
}

TEST(ParseMobData, CutsLongTokensBetweenCharacters) {
    const std::string katakana = cp932("ア");  // two bytes
    std::string doubleByte;
    for (int i = 0; i < 150; ++i) doubleByte += katakana;  // 300 bytes; byte 259 would end on a lead byte
    const std::string mixed = "a" + doubleByte;           // here byte 259 ends on a trail byte

    const struct {
        const char* name;
        std::string token;
        std::string cell;
    } cases[] = {
        {"single-byte", std::string(300, 'x'), std::string(259, 'x')},
        {"double-byte", doubleByte, doubleByte.substr(0, 258)},
        {"odd start", mixed, mixed.substr(0, 259)},
        {"exactly a cell", std::string(259, 'y'), std::string(259, 'y')},
    };
    for (const auto& c : cases) {
        const auto rows = parseMobData("1 " + c.token + " 3");
        ASSERT_EQ(rows.size(), 1u) << c.name;
        EXPECT_EQ(rows[0].cells[1], c.cell) << c.name;
        EXPECT_EQ(rows[0].cells[2], "3") << c.name;
    }
}

TEST(ParseMobData, ReadsAFullSizeTable) {
    std::string input = captionLine() + "\r\n";
    for (int i = 0; i < 5000; ++i) input += mobLine(std::to_string(1000 + i)) + "\r\n";
    const auto rows = parseMobData(input);
    ASSERT_EQ(rows.size(), 5000u);
    EXPECT_EQ(rows.front(), record(mobCells("1000")));
    EXPECT_EQ(rows.back(), record(mobCells("5999")));
}

// --- Moving rows between the lists -------------------------------------------

std::vector<MonsterRecord> fiveMonsters() {
    return {record(mobCells("1001")), record(mobCells("1002")), record(mobCells("1003")), record(mobCells("1004")),
            record(mobCells("1005"))};
}

TEST(AppendRows, AppendsTheSelectionFromTheTop) {
    const struct {
        const char* name;
        std::vector<std::size_t> selected;
        std::vector<std::string> ignoreIds;
    } cases[] = {
        {"three rows", {0, 2, 4}, {"999", "1001", "1003", "1005"}},
        {"selection listed out of order", {4, 0, 2}, {"999", "1001", "1003", "1005"}},
        {"nothing selected", {}, {"999"}},
        {"out-of-range index", {1, 7}, {"999", "1002"}},
    };
    const auto monsters = fiveMonsters();
    for (const auto& c : cases) {
        std::vector<MonsterRecord> ignore{record({"999"})};
        appendRows(monsters, c.selected, ignore);
        EXPECT_EQ(ids(ignore), c.ignoreIds) << c.name;
    }
}

TEST(AppendRows, AddingTheSameMonsterTwiceGivesTwoRows) {
    const auto monsters = fiveMonsters();
    const std::size_t selected[] = {1};
    std::vector<MonsterRecord> ignore;
    appendRows(monsters, selected, ignore);
    appendRows(monsters, selected, ignore);
    EXPECT_EQ(ignore, (std::vector{monsters[1], monsters[1]}));
    EXPECT_EQ(monsters, fiveMonsters());
}

TEST(RemoveRows, RemovesTheSelectedRows) {
    const struct {
        const char* name;
        std::vector<std::size_t> selected;
        std::vector<std::string> left;
    } cases[] = {
        {"nothing selected", {}, {"1001", "1002", "1003", "1004", "1005"}},
        {"two rows", {1, 3}, {"1001", "1003", "1005"}},
        {"any order", {3, 1}, {"1001", "1003", "1005"}},
        {"repeated index", {0, 0, 2}, {"1002", "1004", "1005"}},
        {"out-of-range index", {9}, {"1001", "1002", "1003", "1004", "1005"}},
        {"everything", {4, 3, 2, 1, 0}, {}},
    };
    for (const auto& c : cases) {
        auto rows = fiveMonsters();
        removeRows(rows, std::span<const std::size_t>(c.selected));
        EXPECT_EQ(ids(rows), c.left) << c.name;
    }
}

TEST(RemoveRows, KeepsWholeRows) {
    auto rows = fiveMonsters();
    const std::size_t selected[] = {0};
    removeRows(rows, std::span<const std::size_t>(selected));
    const auto all = fiveMonsters();
    EXPECT_EQ(rows, (std::vector(all.begin() + 1, all.end())));
}

// --- Header clicks -----------------------------------------------------------

TEST(ColumnSort, FirstClickAscendsAndRepeatedClicksFlip) {
    const struct {
        int clicked;
        int column;
        bool ascending;
    } steps[] = {
        {2, 2, true}, {2, 2, false}, {2, 2, true}, {1, 1, true}, {2, 2, true}, {2, 2, false}, {0, 0, true},
    };
    ColumnSort sort;
    EXPECT_EQ(sort.column, -1);
    EXPECT_FALSE(sort.ascending);
    for (const auto& step : steps) {
        sort.click(step.clicked);
        EXPECT_EQ(sort.column, step.column) << "click on " << step.clicked;
        EXPECT_EQ(sort.ascending, step.ascending) << "click on " << step.clicked;
    }
}

// --- Comparing cells ---------------------------------------------------------

TEST(CompareCells, NumberOrText) {
    const std::string padding(511, 'x');
    const struct {
        const char* name;
        std::string a, b;
        int expected;
    } cases[] = {
        {"smaller number", "5", "10", -1},
        {"larger number", "10", "5", 1},
        {"equal numbers never compare equal", "7", "7", -1},
        {"equal numbers the other way round", "007", "7", -1},
        {"negative numbers", "-3", "2", -1},
        {"digits up to the first other character", "12abc", "12", -1},
        {"leading white space", " \t8", "9", -1},
        {"a number against text reads the text as 0", "5", "abc", 1},
        {"text against a number compares bytes", "abc", "5", 1},
        {"a 0 compares as text", "0", "+1", 1},
        {"equal texts", "abc", "abc", 0},
        {"0 against 0", "0", "0", 0},
        {"bytes", "abc", "abd", -1},
        {"a prefix comes first", "ab", "abc", -1},
        {"a longer text comes last", "abc", "ab", 1},
        {"empty first", "", "a", -1},
        {"both empty", "", "", 0},
        {"bytes are unsigned", cp932("ア"), "z", 1},
        {"double-byte before half-width katakana", cp932("ア"), cp932("ｱ"), -1},
        {"only the first 511 bytes count", padding + "1", padding + "2", 0},
        {"a number beyond 511 bytes is not seen", std::string(511, ' ') + "5", "3", -1},
    };
    for (const auto& c : cases) EXPECT_EQ(compareCells(c.a, c.b), c.expected) << c.name;
}

// --- Sorting -----------------------------------------------------------------

TEST(SortRows, SortsByOneColumn) {
    const struct {
        const char* name;
        int column;
        bool ascending;
        std::vector<std::string> values;
        std::vector<std::string> sorted;
    } cases[] = {
        {"level, lowest first", 2, true, {"12", "3", "45", "7"}, {"3", "7", "12", "45"}},
        {"level, highest first", 2, false, {"12", "3", "45", "7"}, {"45", "12", "7", "3"}},
        {"negative numbers", 4, true, {"5", "-20", "-3", "1"}, {"-20", "-3", "1", "5"}},
        {"name, by bytes",
         1,
         true,
         {cp932("ポリン"), cp932("ドロップス"), "Zzz", cp932("ルナティック"), cp932("ポポリン")},
         {"Zzz", cp932("ドロップス"), cp932("ポポリン"), cp932("ポリン"), cp932("ルナティック")}},
        {"name, descending", 1, false, {"b", "c", "a"}, {"c", "b", "a"}},
        {"zeros compare as text", 7, true, {"00", "3", "0", "-4", "10", "0"}, {"-4", "0", "0", "00", "3", "10"}},
        {"empty cells first", 19, true, {"b", "", "a"}, {"", "a", "b"}},
        {"equal numbers never compare equal", 2, true, {"5", "5", "2", "5"}, {"2", "5", "5", "5"}},
        {"equal numbers, descending", 2, false, {"5", "2", "5", "5"}, {"5", "5", "5", "2"}},
        {"one row", 2, true, {"5"}, {"5"}},
        {"no rows", 2, true, {}, {}},
    };
    for (const auto& c : cases) {
        const auto original = rowsWithColumn(static_cast<std::size_t>(c.column), c.values);
        auto rows = original;
        sortRows(rows, c.column, c.ascending);
        EXPECT_EQ(column(rows, static_cast<std::size_t>(c.column)), c.sorted) << c.name;
        // Whole rows move: each sorted row is one of the originals, each used once.
        EXPECT_TRUE(std::is_permutation(rows.begin(), rows.end(), original.begin(), original.end())) << c.name;
    }
}

TEST(SortRows, MovesAllTwentyCellsTogether) {
    std::vector<MonsterRecord> rows{record(mobCells("1003")), record(mobCells("1001")), record(mobCells("1002"))};
    sortRows(rows, 0, true);
    EXPECT_EQ(rows, (std::vector{record(mobCells("1001")), record(mobCells("1002")), record(mobCells("1003"))}));
}

TEST(SortRows, IgnoresAColumnOutsideTheTable) {
    const auto original = rowsWithColumn(2, {"3", "1", "2"});
    for (const int c : {-1, 20, 1000}) {
        auto rows = original;
        sortRows(rows, c, true);
        EXPECT_EQ(rows, original) << c;
    }
}

// Cells of every kind the comparison treats differently, so that the answers
// contradict each other: numbers (equal ones included), zeros, text, empty
// cells, leading blanks, double-byte text.
std::string randomCell(std::mt19937& random) {
    static const std::string texts[] = {"", "0", "abc", "ABC", " 7", "-0", "12abc", cp932("ポリン"), cp932("ｱ"), "+3"};
    switch (random() % 3) {
        case 0: return formatInt(static_cast<std::int32_t>(random() % 41) - 20);
        case 1: return texts[random() % std::size(texts)];
        default: return std::to_string(random() % 5) + (random() % 2 ? "x" : "");
    }
}

TEST(SortRows, AnyAnswersGiveAPermutation) {
    std::mt19937 random(20060418);
    std::vector<MonsterRecord> original;
    for (int i = 0; i < 2000; ++i) {
        MonsterRecord row;
        row.cells[0] = "row" + std::to_string(i);
        for (std::size_t c = 1; c < kMonsterColumns; ++c) row.cells[c] = randomCell(random);
        original.push_back(row);
    }
    const auto byId = [](const MonsterRecord& a, const MonsterRecord& b) { return a.id() < b.id(); };
    auto expected = original;
    std::sort(expected.begin(), expected.end(), byId);

    for (const int c : {1, 5, 19}) {
        for (const bool ascending : {true, false}) {
            auto rows = original;
            sortRows(rows, c, ascending);
            ASSERT_EQ(rows.size(), original.size());
            std::sort(rows.begin(), rows.end(), byId);
            EXPECT_EQ(rows, expected) << "column " << c << (ascending ? " ascending" : " descending");
        }
    }
}

TEST(SortRows, NumbersOnlyEndInOrder) {
    std::mt19937 random(4);
    std::vector<std::string> values;
    for (int i = 0; i < 5000; ++i) values.push_back(formatInt(static_cast<std::int32_t>(random() % 2001) - 1000));
    for (const bool ascending : {true, false}) {
        auto rows = rowsWithColumn(3, values);
        sortRows(rows, 3, ascending);
        std::vector<std::int32_t> numbers;
        for (const auto& row : rows) numbers.push_back(leadingInt(row.cells[3]));
        if (!ascending) std::reverse(numbers.begin(), numbers.end());
        EXPECT_TRUE(std::is_sorted(numbers.begin(), numbers.end())) << ascending;
    }
}

}  // namespace
}  // namespace vellconf
