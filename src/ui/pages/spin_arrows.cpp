#include "ui/pages/spin_arrows.h"

#include <wx/dcclient.h>
#include <wx/renderer.h>
#include <wx/settings.h>
#include <wx/utils.h>

#include <algorithm>

namespace vellconf {

namespace {

// Holding an arrow steps again after a pause, then steadily, as spin buttons do.
constexpr int kFirstRepeatMs = 400;
constexpr int kRepeatMs = 60;

wxRect halfOf(const wxSize& size, SpinArrow arrow) {
    const int upperHeight = size.y / 2;
    return arrow == SpinArrow::Up ? wxRect(0, 0, size.x, upperHeight)
                                  : wxRect(0, upperHeight, size.x, size.y - upperHeight);
}

void drawArrow(wxDC& dc, const wxRect& half, SpinArrow arrow) {
    const int width = std::max(3, std::min(half.width - 8, half.height - 4)) | 1;  // odd: a sharp tip
    const int height = (width + 1) / 2;
    const int left = half.x + (half.width - width) / 2;
    const int top = half.y + (half.height - height) / 2;
    const int bottom = top + height - 1;
    const wxPoint up[] = {{left, bottom}, {left + width - 1, bottom}, {left + width / 2, top}};
    const wxPoint down[] = {{left, top}, {left + width - 1, top}, {left + width / 2, bottom}};
    dc.DrawPolygon(3, arrow == SpinArrow::Up ? up : down);
}

}  // namespace

CSpinArrows::CSpinArrows(wxWindow* parent, const wxString& name, StepHandler onStep)
    : wxWindow(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxBORDER_NONE, name),
      onStep_(std::move(onStep)),
      repeat_(this) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Bind(wxEVT_PAINT, &CSpinArrows::onPaint, this);
    Bind(wxEVT_LEFT_DOWN, &CSpinArrows::onPress, this);
    Bind(wxEVT_LEFT_DCLICK, &CSpinArrows::onPress, this);  // a quick second click is a second step
    Bind(wxEVT_LEFT_UP, &CSpinArrows::onRelease, this);
    Bind(wxEVT_TIMER, &CSpinArrows::onRepeat, this);
}

bool CSpinArrows::Enable(bool enable) {
    if (!enable) stopRepeating();
    const bool changed = wxWindow::Enable(enable);
    if (changed) Refresh();
    return changed;
}

void CSpinArrows::onPaint(wxPaintEvent&) {
    wxPaintDC dc(this);
    dc.SetBackground(GetParent()->GetBackgroundColour());
    dc.Clear();
    const bool enabled = IsEnabled();
    const wxColour ink = wxSystemSettings::GetColour(enabled ? wxSYS_COLOUR_BTNTEXT : wxSYS_COLOUR_GRAYTEXT);
    dc.SetPen(ink);
    dc.SetBrush(ink);
    for (const SpinArrow arrow : {SpinArrow::Up, SpinArrow::Down}) {
        const wxRect half = halfOf(GetClientSize(), arrow);
        int flags = 0;
        if (!enabled) flags |= wxCONTROL_DISABLED;
        if (held_ == arrow) flags |= wxCONTROL_PRESSED;
        wxRendererNative::Get().DrawPushButton(this, dc, half, flags);
        drawArrow(dc, half, arrow);
    }
}

void CSpinArrows::onPress(wxMouseEvent& event) {
    held_ = halfOf(GetClientSize(), SpinArrow::Up).Contains(event.GetPosition()) ? SpinArrow::Up : SpinArrow::Down;
    Refresh();
    onStep_(*held_);
    repeat_.StartOnce(kFirstRepeatMs);
}

void CSpinArrows::onRelease(wxMouseEvent&) { stopRepeating(); }

void CSpinArrows::onRepeat(wxTimerEvent&) {
    // No capture is taken, so a button released elsewhere shows up here.
    if (!held_ || !wxGetMouseState().LeftIsDown()) {
        stopRepeating();
        return;
    }
    onStep_(*held_);
    repeat_.StartOnce(kRepeatMs);
}

void CSpinArrows::stopRepeating() {
    repeat_.Stop();
    if (held_) {
        held_.reset();
        Refresh();
    }
}

}  // namespace vellconf
