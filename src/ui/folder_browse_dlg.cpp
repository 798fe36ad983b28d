#include "ui/folder_browse_dlg.h"

#include <wx/dirctrl.h>

#include "ui/template_dialog.h"
#include "ui/wx_text.h"

namespace vellconf {

namespace ids = templates::ids;

CFolderBrowseDlg::CFolderBrowseDlg(wxWindow* parent, std::string_view title, const std::filesystem::path& initial)
    : wxDialog(parent, wxID_ANY, wxString()) {
    // The title is the browse button's own: the layout makes room for it.
    templates::Dialog layout = templates::folderBrowseDialog();
    for (templates::Control& control : layout.controls)
        if (control.id == ids::kFolderTitle) control.text = title;
    buildFromTemplate(this, layout, [this, &initial](const templates::Control& control) {
        tree_ = new wxGenericDirCtrl(this, control.id, fromPath(initial), wxDefaultPosition, wxSize(1, 1),
                                     wxDIRCTRL_DIR_ONLY | wxDIRCTRL_3D_INTERNAL);
        tree_->GetTreeCtrl()->SetFont(GetFont());  // the tree inside does not inherit it
        return tree_;
    });
    Bind(wxEVT_DIRCTRL_SELECTIONCHANGED, [this](wxTreeEvent& event) {
        enableOkForSelection();
        event.Skip();
    });
    enableOkForSelection();
    // Made before its size was known: the initial folder is brought into view now.
    if (const wxTreeItemId selected = tree_->GetTreeCtrl()->GetSelection(); selected.IsOk())
        tree_->GetTreeCtrl()->EnsureVisible(selected);
    tree_->SetFocus();
    CentreOnParent();
}

std::filesystem::path CFolderBrowseDlg::chosenFolder() const {
    const wxString path = tree_->GetPath();
    return path.empty() ? std::filesystem::path() : toPath(path);
}

void CFolderBrowseDlg::enableOkForSelection() {
    // Only a folder can be chosen: OK waits until one is selected.
    FindWindow(wxID_OK)->Enable(!tree_->GetPath().empty());
}

}  // namespace vellconf
