#pragma once
// Builds the controls of a fixed dialog template, placed in dialog units.

#include <wx/dialog.h>

#include "res/dialog_templates.h"

namespace vellconf {

// Creates every control of `dialogTemplate` on `dialog` (caption, font and
// client size included). Buttons get their template ids; OK and Cancel end the
// dialog as usual.
void buildFromTemplate(wxDialog* dialog, const templates::Dialog& dialogTemplate);

}  // namespace vellconf
