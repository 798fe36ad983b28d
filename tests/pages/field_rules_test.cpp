#include "pages/field_rules.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace vellconf {
namespace {

const FieldBounds& boundsOf(std::string_view key) {
    const SettingSpec* entry = findSetting(key);
    EXPECT_NE(entry, nullptr) << key;
    EXPECT_TRUE(entry->bounds.has_value()) << key;
    return *entry->bounds;
}

constexpr FieldBounds kPercent{0, 100, 0, 100};
constexpr FieldBounds kSkillLevel{1, 5, 1, 5};
constexpr FieldBounds kDistance{1, 14, 1, 14};

// ---- Focus loss: clamp to the bounds, or keep the text as typed ---------------

struct CommitCase {
    const char* what;
    FieldBounds bounds;
    std::string typed;
    std::string shown;
    std::int32_t stored;
};

TEST(FieldCommit, ClampsOutOfRangeAndKeepsEverythingElseAsTyped) {
    const CommitCase cases[] = {
        {"above a percentage", kPercent, "250", "100", 100},
        {"below a percentage", kPercent, "-3", "0", 0},
        {"empty level", kSkillLevel, "", "1", 1},
        {"zero level", kSkillLevel, "0", "1", 1},
        {"letters only in a level", kSkillLevel, "abc", "1", 1},
        {"above a level", kSkillLevel, "9", "5", 5},
        {"trailing letter", kSkillLevel, "3a", "3a", 3},
        {"leading zeros", kPercent, "007", "007", 7},
        {"leading zeros in a level", kSkillLevel, "004", "004", 4},
        // The clamp looks at the value, not at the text: 007 is 7, above a level's 5.
        {"leading zeros above a level", kSkillLevel, "007", "5", 5},
        {"blank and plus sign", kSkillLevel, " +4", " +4", 4},
        {"empty percentage", kPercent, "", "", 0},
        {"full-width digits in a percentage", kPercent, "５０", "５０", 0},
        {"full-width digits in a distance", kDistance, "５", "1", 1},
        {"decimal point ends the number", kPercent, "12.9", "12.9", 12},
        {"thousands separator ends the number", kPercent, "1,000", "1,000", 1},
        {"digits beyond the 32-bit range", kPercent, "99999999999", "100", 100},
        {"negative digits beyond the 32-bit range", kPercent, "-99999999999", "0", 0},
    };
    for (const auto& c : cases) {
        const FieldCommit commit = commitField(c.typed, c.bounds);
        EXPECT_EQ(commit.text, c.shown) << c.what;
        EXPECT_EQ(commit.value, c.stored) << c.what;
        EXPECT_EQ(clampFieldText(c.typed, c.bounds.lower, c.bounds.upper), c.shown) << c.what;
    }
}

struct KeyedCommitCase {
    std::string_view key;
    std::string typed;
    std::string shown;
    std::int32_t stored;
};

TEST(FieldCommit, UsesTheCatalogueBoundsOfEachField) {
    const KeyedCommitCase cases[] = {
        // Typed values may go beyond the spin range of the period and delay.
        {"RotatePeriod", "50000", "50000", 50000},
        {"RotatePeriod", "0", "1", 1},
        {"RotatePeriod", "130000", "120000", 120000},
        {"RotateDelay", "0", "0", 0},
        {"DistanceNotReturn", "15", "14", 14},
        {"DistanceNearOwner", "15", "14", 14},
        {"DistanceAttackArea", "15", "14", 14},
        {"DistanceAttackArea", "0", "1", 1},
        {"RotateRadius", "15", "14", 14},
        {"AttackDelay", "1500", "1000", 1000},
        {"FirstAttackDelay", "40000", "30000", 30000},
        {"Ph1ML_SkillLevel", "6", "5", 5},
        {"Ph2ML_Interval", "150", "100", 100},
        {"Ph1DEF_MyHP_F", "80", "80", 80},
        {"Ph1DEF_MyHP_C", "20", "20", 20},
        {"RotatePeriod", "99999999999", "120000", 120000},
    };
    for (const auto& c : cases) {
        const FieldCommit commit = commitField(c.typed, boundsOf(c.key));
        EXPECT_EQ(commit.text, c.shown) << c.key << " " << c.typed;
        EXPECT_EQ(commit.value, c.stored) << c.key << " " << c.typed;
    }
}

TEST(FieldCommit, TestsTheUpperBoundFirst) {
    // Only observable with crossed bounds, which no field has.
    EXPECT_EQ(clampFieldText("7", 10, 5), "5");
    EXPECT_EQ(clampFieldText("3", 10, 5), "10");
}

// ---- Spin: up counts down, down counts up, stops at the ends -------------------

struct SpinCase {
    const char* what;
    FieldBounds bounds;
    std::string text;
    SpinArrow arrow;
    std::optional<std::string> result;
};

TEST(SpinStep, StepsInTheToolsReversedDirection) {
    const FieldBounds delay = boundsOf("AttackDelay");
    const SpinCase cases[] = {
        {"up from 9", kDistance, "9", SpinArrow::Up, "8"},
        {"down from 9", kDistance, "9", SpinArrow::Down, "10"},
        {"up at the lower end", kDistance, "1", SpinArrow::Up, std::nullopt},
        {"down at the upper end", kDistance, "14", SpinArrow::Down, std::nullopt},
        {"up at the upper end", kDistance, "14", SpinArrow::Up, "13"},
        {"down at the lower end", kDistance, "1", SpinArrow::Down, "2"},
        {"up at zero of a percentage", kPercent, "0", SpinArrow::Up, std::nullopt},
        {"delay to 1000 has no separator", delay, "999", SpinArrow::Down, "1000"},
        {"text is rewritten plainly", kPercent, "007", SpinArrow::Down, "8"},
        {"trailing letters dropped", kPercent, "12abc", SpinArrow::Up, "11"},
    };
    for (const auto& c : cases) EXPECT_EQ(spinStep(c.text, c.bounds, c.arrow), c.result) << c.what;
}

TEST(SpinStep, SnapsOutOfRangeOrOddTextIntoRange) {
    const FieldBounds period = boundsOf("RotatePeriod");
    const SpinCase cases[] = {
        {"period stops at the spin end", period, "30000", SpinArrow::Down, std::nullopt},
        {"period reaches the spin end", period, "29999", SpinArrow::Down, "30000"},
        {"typed period beyond the spin snaps", period, "50000", SpinArrow::Down, "30000"},
        {"typed period beyond the spin steps from the end", period, "50000", SpinArrow::Up, "29999"},
        {"below the range snaps", kDistance, "-5", SpinArrow::Up, "1"},
        {"below the range steps from the end", kDistance, "-5", SpinArrow::Down, "2"},
        {"leading zero at the end is rewritten", kDistance, "01", SpinArrow::Up, "1"},
        {"letters count as zero", kDistance, "abc", SpinArrow::Up, "1"},
        {"empty counts as zero", kPercent, "", SpinArrow::Up, "0"},
    };
    for (const auto& c : cases) EXPECT_EQ(spinStep(c.text, c.bounds, c.arrow), c.result) << c.what;
}

TEST(SpinStep, IsCommittedOnlyByTheLaterFocusLoss) {
    const FieldBounds delay = boundsOf("AttackDelay");
    const auto stepped = spinStep("999", delay, SpinArrow::Down);
    ASSERT_TRUE(stepped.has_value());
    const FieldCommit commit = commitField(*stepped, delay);
    EXPECT_EQ(commit.text, "1000");
    EXPECT_EQ(commit.value, 1000);
}

}  // namespace
}  // namespace vellconf
