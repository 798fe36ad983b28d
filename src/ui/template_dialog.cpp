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

// Made at the template's size, so the toolkit is not asked for a best size first.
wxWindow* create(wxDialog* dialog, const DialogScale& scale, const templates::Control& control) {
    using templates::Kind;
    const int id = windowId(control.id);
    const wxString text = fromUtf8(control.text);
    const wxRect rect = scale.toPixels(control.rect);
    const wxPoint at = rect.GetPosition();
    const wxSize size = rect.GetSize();
    switch (control.kind) {
        case Kind::Label: return new CLabel(dialog, id, text, rect);
        case Kind::GroupBox: return new wxStaticBox(dialog, id, text, at, size);
        case Kind::Button: return new wxButton(dialog, id, text, at, size);
        case Kind::DefaultButton: {
            auto* button = new wxButton(dialog, id, text, at, size);
            button->SetDefault();
            return button;
        }
        case Kind::Edit: return new wxTextCtrl(dialog, id, wxString(), at, size, wxTE_LEFT);
        default: return nullptr;  // tabs, pictures, lists: built by the dialog that owns them
    }
}

}  // namespace

void buildFromTemplate(wxDialog* dialog, const templates::Dialog& dialogTemplate) {
    dialog->SetFont(dialogFont());
    dialog->SetTitle(fromUtf8(dialogTemplate.caption));
    dialog->SetClientSize(dialog->ConvertDialogToPixels(wxSize(dialogTemplate.width, dialogTemplate.height)));
    const DialogScale scale(dialog);
    for (const auto& control : dialogTemplate.controls) {
        // Labels may widen past the template's width for a font with wider glyphs.
        if (auto* label = dynamic_cast<wxStaticText*>(create(dialog, scale, control))) placeAt(label, scale, control.rect);
    }
}

}  // namespace vellconf
