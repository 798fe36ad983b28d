#include "ui/page.h"

#include "ui/compact_style.h"
#include "ui/dialog_units.h"

namespace vellconf {

CPage::CPage(wxWindow* parent, AppState& state, DialogServices& services)
    : wxPanel(parent, wxID_ANY), state_(state), services_(services) {
    useCompactFields();
    SetFont(dialogFont());
}

void CPage::ensureBuilt() {
    if (built_) return;
    built_ = true;
    // Measured here rather than when made: the book gives every page its own
    // size, and measuring the font costs a page not yet shown for nothing.
    SetMinSize(dialogUnits(this, kWidthDu, kHeightDu));
    build();
    showState();
}

}  // namespace vellconf
