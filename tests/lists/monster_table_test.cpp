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
    Rows ignore{record({"999"})};  // then presses with nothing, an index out of range, one row twice
    for (const auto& selected : std::vector<std::vector<std::size_t>>{{4, 0, 2}, {}, {7}, {1}, {1}})
        appendRows(five, selected, ignore);
    EXPECT_EQ(column(ignore, 0), (Cells{"999", "1001", "1003", "1005", "1002", "1002"}));
    for (std::size_t i = 1; i < ignore.size(); ++i) EXPECT_EQ(ignore[i], record(mobCells(ignore[i].id())));
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

// The cases of tests/data/lists/compare_cells.tsv; only the first 511 bytes count.
TEST(CompareCells, NumbersNeverCompareEqualAndZeroOrTextComparesAsBytes) {
    const auto rows = test::tableRows(test::testDataDir() / "lists/compare_cells.tsv");
    ASSERT_EQ(rows.size(), 15u);
    for (const auto& row : rows) {
        const std::string a = test::cp932Unescaped(row.at(0)), b = test::cp932Unescaped(row.at(1));
        EXPECT_EQ(compareCells(a, b), std::stoi(row.at(2))) << a << " vs " << b;
    }
    const std::string pad(511, 'x');
    EXPECT_EQ(compareCells(pad + "1", pad + "2"), 0);
}

// Rows ordered by one column either way, each telling where it came from: the
// cases of tests/data/lists/sort_rows.tsv.
TEST(SortRows, OrdersByTheColumnEitherWayAndTellsWhereEachRowCameFrom) {
    const auto cases = test::tableRows(test::testDataDir() / "lists/sort_rows.tsv");
    ASSERT_EQ(cases.size(), 9u);
    for (const auto& c : cases) {
        const int sortColumn = std::stoi(c.at(0));
        const auto arrow = std::ranges::find(c, ">");
        Cells before, after;
        for (auto cell = c.begin() + 2; cell != c.end(); ++cell)
            if (cell != arrow) (cell < arrow ? before : after).push_back(cp932(*cell));
        const std::size_t cells = sortColumn >= 0 && sortColumn < 20 ? sortColumn : 1;  // the column `before` fills
        Rows original;
        for (std::size_t i = 0; i < before.size(); ++i) {
            MonsterRecord& row = original.emplace_back();
            row.cells[cells == 0 ? 1 : 0] = std::to_string(i);  // to tell the rows apart
            row.cells[cells] = before[i];
        }
        Rows rows = original;
        const std::vector<std::size_t> from = sortRows(rows, sortColumn, c.at(1) == "up");
        EXPECT_EQ(column(rows, cells), after) << sortColumn;
        ASSERT_EQ(from.size(), rows.size());
        for (std::size_t i = 0; i < rows.size(); ++i) EXPECT_EQ(rows[i], original[from[i]]) << sortColumn << " row " << i;
    }
}

}  // namespace
}  // namespace vellconf
