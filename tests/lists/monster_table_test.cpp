#include "lists/monster_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "config/cp932.h"
#include "test_support.h"

namespace vellconf {
namespace {

using Cells = std::vector<std::string>;
using Rows = std::vector<MonsterRecord>;

// The twenty cells "<id> <id>_2 ... <id>_20".
Cells mobCells(const std::string& id) {
    Cells cells{id};
    for (int c = 2; c <= 20; ++c) cells.push_back(id + "_" + std::to_string(c));
    return cells;
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

// Tokens grouped by twenty, comment groups dropped, long tokens cut: the
// cases of tests/data/lists/mobdata/.
TEST(ParseMobData, GroupsTokensByTwentyDropsCommentGroupsAndCutsLongTokens) {
    const auto cases = test::readCases("lists/mobdata");
    ASSERT_EQ(cases.size(), 8u);
    for (const auto& [file, rows] : cases) {
        Rows expected;
        for (const auto& cells : rows) expected.push_back(record(cells));
        EXPECT_EQ(parseMobData(*test::fileBytes(file)), expected) << file.filename();
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

// Rows ordered by one column either way, each telling where it came from; a
// column outside the table leaves them alone.
TEST(SortRows, OrdersByTheColumnEitherWayAndTellsWhereEachRowCameFrom) {
    const struct {
        int column;
        bool ascending;
        Cells before, after;
    } cases[] = {
        {1, true, {"10", "9"}, {"9", "10"}},
        {1, false, {"9", "10"}, {"10", "9"}},
        {19, true, {"b", "a"}, {"a", "b"}},
        {0, false, {"3", "1", "2", "5", "4"}, {"5", "4", "3", "2", "1"}},
        {1, true, {cp932("ポリン"), "Zzz", cp932("ドロップス"), cp932("ポポリン")},
         {"Zzz", cp932("ドロップス"), cp932("ポポリン"), cp932("ポリン")}},  // text by its bytes
        {1, true, {"00", "3", "0", "-4", "10", "0"}, {"-4", "0", "0", "00", "3", "10"}},  // zeros as text
        {1, false, {"00", "3", "0", "-4", "10", "0"}, {"10", "3", "00", "0", "0", "-4"}},
        {20, true, {"b", "a"}, {"b", "a"}},
        {-1, true, {"b", "a"}, {"b", "a"}},
    };
    for (const auto& c : cases) {
        const std::size_t cells = c.column >= 0 && c.column < 20 ? c.column : 1;  // the column `before` fills
        Rows original;
        for (std::size_t i = 0; i < c.before.size(); ++i) {
            MonsterRecord& row = original.emplace_back();
            row.cells[cells == 0 ? 1 : 0] = std::to_string(i);  // to tell the rows apart
            row.cells[cells] = c.before[i];
        }
        Rows rows = original;
        const std::vector<std::size_t> from = sortRows(rows, c.column, c.ascending);
        EXPECT_EQ(column(rows, cells), c.after) << c.column;
        ASSERT_EQ(from.size(), rows.size());
        for (std::size_t i = 0; i < rows.size(); ++i) EXPECT_EQ(rows[i], original[from[i]]) << c.column << " row " << i;
    }
}

}  // namespace
}  // namespace vellconf
