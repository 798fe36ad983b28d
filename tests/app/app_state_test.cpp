// The state the window binds to, without a window: each page's bound values from start-up, a load that reaches pages
// never built, what a save takes, and the friend page's changes to Friend.ini.

#include "app/app_state.h"

#include <gtest/gtest.h>

#include <tuple>

#include "test_support.h"

namespace vellconf {
namespace {

const PageState::Bound& boundOf(AppState& state, std::string_view key) {
    PageState& page = state.page(*findPageForKey(key));
    return page.bound()[*page.boundFor(key)];
}

TEST(AppState, BoundValuesFollowTheInitialisationAndTheLoadRulesAndASaveTakesTheLoad) {
    // A value no button writes: the page starts on a button, a load clears the group.
    const struct {
        std::string_view key;
        std::int32_t value;
        int onInit, onLoad;
    } cases[] = {
        {"FlagDefaultState", 5, 0, kNoButton},
        {"AutoSkillPriority", 7, 1, 1},  // a value a button writes
        {"FlagRotateFunction", 0, kRotateNone, kRotateNone},
        {"FlagIgnoreDeadMob", 1, 1, 1},  // a check box is ticked by 1 alone
        {"FlagIgnoreDeadMob", 2, 0, 0},
    };
    for (const auto& c : cases) {
        AppState state;
        state.settings.*findSetting(c.key)->member = c.value;
        state.readPages(ReadOccasion::Init);
        EXPECT_EQ(boundOf(state, c.key).index, c.onInit) << c.key << " " << c.value;
        ConfigContent loaded{state.settings, "memo", {"1113"}, {"456", "777"}};
        state.takeLoaded(loaded);
        EXPECT_EQ(boundOf(state, c.key).index, c.onLoad) << c.key << " " << c.value;
        // A save takes the settings, the lists and the memo of the last load.
        const ConfigContent saved = state.content();
        EXPECT_EQ(saved.settings, loaded.settings) << c.key << " " << c.value;
        EXPECT_EQ(std::tie(saved.memo, saved.ignoreMob, saved.friends), std::tie(loaded.memo, loaded.ignoreMob, loaded.friends));
    }
    AppState state;
    EXPECT_EQ(state.content().memo, startupMemo());
    state.settings.DistanceAttackArea = 99;
    state.takeLoaded(state.content());
    EXPECT_EQ(boundOf(state, "DistanceAttackArea").text, "99");  // unclamped, as loaded
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

// Two windows over one Friend.ini: each change is applied to what the file holds now, so neither window's friends are
// lost; rows are told by what they hold. A refused registration writes nothing.
TEST(AppState, FriendChangesKeepWhatAnotherWindowWrote) {
    test::ScratchDir folder;
    test::writeBytes(folder / "Friend.ini", "; comment\r\n1 one\r\n");
    AppState earlier, later;
    for (AppState* state : {&earlier, &later}) {
        state->sideFolder = folder.path();
        EXPECT_EQ(state->readFriends(), ReadStatus::Ok);
    }
    EXPECT_EQ(later.addFriend("2", "a b").registered, RegisterOutcome::HoldsBlank);
    EXPECT_EQ(later.addFriend("2)", "bob").registered, RegisterOutcome::IdNotLua);
    EXPECT_EQ(test::fileBytes(folder / "Friend.ini"), "; comment\r\n1 one\r\n");
    EXPECT_FALSE(later.addFriend("2", "bob").reread);
    const AppState::FriendsChange change = earlier.addFriend("3", "carol");
    EXPECT_TRUE(change.reread);
    EXPECT_EQ(change.written, WriteResult::Ok);
    EXPECT_EQ(test::fileBytes(folder / "Friend.ini"), "3 carol\r\n2 bob\r\n1 one\r\n");
    const std::size_t bob = 0;  // in the later window's older list
    EXPECT_TRUE(later.deleteFriends({&bob, 1}).reread);
    EXPECT_EQ(test::fileBytes(folder / "Friend.ini"), "3 carol\r\n1 one\r\n");
    EXPECT_EQ(later.friends, (std::vector<FriendRecord>{{"3", "carol"}, {"1", "one"}}));
}

// A Friend.ini there but unreadable is never replaced by the shorter list the
// tool started with; the changes stay in the list.
TEST(AppState, AnUnreadableFriendIniIsNeverReplaced) {
    test::ScratchDir folder;
    std::ofstream(folder / "Friend.ini").close();
    std::filesystem::resize_file(folder / "Friend.ini", kMaxTextFileBytes + 1);
    AppState state;
    state.sideFolder = folder.path();
    EXPECT_EQ(state.readFriends(), ReadStatus::TooLarge);
    EXPECT_EQ(state.addFriend("1234567", "name").written, WriteResult::OpenFailed);
    const std::size_t first = 0;
    EXPECT_EQ(state.deleteFriends({&first, 1}).written, WriteResult::OpenFailed);
    EXPECT_EQ(std::filesystem::file_size(folder / "Friend.ini"), kMaxTextFileBytes + 1);
    EXPECT_TRUE(state.friends.empty());
}

}  // namespace
}  // namespace vellconf
