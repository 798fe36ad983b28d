#pragma once
// Windows made from a fixed template: its controls placed for the font, and
// moved again when the font changes.

#include <wx/dialog.h>

#include <functional>
#include <vector>

#include "res/dialog_templates.h"
#include "ui/dialog_units.h"

namespace vellconf {

// The windows of a template's controls, parallel to them; nullptr for a
// control that its owner places itself.
using TemplateWindows = std::vector<wxWindow*>;
// Makes a control of a kind the builder leaves to the owner (lists, the memo
// field, the folder tree); nullptr leaves it out.
using MakeOwnControl = std::function<wxWindow*(const templates::Control&)>;

// Makes the controls of `layout` on `parent`: labels, group boxes, buttons
// and one-line fields itself, the other kinds through `makeOwn`. Buttons get
// their template ids; OK and Cancel are wx's own, so that a dialog ends on them.
TemplateWindows makeControls(wxWindow* parent, const templates::Dialog& layout, const MakeOwnControl& makeOwn = {});

// Places the windows for the measured font; returns the size the template takes then.
DialogSize placeControls(const TemplateWindows& windows, const templates::Dialog& layout, const WxTextMeasure& measure);

// A dialog made from its template: the dialog font, the caption, the controls,
// and a client size that holds them.
TemplateWindows buildFromTemplate(wxDialog* dialog, const templates::Dialog& layout, const MakeOwnControl& makeOwn = {});

}  // namespace vellconf
