// Opens the main window on a fresh state, clicks every tab with the mouse and
// writes a PNG of each with ImageMagick's `import`, for the README. Run it
// under xvfb-run (tools/screenshots), or under Wine by tools/smoke-windows.
// It fails when a click does not show its page with the page's controls.

#include <wx/app.h>
#include <wx/uiaction.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/app_state.h"
#include "config/settings_catalogue.h"
#include "ui/dialog_services.h"
#include "ui/folder_browse_dlg.h"
#include "ui/japanese_texts.h"
#include "ui/main_dlg.h"
#include "ui/page.h"
#include "ui/wx_text.h"

namespace {

using namespace vellconf;

class ScreenshotApp : public wxApp {
public:
    bool OnInit() override {
        if (argc < 2) {
            std::fprintf(stderr, "usage: vellconf_screenshots OUTPUT_FOLDER\n");
            return false;
        }
        output_ = std::filesystem::absolute(toPath(argv[1]));
        state_.sideFolder = programFolder();
        useJapaneseTexts(state_.sideFolder);
        return true;
    }

    int OnRun() override {
        CMainDlg dialog(state_, services_);
        dialog.Move(0, 0);
        // The shots are taken from inside the window's own event loop: outside
        // one, Windows' controls never paint.
        dialog.CallAfter([this, &dialog] {
            for (int tab = 0; tab < CMainDlg::kTabCount; ++tab) {
                const std::string name = "tab-" + std::to_string(tab);
                click(dialog.tabRectOnScreen(tab), output_ / (name + ".click"));
                if (!showsItsPage(dialog, tab)) {
                    std::fprintf(stderr, "a click on tab %d did not show its page\n", tab);
                    status_ = 1;
                }
                shoot(&dialog, output_ / (name + ".png"));
            }
            CFolderBrowseDlg browser(&dialog, "▼ カスタムＡＩフォルダの設定 (AI\\USER_AI\\)", output_);
            browser.Move(0, 0);
            browser.Show();
            shoot(&browser, output_ / "folder-browser.png");
            dialog.EndModal(wxID_OK);
        });
        dialog.ShowModal();
        return status_;
    }

private:
    static bool showsItsPage(const CMainDlg& dialog, int tab) {
        const CPage* page = dialog.page(tab);
        return dialog.selectedTab() == tab && page->IsShownOnScreen() && page->isBuilt() &&
               !page->GetChildren().empty();
    }

    // A mouse click in the middle of `where`, then time for the window to take it.
    void click(const wxRect& where, const std::filesystem::path& request) {
        const wxPoint at = where.GetPosition() + wxPoint(where.width / 2, where.height / 2);
#ifdef __WXMSW__
        // From outside, as the user's mouse: tools/smoke-windows clicks where
        // the request file says and removes it.
        std::ofstream(request) << at.x << ' ' << at.y << '\n';
        waitWhileExists(request);
#else
        (void)request;
        wxUIActionSimulator mouse;
        mouse.MouseMove(at);
        mouse.MouseClick();
#endif
        for (int i = 0; i < 5; ++i) {
            Yield(true);
            wxMilliSleep(20);
        }
    }

    void waitWhileExists(const std::filesystem::path& request) {
        for (int waited = 0; std::filesystem::exists(request) && waited < 300; ++waited) {
            Yield(true);  // the window keeps painting meanwhile
            wxMilliSleep(100);
        }
    }

    void shoot(wxWindow* window, std::filesystem::path file) {
        // Long enough for the theme's transitions of controls just built to end.
        for (int i = 0; i < 10; ++i) {
            Yield(true);
            wxMilliSleep(50);
        }
#ifdef __WXMSW__
        // Inside Wine a window cannot read back its children's pixels: it asks
        // the Linux side (tools/smoke-windows) for a shot of its place on the
        // screen through a request file, and waits until that is taken.
        // The client area only: with no window manager under Wine the frame is not drawn.
        const wxRect frame(window->ClientToScreen(wxPoint(0, 0)), window->GetClientSize());
        const std::filesystem::path request = file.replace_extension(".request");
        std::ofstream(request) << frame.x << ' ' << frame.y << ' ' << frame.width << ' ' << frame.height << '\n';
        waitWhileExists(request);
#else
        const wxRect frame = window->GetScreenRect();
        const std::string command = "import -window root -crop " + std::to_string(frame.width) + "x" +
                                    std::to_string(frame.height) + "+" + std::to_string(frame.x) + "+" +
                                    std::to_string(frame.y) + " '" + file.string() + "'";
        if (std::system(command.c_str()) != 0) std::fprintf(stderr, "failed: %s\n", command.c_str());
#endif
    }

    std::filesystem::path output_;
    int status_ = 0;
    AppState state_;
    WxDialogServices services_;
};

}  // namespace

wxIMPLEMENT_APP_CONSOLE(ScreenshotApp);
