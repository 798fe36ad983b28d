#pragma once

class wxTextCtrl;

namespace vellconf {

// Fixed layouts in dialog units assume one-line fields, check boxes and radio
// buttons as slim as Windows' own controls. GTK's theme pads its entries so
// much that three digits no longer fit a field sized for them, and its check
// boxes so much that the longest labels run off the page; this trims that
// padding, once per run. Under GTK's default theme it also has checked boxes
// and buttons draw their mark from the theme's pre-rendered picture, which
// costs a fraction of the SVG the theme renders for each. Elsewhere it does
// nothing.
void useCompactFields();

// A numeric field as slim as the layout needs: on Windows its inner margins
// shrink to a pixel (the font's own margins would take a digit's room in a
// field sized for three); GTK's are trimmed by useCompactFields.
void makeSlim(wxTextCtrl* field);

}  // namespace vellconf
