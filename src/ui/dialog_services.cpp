#include "ui/dialog_services.h"

#include <wx/filedlg.h>
#include <wx/msgdlg.h>

#include "config/file_choice.h"
#include "res/messages.h"
#include "ui/folder_browse_dlg.h"
#include "ui/wx_text.h"

namespace vellconf {

namespace {

// The toolkit's side of a file choice: no overwrite prompt or must-exist
// check of its own, so that the one question asked is about the name the file
// really gets (GTK adds no default extension).
class WxFileChoiceSteps final : public FileChoiceSteps {
public:
    explicit WxFileChoiceSteps(wxWindow* owner) : owner_(owner) {}

    std::optional<std::filesystem::path> showDialog(const FileDialogRequest& request) override {
        const long style = request.purpose == FileDialogRequest::Purpose::Save ? wxFD_SAVE : wxFD_OPEN;
        wxFileDialog dialog(owner_, fromUtf8(request.title), fromPath(request.folder), fromUtf8(request.initialName),
                            fromUtf8(request.filter), style);
        if (dialog.ShowModal() != wxID_OK) return std::nullopt;
        return toPath(dialog.GetPath());
    }

    bool confirmOverwrite(std::string_view question) override {
        wxMessageDialog dialog(owner_, fromUtf8(question), fromUtf8(messages::kOverwriteCaption),
                               wxYES_NO | wxNO_DEFAULT | wxICON_EXCLAMATION);
        dialog.SetYesNoLabels(fromUtf8(messages::kYesLabel), fromUtf8(messages::kNoLabel));
        return dialog.ShowModal() == wxID_YES;
    }

    void tell(std::string_view message) override {
        wxMessageDialog(owner_, fromUtf8(message), fromUtf8(messages::kOpenDialogTitle), wxOK | wxICON_EXCLAMATION)
            .ShowModal();
    }

private:
    wxWindow* owner_;
};

}  // namespace

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
    wxMessageDialog(owner, fromUtf8(text), fromUtf8(messages::kErrorCaption), wxOK | wxICON_NONE).ShowModal();
}

void WxDialogServices::showWarning(wxWindow* owner, std::string_view text) {
    wxMessageDialog(owner, fromUtf8(text), fromUtf8(messages::kProgramName), wxOK | wxICON_EXCLAMATION)
        .ShowModal();
}

}  // namespace vellconf
