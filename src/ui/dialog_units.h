#pragma once
// Fixed layouts in dialog units: positions scale with the dialog font, so the
// windows keep their proportions whatever font size the platform gives.

#include <wx/font.h>
#include <wx/window.h>

namespace vellconf {

struct DialogRect {
    int x, y, width, height;
};

// The 9-point Japanese gothic every dialog uses; it also sets the size of a dialog unit.
wxFont dialogFont();

wxSize dialogUnits(const wxWindow* reference, int width, int height);

// Dialog units to pixels in one window's font. wx measures the font again for
// every conversion, and building a page converts hundreds of rects, so a scale
// measures it once. Any window converts to its scale.
class DialogScale {
public:
    DialogScale(const wxWindow* reference);

    // Both corners are converted, not the size: controls that touch in dialog
    // units touch in pixels too, never overlapping by a rounded pixel. A
    // control made at this rect skips the toolkit's best-size query.
    wxRect toPixels(const DialogRect& rect) const;

private:
    wxPoint toPixels(int x, int y) const;

    wxSize base_;  // 4 x 8 dialog units: the font's average character
};

// Moves and sizes `control` to `rect`, in the dialog units of `reference`.
void placeAt(wxWindow* control, const DialogScale& reference, const DialogRect& rect);

// Widens a dialog whose labels grew past its right edge (placeAt lets them),
// keeping `marginDu` dialog units of air beside the widest.
void widenToFit(wxWindow* dialog, int marginDu);

}  // namespace vellconf
