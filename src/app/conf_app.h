#pragma once
// The application object: holds the state for the whole run and runs the main
// window modally; when it closes the process ends, with nothing saved.

#include <wx/app.h>

#include "app/app_state.h"
#include "ui/dialog_services.h"

namespace vellconf {

class CConfApp final : public wxApp {
public:
    bool OnInit() override;
    // Shows what went wrong in an event handler and keeps the window running:
    // unsaved edits must not end with the process.
    bool OnExceptionInMainLoop() override;

    AppState& state() { return state_; }

private:
    AppState state_;
    WxDialogServices services_;
};

}  // namespace vellconf

wxDECLARE_APP(vellconf::CConfApp);
