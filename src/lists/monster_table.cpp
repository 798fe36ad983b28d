#include "lists/monster_table.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "config/cp932.h"
#include "config/decimal.h"
#include "config/text_lines.h"
#include "lists/row_index.h"

namespace vellconf {

namespace {

// The list views read a cell into a 512-byte buffer, so the comparison never
// sees more than this of a cell.
constexpr std::size_t kCompareBytes = 511;

constexpr bool isSeparator(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

std::size_t tokenCount(std::string_view bytes) {
    std::size_t count = 0;
    for (std::size_t pos = 0; pos < bytes.size(); ++pos)
        count += !isSeparator(bytes[pos]) && (pos == 0 || isSeparator(bytes[pos - 1]));
    return count;
}

int compareBytes(std::string_view a, std::string_view b) {
    const std::size_t common = std::min(a.size(), b.size());
    // memcmp compares as unsigned char, which is what puts CP932 lead bytes after ASCII.
    const int byBytes = common == 0 ? 0 : std::memcmp(a.data(), b.data(), common);
    if (byBytes != 0) return byBytes < 0 ? -1 : 1;
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

// A cell as the comparison sees it: its visible prefix and that prefix's
// leading integer, worked out once per row instead of once per comparison.
struct SortKey {
    std::string_view text;
    std::int32_t value;
};

SortKey sortKey(std::string_view cell) {
    const std::string_view text = cell.substr(0, kCompareBytes);
    return {text, leadingInt(text)};
}

int compareKeys(const SortKey& a, const SortKey& b) {
    if (a.value != 0) return a.value <= b.value ? -1 : 1;
    return compareBytes(a.text, b.text);
}

}  // namespace

const std::array<ColumnCaption, kMonsterColumns>& monsterColumns() {
    static constexpr std::array<ColumnCaption, kMonsterColumns> columns{{
        {"ID", 30},       {"名前", 100},     {"Lv", 30},       {"BaseExp", 50},  {"JobExp", 50},
        {"Hit", 40},      {"Flee", 40},      {"Hp", 40},       {"Atk", 40},      {"Def", 40},
        {"MAtk", 40},     {"MDef", 40},      {"種族", 40},     {"属性", 40},     {"属性Lv", 40},
        {"ｻｲｽﾞ", 40},     {"ｱｸﾃｨﾌﾞ", 40},    {"詠唱反応", 40}, {"ﾘﾝｸ", 40},       {"ﾙｰﾄ", 40},
    }};
    return columns;
}

std::vector<MonsterRecord> parseMobData(std::string_view bytes) {
    std::vector<MonsterRecord> rows;
    // Room for the groups the tokens make, whatever the line count: a file of
    // empty lines needs none.
    rows.reserve((tokenCount(bytes) + kMonsterColumns - 1) / kMonsterColumns);

    std::array<std::string_view, kMonsterColumns> group;
    std::size_t filled = 0;
    const auto flush = [&] {
        // Comment groups are dropped whole, whatever they swallowed from the next line.
        if (filled > 0 && group[0].front() != ';') {
            MonsterRecord& row = rows.emplace_back();
            for (std::size_t i = 0; i < filled; ++i) {
                // Almost every token fits; only the rare long one pays for the character scan.
                const std::string_view token = group[i];
                row.cells[i].assign(token.size() <= kMaxCellBytes ? token : cutToBytes(token, kMaxCellBytes));
            }
        }
        filled = 0;
    };

    // An ideographic space stays inside its token: only ASCII separates.
    forEachToken(bytes, isSeparator, [&](std::string_view token) {
        group[filled++] = token;
        if (filled == kMonsterColumns) flush();
    });
    flush();  // a short last group is still a monster
    return rows;
}

ReadOutcome<std::vector<MonsterRecord>> readMobData(const std::filesystem::path& path) {
    return readParsed(path, kMaxMobDataBytes, parseMobData);
}

void appendRows(std::span<const MonsterRecord> from, std::span<const std::size_t> selected,
                std::vector<MonsterRecord>& to) {
    // A selection is a set of rows, walked from the top whatever order the caller lists it in.
    std::vector<std::size_t> order(selected.begin(), selected.end());
    std::sort(order.begin(), order.end());
    order.erase(std::unique(order.begin(), order.end()), order.end());
    for (const std::size_t index : order) {
        if (index < from.size()) to.push_back(from[index]);
    }
}

void ColumnSort::click(int clicked) {
    if (clicked == column) {
        ascending = !ascending;
    } else {
        column = clicked;
        ascending = true;
    }
}

int compareCells(std::string_view a, std::string_view b) { return compareKeys(sortKey(a), sortKey(b)); }

std::vector<std::size_t> sortRows(std::vector<MonsterRecord>& rows, int column, bool ascending) {
    const std::size_t n = rows.size();
    std::vector<std::size_t> order(n);
    for (std::size_t i = 0; i < n; ++i) order[i] = i;
    if (column < 0 || static_cast<std::size_t>(column) >= kMonsterColumns || n < 2) return order;
    const auto c = static_cast<std::size_t>(column);

    std::vector<SortKey> keys;
    keys.reserve(rows.size());
    for (const MonsterRecord& row : rows) keys.push_back(sortKey(row.cells[c]));

    // Sort positions rather than rows: each merge step then moves a word, not twenty strings.
    std::vector<std::size_t> buffer(n);

    // Bottom-up merge sort. Every step consumes exactly one element from one
    // non-empty run, so it stays in range and ends, and the output is a
    // permutation of the input, even though the comparison is inconsistent.
    const auto leftFirst = [&](std::size_t left, std::size_t right) {
        const int result = compareKeys(keys[left], keys[right]);
        return (ascending ? result : -result) <= 0;
    };
    for (std::size_t width = 1; width < n; width *= 2) {
        for (std::size_t lo = 0; lo < n; lo += 2 * width) {
            const std::size_t mid = std::min(lo + width, n);
            const std::size_t hi = std::min(lo + 2 * width, n);
            std::size_t i = lo, j = mid, out = lo;
            while (i < mid && j < hi) buffer[out++] = leftFirst(order[i], order[j]) ? order[i++] : order[j++];
            while (i < mid) buffer[out++] = order[i++];
            while (j < hi) buffer[out++] = order[j++];
        }
        order.swap(buffer);
    }

    // Apply the permutation in place, one cycle at a time: a second table of
    // rows would cost more in fresh memory than the sort itself.
    std::vector<bool> placed(n, false);
    for (std::size_t start = 0; start < n; ++start) {
        if (placed[start] || order[start] == start) continue;
        MonsterRecord held = std::move(rows[start]);
        std::size_t to = start;
        for (std::size_t from = order[to]; from != start; from = order[to]) {
            rows[to] = std::move(rows[from]);
            placed[to] = true;
            to = from;
        }
        rows[to] = std::move(held);
        placed[to] = true;
    }
    return order;
}

std::vector<MonsterRecord> ignoreRowsFor(std::span<const std::string> ids, std::span<const MonsterRecord> monsters) {
    std::vector<MonsterRecord> rows;
    if (ids.empty()) return rows;
    const auto index = firstRowById(monsters, [](const MonsterRecord& m) -> const std::string& { return m.id(); });
    for (const auto& id : ids) {
        MonsterRecord row;
        if (const auto found = index.find(foldCase(id)); found != index.end()) row = *found->second;
        row.cells[0] = id;
        rows.push_back(std::move(row));
    }
    return rows;
}

std::vector<std::string> idsOf(std::span<const MonsterRecord> rows) {
    std::vector<std::string> ids;
    ids.reserve(rows.size());
    for (const auto& row : rows) ids.push_back(row.id());
    return ids;
}

}  // namespace vellconf
