#pragma once
// Dialog units on screen: the dialog font, the scale from dialog units to
// pixels, and the measurements that fit a layout to that font.

#include <wx/font.h>
#include <wx/window.h>

#include <map>
#include <optional>
#include <string>
#include <utility>

#include "pages/dialog_layout.h"

namespace vellconf {

// The 9-point Japanese gothic every dialog uses; it also sets the size of a dialog unit.
wxFont dialogFont();

// Dialog units to pixels in the font of a window's top-level window, which
// sets the units of all its children. wx measures the font again for every
// conversion, and a layout converts hundreds of rects, so a scale measures it
// once.
class DialogScale {
public:
    explicit DialogScale(const wxWindow* reference);

    // Both corners are converted, not the size: controls that touch in dialog
    // units touch in pixels too, never overlapping by a rounded pixel.
    wxRect toPixels(const DialogRect& rect) const;
    wxSize toPixels(DialogSize size) const;
    // The other way, rounded up: the dialog units that hold `pixels`.
    DialogSize toUnits(const wxSize& pixels) const;

private:
    wxPoint toPixels(int x, int y) const;

    wxSize base_;  // 4 x 8 dialog units: the font's average letter
};

// Moves and sizes `window` to `rect`.
void placeAt(wxWindow* window, const DialogScale& scale, const DialogRect& rect);

// Measures texts in the font of a window's top-level window, as the controls
// that show them will draw them. Each text is measured once.
class WxTextMeasure final : public TextMeasure {
public:
    explicit WxTextMeasure(wxWindow* window);

    DialogSize needed(TextLook look, std::string_view text) const override;
    int fieldWidth(int digits) const override;

    const DialogScale& scale() const { return scale_; }

private:
    wxSize textExtent(const wxString& text) const;
    // What a check box, radio button or button adds to its text, asked of one
    // throw-away control of the kind: a theme's padding is known only to it.
    wxSize frameOf(TextLook look) const;

    wxWindow* window_;
    wxFont font_;
    DialogScale scale_;
    mutable std::map<std::pair<TextLook, std::string>, DialogSize> known_;
    mutable std::map<TextLook, wxSize> frames_;
    mutable std::map<int, int> fieldWidths_;
};

}  // namespace vellconf
