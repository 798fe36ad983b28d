// The cells a list column is measured against.

#include "lists/column_fit.h"

#include <gtest/gtest.h>

#include <string>

namespace vellconf {
namespace {

TEST(LongestCells, KeepsTheLongestFirstAndTheEarliestOfEqualOnes) {
    const struct {
        std::vector<std::string> cells;
        std::size_t keep;
        std::vector<std::size_t> rows;
    } cases[] = {
        {{}, 4, {}},
        {{"a", "ccc", "bb"}, 4, {1, 2, 0}},
        {{"a", "ccc", "bb", "dddd", "ee", "ff"}, 2, {3, 1}},
        {{"xx", "yy", "zz"}, 2, {0, 1}},
    };
    for (const auto& c : cases) {
        const auto cellOf = [&](std::size_t row) { return std::string_view(c.cells[row]); };
        EXPECT_EQ(longestCells(c.cells.size(), cellOf, c.keep), c.rows);
    }
}

}  // namespace
}  // namespace vellconf
