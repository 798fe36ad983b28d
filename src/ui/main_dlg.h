#pragma once
// The main window: fifteen tab pages, a picture and the seven command buttons.

#include <wx/dialog.h>

#include <array>
#include <filesystem>
#include <optional>

#include "app/app_state.h"
#include "config/config_io.h"
#include "ui/dialog_units.h"

class wxBookCtrlBase;

namespace vellconf {

class CPage;
class CTabStrip;
class DialogServices;

class CMainDlg final : public wxDialog {
public:
    static constexpr int kTabCount = 15;

    // Reads VellConf.ini, MobData.ini and Friend.ini, takes every page's
    // bound values from the settings, and builds the first page.
    CMainDlg(AppState& state, DialogServices& services, wxWindow* parent = nullptr);

    // As a click on the tab would.
    void selectTab(int index);
    int selectedTab() const { return selected_; }
    // The control that holds the tabs: Windows' own tab control, elsewhere our strip.
    wxWindow* tabHeader() const { return header_; }
    CTabStrip* tabStrip() const { return tabs_; }  // none on Windows
    // A page, built or not (ensureBuilt builds it).
    CPage* page(int index) const { return pages_[static_cast<std::size_t>(index)]; }

private:
    // Creates the tab header and the pages in `area`; returns the window that holds them.
    void readSideFiles();
    wxWindow* createTabs(const DialogRect& area);
    void createPages(wxBookCtrlBase* book);
    void onExit();
    void onToolSettings();
    void onAiLoad();
    void onAiSave();
    void onSpecifiedLoad();
    void onSpecifiedSave();
    void onClose(wxCloseEvent& event);

    // Binds a command button so that typed text is committed before it runs.
    void bindCommand(int id, void (CMainDlg::*command)());
    void save(const std::optional<std::filesystem::path>& target);
    void load(const std::optional<std::filesystem::path>& source, LoadKind kind);
    std::filesystem::path libFolder() const;

    AppState& state_;
    DialogServices& services_;
    std::array<CPage*, kTabCount> pages_{};
    wxWindow* header_ = nullptr;
    CTabStrip* tabs_ = nullptr;
    wxBookCtrlBase* book_ = nullptr;
    int selected_ = 0;
};

}  // namespace vellconf
