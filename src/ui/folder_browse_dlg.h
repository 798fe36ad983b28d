#pragma once
// The folder browser's window: the caption "フォルダの参照", the title text
// above a tree of folders, OK and Cancel. GTK's own folder chooser has no place
// for a text beside its caption, so the program brings its own on every platform.

#include <wx/dialog.h>

#include <filesystem>
#include <string_view>

class wxGenericDirCtrl;

namespace vellconf {

class CFolderBrowseDlg final : public wxDialog {
public:
    // `title` is UTF-8; the tree opens at `initial` (or as far down that path
    // as folders exist) with it selected.
    CFolderBrowseDlg(wxWindow* parent, std::string_view title, const std::filesystem::path& initial);

    // The selected folder; empty when none is.
    std::filesystem::path chosenFolder() const;

private:
    void enableOkForSelection();

    wxGenericDirCtrl* tree_;
};

}  // namespace vellconf
