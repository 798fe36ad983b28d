#pragma once
// The main window: fifteen tab pages, a picture and the seven command buttons.

#include <wx/dialog.h>

#include <array>
#include <filesystem>
#include <memory>
#include <optional>

#include "app/app_state.h"
#include "config/config_io.h"
#include "ui/template_dialog.h"

class wxBookCtrlBase;
class wxDPIChangedEvent;
class wxStaticBitmap;

namespace vellconf {

class CPage;
class CTabStrip;
class DialogServices;

class CMainDlg final : public wxDialog {
public:
    static constexpr int kTabCount = 15;

    // Reads VellConf.ini, MobData.ini and Friend.ini, takes every page's
    // bound values from the settings, builds the first page, and opens
    // centred on the screen's work area, as large as the work area allows.
    CMainDlg(AppState& state, DialogServices& services, wxWindow* parent = nullptr);
    ~CMainDlg() override;

    // As a click on the tab would.
    void selectTab(int index);
    int selectedTab() const { return selected_; }
    // The control that holds the tabs: Windows' own tab control, elsewhere our strip.
    wxWindow* tabHeader() const { return header_; }
    CTabStrip* tabStrip() const { return tabs_; }  // none on Windows
    // Where a tab's label stands on the screen, for a click on it.
    wxRect tabRectOnScreen(int index) const;
    // A page, built or not (ensureBuilt builds it).
    CPage* page(int index) const { return pages_[static_cast<std::size_t>(index)]; }

private:
    void readSideFiles();
    // The tab header and the book of pages; returns the window that holds them.
    wxWindow* createTabs();
    void createPages(wxBookCtrlBase* book);
    // Places every window for the window's font: the pages at the size of
    // the largest, the tab control around them, the buttons and the picture.
    void layOut();
    // The pixel size of the tab control that holds pages of `page` pixels
    // under its rows of tabs, at least `design` large.
    wxSize tabControlSize(const wxSize& design, const wxSize& page);
    // Shrinks the font (and so the whole layout) until the window fits the
    // work area of its screen, then moves it into that area (centred at start).
    void fitToScreen(bool centre);
    void onDpiChanged(wxDPIChangedEvent& event);
    // Shows a tab's page, building it the first time.
    void showPage(int index);

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
    TemplateWindows controls_;  // the template's: the buttons and the tab control
    wxStaticBitmap* picture_ = nullptr;
    wxWindow* header_ = nullptr;
    CTabStrip* tabs_ = nullptr;
    wxBookCtrlBase* book_ = nullptr;
    int selected_ = 0;
    // The measurements of the font the window has now, and the page size they give.
    std::unique_ptr<WxTextMeasure> measure_;
    DialogSize pageSize_;
    // The part of the dialog font's size the window shows, below 1 where the
    // screen is too small for the whole of it.
    double fontScale_ = 1;
};

}  // namespace vellconf
