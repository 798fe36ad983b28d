#include "ui/tab_strip.h"

#include <wx/dcbuffer.h>
#include <wx/settings.h>

namespace vellconf {

namespace {
constexpr int kPaddingX = 8;
constexpr int kPaddingY = 3;

// The tab `delta` places from `current`, wrapping round.
int stepped(int current, int count, int delta) { return ((current + delta) % count + count) % count; }
}  // namespace

std::optional<int> CTabStrip::tabForShortcut(int current, int count, int keyCode, bool control, bool shift) {
    if (!control || count <= 0) return std::nullopt;
    switch (keyCode) {
        case WXK_TAB: return stepped(current, count, shift ? -1 : 1);
        case WXK_PAGEDOWN: return stepped(current, count, 1);
        case WXK_PAGEUP: return stepped(current, count, -1);
        default: return std::nullopt;
    }
}

CTabStrip::CTabStrip(wxWindow* parent, const std::vector<wxString>& labels, std::function<void(int)> onSelect)
    : wxControl(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxBORDER_NONE | wxWANTS_CHARS),
      labels_(labels),
      rects_(labels.size()),
      onSelect_(std::move(onSelect)) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Bind(wxEVT_PAINT, &CTabStrip::onPaint, this);
    Bind(wxEVT_LEFT_DOWN, &CTabStrip::onLeftDown, this);
    Bind(wxEVT_KEY_DOWN, &CTabStrip::onKey, this);
    Bind(wxEVT_SET_FOCUS, [this](wxFocusEvent& e) { Refresh(); e.Skip(); });
    Bind(wxEVT_KILL_FOCUS, [this](wxFocusEvent& e) { Refresh(); e.Skip(); });
}

int CTabStrip::arrange(int width) {
    wxClientDC dc(this);
    dc.SetFont(GetFont().Bold());  // the chosen tab's label is bold
    int x = 0, y = 0;
    const int height = dc.GetCharHeight() + 2 * kPaddingY;
    for (std::size_t i = 0; i < labels_.size(); ++i) {
        const int w = dc.GetTextExtent(labels_[i]).x + 2 * kPaddingX;
        if (x > 0 && x + w > width) {
            x = 0;
            y += height;
        }
        rects_[i] = wxRect(x, y, w, height);
        x += w;
    }
    const int total = y + height + 1;
    SetMinSize(wxSize(width, total));
    Refresh();
    return total;
}

void CTabStrip::setSelection(int index) {
    if (index < 0 || index >= count()) return;
    selected_ = index;
    Refresh();
}

void CTabStrip::pick(int index) {
    if (index < 0 || index >= count()) return;
    setSelection(index);
    onSelect_(index);
}

void CTabStrip::onLeftDown(wxMouseEvent& event) {
    SetFocus();
    for (int i = 0; i < count(); ++i)
        if (rects_[static_cast<std::size_t>(i)].Contains(event.GetPosition())) return pick(i);
}

void CTabStrip::onKey(wxKeyEvent& event) {
    switch (event.GetKeyCode()) {
        case WXK_LEFT: return pick(stepped(selected_, count(), -1));
        case WXK_RIGHT: return pick(stepped(selected_, count(), 1));
        case WXK_HOME: return pick(0);
        case WXK_END: return pick(count() - 1);
        default: event.Skip();
    }
}

void CTabStrip::onPaint(wxPaintEvent&) {
    wxAutoBufferedPaintDC dc(this);
    const wxColour page = GetParent()->GetBackgroundColour();
    const wxColour shadow = wxSystemSettings::GetColour(wxSYS_COLOUR_BTNSHADOW);
    const wxColour accent = wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT);
    dc.SetBackground(wxBrush(page));
    dc.Clear();
    dc.SetTextForeground(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNTEXT));
    for (int i = 0; i < count(); ++i) {
        const wxRect r = rects_[static_cast<std::size_t>(i)];
        const bool selected = i == selected_;
        // The chosen tab is in the page's own colour under a bar of the
        // accent colour, its label bold; the others are shaded and plain.
        dc.SetBrush(wxBrush(selected ? page : wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE).ChangeLightness(85)));
        dc.SetPen(wxPen(shadow));
        dc.DrawRoundedRectangle(r.x + 1, r.y + 1, r.width - 2, r.height - 1, 3);
        if (selected) {
            dc.SetPen(*wxTRANSPARENT_PEN);
            dc.SetBrush(wxBrush(accent));
            dc.DrawRectangle(r.x + 2, r.y + 1, r.width - 4, 3);
        }
        dc.SetFont(selected ? GetFont().Bold() : GetFont());
        const wxString& label = labels_[static_cast<std::size_t>(i)];
        const wxSize text = dc.GetTextExtent(label);
        dc.DrawText(label, r.x + (r.width - text.x) / 2, r.y + (r.height - text.y) / 2 + 1);
        if (selected && HasFocus()) {
            dc.SetPen(wxPen(shadow, 1, wxPENSTYLE_DOT));
            dc.SetBrush(*wxTRANSPARENT_BRUSH);
            dc.DrawRectangle(wxRect(r).Deflate(3));
        }
    }
}

}  // namespace vellconf
