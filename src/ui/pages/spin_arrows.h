#pragma once
// The up/down pair beside every numeric field. GTK's own spin button is wider
// and taller than a one-line field and would not fit the page grid, so the pair
// is drawn here: the top half is the up arrow, the bottom half the down arrow.
// It never takes the focus; what an arrow means is left to its owner.

#include <wx/timer.h>
#include <wx/window.h>

#include <functional>
#include <optional>

#include "pages/field_rules.h"

namespace vellconf {

class CSpinArrows final : public wxWindow {
public:
    using StepHandler = std::function<void(SpinArrow)>;

    CSpinArrows(wxWindow* parent, const wxString& name, StepHandler onStep);

    bool AcceptsFocus() const override { return false; }
    bool AcceptsFocusFromKeyboard() const override { return false; }
    bool Enable(bool enable = true) override;

private:
    void onPaint(wxPaintEvent& event);
    void onPress(wxMouseEvent& event);
    void onRelease(wxMouseEvent& event);
    void onRepeat(wxTimerEvent& event);
    void stopRepeating();

    StepHandler onStep_;
    std::optional<SpinArrow> held_;  // the arrow pressed, repeating while the button is down
    wxTimer repeat_;
};

}  // namespace vellconf
