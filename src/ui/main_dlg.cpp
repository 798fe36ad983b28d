#include "ui/main_dlg.h"

#include <wx/button.h>
#include <wx/notebook.h>
#include <wx/panel.h>
#include <wx/simplebook.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>

#include "lists/list_pages.h"
#include "pages/setting_pages.h"
#include "res/artwork.h"
#include "res/dialog_templates.h"
#include "res/messages.h"
#include "ui/dialog_services.h"
#include "ui/notice_dlg.h"
#include "ui/tab_strip.h"
#include "ui/template_dialog.h"
#include "ui/tool_settings_dlg.h"
#include "ui/wx_text.h"

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
    const auto& layout = templates::mainDialog();
    buildFromTemplate(this, layout);
    SetIcon(programIcon());
    readSideFiles();
    // Every page's bound values, from the settings as they stand when the window opens.
    state_.readPages(ReadOccasion::Init);

    // The keyboard meets the tab header first, then the page, then the
    // buttons; the focus starts on the header, so that a key pressed right
    // after start-up never lands on "終了".
    createTabs(layout.control(ids::kTabs).rect)->MoveBeforeInTabOrder(FindWindow(ids::kExit));

    auto* picture = new wxStaticBitmap(this, wxID_ANY, pictureBitmap());
    picture->Move(ConvertDialogToPixels(wxPoint(249, 66)));

    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { onExit(); }, ids::kExit);
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { CNoticeDlg(this).ShowModal(); }, ids::kNotice);
    bindCommand(ids::kToolSettings, &CMainDlg::onToolSettings);
    bindCommand(ids::kAiLoad, &CMainDlg::onAiLoad);
    bindCommand(ids::kAiSave, &CMainDlg::onAiSave);
    bindCommand(ids::kSpecifiedLoad, &CMainDlg::onSpecifiedLoad);
    bindCommand(ids::kSpecifiedSave, &CMainDlg::onSpecifiedSave);
    Bind(wxEVT_CLOSE_WINDOW, &CMainDlg::onClose, this);
    // Seen before the focused control, so that the shortcuts work from any field.
    Bind(wxEVT_CHAR_HOOK, [this](wxKeyEvent& key) {
        const auto tab =
            CTabStrip::tabForShortcut(selected_, kTabCount, key.GetKeyCode(), key.ControlDown(), key.ShiftDown());
        if (!tab) return key.Skip();
        selectTab(*tab);
        header_->SetFocus();
    });
    selectTab(kBasic);
    header_->SetFocus();
}

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

wxWindow* CMainDlg::createTabs(const DialogRect& area) {
    // Windows' own tab control, its fifteen tabs in rows.
    const wxRect rect = DialogScale(this).toPixels(area);
    auto* notebook = new wxNotebook(this, ids::kTabs, rect.GetPosition(), rect.GetSize(), wxNB_MULTILINE);
    book_ = notebook;
    header_ = notebook;
    createPages(notebook);
    // A click on a tab commits what was typed into the page it leaves, as every switch does.
    notebook->Bind(wxEVT_NOTEBOOK_PAGE_CHANGING, [this](wxBookCtrlEvent& event) {
        page(selected_)->commitEdits();
        if (event.GetSelection() >= 0 && event.GetSelection() < kTabCount) page(event.GetSelection())->ensureBuilt();
        event.Skip();
    });
    notebook->Bind(wxEVT_NOTEBOOK_PAGE_CHANGED, [this](wxBookCtrlEvent& event) {
        selected_ = event.GetSelection();
        event.Skip();
    });
    return notebook;
}

#else

wxWindow* CMainDlg::createTabs(const DialogRect& area) {
    // Our strip of tab rows above a book of pages, in one panel.
    const wxRect rect = DialogScale(this).toPixels(area);
    auto* host = new wxPanel(this, ids::kTabs, rect.GetPosition(), rect.GetSize());
    std::vector<wxString> labels;
    for (const char* label : kTabLabels) labels.push_back(fromUtf8(label));
    tabs_ = new CTabStrip(host, labels, [this](int index) { selectTab(index); });
    header_ = tabs_;
    const int headerHeight = tabs_->arrange(host->GetClientSize().x);
    book_ = new wxSimplebook(host);
    createPages(book_);
    auto* column = new wxBoxSizer(wxVERTICAL);
    column->Add(tabs_, 0, wxEXPAND);
    column->Add(book_, 1, wxEXPAND);
    host->SetSizer(column);
    host->Layout();
    wxASSERT_MSG(host->GetClientSize().y - headerHeight >= dialogUnits(this, 0, CPage::kHeightDu).y - 2,
                 "the tab rows leave too little room for a page");
    return host;
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

void CMainDlg::selectTab(int index) {
    if (index < 0 || index >= kTabCount) return;
    if (pages_[static_cast<std::size_t>(selected_)]) page(selected_)->commitEdits();
    selected_ = index;
    page(index)->ensureBuilt();
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
    switch (writeToolPaths(state_.toolSettingsFile(), state_.paths)) {
        case WriteResult::Ok: break;
        case WriteResult::OpenFailed:
        case WriteResult::AccessDenied: services_.showError(this, messages::kToolSettingsOpenFailed); break;
        case WriteResult::WriteFailed: services_.showError(this, messages::kToolSettingsWriteFailed); break;
    }
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
    const SaveOutcome outcome = target ? saveConfig(*target, state_.content()) : SaveOutcome{SaveResult::OpenFailed, {}};
    if (outcome != SaveResult::Saved) services_.showError(this, saveMessage(outcome));
}

void CMainDlg::load(const std::optional<std::filesystem::path>& source, LoadKind kind) {
    auto loaded = source ? loadConfigFile(*source, kind, state_.settings, state_.monsters, state_.friends)
                         : std::nullopt;
    if (!loaded) {
        // Nothing has changed: the file is read before anything is replaced.
        services_.showError(this, messages::kLoadOpenFailed);
        return;
    }
    state_.takeLoaded(std::move(*loaded));
    for (CPage* each : pages_)
        if (each->isBuilt()) each->showState();
}

}  // namespace vellconf
