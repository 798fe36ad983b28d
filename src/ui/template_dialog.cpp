#include "ui/template_dialog.h"

#include <wx/button.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "ui/wx_text.h"

namespace vellconf {

namespace {

// wx's own ids for OK and Cancel, so that the dialog closes on them by itself.
int windowId(int templateId) {
    if (templateId == templates::ids::kOk) return wxID_OK;
    if (templateId == templates::ids::kCancel) return wxID_CANCEL;
    return templateId < 0 ? wxID_ANY : templateId;
}

wxWindow* create(wxDialog* dialog, const templates::Control& control) {
    using templates::Kind;
    const int id = windowId(control.id);
    const wxString text = fromUtf8(control.text);
    switch (control.kind) {
        case Kind::Label: return new wxStaticText(dialog, id, text);
        case Kind::GroupBox: return new wxStaticBox(dialog, id, text);
        case Kind::Button: return new wxButton(dialog, id, text);
        case Kind::DefaultButton: {
            auto* button = new wxButton(dialog, id, text);
            button->SetDefault();
            return button;
        }
        case Kind::Edit: return new wxTextCtrl(dialog, id, wxString(), wxDefaultPosition, wxDefaultSize, wxTE_LEFT);
        default: return nullptr;  // tabs, pictures, lists: built by the dialog that owns them
    }
}

}  // namespace

void buildFromTemplate(wxDialog* dialog, const templates::Dialog& dialogTemplate) {
    dialog->SetFont(dialogFont());
    dialog->SetTitle(fromUtf8(dialogTemplate.caption));
    dialog->SetClientSize(dialog->ConvertDialogToPixels(wxSize(dialogTemplate.width, dialogTemplate.height)));
    for (const auto& control : dialogTemplate.controls)
        if (wxWindow* window = create(dialog, control)) placeAt(window, dialog, control.rect);
}

}  // namespace vellconf
