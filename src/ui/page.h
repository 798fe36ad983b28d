#pragma once
// A tab page of the main window: a child panel of 237 x 261 dialog units that
// edits part of the application state. Its controls are built the first time
// it is shown; until then the state alone holds what the page edits.

#include <wx/panel.h>

#include "app/app_state.h"

namespace vellconf {

class DialogServices;

class CPage : public wxPanel {
public:
    CPage(wxWindow* parent, AppState& state, DialogServices& services);

    // Builds the controls and shows the state in them, once.
    void ensureBuilt();
    bool isBuilt() const { return built_; }

    // Runs the focus-loss rule of the field that holds the focus, so that text
    // typed but not yet committed reaches the state before a command runs.
    virtual void commitEdits() {}

    // Shows what the state holds for this page: when it is built and after a load.
    virtual void showState() = 0;

    static constexpr int kWidthDu = 237;
    static constexpr int kHeightDu = 261;

protected:
    virtual void build() = 0;

    AppState& state_;
    DialogServices& services_;

private:
    bool built_ = false;
};

}  // namespace vellconf
