// Whole commands through the main window: edits on the pages reach the saved
// file, and a load reaches every page.

#include <gtest/gtest.h>
#include <wx/listctrl.h>
#include <wx/radiobut.h>
#include <wx/textctrl.h>

#include <fstream>

#include "config/config_writer.h"
#include "config/file_io.h"
#include "gui_test_support.h"
#include "lists/list_pages.h"
#include "res/dialog_templates.h"
#include "res/messages.h"
#include "ui/main_dlg.h"
#include "ui/page.h"
#include "ui/wx_text.h"

namespace vellconf {
namespace {

namespace fs = std::filesystem;
namespace ids = templates::ids;

enum Tab { kBasic, kAttack1, kAttack2, kRotate, kEnemy, kFriend, kMemo };

void writeBytes(const fs::path& path, std::string_view bytes) { std::ofstream(path, std::ios::binary) << bytes; }

std::string keyLine(const std::string& file, const std::string& key) {
    for (const auto& line : test::crlfLines(file))
        if (line.starts_with("    " + key + " ")) return line;
    return {};
}

class Commands : public ::testing::Test {
protected:
    void SetUp() override {
        writeBytes(fixture.state.sideFolder / "MobData.ini",
                   "1002 poring 1 - - - - - - - - - - - - - - - - -\r\n"
                   "1113 drops 3 - - - - - - - - - - - - - - - - -\r\n"
                   "1031 poporing 14 - - - - - - - - - - - - - - - - -\r\n");
        writeBytes(fixture.state.sideFolder / "Friend.ini", "123 taro\r\n456 hana\r\n");
        writeBytes(fixture.state.sideFolder / "VellConf.ini", "[PATH]\r\nSetPath = \"" + aiFolder.path().string() + "\"\r\n");
        dialog = new CMainDlg(fixture.state, fixture.services);
        dialog->Show();
        test::yieldToWindow();
    }
    void TearDown() override {
        dialog->Destroy();
        test::yieldToWindow();
    }

    wxWindow* page(Tab tab) {
        dialog->selectTab(tab);
        test::yieldToWindow();
        return dialog->page(tab);
    }
    void press(int id) { test::click(static_cast<wxButton*>(dialog->FindWindow(id))); }
    std::string saved() { return test::fileBytes(aiFolder / "Config.lua").value_or(""); }

