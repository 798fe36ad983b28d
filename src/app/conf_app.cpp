#include "app/conf_app.h"

#include "config/settings_catalogue.h"
#include "ui/main_dlg.h"

wxIMPLEMENT_APP(vellconf::CConfApp);

namespace vellconf {

bool CConfApp::OnInit() {
    if (!wxApp::OnInit()) return false;
    state_.settings = startupSettings();
    state_.sideFolder = programFolder();
    {
        CMainDlg dialog(state_, services_);
        SetTopWindow(&dialog);
        dialog.ShowModal();
    }
    // No main loop: the process ends once the main window has closed.
    return false;
}

}  // namespace vellconf
