#pragma once
// Where the controls of a setting page stand: rows from top to bottom, a group
// box around each titled section, the controls of a row from left to right,
// and rows of the same shape lined up in columns. Positions are dialog units
// inside the page's 237 x 261.

#include <wx/statbox.h>
#include <wx/stattext.h>

#include <vector>

#include "pages/page_tables.h"

namespace vellconf {

// The windows made for one control of a page table: an optional caption, then
// the label, the check box, the radio buttons, or the field, its spin and its unit.
struct ControlWindows {
    const ControlSpec* spec = nullptr;
    wxStaticText* caption = nullptr;
    std::vector<wxWindow*> windows;
};

using RowWindows = std::vector<ControlWindows>;

struct SectionWindows {
    wxStaticBox* box = nullptr;  // none for the plain part of a page
    std::vector<RowWindows> rows;
};

void layOutPage(wxWindow* page, const std::vector<SectionWindows>& sections);

}  // namespace vellconf
