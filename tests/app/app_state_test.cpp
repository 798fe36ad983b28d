// The state the window binds to, without a window: each page's bound values
// from start-up, a load that reaches pages never built, and what a save takes.

#include "app/app_state.h"

#include <gtest/gtest.h>

namespace vellconf {
namespace {

const PageState::Bound& boundOf(AppState& state, std::string_view key) {
    PageState& page = state.page(*findPageForKey(key));
    return page.bound()[*page.boundFor(key)];
}

TEST(AppState, BoundValuesFollowTheInitialisationAndTheLoadRules) {
    // A value no button writes: the page starts on a button, a load clears the group.
    const struct {
        std::string_view key;
        std::int32_t value;
        int onInit, onLoad;
    } cases[] = {
        {"FlagDefaultState", 5, 0, kNoButton},
        {"FlagDefaultState", 1, 1, 1},
        {"AutoSkillPriority", 7, 1, 1},
        {"FlagRotateFunction", 0, kRotateNone, kRotateNone},
        {"FlagIgnoreDeadMob", 1, 1, 1},  // a check box is ticked by 1 alone
        {"FlagIgnoreDeadMob", 2, 0, 0},
    };
    for (const auto& c : cases) {
        AppState state;
        state.settings.*findSetting(c.key)->member = c.value;
        state.readPages(ReadOccasion::Init);
        EXPECT_EQ(boundOf(state, c.key).index, c.onInit) << c.key << " " << c.value;
        ConfigContent loaded{state.settings, "memo", {}, {}};
        state.takeLoaded(loaded);
        EXPECT_EQ(boundOf(state, c.key).index, c.onLoad) << c.key << " " << c.value;
    }
}

TEST(AppState, ChangesWriteTheRecordAsTheirControlsWould) {
    AppState state;
    PageState& rotate = state.page(*findPage("CRotatePage"));
    const std::size_t kind = *rotate.boundFor("FlagRotateInfinity");
    rotate.selectButton(kind, kRotateInfinity, state.settings);
    EXPECT_EQ(state.settings.FlagRotateFunction, 1);
    EXPECT_EQ(state.settings.FlagRotateInfinity, 1);
    EXPECT_TRUE(rotate.rotationDependentsEnabled(state.settings));
    rotate.selectButton(kind, kRotateNone, state.settings);
    EXPECT_EQ(state.settings.FlagRotateInfinity, 1);  // saved as it stands
    EXPECT_FALSE(rotate.rotationDependentsEnabled(state.settings));

    PageState& attack = state.page(*findPage("CAttack1Page"));
    const std::size_t distance = *attack.boundFor("DistanceAttackArea");
    attack.commitField(distance, "20", state.settings);
    EXPECT_EQ(attack.bound()[distance].text, "14");
    EXPECT_EQ(state.settings.DistanceAttackArea, 14);
    attack.setCheck(*attack.boundFor("FlagIgnoreDeadMob"), false, state.settings);
    EXPECT_EQ(state.settings.FlagIgnoreDeadMob, 0);
}

TEST(AppState, ASaveTakesTheListsAndTheMemoOfTheLastLoad) {
    AppState state;
    EXPECT_EQ(state.content().memo, startupMemo());
    ConfigContent loaded{state.settings, "memo", {"1113"}, {"456", "777"}};
    loaded.settings.DistanceAttackArea = 99;
    state.takeLoaded(loaded);
    const ConfigContent content = state.content();
    EXPECT_EQ(content.ignoreMob, std::vector<std::string>{"1113"});
    EXPECT_EQ(content.friends, (std::vector<std::string>{"456", "777"}));
    EXPECT_EQ(content.memo, "memo");
    EXPECT_EQ(content.settings.DistanceAttackArea, 99);
    EXPECT_EQ(boundOf(state, "DistanceAttackArea").text, "99");  // unclamped, as loaded
}

}  // namespace
}  // namespace vellconf
