#include "ui/tool_settings_dlg.h"

#include <wx/textctrl.h>

#include "config/cp932.h"
#include "res/dialog_templates.h"
#include "res/messages.h"
#include "ui/dialog_services.h"
#include "ui/folder_browser.h"
#include "ui/template_dialog.h"
#include "ui/wx_text.h"

namespace vellconf {

namespace ids = templates::ids;

CToolSettingsDlg::CToolSettingsDlg(wxWindow* parent, const ToolPaths& paths, DialogServices& services)
    : wxDialog(parent, wxID_ANY, wxString()), services_(services), setPath_(paths.setPath), libPath_(paths.libPath) {
    buildFromTemplate(this, templates::toolSettingsDialog());
    setPathField_ = static_cast<wxTextCtrl*>(FindWindow(ids::kSetPathEdit));
    libPathField_ = static_cast<wxTextCtrl*>(FindWindow(ids::kLibPathEdit));
    putMembersIntoFields();
    // The browse buttons start from the member, not from what was typed since:
    // a chosen folder then refreshes both fields from the members.
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { browse(setPath_, "▼ カスタムＡＩフォルダの設定 (AI\\USER_AI\\)"); },
         ids::kBrowseSetPath);
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { browse(libPath_, "▼ 指定読込/保存の初期フォルダの指定"); },
         ids::kBrowseLibPath);
    Bind(wxEVT_BUTTON, &CToolSettingsDlg::onOk, this, wxID_OK);
}

void CToolSettingsDlg::putMembersIntoFields() {
    setPathField_->ChangeValue(fromCp932(setPath_));
    libPathField_->ChangeValue(fromCp932(libPath_));
}

void CToolSettingsDlg::browse(std::string& member, const char* title) {
    CFolderBrowser browser(title, member, this, services_);
    if (browser.run() != 1) return;
    member = browser.chosenPath();
    putMembersIntoFields();
}

void CToolSettingsDlg::onOk(wxCommandEvent& event) {
    const ToolPaths typed{toCp932(setPathField_->GetValue()), toCp932(libPathField_->GetValue())};
    // A folder no file can be opened in would only fail at the next load or save.
    if (const auto unusable = unusablePathOf(typed)) {
        services_.showError(this, messages::withArgs(messages::kFolderUnusable, {cp932ToUtf8Lossy(*unusable)}));
        return;  // the dialog stays open
    }
    setPath_ = typed.setPath;
    libPath_ = typed.libPath;
    event.Skip();  // the dialog ends with OK as usual
}

}  // namespace vellconf
