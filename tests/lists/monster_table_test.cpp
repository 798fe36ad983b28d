#include "lists/monster_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "config/cp932.h"
#include "config/decimal.h"

namespace vellconf {
namespace {

using Cells = std::vector<std::string>;
using Rows = std::vector<MonsterRecord>;

// The twenty cells "<id> <id>_2 ... <id>_20" from column `first` (1-based) on, and them as a MobData.ini line.
Cells mobCells(const std::string& id, int first = 1) {
    Cells cells;
    for (int c = first; c <= 20; ++c) cells.push_back(c == 1 ? id : id + "_" + std::to_string(c));
    return cells;
}
std::string mobLine(const std::string& id) {
    std::string line;
    for (const auto& cell : mobCells(id)) line += cell + " ";
    return line;
}

// A row from its leading cells; the rest stay empty.
MonsterRecord record(const Cells& cells) {
    MonsterRecord row;
    std::copy(cells.begin(), cells.end(), row.cells.begin());
    return row;
}

Cells column(const Rows& rows, std::size_t c) {
    Cells out;
    for (const auto& row : rows) out.push_back(row.cells[c]);
    return out;
}

TEST(ParseMobData, GroupsTokensByTwentyDropsCommentGroupsAndCutsLongTokens) {
    std::string caption = ";", shortComment = ";", doubleByte;  // the caption line: twenty tokens, the first ";ID"
    for (const auto& col : monsterColumns()) caption += cp932(col.text) + " ";
    for (int i = 0; i < 18; ++i) shortComment += " w" + std::to_string(i);  // nineteen tokens
    for (int i = 0; i < 150; ++i) doubleByte += cp932("ア");  // 300 bytes; byte 259 would end on a lead byte
    Cells shifted = mobCells("1002", 2);
    shifted.push_back("1007");
    const struct {
        const char* name;
        std::string input;
        std::vector<Cells> rows;  // leading cells of each expected row
    } cases[] = {
        {"caption line, then any blanks", caption + "\r\n" + mobLine("1") + "\t\v\n\f" + mobLine("2"),
         {mobCells("1"), mobCells("2")}},
        {"a short comment takes the next token and shifts every later monster",
         shortComment + "\r\n" + mobLine("1002") + "\r\n" + mobLine("1007") + "\r\n", {shifted, mobCells("1007", 2)}},
        {"a short last group is still a monster", mobLine("1") + "\r\n9 x y\r\n", {mobCells("1"), {"9", "x", "y"}}},
        {"a short last comment group is not", mobLine("1") + "\r\n;end of table\r\n", {mobCells("1")}},
        {"only a leading semicolon makes a comment", mobLine("a;b"), {mobCells("a;b")}},
        {"the ideographic space belongs to its token", "1 " + cp932("ポリン　改"), {{"1", cp932("ポリン　改")}}},
        {"cut before a lead byte", "1 " + doubleByte + " 3", {{"1", doubleByte.substr(0, 258), "3"}}},
        {"cut after a trail byte", "1 a" + doubleByte, {{"1", ("a" + doubleByte).substr(0, 259)}}},
    };
    for (const auto& c : cases) {
        Rows expected;
        for (const auto& cells : c.rows) expected.push_back(record(cells));
        EXPECT_EQ(parseMobData(c.input), expected) << c.name;
    }
}

TEST(MoveRows, AppendCopiesSelectedRowsInListOrderAndRemoveIgnoresOrderAndBadIndices) {
    Rows five;
    for (const char* id : {"1001", "1002", "1003", "1004", "1005"}) five.push_back(record(mobCells(id)));
    const std::pair<std::vector<std::vector<std::size_t>>, Cells> appends[] = {
        {{{4, 0, 2}, {}, {7}}, {"999", "1001", "1003", "1005"}},  // then nothing, then out of range
        {{{1}, {1}}, {"999", "1002", "1002"}},
    };
    for (const auto& [presses, ids] : appends) {
        Rows ignore{record({"999"})};
        for (const auto& selected : presses) appendRows(five, selected, ignore);
        EXPECT_EQ(column(ignore, 0), ids);
        for (std::size_t i = 1; i < ignore.size(); ++i) EXPECT_EQ(ignore[i], record(mobCells(ignore[i].id())));
    }
    const std::pair<std::vector<std::size_t>, Cells> removals[] = {
        {{}, column(five, 0)}, {{3, 1, 3, 9}, {"1001", "1003", "1005"}}, {{4, 3, 2, 1, 0}, {}}};
    for (const auto& [selected, left] : removals) {
        auto rows = five;
        removeRows(rows, std::span<const std::size_t>(selected));
        EXPECT_EQ(column(rows, 0), left) << selected.size();
    }
}

TEST(ColumnSort, FirstClickOnAColumnAscendsAndRepeatedClicksFlip) {
    const std::pair<int, bool> steps[] = {{2, true}, {2, false}, {2, true}, {1, true}, {2, true}, {2, false}};
    ColumnSort sort;
    for (const auto& [clicked, ascending] : steps) {
        sort.click(clicked);
        EXPECT_EQ(std::pair(sort.column, sort.ascending), std::pair(clicked, ascending));
    }
}

TEST(CompareCells, NumbersNeverCompareEqualAndZeroOrTextComparesAsBytes) {
    const std::string pad(511, 'x');
    const struct {
        std::string a, b;
        int expected;
    } cases[] = {
        {"5", "10", -1}, {"10", "5", 1}, {"-3", "2", -1}, {"7", "7", -1}, {"007", "7", -1}, {"12abc", "12", -1},
        {" \t8", "9", -1}, {"5", "abc", 1} /* text reads as 0 */, {"abc", "5", 1}, {"0", "+1", 1}, {"0", "0", 0},
        {"abc", "abc", 0}, {"ab", "abc", -1}, {"", "a", -1}, {cp932("ア"), "z", 1}, {pad + "1", pad + "2", 0},
    };
    for (const auto& c : cases) EXPECT_EQ(compareCells(c.a, c.b), c.expected) << c.a << " vs " << c.b;
}

TEST(SortRows, SortsTextByBytesWithZerosAsText) {
    const std::pair<Cells, Cells> cases[] = {  // cells before and after an ascending sort
        {{cp932("ポリン"), "Zzz", cp932("ドロップス"), cp932("ポポリン")},
         {"Zzz", cp932("ドロップス"), cp932("ポポリン"), cp932("ポリン")}},
        {{"00", "3", "0", "-4", "10", "0"}, {"-4", "0", "0", "00", "3", "10"}},
    };
    for (const auto& [values, sorted] : cases) {
        Rows rows;
        for (const auto& value : values) rows.push_back(record({"", value}));
        sortRows(rows, 1, true);
        EXPECT_EQ(column(rows, 1), sorted);
    }
}

TEST(SortRows, AnyAnswersGiveAPermutationAndNumbersEndInOrderBothWays) {
    // Cells of every kind the comparison treats differently, so that its answers contradict each other.
    const std::string texts[] = {"", "0", "-0", "00", "3x", " 7", "+3", "abc", "12abc", "-12", "3", "7", "20",
                                 cp932("ポリン"), cp932("ｱ")};
    std::mt19937 random(20060418);
    Rows original(2000);
    for (auto& row : original) {
        row.cells[1] = formatInt(static_cast<std::int32_t>(random() % 2001) - 1000);  // numbers only
        for (std::size_t c = 2; c < kMonsterColumns; ++c) row.cells[c] = texts[random() % std::size(texts)];
    }
    const auto number = [](const MonsterRecord& row) { return leadingInt(row.cells[1]); };
    for (const int c : {1, 5, 19, -1, 20}) {
        for (const bool ascending : {true, false}) {
            auto rows = original;
            const auto from = sortRows(rows, c, ascending);
            ASSERT_EQ(from.size(), rows.size());
            for (std::size_t i = 0; i < rows.size(); ++i) ASSERT_EQ(rows[i], original[from[i]]) << "row " << i;
            EXPECT_TRUE(std::is_permutation(rows.begin(), rows.end(), original.begin(), original.end())) << c;
            EXPECT_TRUE((c >= 0 && c < 20) || rows == original) << "no such column, yet rows moved: " << c;
            EXPECT_TRUE(c != 1 || std::is_sorted(rows.begin(), rows.end(), [&](const auto& a, const auto& b) {
                return ascending ? number(a) < number(b) : number(a) > number(b);
            })) << ascending;
        }
    }
}

}  // namespace
}  // namespace vellconf
