#include "ui/folder_browse_dlg.h"

#include <wx/button.h>
#include <wx/dirctrl.h>
#include <wx/stattext.h>

#include "ui/dialog_units.h"
#include "ui/template_dialog.h"
#include "ui/wx_text.h"

namespace vellconf {

namespace ids = templates::ids;

CFolderBrowseDlg::CFolderBrowseDlg(wxWindow* parent, std::string_view title, const std::filesystem::path& initial)
    : wxDialog(parent, wxID_ANY, wxString()) {
    const templates::Dialog& layout = templates::folderBrowseDialog();
    buildFromTemplate(this, layout);
    auto* titleLabel = static_cast<wxStaticText*>(FindWindow(ids::kFolderTitle));
    titleLabel->SetLabel(fromUtf8(title));
    placeAt(titleLabel, this, layout.control(ids::kFolderTitle).rect);  // the width follows the new text

    tree_ = new wxGenericDirCtrl(this, ids::kFolderTree, fromPath(initial), wxDefaultPosition, wxDefaultSize,
                                 wxDIRCTRL_DIR_ONLY | wxDIRCTRL_3D_INTERNAL);
    tree_->GetTreeCtrl()->SetFont(GetFont());  // the tree inside does not inherit it
    placeAt(tree_, this, layout.control(ids::kFolderTree).rect);
    tree_->MoveAfterInTabOrder(titleLabel);
    Bind(wxEVT_DIRCTRL_SELECTIONCHANGED, [this](wxTreeEvent& event) {
        enableOkForSelection();
        event.Skip();
    });
    enableOkForSelection();
    widenToFit(this, layout.control(ids::kFolderTitle).rect.x);  // a long title keeps its margin
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
