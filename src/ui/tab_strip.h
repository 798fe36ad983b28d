#pragma once
// A tab header whose tabs wrap into rows, as Windows' multi-line tab control
// does. GTK's notebook would scroll and hide half of fifteen tabs, and its
// buttons are too tall to stack three rows above a page.

#include <wx/control.h>

#include <functional>
#include <optional>
#include <vector>

namespace vellconf {

class CTabStrip final : public wxControl {
public:
    // `onSelect` runs when the user picks a tab (a click, or an arrow key).
    CTabStrip(wxWindow* parent, const std::vector<wxString>& labels, std::function<void(int)> onSelect);

    void setSelection(int index);
    int selection() const { return selected_; }
    int count() const { return static_cast<int>(labels_.size()); }

    // The tab that a window-wide shortcut moves to from `current`: Ctrl+Tab and
    // Ctrl+PageDown the next, Ctrl+Shift+Tab and Ctrl+PageUp the previous,
    // wrapping round; nothing for any other key.
    static std::optional<int> tabForShortcut(int current, int count, int keyCode, bool control, bool shift);

    // Lays the tabs out for `width` pixels and returns the height they take.
    int arrange(int width);
    wxRect tabRect(int index) const { return rects_[static_cast<std::size_t>(index)]; }

private:
    void onPaint(wxPaintEvent& event);
    void onLeftDown(wxMouseEvent& event);
    void onKey(wxKeyEvent& event);
    void pick(int index);

    std::vector<wxString> labels_;
    std::vector<wxRect> rects_;
    std::function<void(int)> onSelect_;
    int selected_ = 0;
};

}  // namespace vellconf
