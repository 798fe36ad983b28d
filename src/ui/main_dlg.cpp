#include "ui/main_dlg.h"

#include <wx/button.h>
#include <wx/display.h>
#include <wx/notebook.h>
#include <wx/panel.h>
#include <wx/simplebook.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>

#include <algorithm>

#include "ui/lists/list_pages.h"
#include "pages/page_layout.h"
#include "ui/pages/setting_pages.h"
#include "res/artwork.h"
#include "res/dialog_templates.h"
#include "config/messages.h"
#include "ui/dialog_services.h"
#include "ui/notice_dlg.h"
#include "ui/tab_strip.h"
#include "ui/tool_settings_dlg.h"
#include "ui/wx_text.h"

#ifdef __WXMSW__
#include <wx/msw/wrapcctl.h>  // TabCtrl_AdjustRect
#endif

namespace vellconf {

namespace ids = templates::ids;

namespace {

// The tabs in the order they stand.
constexpr std::array<const char*, CMainDlg::kTabCount> kTabLabels = {
    "基本", "攻撃１", "攻撃２", "旋回", "敵登録", "友登録", "メモ", "ＭＬ",
    "ＣＡＰ", "ＦＭ", "ＯＳ", "ＤＥＦ", "ＣＶ", "ＥＡ", "ＴＨ",
};

enum Tab { kBasic, kAttack1, kAttack2, kRotate, kEnemy, kFriend, kMemo, kML, kCAP, kFM, kOS, kDEF, kCV, kEA, kTH };

}  // namespace

CMainDlg::CMainDlg(AppState& state, DialogServices& services, wxWindow* parent)
    : wxDialog(parent, wxID_ANY, wxString(), wxDefaultPosition, wxDefaultSize,
               wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX),
      state_(state),
      services_(services) {
    SetFont(dialogFont());
    SetTitle(fromUtf8(templates::mainDialog().caption));
    SetIcons(programIcons());
    readSideFiles();
    // Every page's bound values, from the settings as they stand when the window opens.
    state_.readPages(ReadOccasion::Init);

    // In the template's order, which is the keyboard's: the tab header first,
    // then the page, then the buttons. The focus starts on the header, so that
    // a key pressed right after start-up never lands on "終了".
    controls_ = makeControls(this, templates::mainDialog(), [this](const templates::Control& control) -> wxWindow* {
        if (control.kind == templates::Kind::Tabs) return createTabs();
        picture_ = new wxStaticBitmap(this, wxID_ANY, wxBitmap(pictureImage()));
        return picture_;
    });

    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { onExit(); }, ids::kExit);
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { CNoticeDlg(this).ShowModal(); }, ids::kNotice);
    bindCommand(ids::kToolSettings, &CMainDlg::onToolSettings);
    bindCommand(ids::kAiLoad, &CMainDlg::onAiLoad);
    bindCommand(ids::kAiSave, &CMainDlg::onAiSave);
    bindCommand(ids::kSpecifiedLoad, &CMainDlg::onSpecifiedLoad);
    bindCommand(ids::kSpecifiedSave, &CMainDlg::onSpecifiedSave);
    Bind(wxEVT_CLOSE_WINDOW, &CMainDlg::onClose, this);
    Bind(wxEVT_DPI_CHANGED, &CMainDlg::onDpiChanged, this);
    // Seen before the focused control, so that the shortcuts work from any field.
    Bind(wxEVT_CHAR_HOOK, [this](wxKeyEvent& key) {
        const auto tab =
            CTabStrip::tabForShortcut(selected_, kTabCount, key.GetKeyCode(), key.ControlDown(), key.ShiftDown());
        if (!tab) return key.Skip();
        selectTab(*tab);
        header_->SetFocus();
    });
    layOut();
    fitToScreen(true);
    selectTab(kBasic);
    header_->SetFocus();
}

CMainDlg::~CMainDlg() = default;

void CMainDlg::readSideFiles() {
    // A missing file is the normal first start and goes unsaid; one that is
    // there but cannot be read is said, and the tool goes on without it.
    const auto toolPaths = readToolPaths(state_.toolSettingsFile());
    state_.paths = toolPaths.value;
    if (existsButUnreadable(toolPaths.status)) services_.showError(this, messages::kToolSettingsOpenFailed);
    if (state_.readMonsters() != ReadStatus::Ok) services_.showError(this, messages::kMobDataOpenFailed);
    if (existsButUnreadable(state_.readFriends())) services_.showError(this, messages::kFriendIniOpenFailed);
}

#ifdef __WXMSW__

