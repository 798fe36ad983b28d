// The setting pages' tables and the rules of their controls; most cases are
// tables of tests/data/pages/.

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>

#include "pages/field_rules.h"
#include "pages/page_tables.h"
#include "test_support.h"

namespace vellconf {
namespace {

const std::filesystem::path kData = test::testDataDir() / "pages";

TEST(PageTables, EveryCatalogueKeyIsEditedByExactlyOneControlOfTheRightKind) {
    std::map<std::string_view, int> edits;
    for (const auto& p : settingPages())
        for (const ControlSpec* c : controlsOf(p)) {
            for (const auto key : {c->key, c->secondKey})
                if (!key.empty()) {
                    ++edits[key];
                    EXPECT_EQ(findControlForKey(key), c) << key;
                    EXPECT_EQ(findPageForKey(key), &p) << key;
                }
            if (c->kind == ControlKind::Label) continue;
            ASSERT_TRUE(c->setting && c->setting == findSetting(c->key)) << c->key;
            // Every YES/NO key has a check box, except the initial state, which is a radio pair.
            const bool yesNo = c->setting->kind == SettingKind::Flag && c->key != "FlagDefaultState";
            EXPECT_EQ(c->kind == ControlKind::CheckBox, yesNo) << c->key;
            EXPECT_EQ(c->kind == ControlKind::NumericField, c->setting->bounds.has_value()) << c->key;
        }
    EXPECT_EQ(edits.size(), kSettingCount);
    for (const auto& setting : settingsCatalogue()) EXPECT_EQ(edits[setting.key], 1) << setting.key;
}

// The cases of tests/data/pages/radio_groups.tsv.
TEST(RadioGroups, SelectTheButtonOfTheValueOrTheGroupsChoiceForOtherValues) {
    const auto rows = test::tableRows(kData / "radio_groups.tsv");
    ASSERT_EQ(rows.size(), 8u);
    for (const auto& row : rows) {
        const RadioGroupSpec& group = findControlForKey(row.at(0))->radio;
        const auto label = [&](int i) { return i == kNoButton ? std::string_view() : group.buttons.at(i).label; };
        EXPECT_EQ(label(radioIndexOnInit(group, std::stoi(row.at(1)))), row.at(2)) << row[0] << " " << row[1];
        EXPECT_EQ(label(radioIndexOnLoad(group, std::stoi(row.at(1)))), row.at(3)) << row[0] << " " << row[1];
    }
}

// The cases of tests/data/pages/rotation_kind.tsv.
TEST(RotationKind, InfinityNeedsBothFlagsAndOnlyFunctionOneRotates) {
    const auto rows = test::tableRows(kData / "rotation_kind.tsv");
    ASSERT_EQ(rows.size(), 6u);
    for (const auto& row : rows) {
        EXPECT_EQ(rotationKindIndex(std::stoi(row[0]), std::stoi(row[1])), std::stoi(row[2])) << row[0] << " " << row[1];
        EXPECT_EQ(rotationControlsEnabled(std::stoi(row[0])), row[3] == "1") << row[0];
    }
}

// A numeric field's bounds and spin range: the first four fields of a row.
FieldBounds boundsOf(const test::Fields& row) { return {std::stoi(row[0]), std::stoi(row[1]), std::stoi(row[2]), std::stoi(row[3])}; }

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
        const std::optional<std::string> expected = row[6] == "-" ? std::nullopt : std::optional(row[6]);
        EXPECT_EQ(spinStep(row[4], boundsOf(row), row[5] == "up" ? SpinArrow::Up : SpinArrow::Down), expected) << '"' << row[4] << "\" " << row[5];
    }
}

}  // namespace
}  // namespace vellconf
