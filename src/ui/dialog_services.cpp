#include "ui/dialog_services.h"

#include <wx/dirdlg.h>
#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/msgdlg.h>

#include "res/dialog_templates.h"
#include "res/messages.h"
#include "ui/wx_text.h"

namespace vellconf {

namespace {

// wx's "label|pattern" form of the two filters.
wxString configFileFilter() {
    return fromUtf8("ヴェルＡＩ設定ファイル (*.lua)|*.lua|すべてのファイル (*.*)|*.*");
}

std::optional<std::filesystem::path> runFileDialog(wxFileDialog& dialog) {
    if (dialog.ShowModal() != wxID_OK) return std::nullopt;
    return toPath(dialog.GetPath());
}

// GTK's save dialog does not add the default extension itself.
wxString withLuaExtension(const wxString& path) {
    wxFileName name(path);
    if (!name.HasExt()) name.SetExt("lua");
    return name.GetFullPath();
}

}  // namespace

std::optional<std::filesystem::path> WxDialogServices::chooseFileToLoad(wxWindow* owner,
                                                                         const std::filesystem::path& folder) {
    wxFileDialog dialog(owner, wxFileSelectorPromptStr, fromPath(folder), "*.lua", configFileFilter(),
                        wxFD_OPEN | wxFD_FILE_MUST_EXIST);
    return runFileDialog(dialog);
}

std::optional<std::filesystem::path> WxDialogServices::chooseFileToSave(wxWindow* owner,
                                                                         const std::filesystem::path& folder) {
    wxFileDialog dialog(owner, wxFileSelectorPromptStr, fromPath(folder), "*.lua", configFileFilter(),
                        wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
    if (dialog.ShowModal() != wxID_OK) return std::nullopt;
    const wxString chosen = dialog.GetPath();
    const wxString path = withLuaExtension(chosen);
    // The dialog asked about the name as typed; the name with ".lua" added is
    // another file, which may exist too.
    if (path != chosen && wxFileName::FileExists(path)) {
        const wxString question = wxString::Format(_("%s already exists.\nDo you want to replace it?"), path);
        if (wxMessageBox(question, wxMessageBoxCaptionStr, wxYES_NO | wxICON_EXCLAMATION, owner) != wxYES)
            return std::nullopt;
    }
    return toPath(path);
}

std::optional<std::filesystem::path> WxDialogServices::chooseFolder(wxWindow* owner, std::string_view title,
                                                                     const std::filesystem::path& initial) {
    wxDirDialog dialog(owner, fromUtf8(title), fromPath(initial), wxDD_DEFAULT_STYLE);
    if (dialog.ShowModal() != wxID_OK) return std::nullopt;
    return toPath(dialog.GetPath());
}

void WxDialogServices::showError(wxWindow* owner, std::string_view text) {
    wxMessageDialog(owner, fromUtf8(text), fromUtf8(messages::kErrorCaption), wxOK | wxICON_NONE).ShowModal();
}

void WxDialogServices::showWarning(wxWindow* owner, std::string_view text) {
    wxMessageDialog(owner, fromUtf8(text), fromUtf8(templates::mainDialog().caption), wxOK | wxICON_EXCLAMATION)
        .ShowModal();
}

}  // namespace vellconf
