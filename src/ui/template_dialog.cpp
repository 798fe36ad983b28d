#include "ui/template_dialog.h"

#include <wx/button.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "ui/label.h"
#include "ui/wx_text.h"

namespace vellconf {

namespace {

// wx's own ids for OK and Cancel, so that the dialog closes on them by itself.
int windowId(int templateId) {
    if (templateId == templates::ids::kOk) return wxID_OK;
    if (templateId == templates::ids::kCancel) return wxID_CANCEL;
    return templateId < 0 ? wxID_ANY : templateId;
}

// Made at a size of their own, so the toolkit is not asked for a best size
// first; placeControls gives them their real one.
const wxSize kPlacedLater(1, 1);

wxWindow* create(wxWindow* parent, const templates::Control& control, const MakeOwnControl& makeOwn) {
    using templates::Kind;
    const int id = windowId(control.id);
    const wxString text = fromUtf8(control.text);
    switch (control.kind) {
        case Kind::Label: return new CLabel(parent, id, text, wxRect(wxDefaultPosition, kPlacedLater));
        case Kind::GroupBox: return new wxStaticBox(parent, id, text, wxDefaultPosition, kPlacedLater);
        case Kind::Button: return new wxButton(parent, id, text, wxDefaultPosition, kPlacedLater);
        case Kind::DefaultButton: {
            auto* button = new wxButton(parent, id, text, wxDefaultPosition, kPlacedLater);
            button->SetDefault();
            return button;
        }
        case Kind::Edit: return new wxTextCtrl(parent, id, wxString(), wxDefaultPosition, kPlacedLater, wxTE_LEFT);
        default: return makeOwn ? makeOwn(control) : nullptr;
    }
}

}  // namespace

TemplateWindows makeControls(wxWindow* parent, const templates::Dialog& layout, const MakeOwnControl& makeOwn) {
    TemplateWindows windows;
    for (const auto& control : layout.controls) windows.push_back(create(parent, control, makeOwn));
    return windows;
}

DialogSize placeControls(const TemplateWindows& windows, const templates::Dialog& layout, const WxTextMeasure& measure) {
    const FittedDialog fitted = fitDialog(layout, measure);
    for (std::size_t i = 0; i < windows.size(); ++i)
        if (windows[i]) placeAt(windows[i], measure.scale(), fitted.rects[i]);
    return fitted.size;
}

TemplateWindows buildFromTemplate(wxDialog* dialog, const templates::Dialog& layout, const MakeOwnControl& makeOwn) {
    dialog->SetFont(dialogFont());
    dialog->SetTitle(fromUtf8(layout.caption));
    const TemplateWindows windows = makeControls(dialog, layout, makeOwn);
    const WxTextMeasure measure(dialog);
    dialog->SetClientSize(measure.scale().toPixels(placeControls(windows, layout, measure)));
    return windows;
}

}  // namespace vellconf
