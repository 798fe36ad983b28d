#include "ui/folder_browser.h"

#include "config/tool_paths.h"
#include "config/messages.h"
#include "ui/dialog_services.h"

namespace vellconf {

CFolderBrowser::CFolderBrowser(std::string title, std::string initialFolder, wxWindow* owner,
                               DialogServices& services)
    : title_(std::move(title)), owner_(owner), initialFolder_(std::move(initialFolder)), services_(services) {}

int CFolderBrowser::run() {
    const auto initial = resolvePath(initialFolder_);
    const auto chosen = services_.chooseFolder(owner_, title_, initial.value_or(std::filesystem::path()));
    if (!chosen) return 0;
    // A folder whose name CP932 cannot hold exactly is refused: VellConf.ini
    // would give back another folder.
    const auto text = toCp932Path(*chosen);
    if (!text) {
        const auto name = chosen->u8string();
        services_.showError(owner_, messages::withArgs(messages::kFolderUnusable,
                                                       {std::string(reinterpret_cast<const char*>(name.data()), name.size())}));
        return 0;
    }
    chosenPath_ = *text;
    return 1;
}

}  // namespace vellconf
