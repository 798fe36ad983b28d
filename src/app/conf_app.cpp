#include "app/conf_app.h"

#include <exception>
#include <string>

#include "config/settings_catalogue.h"
#include "res/messages.h"
#include "ui/main_dlg.h"

wxIMPLEMENT_APP(vellconf::CConfApp);

namespace vellconf {

namespace {

std::string currentExceptionText() {
    try {
        throw;
    } catch (const std::exception& error) {
        return error.what();
    } catch (...) {
        return {};
    }
}

}  // namespace

bool CConfApp::OnInit() {
    if (!wxApp::OnInit()) return false;
    state_.settings = startupSettings();
    state_.sideFolder = programFolder();
    try {
        CMainDlg dialog(state_, services_);
        SetTopWindow(&dialog);
        dialog.ShowModal();
    } catch (...) {
        services_.showError(nullptr, messages::withArgs(messages::kUnexpectedError, {currentExceptionText()}));
    }
    // No main loop: the process ends once the main window has closed.
    return false;
}

bool CConfApp::OnExceptionInMainLoop() {
    services_.showError(GetTopWindow(), messages::withArgs(messages::kUnexpectedError, {currentExceptionText()}));
    return true;
}

}  // namespace vellconf