wxWindow* CMainDlg::createTabs() {
    // Windows' own tab control, its fifteen tabs in rows.
    auto* notebook = new wxNotebook(this, ids::kTabs, wxDefaultPosition, wxSize(1, 1), wxNB_MULTILINE);
    book_ = notebook;
    header_ = notebook;
    createPages(notebook);
    // What was typed into the page being left is committed first, as every switch
    // does; the page chosen is known only once it is shown: Windows names the page
    // being left as the selection while the switch is under way.
    notebook->Bind(wxEVT_NOTEBOOK_PAGE_CHANGING, [this](wxBookCtrlEvent& event) {
        page(selected_)->commitEdits();
        event.Skip();
    });
    notebook->Bind(wxEVT_NOTEBOOK_PAGE_CHANGED, [this](wxBookCtrlEvent& event) {
        showPage(event.GetSelection());
        event.Skip();
    });
    return notebook;
}

wxSize CMainDlg::tabControlSize(const wxSize& design, const wxSize& pageSize) {
    // The rows of tabs depend on the width alone: the width first, then what
    // the rows and the frame take of it, as the tab control reports them.
    auto* notebook = static_cast<wxNotebook*>(book_);
    const int width = std::max(design.x, pageSize.x + notebook->GetSize().x - notebook->GetClientSize().x + 8);
    notebook->SetSize(width, design.y);
    RECT area{0, 0, width, design.y};
    TabCtrl_AdjustRect(static_cast<HWND>(notebook->GetHandle()), FALSE, &area);
    const wxSize around(width - (area.right - area.left), design.y - (area.bottom - area.top));
    return {std::max(width, pageSize.x + around.x), std::max(design.y, pageSize.y + around.y)};
}

wxRect CMainDlg::tabRectOnScreen(int index) const {
    RECT tab{};
    TabCtrl_GetItemRect(static_cast<HWND>(header_->GetHandle()), index, &tab);
    return {header_->ClientToScreen(wxPoint(tab.left, tab.top)), wxSize(tab.right - tab.left, tab.bottom - tab.top)};
}

#else

wxWindow* CMainDlg::createTabs() {
    // Our strip of tab rows above a book of pages, in one panel.
    auto* host = new wxPanel(this, ids::kTabs, wxDefaultPosition, wxSize(1, 1));
    std::vector<wxString> labels;
    for (const char* label : kTabLabels) labels.push_back(fromUtf8(label));
    tabs_ = new CTabStrip(host, labels, [this](int index) { selectTab(index); });
    header_ = tabs_;
    book_ = new wxSimplebook(host);
    createPages(book_);
    auto* column = new wxBoxSizer(wxVERTICAL);
    column->Add(tabs_, 0, wxEXPAND);
    column->Add(book_, 1, wxEXPAND);
    host->SetSizer(column);
    return host;
}

wxRect CMainDlg::tabRectOnScreen(int index) const {
    const wxRect tab = tabs_->tabRect(index);
    return {tabs_->ClientToScreen(tab.GetPosition()), tab.GetSize()};
}

wxSize CMainDlg::tabControlSize(const wxSize& design, const wxSize& pageSize) {
    const int width = std::max(design.x, pageSize.x);
    return {width, std::max(design.y, tabs_->arrange(width) + pageSize.y)};
}

#endif

void CMainDlg::createPages(wxBookCtrlBase* book) {
    // Empty panels: each builds its controls when its tab is first shown.
    auto& p = pages_;
    p[kBasic] = new CBasicPage(book, state_, services_);
    p[kAttack1] = new CAttack1Page(book, state_, services_);
    p[kAttack2] = new CAttack2Page(book, state_, services_);
    p[kRotate] = new CRotatePage(book, state_, services_);
    p[kEnemy] = new CEnemyPage(book, state_, services_);
    p[kFriend] = new CFriendPage(book, state_, services_);
    p[kMemo] = new CMemoPage(book, state_, services_);
    p[kML] = new CMoonlightPage(book, state_, services_);
    p[kCAP] = new CCapricePage(book, state_, services_);
    p[kFM] = new CFleetMovePage(book, state_, services_);
    p[kOS] = new COveredSpeedPage(book, state_, services_);
    p[kDEF] = new CDefensePage(book, state_, services_);
    p[kCV] = new CChaoticBenedictionPage(book, state_, services_);
    p[kEA] = new CEmergencyAvoidPage(book, state_, services_);
    p[kTH] = new CTouchHealPage(book, state_, services_);
    for (int i = 0; i < kTabCount; ++i) book->AddPage(p[static_cast<std::size_t>(i)], fromUtf8(kTabLabels[static_cast<std::size_t>(i)]));
}

