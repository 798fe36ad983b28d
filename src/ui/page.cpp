#include "ui/page.h"

#include "ui/compact_style.h"
#include "ui/dialog_units.h"

namespace vellconf {

CPage::CPage(wxWindow* parent, AppState& state, DialogServices& services)
    : wxPanel(parent, wxID_ANY), state_(state), services_(services) {
    useCompactFields();
    SetFont(dialogFont());
    SetMinSize(dialogUnits(this, kWidthDu, kHeightDu));
}

void CPage::ensureBuilt() {
    if (built_) return;
    built_ = true;
    build();
    showState();
}

}  // namespace vellconf
