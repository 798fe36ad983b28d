#include "ui/friend_help_dlg.h"

#include <wx/button.h>
#include <wx/stattext.h>

#include "res/dialog_templates.h"
#include "ui/dialog_units.h"
#include "ui/wx_text.h"

namespace vellconf {

CFriendHelpDlg::CFriendHelpDlg(wxWindow* parent) {
    const templates::Dialog& layout = templates::friendHelpDialog();
    Create(parent, wxID_ANY, fromUtf8(layout.caption));
    // The font first: it sets the size of the dialog units below.
    SetFont(dialogFont());
    SetClientSize(dialogUnits(this, layout.width, layout.height));
    for (const templates::Control& control : layout.controls) {
        if (control.kind == templates::Kind::DefaultButton) {
            auto* ok = new wxButton(this, wxID_OK, fromUtf8(control.text));
            ok->SetDefault();
            placeAt(ok, this, control.rect);
        } else {
            placeAt(new wxStaticText(this, wxID_ANY, fromUtf8(control.text)), this, control.rect);
        }
    }
    widenToFit(this, layout.controls.front().rect.x);  // as much air on the right as on the left
    CentreOnParent();
}

}  // namespace vellconf
