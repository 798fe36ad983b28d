#pragma once
// Which cells a list column must be wide enough for, found without measuring
// every cell: in CP932 a full-width character takes two bytes and a half-width
// one a single byte, so a cell's byte count follows its width on screen. The
// few longest cells of a column are the only ones worth measuring.

#include <algorithm>
#include <cstddef>
#include <string_view>
#include <vector>

namespace vellconf {

// How many of the longest cells are measured: more than one, as a proportional
// font makes some characters of a length wider than others.
inline constexpr std::size_t kCellsMeasured = 4;

// The rows, longest cell first, of the (at most) `keep` longest cells of a column.
template <typename CellOf>
std::vector<std::size_t> longestCells(std::size_t rowCount, CellOf cellOf, std::size_t keep = kCellsMeasured) {
    std::vector<std::size_t> best;  // sorted by length, longest first
    const auto longer = [&](std::size_t a, std::size_t b) { return cellOf(a).size() > cellOf(b).size(); };
    for (std::size_t row = 0; row < rowCount; ++row) {
        if (best.size() == keep && !longer(row, best.back())) continue;
        best.insert(std::upper_bound(best.begin(), best.end(), row, longer), row);
        if (best.size() > keep) best.pop_back();
    }
    return best;
}

}  // namespace vellconf