void CMainDlg::layOut() {
    measure_ = std::make_unique<WxTextMeasure>(this);
    const DialogScale& scale = measure_->scale();
    const templates::Dialog& design = templates::mainDialog();

    // Every page is as large as the largest needs.
    pageSize_ = kPageSize;
    for (const CPage* each : pages_) {
        const DialogSize needed = each->neededSize(*measure_);
        pageSize_ = {std::max(pageSize_.width, needed.width), std::max(pageSize_.height, needed.height)};
    }
    for (CPage* each : pages_) each->layOut(*measure_, pageSize_);

    // The tab control holds a page whole under however many rows its tabs
    // take; the buttons stand in a column as wide as their longest text, the
    // lower four and the picture following the tab control's bottom.
    const DialogRect designTabs = design.control(ids::kTabs).rect;
    const DialogSize tabs = scale.toUnits(tabControlSize(scale.toPixels(designTabs).GetSize(), scale.toPixels(pageSize_)));
    const DialogRect tabsRect{designTabs.x, designTabs.y, tabs.width, tabs.height};
    const DialogRect designPicture =
        std::ranges::find(design.controls, templates::Kind::Picture, &templates::Control::kind)->rect;
    const DialogRect designColumn = design.control(ids::kExit).rect;
    const int column = tabsRect.right() + designColumn.x - designTabs.right();
    const int lowered = tabsRect.bottom() - designTabs.bottom();
    int columnWidth = designColumn.width;
    for (const templates::Control& control : design.controls)
        if (control.kind == templates::Kind::Button)
            columnWidth = std::max(columnWidth, measure_->needed(TextLook::Button, control.text).width);

    for (std::size_t i = 0; i < design.controls.size(); ++i) {
        const templates::Control& control = design.controls[i];
        DialogRect at = control.rect;
        if (control.kind == templates::Kind::Tabs) {
            at = tabsRect;
        } else if (control.kind == templates::Kind::Picture) {
            at = {column - (designColumn.x - at.x), at.y, columnWidth + designColumn.x - at.x, at.height + lowered};
        } else {
            at = {column, at.y > designPicture.y ? at.y + lowered : at.y, columnWidth, at.height};
        }
        placeAt(controls_[i], scale, at);
    }
    // The picture keeps its proportions inside its place.
    const wxSize room = picture_->GetSize();
    const wxImage& image = pictureImage();
    const double fit = std::min(static_cast<double>(room.x) / image.GetWidth(), static_cast<double>(room.y) / image.GetHeight());
    const wxSize drawn(std::max(1, static_cast<int>(image.GetWidth() * fit)), std::max(1, static_cast<int>(image.GetHeight() * fit)));
    picture_->SetBitmap(wxBitmap(image.Scale(drawn.x, drawn.y, wxIMAGE_QUALITY_HIGH)));
    picture_->SetSize(wxRect(picture_->GetPosition() + (room - drawn) / 2, drawn));

    SetClientSize(scale.toPixels(DialogSize{column + columnWidth + design.width - designColumn.right(),
                                            tabsRect.bottom() + design.height - designTabs.bottom()}));
    header_->GetParent()->Layout();
    Refresh();
}

namespace {

// Gives every window below `root` the font, as wx gives a window's font to the
// children made after it.
void setFontOfAll(wxWindow* root, const wxFont& font) {
    root->SetFont(font);
    for (wxWindow* child : root->GetChildren())
        if (!child->IsTopLevel()) setFontOfAll(child, font);
}

wxRect workAreaOf(const wxWindow* window) {
    const int display = wxDisplay::GetFromWindow(window);
    return wxDisplay(display == wxNOT_FOUND ? 0u : static_cast<unsigned>(display)).GetClientArea();
}

}  // namespace

void CMainDlg::fitToScreen(bool centre) {
    const wxRect area = workAreaOf(this);
    // Text does not shrink exactly with the font: a few rounds at most.
    for (int round = 0; round < 4; ++round) {
        const wxSize client = GetClientSize();
        const wxSize room = area.GetSize() - (GetSize() - client);
        const double fits = std::min(static_cast<double>(room.x) / client.x, static_cast<double>(room.y) / client.y);
        if (fits >= 1) break;
        const double scale = fits * (round == 0 ? 1.0 : 0.97);
        fontScale_ *= scale;
        setFontOfAll(this, GetFont().Scaled(static_cast<float>(scale)));
        layOut();
    }
    const wxSize frame = GetSize();
    const wxPoint at = centre ? wxPoint(area.x + (area.width - frame.x) / 2, area.y + (area.height - frame.y) / 2)
                              : GetPosition();
    // The caption and every button stay on the screen.
    SetPosition({std::max(area.x, std::min(at.x, area.GetRight() + 1 - frame.x)),
                 std::max(area.y, std::min(at.y, area.GetBottom() + 1 - frame.y))});
}

