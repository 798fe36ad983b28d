#include "pages/page_tables.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <tuple>

namespace vellconf {
namespace {

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

// The button of the value, else the group's choice for other values: a button
// at start-up, none or a button after a load.
TEST(RadioGroups, SelectTheButtonOfTheValueOrTheGroupsChoiceForOtherValues) {
    const struct {
        std::string_view key;
        std::int32_t value;
        std::string_view onInit, onLoad;  // "" for no button
    } cases[] = {
        {"FlagDefaultState", 1, "休戦状態", "休戦状態"}, {"FlagDefaultState", 2, "臨戦状態", ""},
        {"TypeSearchEnemyLIF", 2, "非先攻型", "非先攻型"}, {"AutoSkillPriority", 0, "攻撃スキル優先", "攻撃スキル優先"},
        {"FlagRotateState", 2, "両状態", "両状態"},       {"FlagRotateState", 5, "休戦状態のみ", ""},
        {"FlagAutoMoonLight", 1, "一定確率", "一定確率"}, {"FlagAutoCaprice", 5, "", ""},
    };
    for (const auto& c : cases) {
        const RadioGroupSpec& group = findControlForKey(c.key)->radio;
        const auto label = [&](int i) { return i == kNoButton ? std::string_view() : group.buttons.at(i).label; };
        EXPECT_EQ(label(radioIndexOnInit(group, c.value)), c.onInit) << c.key << " " << c.value;
        EXPECT_EQ(label(radioIndexOnLoad(group, c.value)), c.onLoad) << c.key << " " << c.value;
    }
}

TEST(RotationKind, InfinityNeedsBothFlagsAndOnlyFunctionOneRotates) {
    const std::tuple<std::int32_t, std::int32_t, int> cases[] = {
        {1, 1, kRotateInfinity}, {1, 0, kRotateCircle}, {1, 5, kRotateCircle},
        {0, 1, kRotateNone},     {2, 1, kRotateNone},   {-1, 0, kRotateNone},
    };
    for (const auto& [function, infinity, index] : cases) {
        EXPECT_EQ(rotationKindIndex(function, infinity), index) << function << " " << infinity;
        EXPECT_EQ(rotationControlsEnabled(function), function == 1) << function;
    }
}

}  // namespace
}  // namespace vellconf
