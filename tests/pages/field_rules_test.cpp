// The numeric fields' rules, from the tables in tests/data/pages/.

#include "pages/field_rules.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "test_support.h"

namespace vellconf {
namespace {

const std::filesystem::path kData = std::filesystem::path(VELLCONF_TEST_DATA) / "pages";

FieldBounds boundsOf(const test::Fields& row) {
    return {std::stoi(row[0]), std::stoi(row[1]), std::stoi(row[2]), std::stoi(row[3])};
}

TEST(FieldCommit, ClampsOutOfRangeValuesAndKeepsAnyOtherTextAsTyped) {
    const auto rows = test::tableRows(kData / "field_commit.tsv");
    ASSERT_EQ(rows.size(), 16u);
    for (const auto& row : rows) {
        const FieldCommit commit = commitField(row[4], boundsOf(row));
        EXPECT_EQ(commit.text, row[5]) << '"' << row[4] << '"';
        EXPECT_EQ(commit.value, std::stoi(row[6])) << '"' << row[4] << '"';
    }
}

TEST(SpinStep, UpCountsDownDownCountsUpAndBothStopAtTheSpinEnds) {
    const auto rows = test::tableRows(kData / "spin_step.tsv");
    ASSERT_EQ(rows.size(), 13u);
    for (const auto& row : rows) {
        const SpinArrow arrow = row[5] == "up" ? SpinArrow::Up : SpinArrow::Down;
        const std::optional<std::string> expected = row[6] == "-" ? std::nullopt : std::optional(row[6]);
        EXPECT_EQ(spinStep(row[4], boundsOf(row), arrow), expected) << '"' << row[4] << "\" " << row[5];
    }
}

}  // namespace
}  // namespace vellconf
