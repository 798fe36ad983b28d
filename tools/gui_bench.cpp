// Start-up and sorting figures of the window under a virtual display: the main
// window with 5,000 monsters against an empty MobData.ini, and a header-click
// sort of 5,000 rows. Run it through tools/bench-gui.

#include <wx/app.h>
#include <wx/listctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <vector>

#include "app/app_state.h"
#include "config/settings_catalogue.h"
#include "res/dialog_templates.h"
#include "ui/dialog_services.h"
#include "ui/main_dlg.h"

namespace {

using namespace vellconf;
using Clock = std::chrono::steady_clock;

class SilentServices final : public DialogServices {
public:
    std::optional<std::filesystem::path> chooseFileToLoad(wxWindow*, const std::filesystem::path&) override { return {}; }
    std::optional<std::filesystem::path> chooseFileToSave(wxWindow*, const std::filesystem::path&) override { return {}; }
    std::optional<std::filesystem::path> chooseFolder(wxWindow*, std::string_view, const std::filesystem::path&) override {
        return {};
    }
    void showError(wxWindow*, std::string_view) override {}
    void showWarning(wxWindow*, std::string_view) override {}
};

void writeMobData(const std::filesystem::path& file, int monsters) {
    std::ofstream out(file, std::ios::binary);
    for (int i = 0; i < monsters; ++i) {
        out << 1000 + i << " monster" << (i * 7919) % 5000;
        for (int column = 2; column < 20; ++column) out << ' ' << (i * 31 + column * 17) % 997;
        out << "\r\n";
    }
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

class BenchApp : public wxApp {
public:
    bool OnInit() override {
        const auto folder = std::filesystem::temp_directory_path() / "vellconf-gui-bench";
        std::filesystem::create_directories(folder);
        for (const int monsters : {0, 5000}) {
            writeMobData(folder / "MobData.ini", monsters);
            std::vector<double> startups, sorts;
            for (int run = 0; run < 5; ++run) {
                AppState state;
                state.settings = startupSettings();
                state.sideFolder = folder;
                const auto start = Clock::now();
                auto* dialog = new CMainDlg(state, services_);
                dialog->Show();
                dialog->Update();
                Yield(true);
                startups.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
                if (monsters > 0) sorts.push_back(sortByHeader(dialog));
                dialog->Destroy();
                Yield(true);
            }
            std::printf("main window shown with %d monsters: median %.1f ms of 5 runs\n", monsters, median(startups));
            if (!sorts.empty()) std::printf("header-click sort of %d rows: median %.1f ms\n", monsters, median(sorts));
        }
        std::filesystem::remove_all(folder);
        return false;
    }

private:
    static double sortByHeader(CMainDlg* dialog) {
        dialog->selectTab(4);
        auto* list = static_cast<wxListCtrl*>(dialog->FindWindow(templates::ids::kMonsterList));
        wxListEvent click(wxEVT_LIST_COL_CLICK, list->GetId());
        click.SetEventObject(list);
        click.SetColumn(2);
        const auto start = Clock::now();
        list->ProcessWindowEvent(click);
        list->Update();
        return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    }

    SilentServices services_;
};

}  // namespace

wxIMPLEMENT_APP_CONSOLE(BenchApp);
