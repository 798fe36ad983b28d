#pragma once
// The folder browser of the tool-settings dialog.

#include <string>

class wxWindow;

namespace vellconf {

class DialogServices;

class CFolderBrowser {
public:
    // The title (UTF-8) shows above the folder tree; the initial folder is a
    // CP932 path as the user typed it.
    CFolderBrowser(std::string title, std::string initialFolder, wxWindow* owner, DialogServices& services);
    virtual ~CFolderBrowser() = default;

    // 1 when a folder was chosen (chosenPath() then holds it, as CP932 text), else 0.
    int run();
    const std::string& chosenPath() const { return chosenPath_; }

private:
    std::string title_;
    wxWindow* owner_;
    std::string chosenPath_;
    std::string initialFolder_;
    DialogServices& services_;
};

}  // namespace vellconf
