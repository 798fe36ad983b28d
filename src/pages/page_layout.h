#pragma once
// Where the controls of a setting page stand: rows from top to bottom, a group
// box around each titled section, the controls of a row from left to right,
// and rows of the same shape lined up in columns. Positions are dialog units;
// every text takes the room it is measured to need, and a page whose rows run
// past its design size grows rather than cut them.

#include <vector>

#include "pages/dialog_layout.h"
#include "pages/page_tables.h"

namespace vellconf {

// Every page, setting or list, is designed for 237 x 261 dialog units.
inline constexpr DialogSize kPageSize{237, 261};

// The rects of one control of a page table, in the order its windows are made:
// a numeric field's caption (none: zero width), then the label, the check box,
// the radio buttons, or the field, its spin and its unit.
struct ControlPlacement {
    DialogRect caption;
    std::vector<DialogRect> parts;
};

struct SectionPlacement {
    DialogRect box;  // the group box around the rows; zero width for the plain part of a page
    std::vector<std::vector<ControlPlacement>> rows;
};

struct PagePlacement {
    std::vector<SectionPlacement> sections;
    DialogSize size;  // at least the size asked for, and what the rows need
};

// Lays a page out at least `size` large; its group boxes span the page's width.
PagePlacement layOutPage(const PageTable& table, const TextMeasure& measure, DialogSize size = kPageSize);

}  // namespace vellconf
