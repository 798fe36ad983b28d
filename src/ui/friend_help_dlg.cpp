#include "ui/friend_help_dlg.h"

#include "ui/template_dialog.h"

namespace vellconf {

CFriendHelpDlg::CFriendHelpDlg(wxWindow* parent) : wxDialog(parent, wxID_ANY, wxString()) {
    buildFromTemplate(this, templates::friendHelpDialog());
    CentreOnParent();
}

}  // namespace vellconf
