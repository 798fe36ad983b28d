#include "ui/folder_browser.h"

#include "config/tool_paths.h"
#include "ui/dialog_services.h"

namespace vellconf {

CFolderBrowser::CFolderBrowser(std::string title, std::string initialFolder, wxWindow* owner,
                               DialogServices& services)
    : title_(std::move(title)), owner_(owner), initialFolder_(std::move(initialFolder)), services_(services) {}

int CFolderBrowser::run() {
    // A folder that cannot be named in CP932 (or converted back) is as good as no choice.
    const auto initial = resolvePath(initialFolder_);
    const auto chosen = services_.chooseFolder(owner_, title_, initial.value_or(std::filesystem::path()));
    if (!chosen) return 0;
    const auto text = toCp932Path(*chosen);
    if (!text) return 0;
    chosenPath_ = *text;
    return 1;
}

}  // namespace vellconf
