// The list views' column sort: compareCells and sortRows over rows made from the input.

#include "fuzz_support.h"

namespace {

// The comparison sees only this much of a cell, as the list views do.
std::int32_t valueOf(std::string_view cell) { return leadingInt(cell.substr(0, 511)); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const int column = input.ConsumeIntegralInRange<int>(-2, static_cast<int>(kMonsterColumns) + 1);
    const bool ascending = input.ConsumeBool();
    const bool inRange = column >= 0 && column < static_cast<int>(kMonsterColumns);
    const auto c = static_cast<std::size_t>(inRange ? column : 0);
    // Each row carries its original position in another column, to tell rows apart afterwards.
    const std::size_t tagColumn = (c + 1) % kMonsterColumns;
    std::vector<MonsterRecord> rows;
    for (std::size_t i = 0, count = input.ConsumeIntegralInRange<std::size_t>(0, 64); i < count && input.remaining_bytes() > 0; ++i) {
        MonsterRecord& row = rows.emplace_back();
        row.cells[tagColumn] = std::to_string(i);
        if (inRange) row.cells[c] = input.ConsumeRandomLengthString(600);
    }
    // A cell starting with a nonzero number compares as numbers and never equal; texts compare as bytes.
    for (std::size_t i = 1; i < rows.size(); ++i) {
        const std::string_view a = rows[i - 1].cells[c], b = rows[i].cells[c];
        const int result = compareCells(a, b);
        if (valueOf(a) != 0) FUZZ_CHECK(result == (valueOf(a) <= valueOf(b) ? -1 : 1), "a number compares as a number");
        if (valueOf(a) == 0 && valueOf(b) == 0)
            FUZZ_CHECK(result == std::clamp(a.substr(0, 511).compare(b.substr(0, 511)), -1, 1), "texts compare as bytes");
    }

    std::vector<MonsterRecord> sorted = rows;
    sortRows(sorted, column, ascending);
    FUZZ_CHECK(inRange || sorted == rows, "a column outside the table leaves the rows alone");
    FUZZ_CHECK(sorted.size() == rows.size(), "a sort keeps the number of rows");
    std::vector<bool> seen(rows.size(), false);
    for (const MonsterRecord& row : sorted) {
        const auto original = static_cast<std::size_t>(leadingInt(row.cells[tagColumn]));
        FUZZ_CHECK(original < rows.size() && !seen[original] && row == rows[original], "the sorted rows are the same rows, each once");
        seen[original] = true;
    }
    // Where the comparison is consistent (all numbers, or all texts) the result is in order.
    const auto numbers = std::ranges::count_if(rows, [&](const auto& row) { return valueOf(row.cells[c]) != 0; });
    for (std::size_t i = 1; i < sorted.size(); ++i) {
        const std::string &before = sorted[i - 1].cells[c], &after = sorted[i].cells[c];
        if (numbers == std::ssize(rows))
            FUZZ_CHECK(ascending ? valueOf(before) <= valueOf(after) : valueOf(before) >= valueOf(after), "numbers come out in order");
        if (numbers == 0)
            FUZZ_CHECK(ascending ? compareCells(before, after) <= 0 : compareCells(before, after) >= 0, "texts come out in order");
    }
    return 0;
}
