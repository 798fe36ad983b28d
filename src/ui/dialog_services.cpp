#include "ui/dialog_services.h"

#include <wx/filedlg.h>

#include "config/file_choice.h"
#include "config/messages.h"
#include "ui/folder_browse_dlg.h"
#include "ui/message_dialog.h"
#include "ui/wx_text.h"

namespace vellconf {

std::optional<std::filesystem::path> WxFileChoiceSteps::showDialog(const FileDialogRequest& request) {
    const long style = request.purpose == FileDialogRequest::Purpose::Save ? wxFD_SAVE : wxFD_OPEN;
    wxFileDialog dialog(owner_, fromUtf8(request.title), fromPath(request.folder), fromUtf8(request.initialName),
                        fromUtf8(request.filter), style);
    if (dialog.ShowModal() != wxID_OK) return std::nullopt;
    return toPath(dialog.GetPath());
}

bool WxFileChoiceSteps::confirmOverwrite(std::string_view question) {
    CMessageDialog dialog(owner_, question, messages::kOverwriteCaption, wxYES_NO | wxNO_DEFAULT | wxICON_EXCLAMATION);
    dialog.SetYesNoLabels(fromUtf8(messages::kYesLabel), fromUtf8(messages::kNoLabel));
    return dialog.ShowModal() == wxID_YES;
}

void WxFileChoiceSteps::tell(std::string_view message) {
    CMessageDialog(owner_, message, messages::kOpenDialogTitle, wxOK | wxICON_EXCLAMATION).ShowModal();
}

std::optional<std::filesystem::path> WxDialogServices::chooseFileToLoad(wxWindow* owner,
                                                                         const std::filesystem::path& folder) {
    WxFileChoiceSteps steps(owner);
    return chooseFile(loadDialogRequest(folder), steps);
}

std::optional<std::filesystem::path> WxDialogServices::chooseFileToSave(wxWindow* owner,
                                                                         const std::filesystem::path& folder) {
    WxFileChoiceSteps steps(owner);
    return chooseFile(saveDialogRequest(folder), steps);
}

std::optional<std::filesystem::path> WxDialogServices::chooseFolder(wxWindow* owner, std::string_view title,
                                                                     const std::filesystem::path& initial) {
    CFolderBrowseDlg dialog(owner, title, initial);
    if (dialog.ShowModal() != wxID_OK) return std::nullopt;
    return dialog.chosenFolder();
}

void WxDialogServices::showError(wxWindow* owner, std::string_view text) {
    CMessageDialog(owner, text, messages::kErrorCaption, wxOK | wxICON_NONE).ShowModal();
}

void WxDialogServices::showWarning(wxWindow* owner, std::string_view text) {
    CMessageDialog(owner, text, messages::kProgramName, wxOK | wxICON_EXCLAMATION).ShowModal();
}

}  // namespace vellconf
