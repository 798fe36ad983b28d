// The main window under a virtual display: tabs, the command buttons and the
// dialogs they open, with the file dialogs answered by a fake.

#include "ui/main_dlg.h"

#include <gtest/gtest.h>
#include <wx/dirctrl.h>
#include <wx/display.h>
#include <wx/notebook.h>
#include <wx/testing.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

#ifdef __WXGTK__
#include <gtk/gtk.h>
#endif

#include <cstdlib>
#include <fstream>
#include <functional>

#include "config/file_io.h"
#include "config/history.h"
#include "config/settings_catalogue.h"
#include "gui_test_support.h"
#include "res/dialog_templates.h"
#include "config/messages.h"
#include "ui/folder_browse_dlg.h"
#include "ui/message_dialog.h"
#include "ui/notice_dlg.h"
#include "ui/page.h"
#include "ui/tab_strip.h"
#include "ui/tool_settings_dlg.h"
#include "ui/wx_text.h"
#include "version.h"

namespace vellconf {
namespace {

namespace fs = std::filesystem;
namespace ids = templates::ids;

void writeBytes(const fs::path& path, std::string_view bytes) { std::ofstream(path, std::ios::binary) << bytes; }

std::string cliDefaults() {
    test::ScratchDir dir;
    EXPECT_EQ(test::runShell(test::shellQuoted(test::builtProgram(VELLCONF_CLI)) + " defaults -o " +
                             test::shellQuoted(dir / "Config.lua")),
              0);
    return test::fileBytes(dir / "Config.lua").value_or("");
}

class MainWindow : public ::testing::Test {
protected:
    void SetUp() override {
        writeBytes(fixture.state.sideFolder / "MobData.ini", "1002 poring 1 - - - - - - - - - - - - - - - - -\r\n");
        openWindow();
    }
    void TearDown() override {
        if (dialog) dialog->Destroy();
        test::yieldToWindow();
    }

    // The AI folder and the dialogs' folder are scratch folders of their own.
    void openWindow() {
        writeBytes(fixture.state.sideFolder / "VellConf.ini",
                   "[PATH]\r\nSetPath = \"" + aiFolder.path().string() + "\"\r\nLibPath = \"" + libFolder.path().string() +
                       "\"\r\n");
        dialog = new CMainDlg(fixture.state, fixture.services);
        dialog->Show();
        test::yieldToWindow();
    }

    wxButton* button(int id) { return static_cast<wxButton*>(dialog->FindWindow(id)); }

    // A mouse click on a tab of the header, as the user's arrives: through
    // the toolkit's own input, to Windows' tab control or to our strip.
    void clickTab(int index) {
        dialog->Raise();
        test::yieldToWindow();
        const wxRect tab = dialog->tabRectOnScreen(index);
        const wxPoint at = tab.GetPosition() + wxPoint(tab.width / 2, tab.height / 2);
#ifdef __WXMSW__
        const wxPoint inside = dialog->tabHeader()->ScreenToClient(at);
        const HWND header = static_cast<HWND>(dialog->tabHeader()->GetHandle());
        ::SendMessage(header, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(inside.x, inside.y));
        ::SendMessage(header, WM_LBUTTONUP, 0, MAKELPARAM(inside.x, inside.y));
#else
        wxUIActionSimulator mouse;
        mouse.MouseMove(at);
        mouse.MouseClick();
#endif
        for (int wait = 0; wait < 100 && dialog->selectedTab() != index; ++wait) {
            test::yieldToWindow();
            wxMilliSleep(10);
        }
        test::yieldToWindow();
    }
    void press(int id) { test::click(button(id)); }



