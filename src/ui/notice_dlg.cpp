#include "ui/notice_dlg.h"

#include "ui/template_dialog.h"

namespace vellconf {

CNoticeDlg::CNoticeDlg(wxWindow* parent) : wxDialog(parent, wxID_ANY, wxString()) {
    buildFromTemplate(this, templates::noticeDialog());
}

}  // namespace vellconf
