#pragma once
// A tab page of the main window: a child panel of 237 x 261 dialog units that
// edits part of the application state.

#include <wx/panel.h>

#include "app/app_state.h"
#include "config/config_loader.h"

namespace vellconf {

class DialogServices;

class CPage : public wxPanel {
public:
    CPage(wxWindow* parent, AppState& state, DialogServices& services);

    // Runs the focus-loss rule of the field that holds the focus, so that text
    // typed but not yet committed reaches the state before a command runs.
    virtual void commitEdits() {}

    // Shows what a load put into the state (settings, memo) or hands over
    // (the ignore and co-fight rows).
    virtual void showLoaded(const LoadedConfig& loaded) = 0;

    static constexpr int kWidthDu = 237;
    static constexpr int kHeightDu = 261;

protected:
    AppState& state_;
    DialogServices& services_;
};

}  // namespace vellconf