    test::GuiFixtureState fixture;
    test::ScratchDir aiFolder, libFolder;
    CMainDlg* dialog = nullptr;
};

TEST_F(MainWindow, StartsOnTheBasicTab) {
    EXPECT_EQ(dialog->selectedTab(), 0);
    for (int i = 0; i < CMainDlg::kTabCount; ++i) EXPECT_EQ(dialog->page(i)->IsShown(), i == 0) << i;
    EXPECT_EQ(dialog->GetTitle(), fromUtf8("ヴェルＡＩ 設定ファイル作成ツール Ver." VELLCONF_VERSION));
}

// The Tab key from the tab header runs through the page of the chosen tab,
// then the seven buttons, and back to the header, on every tab: built at
// start-up or when first chosen. GTK takes the keyboard's order once;
// Windows' dialog manager walks the windows as they stand (and Wine gives a
// test's simulated keys to no window).
#ifndef __WXMSW__
TEST_F(MainWindow, TheTabKeyRunsFromTheHeaderThroughThePageToTheButtons) {
    EXPECT_EQ(wxWindow::FindFocus(), dialog->tabHeader());
    const std::vector<int> buttons{ids::kExit,          ids::kNotice, ids::kToolSettings, ids::kSpecifiedLoad,
                                   ids::kSpecifiedSave, ids::kAiLoad, ids::kAiSave};
    for (int tab : {0, 1, 4, 5, 6, 12}) {  // built at start-up, and each kind of page built later
        clickTab(tab);
        dialog->tabHeader()->SetFocus();
        test::yieldToWindow();
        std::vector<const wxWindow*> inPage;
        std::vector<int> after;
        for (int press = 0; press < 80; ++press) {
            const wxWindow* before = wxWindow::FindFocus();
            wxUIActionSimulator().Char(WXK_TAB);
            for (int wait = 0; wait < 40 && wxWindow::FindFocus() == before; ++wait) {  // a busy machine is slow
                test::yieldToWindow();
                wxMilliSleep(5);
            }
            const wxWindow* focus = wxWindow::FindFocus();
            if (!focus || focus == dialog->tabHeader()) break;
            if (focus->GetParent() == dialog->page(tab) && after.empty()) inPage.push_back(focus);
            else after.push_back(focus->GetId());
        }
        EXPECT_FALSE(inPage.empty()) << "tab " << tab << ": the page was skipped";
        EXPECT_EQ(after, buttons) << "tab " << tab;
        EXPECT_EQ(wxWindow::FindFocus(), dialog->tabHeader()) << "tab " << tab;
    }
}

#endif

wxKeyEvent keyPress(wxEventType type, int keyCode, bool control, bool shift = false) {
    wxKeyEvent key(type);
    key.m_keyCode = keyCode;
    key.SetControlDown(control);
    key.SetShiftDown(shift);
    return key;
}

TEST_F(MainWindow, KeyboardSwitchesTabsFromAnywhere) {
    const struct {
        wxEventType type;  // a shortcut of the window, or a key in the tab header
        int keyCode;
        bool control, shift;
        int tab;  // where it leads, from the tab before
    } presses[] = {
        {wxEVT_CHAR_HOOK, WXK_TAB, true, false, 1},       {wxEVT_CHAR_HOOK, WXK_PAGEDOWN, true, false, 2},
        {wxEVT_CHAR_HOOK, WXK_PAGEUP, true, false, 1},    {wxEVT_CHAR_HOOK, WXK_TAB, true, true, 0},
        {wxEVT_CHAR_HOOK, WXK_PAGEUP, true, false, 14},   {wxEVT_CHAR_HOOK, WXK_TAB, true, false, 0},
        {wxEVT_CHAR_HOOK, WXK_TAB, false, false, 0},      {wxEVT_KEY_DOWN, WXK_END, false, false, 14},
        {wxEVT_KEY_DOWN, WXK_HOME, false, false, 0},      {wxEVT_KEY_DOWN, WXK_LEFT, false, false, 14},
    };
    for (const auto& p : presses) {
        // Home, End and the arrows in the header are the native tab control's own on Windows.
        if (p.type != wxEVT_CHAR_HOOK && !dialog->tabStrip()) continue;
        wxKeyEvent key = keyPress(p.type, p.keyCode, p.control, p.shift);
        wxWindow* target = p.type == wxEVT_CHAR_HOOK ? static_cast<wxWindow*>(dialog) : dialog->tabStrip();
        key.SetEventObject(target);
        target->ProcessWindowEvent(key);
        EXPECT_EQ(dialog->selectedTab(), p.tab) << p.keyCode;
        EXPECT_TRUE(dialog->page(p.tab)->IsShown()) << p.keyCode;
    }

    // A field being typed in is committed first, as a click on a tab does.
    dialog->selectTab(1);
    auto* field = test::findNamed<wxTextCtrl>(dialog->page(1), "DistanceAttackArea");
    ASSERT_NE(field, nullptr);
    field->SetFocus();
    field->ChangeValue("20");
    wxKeyEvent next = keyPress(wxEVT_CHAR_HOOK, WXK_PAGEDOWN, true);
    next.SetEventObject(field);
    dialog->ProcessWindowEvent(next);
    EXPECT_EQ(fixture.state.settings.DistanceAttackArea, 14);
    EXPECT_EQ(dialog->selectedTab(), 2);
}

TEST_F(MainWindow, AMouseClickOnATabShowsItsPageWithItsControls) {
    for (int i : {4, 14, 1, 0, 7, 6, 5, 13, 2, 3, 8, 9, 10, 11, 12}) {
        clickTab(i);
        EXPECT_EQ(dialog->selectedTab(), i);
        for (int j = 0; j < CMainDlg::kTabCount; ++j)
            EXPECT_EQ(dialog->page(j)->IsShown(), j == i) << "tab " << i << " page " << j;
        CPage* shown = dialog->page(i);
        EXPECT_TRUE(shown->isBuilt()) << "tab " << i;
        EXPECT_FALSE(shown->GetChildren().empty()) << "tab " << i;
        for (const wxWindow* control : shown->GetChildren()) {
            if (control->IsShown()) {
                EXPECT_TRUE(control->IsShownOnScreen()) << "tab " << i << ": " << test::describe(control);
            }
        }
    }
}

TEST_F(MainWindow, ExitAndCloseWriteNothing) {
    for (int way = 0; way < 2; ++way) {
        if (way == 0) {
            press(ids::kExit);
        } else {
            dialog->Close();
        }
        test::yieldToWindow();
        dialog = nullptr;  // destroyed by the close
        EXPECT_TRUE(fs::is_empty(aiFolder.path()));
        EXPECT_TRUE(fs::is_empty(libFolder.path()));
        EXPECT_EQ(std::distance(fs::directory_iterator(fixture.state.sideFolder), fs::directory_iterator()), 2);
        if (way == 0) openWindow();
    }
}

TEST_F(MainWindow, AiSaveRightAfterStartWritesTheDefaults) {
    press(ids::kAiSave);
    EXPECT_TRUE(fixture.services.errors.empty());
    EXPECT_EQ(test::fileBytes(aiFolder / "Config.lua"), cliDefaults());
}

TEST_F(MainWindow, AiSaveKeepsWhatItReplacesAndSaysOnceWhenItCannot) {
    const fs::path history = fixture.state.sideFolder / "history";
    writeBytes(aiFolder / "Config.lua", "old");
    press(ids::kAiSave);
    ASSERT_EQ(History(history).versions().size(), 1u);
    EXPECT_EQ(test::fileBytes(History(history).fileOf(History(history).versions()[0])), "old");

    fs::remove_all(history);
    writeBytes(history, "a file where the folder should be");
    for (const char* old : {"older", "oldest"}) {
        writeBytes(aiFolder / "Config.lua", old);
        press(ids::kAiSave);
        EXPECT_EQ(test::fileBytes(aiFolder / "Config.lua"), cliDefaults()) << old;
    }
    EXPECT_TRUE(fixture.services.errors.empty());
    ASSERT_EQ(fixture.services.warnings.size(), 1u);
    EXPECT_NE(fixture.services.warnings[0].find(messages::kHistoryFolderUnusable), std::string::npos);
}

TEST_F(MainWindow, AiSaveIntoAMissingFolderCreatesNothing) {
    fixture.state.paths.setPath = (aiFolder / "missing").string();
    press(ids::kAiSave);
    EXPECT_EQ(fixture.services.errors, std::vector<std::string>{std::string(messages::kSaveOpenFailed)});
    EXPECT_TRUE(fs::is_empty(aiFolder.path()));
}

TEST_F(MainWindow, AiLoadOfAMissingFileOrOneWithoutSettingsChangesNothing) {
    fixture.state.settings.DistanceAttackArea = 3;
    const AppState before = fixture.state;
    for (const std::optional<std::string>& file : {std::optional<std::string>(), {""}, {"[CONFIG]\r\n"}}) {
        if (file) writeBytes(aiFolder / "Config.lua", *file);
        fixture.services.errors.clear();
        press(ids::kAiLoad);
        const std::string name = file.value_or("missing");
        EXPECT_EQ(fixture.services.errors, std::vector<std::string>{std::string(messages::kLoadOpenFailed)}) << name;
        EXPECT_EQ(fixture.state.settings, before.settings) << name;
        EXPECT_EQ(fixture.state.memo, before.memo) << name;
    }
}

TEST_F(MainWindow, SpecifiedSaveAndLoadUseTheChosenFile) {
    fixture.services.filesToSave.push_back(libFolder / "mine.lua");
    press(ids::kSpecifiedSave);
    ASSERT_EQ(test::fileBytes(libFolder / "mine.lua"), cliDefaults());
    EXPECT_EQ(fixture.services.initialFolders.back(), libFolder.path());

    AiSettings settings = startupSettings();
    settings.RotatePeriod = 50000;
    writeBytes(libFolder / "other.lua", writeConfigLua(settings, "", {}, {}));
    fixture.services.filesToLoad.push_back(libFolder / "other.lua");
    press(ids::kSpecifiedLoad);
    EXPECT_EQ(fixture.state.settings.RotatePeriod, 50000);
    // The specified load's own fallbacks fill what the file lacks.
    writeBytes(libFolder / "empty.lua", "[CONFIG]\r\nDistanceNotReturn = 7\r\n");
    fixture.services.filesToLoad.push_back(libFolder / "empty.lua");
    press(ids::kSpecifiedLoad);
    EXPECT_EQ(fixture.state.settings.Ph1TH_OwnHP_C, 20);

    // Cancelled dialogs do nothing.
    press(ids::kSpecifiedSave);
    press(ids::kSpecifiedLoad);
    EXPECT_TRUE(fixture.services.errors.empty());
    EXPECT_EQ(std::distance(fs::directory_iterator(libFolder.path()), fs::directory_iterator()), 3);
    EXPECT_EQ(fixture.state.paths.libPath, libFolder.path().string());
}

// Answers the tool-settings dialog: types into its fields and presses a button.
class ExpectToolSettings : public wxExpectModalBase<CToolSettingsDlg> {
public:
    ExpectToolSettings(int button, wxString setPath, wxString libPath)
        : button_(button), setPath_(std::move(setPath)), libPath_(std::move(libPath)) {}

protected:
    int OnInvoked(CToolSettingsDlg* dlg) const override {
        static_cast<wxTextCtrl*>(dlg->FindWindow(ids::kSetPathEdit))->ChangeValue(setPath_);
        static_cast<wxTextCtrl*>(dlg->FindWindow(ids::kLibPathEdit))->ChangeValue(libPath_);
        wxCommandEvent pressed(wxEVT_BUTTON, button_);
        pressed.SetEventObject(dlg->FindWindow(button_));
        dlg->ProcessWindowEvent(pressed);
        return button_;
    }

private:
    int button_;
    wxString setPath_, libPath_;
};

TEST_F(MainWindow, ToolSettingsOkRewritesVellConfIni) {
    const fs::path ini = fixture.state.sideFolder / "VellConf.ini";
    const std::string before = test::fileBytes(ini).value();
    wxTEST_DIALOG(press(ids::kToolSettings), ExpectToolSettings(wxID_CANCEL, "X:\\nothing", "Y:\\nothing"));
    EXPECT_EQ(test::fileBytes(ini), before);

    wxTEST_DIALOG(press(ids::kToolSettings), ExpectToolSettings(wxID_OK, fromUtf8("C:\\ソース\\AI"), ""));
    EXPECT_EQ(test::fileBytes(ini), "[PATH]\r\nSetPath = \"" + cp932("C:\\ソース\\AI") + "\"\r\nLibPath = \"\"\r\n");
    EXPECT_EQ(fixture.state.paths.setPath, cp932("C:\\ソース\\AI"));
    EXPECT_TRUE(fixture.services.errors.empty());
}

// A folder is refused, and the dialog stays open, when no file could be
// opened in it or when VellConf.ini would give back another folder.
TEST_F(MainWindow, ToolSettingsRefuseAFolderTheyCouldNotKeepAsTyped) {
    for (const std::string& folder : {aiFolder.path().string() + "/" + std::string(300, 'a'), std::string("C:\\게임\\AI"),
                                      std::string("C:\\ラグ〜ナロク"), std::string("C:\\\xF0\x9F\x98\x80")}) {
        fixture.services.errors.clear();
        CToolSettingsDlg settings(dialog, fixture.state.paths, fixture.services);
        static_cast<wxTextCtrl*>(settings.FindWindow(ids::kLibPathEdit))->ChangeValue(fromUtf8(folder));
        wxCommandEvent ok(wxEVT_BUTTON, wxID_OK);
        ok.SetEventObject(settings.FindWindow(wxID_OK));
        settings.ProcessWindowEvent(ok);
        EXPECT_EQ(fixture.services.errors, std::vector<std::string>{messages::withArgs(messages::kFolderUnusable, {folder})});
        EXPECT_EQ(settings.paths(), fixture.state.paths);
    }
}

TEST_F(MainWindow, AnUnreadableVellConfIniIsSaidAndTheDefaultsHold) {
    dialog->Destroy();
    const fs::path ini = fixture.state.sideFolder / "VellConf.ini";
    std::ofstream(ini).close();
    fs::resize_file(ini, kMaxTextFileBytes + 1);
    dialog = new CMainDlg(fixture.state, fixture.services);
    EXPECT_EQ(fixture.services.errors, std::vector<std::string>{std::string(messages::kToolSettingsOpenFailed)});
    EXPECT_EQ(fixture.state.paths, (ToolPaths{std::string(kDefaultSetPath), std::string(kDefaultLibPath)}));
}

TEST_F(MainWindow, ToolSettingsBrowseFillsTheFieldWithAFolderItCanKeep) {
    fixture.services.folders = {aiFolder / "chosen", std::nullopt, aiFolder.path() / toPath(fromUtf8("게임"))};
    CToolSettingsDlg settings(dialog, fixture.state.paths, fixture.services);
    test::click(static_cast<wxButton*>(settings.FindWindow(ids::kBrowseSetPath)));
    EXPECT_EQ(static_cast<wxTextCtrl*>(settings.FindWindow(ids::kSetPathEdit))->GetValue(),
              fromPath(aiFolder / "chosen"));
    EXPECT_EQ(fixture.services.initialFolders.back(), aiFolder.path());
    // Cancelled, or a folder whose name CP932 cannot hold: the field keeps
    // what it had, the second with a message.
    for (int i = 0; i < 2; ++i) test::click(static_cast<wxButton*>(settings.FindWindow(ids::kBrowseLibPath)));
    EXPECT_EQ(static_cast<wxTextCtrl*>(settings.FindWindow(ids::kLibPathEdit))->GetValue(), fromPath(libFolder.path()));
    ASSERT_EQ(fixture.services.errors.size(), 1u);
    EXPECT_NE(fixture.services.errors[0].find("게임"), std::string::npos);
}

// Runs checks on a modal dialog of type T and closes it with their answer.
template <typename T>
class ExpectModalChecked : public wxExpectModalBase<T> {
public:
    explicit ExpectModalChecked(std::function<int(T*)> checks) : checks_(std::move(checks)) {}

protected:
    int OnInvoked(T* dlg) const override { return checks_(dlg); }

private:
    std::function<int(T*)> checks_;
};

// The real folder browser, started from a browse button: its caption, the
// title above the tree, the initial folder selected, and OK giving it back.
TEST_F(MainWindow, TheFolderBrowserShowsItsTitleAndStartsAtTheInitialFolder) {
    const fs::path deep = aiFolder / "ユーザー" / "AI";
    fs::create_directories(deep);
    struct Case {
        fs::path initial, expected;
        int button;
    };
    for (const Case& c : {Case{deep, deep, wxID_OK},
                          Case{deep / "missing" / "deeper", deep, wxID_OK},  // as far down as folders exist
                          Case{deep, fs::path(), wxID_CANCEL}}) {
        std::optional<fs::path> chosen;
        auto check = [&](CFolderBrowseDlg* browser) {
            EXPECT_EQ(browser->GetTitle(), fromUtf8("フォルダの参照"));
            EXPECT_EQ(browser->FindWindow(ids::kFolderTitle)->GetLabel(), fromUtf8("▼ 題"));
            EXPECT_EQ(browser->FindWindow(wxID_CANCEL)->GetLabel(), fromUtf8("ｷｬﾝｾﾙ"));
            EXPECT_EQ(browser->chosenFolder(), deep);
            wxTreeCtrl* tree = static_cast<wxGenericDirCtrl*>(browser->FindWindow(ids::kFolderTree))->GetTreeCtrl();
            wxRect selected;  // in view, not scrolled away
            EXPECT_TRUE(tree->GetBoundingRect(tree->GetSelection(), selected, true) &&
                        wxRect(tree->GetClientSize()).Contains(selected));
            EXPECT_TRUE(browser->FindWindow(wxID_OK)->IsEnabled());
            test::expectLayoutFits(browser);
            return c.button;
        };
        WxDialogServices real;
        wxTEST_DIALOG(chosen = real.chooseFolder(dialog, "▼ 題", c.initial),
                      ExpectModalChecked<CFolderBrowseDlg>(check));
        EXPECT_EQ(chosen.value_or(fs::path()), c.expected) << c.initial;
    }
}

// The overwrite question, the missing-file box and the memo's warning are
// captioned in Japanese, or with the program's name: on their title bar, and
// in the name the desktop's accessibility tools read (GTK's own message box
// would give its icon's name there, "Warning").
TEST_F(MainWindow, MessageBoxesAreCaptionedInJapanese) {
    WxDialogServices real;
    WxFileChoiceSteps fileChoice(dialog);
    std::vector<wxString> captions;
    const auto answer = [&captions] {
        return ExpectModalChecked<MessageDialogBase>([&captions](MessageDialogBase* box) {
            captions.push_back(box->GetTitle());
            return wxID_NO;
        });
    };
    wxTEST_DIALOG(fileChoice.confirmOverwrite("question"), answer());
    wxTEST_DIALOG(fileChoice.tell("missing"), answer());
    wxTEST_DIALOG(real.showWarning(dialog, "warning"), answer());
    wxTEST_DIALOG(real.showError(dialog, "error"), answer());
    EXPECT_EQ(captions, (std::vector<wxString>{fromUtf8("名前を付けて保存の確認"), fromUtf8("開く"), "VellConf",
                                               fromUtf8("エラー")}));
#ifdef __WXGTK__
    // GTK names a window only once it is shown: read while the box is up.
    wxString name;
    wxTheApp->CallAfter([&name] {
        for (wxWindow* window : wxTopLevelWindows)
            if (auto* box = dynamic_cast<MessageDialogBase*>(window); box && box->IsShown()) {
                name = wxString::FromUTF8(atk_object_get_name(gtk_widget_get_accessible(box->GetHandle())));
                box->EndModal(wxID_OK);
            }
    });
    real.showWarning(dialog, "warning");
    EXPECT_EQ(name, "VellConf");
#endif
}

TEST_F(MainWindow, EveryDialogShowsAllItsText) {
    CNoticeDlg notice(dialog);
    test::expectLayoutFits(&notice);
    CToolSettingsDlg settings(dialog, fixture.state.paths, fixture.services);
    test::expectLayoutFits(&settings);
}

// Every page lies whole inside the tab control, and shows all its text.
void expectEveryPageWhole(CMainDlg* dialog) {
    test::expectLayoutFits(dialog);
    const wxRect tabs = dialog->FindWindow(ids::kTabs)->GetScreenRect();
    for (int tab = 0; tab < CMainDlg::kTabCount; ++tab) {
        dialog->selectTab(tab);
        const CPage* page = dialog->page(tab);
        EXPECT_TRUE(tabs.Contains(page->GetScreenRect())) << "tab " << tab;
        EXPECT_GE(page->GetSize().x, page->GetMinSize().x) << "tab " << tab;
        EXPECT_GE(page->GetSize().y, page->GetMinSize().y) << "tab " << tab;
        test::expectLayoutFits(const_cast<CPage*>(page));
    }
}

// Whatever the screen's size and scale (tools/build-windows runs this at
// 144 dpi on 1366 x 768 and at 192 dpi on 1920 x 1080 as well), the window
// opens inside its screen's work area, centred, and shows every page whole.
TEST_F(MainWindow, TheWindowOpensCentredInsideTheScreenWithEveryPageWhole) {
    const wxRect area = wxDisplay(0u).GetClientArea();
    const wxRect frame = dialog->GetScreenRect();
    EXPECT_TRUE(area.Contains(frame)) << frame.x << "," << frame.y << " " << frame.width << "x" << frame.height;
    EXPECT_LE(std::abs((frame.x - area.x) - (area.GetRight() - frame.GetRight())), 1);
    EXPECT_LE(std::abs((frame.y - area.y) - (area.GetBottom() - frame.GetBottom())), 1);
    expectEveryPageWhole(dialog);
}

// Moved to a screen of another scale, the window takes that scale's font and
// lays itself out again for it.
TEST_F(MainWindow, AScaleChangeLaysTheWindowOutAgain) {
    for (int tab : {0, 4, 7}) dialog->selectTab(tab);
    const int exitWidth = button(ids::kExit)->GetSize().x;
    // What the toolkit does when the window reaches a screen of twice the
    // scale: every window takes that scale's font, then the window hears of it.
    const std::function<void(wxWindow*)> scaleFont = [&](wxWindow* window) {
        window->SetFont(window->GetFont().Scaled(2));
        for (wxWindow* child : window->GetChildren()) scaleFont(child);
    };
    scaleFont(dialog);
    wxDPIChangedEvent changed(dialog->GetDPI(), dialog->GetDPI() * 2);
    changed.SetEventObject(dialog);
    dialog->ProcessWindowEvent(changed);
    test::yieldToWindow();
    EXPECT_GE(button(ids::kExit)->GetSize().x, exitWidth * 3 / 2);
    EXPECT_TRUE(wxDisplay(0u).GetClientArea().Contains(dialog->GetScreenRect()));
    expectEveryPageWhole(dialog);
}

TEST_F(MainWindow, NoticeOpensAndClosesWithoutChangingAnything) {
    const AiSettings before = fixture.state.settings;
    for (int i = 0; i < 2; ++i) wxTEST_DIALOG(press(ids::kNotice), wxExpectDismissableModal<CNoticeDlg>(wxID_OK));
    EXPECT_EQ(fixture.state.settings, before);
}

}  // namespace
}  // namespace vellconf
