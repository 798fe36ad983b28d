// Start-up and sorting figures of the window under a virtual display. Run it
// through tools/bench-gui.
//
// Without arguments it is the parent: it writes two scratch program folders
// (an empty MobData.ini, 5,000 monsters) and starts this same program again
// as a child per measurement, so that every figure holds what a user waits
// for: the process start, the toolkit's start, the application's set-up and
// the window up to its first painted frame. A bare wx dialog started the same
// way is the yardstick: what the main window costs beyond it is ours.
//
// The children:
//   --bare DIR   a wxDialog with one button
//   --main DIR   the main window, DIR being its program folder
//   --sort DIR   five header-click sorts of the monster list, one per window,
//                then the first opening of every tab of one more window
// Each does the application's own set-up first, shows its window and writes
// "shown" to stdout once the window has been painted.

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <wx/app.h>
#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/listctrl.h>
#include <wx/sizer.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "res/dialog_templates.h"
#include "ui/dialog_services.h"
#include "ui/japanese_texts.h"
#include "ui/main_dlg.h"

extern char** environ;

namespace {

using namespace vellconf;
using Clock = std::chrono::steady_clock;

constexpr int kRounds = 5;
constexpr int kMonsters = 5000;

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void writeMobData(const std::filesystem::path& file, int monsters) {
    std::ofstream out(file, std::ios::binary);
    for (int i = 0; i < monsters; ++i) {
        out << 1000 + i << " monster" << (i * 7919) % 5000;
        for (int column = 2; column < 20; ++column) out << ' ' << (i * 31 + column * 17) % 997;
        out << "\r\n";
    }
}

// ---- the children ----------------------------------------------------------

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

class BenchChild : public wxApp {
public:
    // The same set-up as CConfApp::OnInit in every mode, the scratch folder
    // standing in for the program's folder: the bare dialog must pay for
    // exactly what the main window pays for before it is created.
    bool OnInit() override {
        if (argc != 3) return false;
        mode_ = argv[1].ToStdString();
        state_.sideFolder = argv[2].ToStdString();
        useJapaneseTexts(state_.sideFolder);
        return mode_ == "--bare" || mode_ == "--main" || mode_ == "--sort";
    }

    // The window is created here, where CConfApp creates its own.
    int OnRun() override {
        if (mode_ == "--sort") {
            for (int run = 0; run < kRounds; ++run) {
                auto* dialog = showMainWindow();
                std::printf("sort %.4f\n", sortByHeader(dialog));
                dialog->Destroy();
                Yield(true);
            }
            auto* dialog = showMainWindow();
            for (int tab = 1; tab < CMainDlg::kTabCount; ++tab) std::printf("tab %d %.4f\n", tab, openTab(dialog, tab));
            dialog->Destroy();
        } else {
            wxDialog* dialog = mode_ == "--bare" ? showBareDialog() : showMainWindow();
            // The parent stops its clock on this line: nothing may stay in the buffer.
            std::fputs("shown\n", stdout);
            std::fflush(stdout);
            dialog->Destroy();
        }
        std::fflush(stdout);
        return 0;
    }

private:
    template <class Window>
    Window* shown(Window* window) {
        window->Show();
        window->Update();
        Yield(true);
        return window;
    }

    wxDialog* showBareDialog() {
        auto* dialog = new wxDialog(nullptr, wxID_ANY, "VellConf");
        auto* column = new wxBoxSizer(wxVERTICAL);
        column->Add(new wxButton(dialog, wxID_OK, "OK"), 0, wxALL, 10);
        dialog->SetSizerAndFit(column);
        return shown(dialog);
    }

    CMainDlg* showMainWindow() { return shown(new CMainDlg(state_, services_)); }

    // From the click on a column header until the list has repainted.
    static double sortByHeader(CMainDlg* dialog) {
        dialog->selectTab(4);
        auto* list = static_cast<wxListCtrl*>(dialog->FindWindow(templates::ids::kMonsterList));
        wxListEvent click(wxEVT_LIST_COL_CLICK, list->GetId());
        click.SetEventObject(list);
        click.SetColumn(2);
        const auto start = Clock::now();
        list->ProcessWindowEvent(click);
        list->Update();
        return millisecondsSince(start);
    }

    // From the click on a tab never opened until its page has painted.
    double openTab(CMainDlg* dialog, int tab) {
        const auto start = Clock::now();
        dialog->selectTab(tab);
        dialog->Update();
        Yield(true);
        return millisecondsSince(start);
    }