void CMainDlg::onDpiChanged(wxDPIChangedEvent&) {
    // The toolkit has given every window the font of the new scale; the
    // layout follows it, and shrinks again only if this screen needs it.
    if (fontScale_ != 1) setFontOfAll(this, GetFont().Scaled(static_cast<float>(1 / fontScale_)));
    fontScale_ = 1;
    layOut();
    fitToScreen(false);
    // Not skipped: the window has its size, and the toolkit need not guess one.
}

void CMainDlg::showPage(int index) {
    if (index < 0 || index >= kTabCount) return;
    selected_ = index;
    page(index)->ensureBuilt(*measure_, pageSize_);
}

void CMainDlg::selectTab(int index) {
    if (index < 0 || index >= kTabCount) return;
    if (pages_[static_cast<std::size_t>(selected_)]) page(selected_)->commitEdits();
    showPage(index);
    book_->ChangeSelection(static_cast<std::size_t>(index));
    if (tabs_) tabs_->setSelection(index);
}

void CMainDlg::bindCommand(int id, void (CMainDlg::*command)()) {
    Bind(wxEVT_BUTTON,
         [this, command](wxCommandEvent&) {
             page(selected_)->commitEdits();
             (this->*command)();
         },
         id);
}

void CMainDlg::onExit() { Close(); }

void CMainDlg::onClose(wxCloseEvent&) {
    // Nothing is saved or asked: unsaved changes end with the window.
    if (IsModal())
        EndModal(wxID_CANCEL);
    else
        Destroy();
}

void CMainDlg::onToolSettings() {
    CToolSettingsDlg dialog(this, state_.paths, services_);
    if (dialog.ShowModal() != wxID_OK) return;
    // The new folders hold for this run even when the file cannot be written.
    state_.paths = dialog.paths();
    switch (writeToolPaths(state_.toolSettingsFile(), state_.paths, &state_.history())) {
        case WriteResult::Ok: break;
        case WriteResult::OpenFailed:
        case WriteResult::AccessDenied: services_.showError(this, messages::kToolSettingsOpenFailed); break;
        case WriteResult::WriteFailed: services_.showError(this, messages::kToolSettingsWriteFailed); break;
    }
    if (const auto untold = state_.history().untoldFailure()) services_.showWarning(this, *untold);
}

std::filesystem::path CMainDlg::libFolder() const {
    return resolvePath(state_.paths.libPath).value_or(std::filesystem::path());
}

void CMainDlg::onAiSave() { save(resolvePath(aiConfigPath(state_.paths.setPath))); }

void CMainDlg::onSpecifiedSave() {
    if (const auto target = services_.chooseFileToSave(this, libFolder())) save(target);
}

void CMainDlg::onAiLoad() { load(resolvePath(aiConfigPath(state_.paths.setPath)), LoadKind::Ai); }

void CMainDlg::onSpecifiedLoad() {
    if (const auto source = services_.chooseFileToLoad(this, libFolder())) load(source, LoadKind::Specified);
}

void CMainDlg::save(const std::optional<std::filesystem::path>& target) {
    const SaveOutcome outcome =
        target ? saveConfig(*target, state_.content(), &state_.history()) : SaveOutcome{SaveResult::OpenFailed, {}};
    if (outcome != SaveResult::Saved) services_.showError(this, saveMessage(outcome));
    if (const auto untold = state_.history().untoldFailure()) services_.showWarning(this, *untold);
}

void CMainDlg::load(const std::optional<std::filesystem::path>& source, LoadKind kind) {
    auto outcome = source ? loadConfigFile(*source, kind, state_.settings)
                          : failedLoad(LoadFailure::Unreadable);
    const std::string message = loadMessage(outcome);
    if (!outcome) {
        // Nothing has changed: the file is read before anything is replaced.
        services_.showError(this, message);
        return;
    }
    state_.takeLoaded(std::move(outcome.loaded));
    for (CPage* each : pages_)
        if (each->isBuilt()) each->showState();
    if (!message.empty()) services_.showWarning(this, message);
}

}  // namespace vellconf
