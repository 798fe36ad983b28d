#pragma once
// The tool-settings dialog: the AI folder and the folder the specified load
// and save dialogs open in.

#include <wx/dialog.h>

#include "config/tool_paths.h"

class wxTextCtrl;

namespace vellconf {

class DialogServices;

class CToolSettingsDlg final : public wxDialog {
public:
    CToolSettingsDlg(wxWindow* parent, const ToolPaths& paths, DialogServices& services);

    // Both paths exactly as typed or chosen, once the dialog ended with OK.
    ToolPaths paths() const { return {setPath_, libPath_}; }

private:
    void putMembersIntoFields();
    void browse(std::string& member, const char* title);
    void onOk(wxCommandEvent& event);
    // Says that a folder (UTF-8) cannot be used.
    void refuse(const std::string& folder);

    DialogServices& services_;
    std::string setPath_;  // CP932
    std::string libPath_;
    wxTextCtrl* setPathField_;
    wxTextCtrl* libPathField_;
};

}  // namespace vellconf
