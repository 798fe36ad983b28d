// Opens the main window on a fresh state and writes a PNG of every tab with
// ImageMagick's `import`, for the README. Run it under xvfb-run (tools/screenshots).

#include <wx/app.h>
#include <wx/tglbtn.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/app_state.h"
#include "config/settings_catalogue.h"
#include "ui/dialog_services.h"
#include "ui/main_dlg.h"

namespace {

using namespace vellconf;

class ScreenshotApp : public wxApp {
public:
    bool OnInit() override {
        if (argc < 2) {
            std::fprintf(stderr, "usage: vellconf_screenshots OUTPUT_FOLDER\n");
            return false;
        }
        const std::filesystem::path output(std::string(argv[1].utf8_str()));
        state_.settings = startupSettings();
        state_.sideFolder = programFolder();
        auto* dialog = new CMainDlg(state_, services_);
        dialog->Move(0, 0);
        dialog->Show();
        for (int tab = 0; tab < CMainDlg::kTabCount; ++tab) {
            dialog->selectTab(tab);
            for (int i = 0; i < 20; ++i) Yield(true);
            wxMilliSleep(200);
            Yield(true);
            const wxRect frame = dialog->GetScreenRect();
            const std::string command = "import -window root -crop " + std::to_string(frame.width) + "x" +
                                        std::to_string(frame.height) + "+" + std::to_string(frame.x) + "+" +
                                        std::to_string(frame.y) + " '" +
                                        (output / ("tab-" + std::to_string(tab) + ".png")).string() + "'";
            if (std::system(command.c_str()) != 0) std::fprintf(stderr, "failed: %s\n", command.c_str());
        }
        dialog->Destroy();
        return false;
    }

private:
    AppState state_;
    WxDialogServices services_;
};

}  // namespace

wxIMPLEMENT_APP_CONSOLE(ScreenshotApp);
