// The list views' column sort: compareCells, sortRows over rows made from the
// input, and the ColumnSort state a run of header clicks leaves.

#include <string>
#include <string_view>
#include <vector>

#include "config/decimal.h"
#include "fuzz_support.h"
#include "lists/monster_table.h"

using namespace vellconf;

namespace {

// The comparison sees only this much of a cell, as the list views do.
constexpr std::size_t kSeen = 511;

std::int32_t valueOf(std::string_view cell) { return leadingInt(cell.substr(0, kSeen)); }

void checkCompare(std::string_view a, std::string_view b) {
    const int result = compareCells(a, b);
    if (valueOf(a) != 0) {
        FUZZ_CHECK((result < 0) == (valueOf(a) <= valueOf(b)) && result != 0,
                   "a number first compares as numbers and never equal");
    } else if (valueOf(b) == 0) {
        FUZZ_CHECK((result == 0) == (a.substr(0, kSeen) == b.substr(0, kSeen)), "texts are equal only when alike");
        const int reverse = compareCells(b, a);
        FUZZ_CHECK((result < 0) == (reverse > 0) && (result > 0) == (reverse < 0), "text order is antisymmetric");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const int column = input.ConsumeIntegralInRange<int>(-2, static_cast<int>(kMonsterColumns) + 1);
    const bool ascending = input.ConsumeBool();
    const bool inRange = column >= 0 && column < static_cast<int>(kMonsterColumns);
    // Each row carries its original position in another column, to tell rows apart afterwards.
    const std::size_t tagColumn = inRange ? (static_cast<std::size_t>(column) + 1) % kMonsterColumns : 0;

    std::vector<MonsterRecord> rows;
    const std::size_t count = input.ConsumeIntegralInRange<std::size_t>(0, 64);
    for (std::size_t i = 0; i < count && input.remaining_bytes() > 0; ++i) {
        MonsterRecord& row = rows.emplace_back();
        row.cells[tagColumn] = std::to_string(i);
        if (inRange) row.cells[static_cast<std::size_t>(column)] = input.ConsumeRandomLengthString(600);
    }
    if (rows.size() >= 2 && inRange) checkCompare(rows[0].cells[column], rows[1].cells[column]);

    std::vector<MonsterRecord> sorted = rows;
    sortRows(sorted, column, ascending);
    FUZZ_CHECK(sorted.size() == rows.size(), "a sort keeps the number of rows");
    if (!inRange) {
        FUZZ_CHECK(sorted == rows, "a column outside the table leaves the rows alone");
    } else {
        std::vector<bool> seen(rows.size(), false);
        for (const MonsterRecord& row : sorted) {
            const auto original = static_cast<std::size_t>(leadingInt(row.cells[tagColumn]));
            FUZZ_CHECK(original < rows.size() && !seen[original] && row == rows[original],
                       "the sorted rows are the same rows, each once");
            seen[original] = true;
        }
        // Where the comparison is consistent (all numbers, or all texts) the result is in order.
        const auto c = static_cast<std::size_t>(column);
        bool allNumbers = true, allTexts = true;
        for (const MonsterRecord& row : rows) {
            if (valueOf(row.cells[c]) != 0)
                allTexts = false;
            else
                allNumbers = false;
        }
        for (std::size_t i = 1; i < sorted.size(); ++i) {
            const std::string& before = sorted[i - 1].cells[c];
            const std::string& after = sorted[i].cells[c];
            if (allNumbers)
                FUZZ_CHECK(ascending ? valueOf(before) <= valueOf(after) : valueOf(before) >= valueOf(after),
                           "numbers come out in order");
            if (allTexts)
                FUZZ_CHECK(ascending ? compareCells(before, after) <= 0 : compareCells(before, after) >= 0,
                           "texts come out in order");
        }
    }

    // Header clicks: a new column sorts ascending, the same column again flips.
    ColumnSort state;
    while (input.remaining_bytes() > 0) {
        const int clicked = input.ConsumeIntegralInRange<int>(-1, static_cast<int>(kMonsterColumns) - 1);
        const ColumnSort before = state;
        state.click(clicked);
        FUZZ_CHECK(state.column == clicked, "a click sorts by the clicked column");
        FUZZ_CHECK(state.ascending == (before.column == clicked ? !before.ascending : true),
                   "the first click on a column sorts ascending, the next flips");
    }
    return 0;
}
