// Whole commands through the main window: edits on the pages reach the saved
// file, and a load reaches every page.

#include <gtest/gtest.h>
#include <wx/checkbox.h>
#include <wx/listctrl.h>
#include <wx/radiobut.h>
#include <wx/textctrl.h>

#include <fstream>

#include "config/config_writer.h"
#include "config/file_io.h"
#include "gui_test_support.h"
#include "ui/lists/list_pages.h"
#include "res/dialog_templates.h"
#include "config/messages.h"
#include "ui/main_dlg.h"
#include "ui/page.h"
#include "ui/wx_text.h"

namespace vellconf {
namespace {

namespace fs = std::filesystem;
namespace ids = templates::ids;

enum Tab { kBasic, kAttack1, kAttack2, kRotate, kEnemy, kFriend, kMemo, kMoonlight };

void writeBytes(const fs::path& path, std::string_view bytes) { std::ofstream(path, std::ios::binary) << bytes; }

std::string keyLine(const std::string& file, const std::string& key) {
    for (const auto& line : test::crlfLines(file))
        if (line.starts_with("    " + key + " ")) return line;
    return {};
}

// One line per control of a page: what it shows, whether it is enabled and
// shown, and where it lies.
std::vector<std::string> shownBy(wxWindow* page) {
    std::vector<std::string> lines;
    for (wxWindow* w : page->GetChildren()) {
        std::string line = test::describe(w) + (w->IsEnabled() ? "" : " disabled") + (w->IsShown() ? "" : " hidden");
        if (const auto* box = dynamic_cast<wxCheckBox*>(w)) line += box->GetValue() ? " [x]" : " [ ]";
        if (const auto* button = dynamic_cast<wxRadioButton*>(w)) line += button->GetValue() ? " (o)" : " ( )";
        if (const auto* field = dynamic_cast<wxTextCtrl*>(w)) line += " = " + std::string(field->GetValue().utf8_str());
        if (const auto* list = dynamic_cast<wxListCtrl*>(w))
            for (long row = 0; row < list->GetItemCount(); ++row)
                for (int column = 0; column < list->GetColumnCount(); ++column)
                    line += " | " + std::string(list->GetItemText(row, column).utf8_str());
        lines.push_back(line);
    }
    return lines;
}

// A file whose load differs from the start-up state in every way a page shows:
// values no radio button writes, fields past their bounds, rotation off, a
// memo, and list IDs both known and unknown.
std::string unusualConfig() {
    AiSettings settings;
    int i = 0;
    for (const SettingSpec& spec : settingsCatalogue()) {
        settings.*spec.member = i % 5 == 0 ? 99999 : i % 4;
        ++i;
    }
    settings.FlagRotateFunction = 0;
    const std::vector<std::string> ignore = {"1113", "9999"}, friends = {"456", "777"};
    return writeConfigLua(settings, cp932("狩場：オーク\n二行目"), ignore, friends);
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
    auto* coFight = static_cast<wxListCtrl*>(page(kFriend)->FindWindow(ids::kCoFightList));
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
        auto* friends = static_cast<wxListCtrl*>(page(kFriend)->FindWindow(ids::kFriendList));
        friends->SetItemState(0, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
        test::click(static_cast<wxButton*>(page(kFriend)->FindWindow(ids::kAddCoFight)));
        test::typeAndLeave(static_cast<wxTextCtrl*>(page(kMemo)->FindWindow(ids::kMemoEdit)), fromUtf8(c.memo));
        fixture.services.errors.clear();
        press(ids::kAiSave);
        EXPECT_EQ(fixture.services.errors, std::vector<std::string>{c.message}) << c.name;
        EXPECT_EQ(saved(), "old") << c.name;
    }
}

TEST_F(Commands, LoadTellsWhichLinesLostCharacters) {
    const std::string utf8 = *cp932ToUtf8(writeConfigLua(startupSettings(), "@\n" + cp932("狩場"), {}, {}));
    writeBytes(aiFolder / "Config.lua", utf8.substr(0, utf8.find('@')) + "caf\xC3\xA9 \xE2\x98\x83" +
                                            utf8.substr(utf8.find('@') + 1));
    press(ids::kAiLoad);
    EXPECT_TRUE(fixture.services.errors.empty());
    // The memo's first line is line 14 of the file.
    EXPECT_EQ(fixture.services.warnings,
              std::vector<std::string>{messages::withArgs(
                  messages::kLoadLostCharacters, {messages::withArgs(messages::kLossyLine, {"14", "caf? ?"}) + "\n"})});
    EXPECT_EQ(fixture.state.memo, cp932("caf? ?\n狩場"));
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
    EXPECT_EQ(test::findNamed<wxTextCtrl>(page(kMoonlight), "Ph1ML_SkillLevel")->GetValue(), "9");
    EXPECT_EQ(fixture.state.settings.Ph1ML_SkillLevel, 9);
}

// Edits the page built at start-up and one that is not, the same in both windows.
void editSomePages(CMainDlg* window) {
    const auto open = [window](int tab) {
        window->selectTab(tab);
        test::yieldToWindow();
        return window->page(tab);
    };
    test::click(test::findNamed<wxCheckBox>(open(kBasic), "FlagFollowOptimize"));
    test::typeAndLeave(test::findNamed<wxTextCtrl>(open(kAttack1), "DistanceAttackArea"), "250");
    test::click(test::findNamed<wxRadioButton>(open(kAttack1), "AutoSkillPriority#0"));
}

TEST_F(Commands, PagesBuiltAfterALoadShowWhatPagesBuiltBeforeItShow) {
    writeBytes(aiFolder / "Config.lua", unusualConfig());
    AppState laterState;
    laterState.sideFolder = fixture.state.sideFolder;
    auto* later = new CMainDlg(laterState, fixture.services);
    later->Show();

    for (int tab = 0; tab < CMainDlg::kTabCount; ++tab) page(static_cast<Tab>(tab));
    press(ids::kAiLoad);
    editSomePages(dialog);
    test::click(static_cast<wxButton*>(later->FindWindow(ids::kAiLoad)));
    editSomePages(later);
    for (int tab = 0; tab < CMainDlg::kTabCount; ++tab) {
        later->selectTab(tab);
        test::yieldToWindow();
        EXPECT_EQ(shownBy(later->page(tab)), shownBy(page(static_cast<Tab>(tab)))) << "tab " << tab;
    }

    press(ids::kAiSave);
    const std::string savedEarlier = saved();
    test::click(static_cast<wxButton*>(later->FindWindow(ids::kAiSave)));
    EXPECT_EQ(saved(), savedEarlier);
    EXPECT_EQ(laterState.settings, fixture.state.settings);
    later->Destroy();
}

TEST_F(Commands, SaveAfterALoadWithNoOtherPageShownWritesTheFileBack) {
    writeBytes(aiFolder / "Config.lua", unusualConfig());
    press(ids::kAiLoad);
    writeBytes(aiFolder / "Config.lua", "");
    press(ids::kAiSave);
    EXPECT_EQ(saved(), unusualConfig());
    for (int tab = 1; tab < CMainDlg::kTabCount; ++tab) EXPECT_FALSE(dialog->page(tab)->isBuilt()) << tab;
}

}  // namespace
}  // namespace vellconf
