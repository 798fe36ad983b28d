#pragma once
// The application object: holds the state for the whole run and runs the main
// window modally; when it closes the process ends, with nothing saved.

#include <wx/app.h>

#include "app/app_state.h"
#include "ui/dialog_services.h"

namespace vellconf {

class CConfApp : public wxApp {
public:
    // Takes no command-line arguments and refuses none: a file handed over by
    // a desktop's "open with" must not keep the window from opening.
    bool OnInit() override;
    // Runs the main window; its end is the normal end of the program (status 0).
    int OnRun() override;
    // Shows what went wrong in an event handler and keeps the window running:
    // unsaved edits must not end with the process.
    bool OnExceptionInMainLoop() override;

    AppState& state() { return state_; }

private:
    AppState state_;
    WxDialogServices services_;
};

}  // namespace vellconf
