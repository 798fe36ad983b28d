#include "ui/tool_settings_dlg.h"

#include <wx/textctrl.h>

#include "config/cp932.h"
#include "res/dialog_templates.h"
#include "config/messages.h"
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
    // A folder is kept only as it is typed: one that CP932 cannot hold
    // exactly would come back from VellConf.ini as another folder, and one no
    // file can be opened in would only fail at the next load or save.
    ToolPaths typed;
    for (auto [field, path] : {std::pair{setPathField_, &typed.setPath}, std::pair{libPathField_, &typed.libPath}}) {
        const std::string utf8(field->GetValue().utf8_str());
        const auto text = utf8ToCp932Exactly(utf8);
        if (!text) return refuse(utf8);  // the dialog stays open
        *path = *text;
    }
    if (const auto unusable = unusablePathOf(typed)) return refuse(cp932ToUtf8Lossy(*unusable));
    setPath_ = typed.setPath;
    libPath_ = typed.libPath;
    event.Skip();  // the dialog ends with OK as usual
}

void CToolSettingsDlg::refuse(const std::string& folder) {
    services_.showError(this, messages::withArgs(messages::kFolderUnusable, {folder}));
}

}  // namespace vellconf
