// The side lists: MobData.ini's monsters, Friend.ini's friends, and the rows
// the list views move, sort and measure. Most cases are files of tests/data/lists/.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "lists/column_fit.h"
#include "lists/friend_list.h"
#include "lists/monster_table.h"
#include "test_support.h"

namespace vellconf {
namespace {

using Cells = std::vector<std::string>;
using Rows = std::vector<MonsterRecord>;
using Friends = std::vector<FriendRecord>;

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

// Each NAME.ini of a folder read as the rows of NAME.rows: MobData.ini's tokens
// grouped by twenty, comment groups dropped, long tokens cut; Friend.ini's words
// taken two at a time, comments skipped, in whatever encoding Notepad saved it.
TEST(ParseSideLists, ReadEachCaseFileAsItsRows) {
    const auto mobCases = test::readCases("lists/mobdata"), friendCases = test::readCases("lists/friends");
    ASSERT_EQ(mobCases.size() + friendCases.size(), 8u + 12u);
    for (const auto& [file, rows] : mobCases) {
        Rows expected;
        for (const auto& cells : rows) expected.push_back(record(cells));
        EXPECT_EQ(parseMobData(*test::fileBytes(file)), expected) << file.filename();
    }
    for (const auto& [file, rows] : friendCases) {
        Friends expected;
        for (const auto& row : rows) expected.push_back({row.at(0), row.at(1)});
        EXPECT_EQ(readFriendIni(file).value, expected) << file.filename();
    }
}

TEST(WriteFriendIni, OneCrLfLinePerFriendInListOrderFieldsCut) {
    std::string longName;  // 300 bytes: byte 259 would end on a lead byte
    for (int i = 0; i < 150; ++i) longName += cp932("ア");
    EXPECT_EQ(writeFriendIni(Friends{{"2", "b"}, {"1", cp932("ポチ")}}), "2 b\r\n1 " + cp932("ポチ") + "\r\n");
    EXPECT_EQ(writeFriendIni(Friends{{std::string(300, '9'), longName}}),
              std::string(259, '9') + " " + longName.substr(0, 258) + "\r\n");
}

// New friends go first, with no check for one already listed; what would not
// read back is refused and changes nothing: the cases of register_friend.tsv.
TEST(RegisterFriend, InsertsNewestFirstAndRefusesWhatWouldNotReadBack) {
    const std::map<std::string, RegisterOutcome> outcomes{
        {"Registered", RegisterOutcome::Registered}, {"NothingToAdd", RegisterOutcome::NothingToAdd},
        {"IdNotLua", RegisterOutcome::IdNotLua},     {"HoldsBlank", RegisterOutcome::HoldsBlank},
        {"EmptyName", RegisterOutcome::EmptyName}};
    const auto rows = test::tableRows(test::testDataDir() / "lists/register_friend.tsv");
    ASSERT_EQ(rows.size(), 14u);
    for (const auto& row : rows) {
        const std::string id = test::cp932Unescaped(row.at(0)), name = test::cp932Unescaped(row.at(1));
        Friends list{{"9", "old"}};
        EXPECT_EQ(registerFriend(list, id, name), outcomes.at(row.at(2))) << row[0] << "/" << row[1];
        const bool added = row[2] == "Registered";
        EXPECT_EQ(list, (added ? Friends{{id, name}, {"9", "old"}} : Friends{{"9", "old"}})) << row[0] << "/" << row[1];
    }
}

// A co-fight row takes the name of the first friend whose ID matches without regard to case, cut to what a cell
// holds, its ID as the list has it. Each removed row takes one equal row away, the first one, whatever the order.
TEST(FriendRows, CoFightTakesTheFirstMatchingNameAndRemoveTakesOneEqualRowEach) {
    EXPECT_EQ(coFightRowsFor(std::vector<std::string>{"x1", "5"}, Friends{{"X1", std::string(300, 'n')}, {"x1", "b"}}),
              (Friends{{"x1", std::string(259, 'n')}, {"5", cp932("名前不明")}}));  // a name no row gives
    Friends friends{{"1", "a"}, {"2", "b"}, {"1", "a"}, {"1", "x"}, {"1", "a"}};
    removeFriends(friends, Friends{{"1", "a"}, {"9", "z"}, {"1", "a"}});
    EXPECT_EQ(friends, (Friends{{"2", "b"}, {"1", "x"}, {"1", "a"}}));
}

TEST(MoveRows, AppendCopiesSelectedRowsInListOrderAndRemoveIgnoresOrderAndBadIndices) {
    Rows five;  // every cell of a row holds its ID: a row must be copied whole
    for (const char* id : {"1001", "1002", "1003", "1004", "1005"}) five.push_back(record(Cells(kMonsterColumns, id)));
    Rows ignore{record({"999"})};  // then presses with nothing, an index out of range, one row twice
    for (const auto& selected : std::vector<std::vector<std::size_t>>{{4, 0, 2}, {}, {7}, {1}, {1}})
        appendRows(five, selected, ignore);
    EXPECT_EQ(column(ignore, 0), (Cells{"999", "1001", "1003", "1005", "1002", "1002"}));
    for (std::size_t i = 1; i < ignore.size(); ++i) EXPECT_EQ(ignore[i], record(Cells(kMonsterColumns, ignore[i].id())));
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

// The cases of compare_cells.tsv.
TEST(CompareCells, NumbersNeverCompareEqualAndZeroOrTextComparesAsBytes) {
    const auto rows = test::tableRows(test::testDataDir() / "lists/compare_cells.tsv");
    ASSERT_EQ(rows.size(), 16u);
    for (const auto& row : rows) {
        const std::string a = test::cp932Unescaped(row.at(0)), b = test::cp932Unescaped(row.at(1));
        EXPECT_EQ(compareCells(a, b), std::stoi(row.at(2))) << a << " vs " << b;
    }
}

// Rows ordered by one column either way, each telling where it came from: the cases of sort_rows.tsv.
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

// The cells a list column is measured against: the longest first, the earliest of equal ones.
TEST(LongestCells, KeepsTheLongestFirstAndTheEarliestOfEqualOnes) {
    const struct {
        Cells cells;
        std::size_t keep;
        std::vector<std::size_t> rows;
    } cases[] = {{{}, 4, {}}, {{"a", "ccc", "bb"}, 4, {1, 2, 0}}, {{"a", "ccc", "bb", "dddd", "ee", "ff"}, 2, {3, 1}}, {{"xx", "yy", "zz"}, 2, {0, 1}}};
    for (const auto& c : cases)
        EXPECT_EQ(longestCells(c.cells.size(), [&](std::size_t row) { return std::string_view(c.cells[row]); }, c.keep), c.rows);
}

// The twenty captions and widths both lists show, as the user sees them.
TEST(MonsterColumns, AsTheListsShowThem) {
    std::string shown;
    for (const ColumnCaption& column : monsterColumns()) shown += std::string(column.text) + '\t' + std::to_string(column.width) + '\n';
    EXPECT_EQ(shown, test::testData("lists/columns.tsv"));
}

}  // namespace
}  // namespace vellconf
