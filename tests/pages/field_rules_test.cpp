#include "pages/field_rules.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace vellconf {
namespace {

constexpr FieldBounds kPercent{0, 100, 0, 100};
constexpr FieldBounds kLevel{1, 5, 1, 5};
constexpr FieldBounds kDistance{1, 14, 1, 14};
constexpr FieldBounds kDelay{0, 1000, 0, 1000};
constexpr FieldBounds kPeriod{1, 120000, 1, 30000};  // typed values may go beyond the spin

TEST(FieldCommit, ClampsOutOfRangeValuesAndKeepsAnyOtherTextAsTyped) {
    const struct {
        FieldBounds bounds;
        const char* typed;
        const char* shown;
        std::int32_t stored;
    } cases[] = {
        {kPercent, "250", "100", 100},
        {kPercent, "-3", "0", 0},
        {kLevel, "", "1", 1},
        {kLevel, "abc", "1", 1},
        {kLevel, "3a", "3a", 3},
        {kLevel, " +4", " +4", 4},
        {kPercent, "007", "007", 7},
        {kLevel, "007", "5", 5},  // the value is clamped, not the text
        {kPercent, "", "", 0},
        {kPercent, "５０", "５０", 0},  // full-width digits are no digits
        {kDistance, "５", "1", 1},
        {kPercent, "12.9", "12.9", 12},
        {kPeriod, "50000", "50000", 50000},
        {kPeriod, "130000", "120000", 120000},
        {kPercent, "99999999999", "100", 100},  // saturates beyond the 32-bit range
        {kPercent, "-99999999999", "0", 0},
    };
    for (const auto& c : cases) {
        const FieldCommit commit = commitField(c.typed, c.bounds);
        EXPECT_EQ(commit.text, c.shown) << '"' << c.typed << '"';
        EXPECT_EQ(commit.value, c.stored) << '"' << c.typed << '"';
    }
}

TEST(SpinStep, UpCountsDownDownCountsUpAndBothStopAtTheSpinEnds) {
    using enum SpinArrow;
    const struct {
        FieldBounds bounds;
        const char* text;
        SpinArrow arrow;
        std::optional<std::string> result;
    } cases[] = {
        {kDistance, "9", Up, "8"},
        {kDistance, "9", Down, "10"},
        {kDistance, "1", Up, std::nullopt},
        {kDistance, "14", Down, std::nullopt},
        {kDistance, "14", Up, "13"},
        {kDelay, "999", Down, "1000"},  // never grouped
        {kPeriod, "30000", Down, std::nullopt},
        {kPeriod, "50000", Down, "30000"},  // snapping to the spin end is the change
        {kPeriod, "50000", Up, "29999"},
        {kDistance, "-5", Up, "1"},
        {kDistance, "01", Up, "1"},
        {kPercent, "12abc", Up, "11"},
        {kPercent, "", Up, "0"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(spinStep(c.text, c.bounds, c.arrow), c.result)
            << '"' << c.text << '"' << (c.arrow == Up ? " up" : " down");
}

}  // namespace
}  // namespace vellconf
