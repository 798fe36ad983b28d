#pragma once
// MobData.ini, the monster list and the ignore list: rows of twenty text cells.

#include <array>
#include <cstddef>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "config/file_io.h"

namespace vellconf {

inline constexpr std::size_t kMonsterColumns = 20;
// Every cell holds at most this many bytes (CP932), cut between characters.
inline constexpr std::size_t kMaxCellBytes = 259;

// One monster: column 1 is the game's monster ID, the value IGNORE_MOB holds.
struct MonsterRecord {
    std::array<std::string, kMonsterColumns> cells;

    const std::string& id() const { return cells[0]; }
    bool operator==(const MonsterRecord&) const = default;
};

struct ColumnCaption {
    std::string_view text;  // UTF-8
    int width;              // pixels
};
// The twenty column captions and widths shared by both lists.
const std::array<ColumnCaption, kMonsterColumns>& monsterColumns();

// Tokens (runs of characters other than blank, tab and line ends) taken in
// groups of twenty; a group whose first token starts with ";" is a comment.
// A short last group is still a row (missing cells empty); a token longer than
// a cell is cut between characters.
std::vector<MonsterRecord> parseMobData(std::string_view bytes);
ReadOutcome<std::vector<MonsterRecord>> readMobData(const std::filesystem::path& path);

// Appends the rows at `selected` (indices into `from`, taken in ascending
// order) to the end of `to`. Duplicates are allowed.
void appendRows(std::span<const MonsterRecord> from, std::span<const std::size_t> selected,
                std::vector<MonsterRecord>& to);

// Removes the rows at `selected` (indices, any order; out-of-range ones ignored).
template <typename Row>
void removeRows(std::vector<Row>& rows, std::span<const std::size_t> selected) {
    // Marking first makes repeated indices harmless and keeps one pass over the rows.
    std::vector<bool> doomed(rows.size(), false);
    bool any = false;
    for (const std::size_t index : selected) {
        if (index < rows.size()) doomed[index] = any = true;
    }
    if (!any) return;
    std::size_t kept = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (doomed[i]) continue;
        if (kept != i) rows[kept] = std::move(rows[i]);
        ++kept;
    }
    rows.erase(rows.begin() + static_cast<std::ptrdiff_t>(kept), rows.end());
}

// The column sort of a list header click.
struct ColumnSort {
    int column = -1;         // no column yet
    bool ascending = false;  // the first click on a column always sorts ascending

    // Updates the state for a click on `clicked`.
    void click(int clicked);
};

// The list views' comparison of two cell texts: a result < 0 puts A first.
// When A's text reads as a non-zero number the two are compared as numbers and
// never come out equal (A first when value(A) <= value(B)); otherwise as bytes.
// It is not a strict weak ordering, so it must never reach std::sort.
int compareCells(std::string_view a, std::string_view b);

// Sorts rows by one column with compareCells, reversed when descending. A
// merge sort that stays in bounds and ends whatever the comparison answers.
// Returns where each row came from: row i of the result was row order[i].
std::vector<std::size_t> sortRows(std::vector<MonsterRecord>& rows, int column, bool ascending);

// The rows a load puts into the ignore list for the IDs of IGNORE_MOB: each ID
// as read, the other cells from the first monster with that ID (letters
// compared without regard to case), searched in the table's current order.
std::vector<MonsterRecord> ignoreRowsFor(std::span<const std::string> ids, std::span<const MonsterRecord> monsters);

// The IDs of the first column, top to bottom, as a save writes them.
std::vector<std::string> idsOf(std::span<const MonsterRecord> rows);

}  // namespace vellconf