    std::string mode_;
    AppState state_;
    SilentServices services_;
};

// ---- the parent ------------------------------------------------------------

struct ChildRun {
    double shownMs = 0;               // from the spawn until "shown" was read
    std::vector<std::string> lines;  // everything the child wrote to stdout
};

// Starts this program with `mode folder`, its stdout on a pipe, and waits for it.
ChildRun runChild(const char* mode, const std::filesystem::path& folder) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) throw std::runtime_error("pipe failed");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[1]);
    const std::string folderText = folder.string();
    char* childArgv[] = {const_cast<char*>("vellconf_gui_bench"), const_cast<char*>(mode),
                         const_cast<char*>(folderText.c_str()), nullptr};

    ChildRun run;
    pid_t pid = 0;
    const auto start = Clock::now();
    const int spawned = posix_spawn(&pid, "/proc/self/exe", &actions, nullptr, childArgv, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    if (spawned != 0) throw std::runtime_error(std::string("posix_spawn failed: ") + std::strerror(spawned));

    std::string pending;
    std::array<char, 4096> buffer;
    for (;;) {
        const ssize_t n = read(pipeEnds[0], buffer.data(), buffer.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        pending.append(buffer.data(), static_cast<std::size_t>(n));
        for (std::size_t end; (end = pending.find('\n')) != std::string::npos; pending.erase(0, end + 1)) {
            run.lines.push_back(pending.substr(0, end));
            if (run.lines.back() == "shown") run.shownMs = millisecondsSince(start);
        }
    }
    close(pipeEnds[0]);

    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error(std::string("the child ") + mode + " did not end with status 0");
    if (std::strcmp(mode, "--sort") != 0 && run.shownMs == 0)
        throw std::runtime_error(std::string("the child ") + mode + " never wrote \"shown\"");
    return run;
}

int runParent() {
    const auto scratch = std::filesystem::temp_directory_path() / ("vellconf-gui-bench-" + std::to_string(getpid()));
    const auto emptyFolder = scratch / "empty";
    const auto fullFolder = scratch / "monsters";
    std::filesystem::create_directories(emptyFolder);
    std::filesystem::create_directories(fullFolder);
    writeMobData(emptyFolder / "MobData.ini", 0);
    writeMobData(fullFolder / "MobData.ini", kMonsters);

    struct Start {
        const char* mode;
        std::filesystem::path folder;
        std::vector<double> ms;
    };
    std::array<Start, 3> starts{{{"--bare", emptyFolder, {}}, {"--main", emptyFolder, {}}, {"--main", fullFolder, {}}}};
    int status = 0;
    try {
        // A first round that is not counted fills the page cache with the
        // libraries. Each round starts at the next of the three, so that none
        // always runs first.
        for (int round = -1; round < kRounds; ++round) {
            for (int i = 0; i < 3; ++i) {
                Start& start = starts[static_cast<std::size_t>((round + 1 + i) % 3)];
                const double ms = runChild(start.mode, start.folder).shownMs;
                if (round >= 0) start.ms.push_back(ms);
            }
        }
        std::vector<double> sorts, tabs;
        for (const auto& line : runChild("--sort", fullFolder).lines) {
            if (line.starts_with("sort ")) sorts.push_back(std::stod(line.substr(5)));
            if (line.starts_with("tab ")) tabs.push_back(std::stod(line.substr(line.rfind(' '))));
        }
        if (sorts.size() != kRounds || tabs.size() != CMainDlg::kTabCount - 1)
            throw std::runtime_error("the sorting child did not give its figures");

        const double bare = median(starts[0].ms), empty = median(starts[1].ms), full = median(starts[2].ms);
        std::printf("%d rounds of the three starts in rotating order, after one warm-up round\n", kRounds);
        std::printf("bare wx dialog shown: median %.1f ms of %d\n", bare, kRounds);
        std::printf("main window shown, empty MobData.ini: median %.1f ms of %d (%.2fx the bare dialog)\n", empty,
                    kRounds, empty / bare);
        std::printf("main window shown, 5,000 monsters: median %.1f ms of %d (%.2fx the bare dialog, %.2fx the empty start)\n",
                    full, kRounds, full / bare, full / empty);
        std::printf("header-click sort of 5,000 rows: median %.1f ms of %d\n", median(sorts), kRounds);
        std::printf("first opening of each other tab, 5,000 monsters: median %.1f ms, slowest %.1f ms\n",
                    median(tabs), *std::max_element(tabs.begin(), tabs.end()));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "vellconf_gui_bench: %s\n", error.what());
        status = 1;
    }
    std::filesystem::remove_all(scratch);
    return status;
}

}  // namespace

wxIMPLEMENT_APP_NO_MAIN(BenchChild);

// The parent needs no toolkit; a child starts through wxEntry as the program does.
int main(int argc, char** argv) {
    if (argc == 1) return runParent();
    return wxEntry(argc, argv);
}
