// The main window under a virtual display: tabs, the command buttons and the dialogs they open (the file dialogs
// answered by a fake), and whole commands from the pages' controls to the saved file and back.

#include "ui/main_dlg.h"

#include <gtest/gtest.h>
#include <wx/dirctrl.h>
#include <wx/display.h>
#include <wx/listctrl.h>
#include <wx/testing.h>

#ifdef __WXGTK__
#include <gtk/gtk.h>
#endif

#include <functional>

#include "config/config_writer.h"
#include "config/messages.h"
#include "gui_test_support.h"
#include "res/dialog_templates.h"
#include "ui/folder_browse_dlg.h"
#include "ui/friend_help_dlg.h"
#include "ui/message_dialog.h"
#include "ui/notice_dlg.h"
#include "ui/tool_settings_dlg.h"
#include "ui/wx_text.h"
#include "version.h"

namespace vellconf {
namespace {

namespace fs = std::filesystem;
namespace ids = templates::ids;
using test::writeBytes;
using Messages = std::vector<std::string>;

enum Tab { kBasic, kAttack1, kAttack2, kRotate, kEnemy, kFriend, kMemo, kMoonlight };

std::size_t entriesOf(const fs::path& folder) {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

// A mouse click on a tab of the header, to Windows' tab control or to our strip.
void clickTab(CMainDlg* dialog, int index) {
    dialog->Raise();
    test::yieldToWindow();
    const wxRect tab = dialog->tabRectOnScreen(index);
    test::mouseClick(dialog->tabHeader(), dialog->tabHeader()->ScreenToClient(tab.GetPosition() + tab.GetSize() / 2),
                     [&] { return dialog->selectedTab() == index; });
}

using test::MainWindow;

// --- Tabs and the keyboard

TEST_F(MainWindow, AMouseClickOnATabShowsItsPageWithItsControls) {
    EXPECT_EQ(dialog->GetTitle(), fromUtf8("ヴェルＡＩ 設定ファイル作成ツール Ver." VELLCONF_VERSION));
    EXPECT_EQ(dialog->selectedTab(), 0);
    for (int i : {4, 14, 1, 0, 7, 6, 5, 13, 2, 3, 8, 9, 10, 11, 12}) {
        clickTab(dialog, i);
        EXPECT_EQ(dialog->selectedTab(), i);
        for (int j = 0; j < CMainDlg::kTabCount; ++j)
            EXPECT_EQ(dialog->page(j)->IsShown(), j == i) << "tab " << i << " page " << j;
        EXPECT_TRUE(dialog->page(i)->isBuilt()) << "tab " << i;
        EXPECT_FALSE(dialog->page(i)->GetChildren().empty()) << "tab " << i;
        for (const wxWindow* control : dialog->page(i)->GetChildren())
            EXPECT_TRUE(!control->IsShown() || control->IsShownOnScreen()) << "tab " << i << ": " << test::describe(control);
    }
}

// The Tab key from the tab header runs through the page of the chosen tab, then the seven buttons, and back to the
// header, on every tab: built at start-up or when first chosen. GTK takes the keyboard's order once; Windows' dialog
// manager walks the windows as they stand (and Wine gives a test's simulated keys to no window).
#ifndef __WXMSW__
TEST_F(MainWindow, TheTabKeyRunsFromTheHeaderThroughThePageToTheButtons) {
    EXPECT_EQ(wxWindow::FindFocus(), dialog->tabHeader());
    const std::vector<int> buttons{ids::kExit,          ids::kNotice, ids::kToolSettings, ids::kSpecifiedLoad,
                                   ids::kSpecifiedSave, ids::kAiLoad, ids::kAiSave};
    for (int tab : {0, 1, 4, 5, 6, 12}) {  // built at start-up, and each kind of page built later
        clickTab(dialog, tab);
        dialog->tabHeader()->SetFocus();
        test::yieldToWindow();
        std::vector<const wxWindow*> inPage;
        std::vector<int> after;
        for (int press = 0; press < 80; ++press) {
            const wxWindow* before = wxWindow::FindFocus();
            wxUIActionSimulator().Char(WXK_TAB);
            test::waitUntil([&] { return wxWindow::FindFocus() != before; });
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
    // The window hears every key first (from `from`); the header its own.
    const auto pressKey = [&](wxEventType type, int keyCode, bool control, bool shift, wxWindow* from) {
        wxKeyEvent key(type);
        key.m_keyCode = keyCode;
        key.SetControlDown(control);
        key.SetShiftDown(shift);
        key.SetEventObject(from);
        (type == wxEVT_CHAR_HOOK ? dialog : from)->ProcessWindowEvent(key);
    };
    for (const auto& p : presses) {
        // Home, End and the arrows in the header are the native tab control's own on Windows.
        if (p.type != wxEVT_CHAR_HOOK && !dialog->tabStrip()) continue;
        pressKey(p.type, p.keyCode, p.control, p.shift, dialog->tabHeader());
        EXPECT_EQ(dialog->selectedTab(), p.tab) << p.keyCode;
        EXPECT_TRUE(dialog->page(p.tab)->IsShown()) << p.keyCode;
    }

    // A field being typed in is committed first, as a click on a tab does.
    auto* field = test::findNamed<wxTextCtrl>(page(kAttack1), "DistanceAttackArea");
    field->SetFocus();
    field->ChangeValue("20");
    pressKey(wxEVT_CHAR_HOOK, WXK_PAGEDOWN, true, false, field);
    EXPECT_EQ(state.settings.DistanceAttackArea, 14);
    EXPECT_EQ(dialog->selectedTab(), 2);
}

// --- The command buttons

TEST_F(MainWindow, ExitAndCloseWriteNothing) {
    const std::size_t sideFiles = entriesOf(state.sideFolder);
    for (int way = 0; way < 2; ++way) {
        if (way == 0) press(ids::kExit);
        else dialog->Close();
        test::yieldToWindow();
        dialog = nullptr;  // destroyed by the close
        EXPECT_EQ(entriesOf(aiFolder.path()) + entriesOf(libFolder.path()), 0u);
        EXPECT_EQ(entriesOf(state.sideFolder), sideFiles);
        if (way == 0) openWindow();
    }
}

TEST_F(MainWindow, SavesAndLoadsUseTheirFilesAndAFailureChangesNothing) {
    press(ids::kAiSave);  // right after start: the defaults
    EXPECT_EQ(saved(), test::testData("config/Config.lua"));
    services.filesToSave.push_back(libFolder / "mine.lua");
    press(ids::kSpecifiedSave);
    EXPECT_EQ(test::fileBytes(libFolder / "mine.lua"), test::testData("config/Config.lua"));
    EXPECT_EQ(services.initialFolders.back(), libFolder.path());

    AiSettings settings = startupSettings();
    settings.RotatePeriod = 50000;
    writeBytes(libFolder / "other.lua", writeConfigLua(settings, "", {}, {}));
    services.filesToLoad.push_back(libFolder / "other.lua");
    press(ids::kSpecifiedLoad);
    EXPECT_EQ(state.settings.RotatePeriod, 50000);
    press(ids::kSpecifiedSave);  // cancelled dialogs do nothing
    press(ids::kSpecifiedLoad);
    EXPECT_EQ(entriesOf(libFolder.path()), 2u);
    EXPECT_TRUE(services.errors.empty());

    // A load of a missing file or of one without settings, a save into a missing folder.
    const AppState before = state;
    for (const std::optional<std::string>& file : {std::optional<std::string>(), {""}, {"[CONFIG]\r\n"}}) {
        fs::remove(aiFolder / "Config.lua");
        if (file) writeBytes(aiFolder / "Config.lua", *file);
        services.errors.clear();
        press(ids::kAiLoad);
        EXPECT_EQ(services.errors, Messages{std::string(messages::kLoadOpenFailed)}) << file.value_or("missing");
        EXPECT_EQ(state.settings, before.settings);
        EXPECT_EQ(state.memo, before.memo);
    }
    services.errors.clear();
    state.paths.setPath = (aiFolder / "missing").string();
    press(ids::kAiSave);
    EXPECT_EQ(services.errors, Messages{std::string(messages::kSaveOpenFailed)});
    EXPECT_FALSE(fs::exists(aiFolder / "missing"));
}

// Side files missing or too large to read (sparse: no real file is this large) are said as the window opens.
TEST_F(MainWindow, SideFilesThatCannotBeReadAtStartAreSaid) {
    const struct {
        const char* file;
        std::uint64_t size;  // none: missing
        Messages errors;
    } cases[] = {
        {"VellConf.ini", kMaxTextFileBytes + 1, {std::string(messages::kToolSettingsOpenFailed)}},
        {"MobData.ini", 0, {std::string(messages::kMobDataOpenFailed)}},
        {"MobData.ini", kMaxMobDataBytes + 1, {std::string(messages::kMobDataOpenFailed)}},
        {"Friend.ini", kMaxTextFileBytes + 1, {std::string(messages::kFriendIniOpenFailed)}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file + std::string(" ") + std::to_string(c.size));
        writeSideFiles();
        const fs::path file = state.sideFolder / c.file;
        fs::remove(file);
        if (c.size) {
            std::ofstream(file).close();
            fs::resize_file(file, c.size);
        }
        services.errors.clear();
        state = AppState{};
        state.sideFolder = file.parent_path();
        openWindow();
        EXPECT_EQ(services.errors, c.errors);
        if (c.file == std::string("VellConf.ini")) {
            EXPECT_EQ(state.paths, (ToolPaths{std::string(kDefaultSetPath), std::string(kDefaultLibPath)}));
        }
        if (c.file == std::string("MobData.ini")) {
            EXPECT_TRUE(state.monsters.empty());
        }
    }
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

// The tool settings: a cancel writes nothing, OK rewrites VellConf.ini; a folder is refused, and the dialog stays
// open, when no file could be opened in it or when VellConf.ini would give back another folder.
TEST_F(MainWindow, ToolSettingsKeepOnlyAFolderTheyCanKeepAsTyped) {
    const fs::path ini = state.sideFolder / "VellConf.ini";
    const std::string before = test::fileBytes(ini).value();
    const std::string written = "[PATH]\r\nSetPath = \"" + cp932("C:\\ソース\\AI") + "\"\r\nLibPath = \"\"\r\n";
    for (const auto& [button, setPath, after] : {std::tuple{wxID_CANCEL, "X:\\nothing", before},
                                                 std::tuple{wxID_OK, "C:\\ソース\\AI", written}}) {
        wxTEST_DIALOG(press(ids::kToolSettings), ExpectModalChecked<CToolSettingsDlg>([&](CToolSettingsDlg* dlg) {
                          static_cast<wxTextCtrl*>(dlg->FindWindow(ids::kSetPathEdit))->ChangeValue(fromUtf8(setPath));
                          static_cast<wxTextCtrl*>(dlg->FindWindow(ids::kLibPathEdit))->ChangeValue("");
                          test::click(static_cast<wxButton*>(dlg->FindWindow(button)));
                          return button;
                      }));
        EXPECT_EQ(test::fileBytes(ini), after);
    }
    EXPECT_EQ(state.paths.setPath, cp932("C:\\ソース\\AI"));

    for (const std::string& folder : {aiFolder.path().string() + "/" + std::string(300, 'a'), std::string("C:\\게임\\AI"),
                                      std::string("C:\\ラグ〜ナロク"), std::string("C:\\\xF0\x9F\x98\x80")}) {
        services.errors.clear();
        CToolSettingsDlg settings(dialog, state.paths, services);
        static_cast<wxTextCtrl*>(settings.FindWindow(ids::kLibPathEdit))->ChangeValue(fromUtf8(folder));
        test::click(static_cast<wxButton*>(settings.FindWindow(wxID_OK)));
        EXPECT_EQ(services.errors, Messages{messages::withArgs(messages::kFolderUnusable, {folder})});
        EXPECT_EQ(settings.paths(), state.paths);
    }
}

TEST_F(MainWindow, ToolSettingsBrowseFillsTheFieldWithAFolderItCanKeep) {
    services.folders = {aiFolder / "chosen", std::nullopt, aiFolder.path() / toPath(fromUtf8("게임"))};
    CToolSettingsDlg settings(dialog, state.paths, services);
    test::click(static_cast<wxButton*>(settings.FindWindow(ids::kBrowseSetPath)));
    EXPECT_EQ(static_cast<wxTextCtrl*>(settings.FindWindow(ids::kSetPathEdit))->GetValue(),
              fromPath(aiFolder / "chosen"));
    EXPECT_EQ(services.initialFolders.back(), aiFolder.path());
    // Cancelled, or a folder whose name CP932 cannot hold: the field keeps what it had, the second with a message.
    for (int i = 0; i < 2; ++i) test::click(static_cast<wxButton*>(settings.FindWindow(ids::kBrowseLibPath)));
    EXPECT_EQ(static_cast<wxTextCtrl*>(settings.FindWindow(ids::kLibPathEdit))->GetValue(), fromPath(libFolder.path()));
    ASSERT_EQ(services.errors.size(), 1u);
    EXPECT_NE(services.errors[0].find("게임"), std::string::npos);
}

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

// The overwrite question, the missing-file box and the memo's warning are captioned in Japanese, or with the
// program's name: on their title bar, and in the name the desktop's accessibility tools read (GTK's own message box
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

// Whatever the screen's size and scale (tools/build-windows runs this at 144 dpi on 1366x768 and at 192 dpi on
// 1920x1080 as well), the window opens inside its screen's work area, centred; every page lies whole inside the tab
// control, and every page and dialog shows all its text.
void expectEveryPageWhole(CMainDlg* dialog) {
    test::expectLayoutFits(dialog);
    const wxWindow* tabs = dialog->FindWindow(ids::kTabs);
    for (int tab = 0; tab < CMainDlg::kTabCount; ++tab) {
        dialog->selectTab(tab);
        const CPage* page = dialog->page(tab);
        // In the tab control's own coordinates: screen positions lag while the window moves.
        wxRect inTabs = page->GetRect();
        for (const wxWindow* parent = page->GetParent(); parent != tabs; parent = parent->GetParent())
            inTabs.Offset(parent->GetPosition());
        EXPECT_TRUE(wxRect(tabs->GetClientSize()).Contains(inTabs)) << "tab " << tab;
        EXPECT_GE(page->GetSize().x, page->GetMinSize().x) << "tab " << tab;
        EXPECT_GE(page->GetSize().y, page->GetMinSize().y) << "tab " << tab;
        test::expectLayoutFits(const_cast<CPage*>(page));
    }
}

TEST_F(MainWindow, TheWindowOpensCentredInsideTheScreenWithEveryPageWhole) {
    const wxRect area = wxDisplay(0u).GetClientArea();
    const wxRect frame = dialog->GetScreenRect();
    EXPECT_TRUE(area.Contains(frame)) << frame.x << "," << frame.y << " " << frame.width << "x" << frame.height;
    EXPECT_LE(std::abs((frame.x - area.x) - (area.GetRight() - frame.GetRight())), 1);
    EXPECT_LE(std::abs((frame.y - area.y) - (area.GetBottom() - frame.GetBottom())), 1);
    expectEveryPageWhole(dialog);
    CNoticeDlg notice(dialog);
    CToolSettingsDlg settings(dialog, state.paths, services);
    CFriendHelpDlg help(dialog);
    for (wxDialog* other : std::initializer_list<wxDialog*>{&notice, &settings, &help}) test::expectLayoutFits(other);
}

// Moved to a screen of another scale, the window takes that scale's font and lays itself out again for it.
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

// --- Whole commands: the pages' controls, the saved file, a load

// One line per control of a page: what it shows, whether it is enabled and shown, and where it lies.
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

// A file whose load differs from the start-up state in every way a page shows: values no radio button writes, fields
// past their bounds, rotation off, a memo, and list IDs both known and unknown.
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

TEST_F(MainWindow, LoadTellsWhichLinesLostCharacters) {
    const std::string utf8 = *cp932ToUtf8(writeConfigLua(startupSettings(), "@\n" + cp932("狩場"), {}, {}));
    writeBytes(aiFolder / "Config.lua", utf8.substr(0, utf8.find('@')) + "caf\xC3\xA9 \xE2\x98\x83" +
                                            utf8.substr(utf8.find('@') + 1));
    press(ids::kAiLoad);
    EXPECT_TRUE(services.errors.empty());
    // The memo's first line is line 14 of the file.
    EXPECT_EQ(services.warnings,
              Messages{messages::withArgs(messages::kLoadLostCharacters,
                                          {messages::withArgs(messages::kLossyLine, {"14", "caf? ?"}) + "\n"})});
    EXPECT_EQ(state.memo, cp932("caf? ?\n狩場"));
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

TEST_F(MainWindow, PagesBuiltAfterALoadShowWhatPagesBuiltBeforeItShow) {
    writeBytes(aiFolder / "Config.lua", unusualConfig());
    AppState laterState;
    laterState.sideFolder = state.sideFolder;
    auto* later = new CMainDlg(laterState, services);
    later->Show();

    for (int tab = 0; tab < CMainDlg::kTabCount; ++tab) page(tab);
    press(ids::kAiLoad);
    editSomePages(dialog);
    test::click(static_cast<wxButton*>(later->FindWindow(ids::kAiLoad)));
    editSomePages(later);
    for (int tab = 0; tab < CMainDlg::kTabCount; ++tab) {
        later->selectTab(tab);
        test::yieldToWindow();
        EXPECT_EQ(shownBy(later->page(tab)), shownBy(page(tab))) << "tab " << tab;
    }

    press(ids::kAiSave);
    const std::string savedEarlier = saved();
    test::click(static_cast<wxButton*>(later->FindWindow(ids::kAiSave)));
    EXPECT_EQ(saved(), savedEarlier);
    EXPECT_EQ(laterState.settings, state.settings);
    later->Destroy();
}

TEST_F(MainWindow, SaveAfterALoadWithNoOtherPageShownWritesTheFileBack) {
    writeBytes(aiFolder / "Config.lua", unusualConfig());
    press(ids::kAiLoad);
    writeBytes(aiFolder / "Config.lua", "");
    press(ids::kAiSave);
    EXPECT_EQ(saved(), unusualConfig());
    for (int tab = 1; tab < CMainDlg::kTabCount; ++tab) EXPECT_FALSE(dialog->page(tab)->isBuilt()) << tab;
}

}  // namespace
}  // namespace vellconf
