#include "ui/conf_app.h"

#include <exception>
#include <string>

#include "config/messages.h"
#include "ui/japanese_texts.h"
#include "ui/main_dlg.h"

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
    // wxApp::OnInit would parse the arguments and quit with a usage text on
    // any it does not know; the toolkit has already taken its own.
    state_.sideFolder = programFolder();
    useJapaneseTexts(state_.sideFolder);
    return true;
}

int CConfApp::OnRun() {
    try {
        CMainDlg dialog(state_, services_);
        SetTopWindow(&dialog);
        dialog.ShowModal();
    } catch (...) {
        services_.showError(nullptr, messages::withArgs(messages::kUnexpectedError, {currentExceptionText()}));
        return 1;
    }
    return 0;
}

bool CConfApp::OnExceptionInMainLoop() {
    services_.showError(GetTopWindow(), messages::withArgs(messages::kUnexpectedError, {currentExceptionText()}));
    return true;
}

}  // namespace vellconf