    test::GuiFixtureState fixture;
    test::ScratchDir aiFolder;
    CMainDlg* dialog = nullptr;
};

TEST_F(Commands, TypedDistanceIsClampedBeforeTheSave) {
    auto* field = test::findNamed<wxTextCtrl>(page(kAttack1), "DistanceAttackArea");
    ASSERT_NE(field, nullptr);
    field->SetFocus();
    test::yieldToWindow();
    field->ChangeValue("20");
    press(ids::kAiSave);  // the field still has the focus: the save commits it first
    EXPECT_EQ(keyLine(saved(), "DistanceAttackArea"), "    DistanceAttackArea      = 14");
    EXPECT_EQ(field->GetValue(), "14");
}

TEST_F(Commands, SortedIgnoreListIsSavedInItsOrder) {
    wxWindow* enemy = page(kEnemy);
    auto* monsters = static_cast<wxListCtrl*>(enemy->FindWindow(ids::kMonsterList));
    for (long row = 0; row < 3; ++row) monsters->SetItemState(row, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
    test::click(static_cast<wxButton*>(enemy->FindWindow(ids::kAddToIgnore)));
    auto* ignore = static_cast<wxListCtrl*>(enemy->FindWindow(ids::kIgnoreList));
    wxListEvent header(wxEVT_LIST_COL_CLICK, ignore->GetId());
    header.SetEventObject(ignore);
    header.SetColumn(2);  // "Lv": 1, 3, 14 ascending, then descending
    for (const char* expected : {"    IGNORE_MOB              = {1002,1113,1031}",
                                 "    IGNORE_MOB              = {1031,1113,1002}"}) {
        ignore->ProcessWindowEvent(header);
        test::yieldToWindow();
        press(ids::kAiSave);
        EXPECT_EQ(keyLine(saved(), "IGNORE_MOB"), expected);
    }
}

TEST_F(Commands, MemoTypedSavedAndLoadedShowsTheSame) {
    auto* memo = static_cast<wxTextCtrl*>(page(kMemo)->FindWindow(ids::kMemoEdit));
    ASSERT_NE(memo, nullptr);
    const wxString typed = fromUtf8("狩場：オーク\n\n二行目 [メモ]");
    memo->SetFocus();
    test::yieldToWindow();
    memo->ChangeValue(typed);
    press(ids::kAiSave);
    memo->ChangeValue("something else");
    fixture.state.memo = "something else";
    press(ids::kAiLoad);
    EXPECT_EQ(memo->GetValue(), typed);
    EXPECT_EQ(fixture.state.memo, cp932("狩場：オーク\n\n二行目 [メモ]"));
}

TEST_F(Commands, LoadRebuildsTheListsAndShowsUnknownFriends) {
    const std::vector<std::string> ignore = {"1113", "9999"}, friends = {"456", "777"};
    writeBytes(aiFolder / "Config.lua", writeConfigLua(startupSettings(), "", ignore, friends));
    press(ids::kAiLoad);
    auto* coFight = static_cast<wxListCtrl*>(page(kFriend)->FindWindow(CFriendPage::kCoFightList));
    ASSERT_EQ(coFight->GetItemCount(), 2);
    EXPECT_EQ(coFight->GetItemText(0, 1), "hana");
    EXPECT_EQ(coFight->GetItemText(1, 0), "777");
    EXPECT_EQ(coFight->GetItemText(1, 1), fromUtf8("名前不明"));
    auto* ignoreList = static_cast<wxListCtrl*>(page(kEnemy)->FindWindow(ids::kIgnoreList));
    ASSERT_EQ(ignoreList->GetItemCount(), 2);
    EXPECT_EQ(ignoreList->GetItemText(0, 1), "drops");
    press(ids::kAiSave);
    EXPECT_EQ(keyLine(saved(), "FRIENDS"), "    FRIENDS                 = {456,777}");
}

TEST_F(Commands, SavesThatWouldNotReadBackAreRefusedNamingWhy) {
    const std::string marker = "-------------------------------------▲ここまで--";
    const struct {
        const char* name;
        std::string memo;        // typed into the memo page (UTF-8)
        const char* friendIni;   // the friend list the co-fight list is taken from
        std::string message;
    } cases[] = {
        {"memo with an end marker line", "上\n" + marker + "\n[狩場]", "1 a\r\n",
         messages::withArgs(messages::kMemoHoldsMarker, {marker})},
        {"co-fight ID Lua cannot read", "メモ", "1) a\r\n",
         messages::withArgs(messages::kListItemNotLua, {messages::kCoFightListName, "1)"})},
    };
    for (const auto& c : cases) {
        writeBytes(fixture.state.sideFolder / "Friend.ini", c.friendIni);
        writeBytes(aiFolder / "Config.lua", "old");
        dialog->Destroy();
        dialog = new CMainDlg(fixture.state, fixture.services);
        dialog->Show();
        auto* friends = static_cast<wxListCtrl*>(page(kFriend)->FindWindow(CFriendPage::kFriendList));
        friends->SetItemState(0, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
        test::click(static_cast<wxButton*>(page(kFriend)->FindWindow(CFriendPage::kAddCoFight)));
        test::typeAndLeave(static_cast<wxTextCtrl*>(page(kMemo)->FindWindow(ids::kMemoEdit)), fromUtf8(c.memo));
        fixture.services.errors.clear();
        press(ids::kAiSave);
        EXPECT_EQ(fixture.services.errors, std::vector<std::string>{c.message}) << c.name;
        EXPECT_EQ(saved(), "old") << c.name;
    }
}

TEST_F(Commands, LoadReachesThePages) {
    writeBytes(aiFolder / "Config.lua",
               "[CONFIG]\r\nFlagRotateFunction = NO\r\nFlagRotateState = 5\r\nPh1ML_SkillLevel = 9\r\n"
               "FlagDefaultState = NO\r\n");
    press(ids::kAiLoad);
    wxWindow* rotate = page(kRotate);
    EXPECT_TRUE(test::findNamed<wxRadioButton>(rotate, "FlagRotateFunction#0")->GetValue());
    for (int button = 0; button < 3; ++button) {
        auto* state = test::findNamed<wxRadioButton>(rotate, "FlagRotateState#" + std::to_string(button));
        EXPECT_FALSE(state->GetValue()) << button;
        EXPECT_FALSE(state->IsEnabled()) << button;
    }
    EXPECT_FALSE(test::findNamed<wxTextCtrl>(rotate, "RotatePeriod")->IsEnabled());
    EXPECT_TRUE(test::findNamed<wxRadioButton>(page(kBasic), "FlagDefaultState#0")->GetValue());
    EXPECT_EQ(test::findNamed<wxTextCtrl>(dialog->page(7), "Ph1ML_SkillLevel")->GetValue(), "9");
    EXPECT_EQ(fixture.state.settings.Ph1ML_SkillLevel, 9);
}

}  // namespace
}  // namespace vellconf
