// The real application object, whose main window closes as soon as it runs:
// the exit status and the handling of arguments are then seen from outside.

#include <glib.h>  // g_dgettext
#include <wx/stockitem.h>
#include <wx/window.h>

#include <cstdio>

#include "ui/conf_app.h"

namespace {

class ProbeApp final : public vellconf::CConfApp {
public:
    int OnRun() override {
        // Runs inside the main window's modal loop, once the window is up; says
        // which language wx's own texts and GTK's came out in.
        CallAfter([this] {
            std::puts(wxGetStockLabel(wxID_CANCEL).utf8_str());
            std::puts(g_dgettext("gtk30", "_Cancel"));
            GetTopWindow()->Close();
        });
        return CConfApp::OnRun();
    }
};

}  // namespace

wxIMPLEMENT_APP(ProbeApp);
