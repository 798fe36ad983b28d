#pragma once

namespace vellconf {

// Fixed layouts in dialog units assume one-line fields as slim as Windows'
// edit controls. GTK's theme pads its entries so much that three digits no
// longer fit a field sized for them; this trims that padding, once per run.
// Elsewhere it does nothing.
void useCompactFields();

}  // namespace vellconf
