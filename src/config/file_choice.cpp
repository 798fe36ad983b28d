#include "config/file_choice.h"

#include <algorithm>
#include <system_error>

#include "config/messages.h"

namespace vellconf {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kFilter = "ヴェルＡＩ設定ファイル (*.lua)|*.lua|すべてのファイル (*.*)|*.*";
constexpr std::string_view kExtension = "lua";
constexpr std::string_view kInitialName = "*.lua";

bool isPattern(const fs::path& name) {
    const auto& text = name.native();
    return std::any_of(text.begin(), text.end(), [](auto c) { return c == '*' || c == '?'; });
}

bool isFile(const fs::path& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

bool isTaken(const fs::path& path) {
    std::error_code ec;
    return fs::exists(fs::symlink_status(path, ec));
}

std::string utf8(const fs::path& path) {
    const auto text = path.u8string();
    return std::string(reinterpret_cast<const char*>(text.data()), text.size());
}

fs::path withExtension(fs::path path, std::string_view extension) {
    if (!path.has_extension()) path += "." + std::string(extension);
    return path;
}

}  // namespace

FileDialogRequest loadDialogRequest(const fs::path& folder) {
    return {FileDialogRequest::Purpose::Load, std::string(messages::kOpenDialogTitle), std::string(kFilter),
            std::string(kExtension), std::string(kInitialName), folder};
}

FileDialogRequest saveDialogRequest(const fs::path& folder) {
    return {FileDialogRequest::Purpose::Save, std::string(messages::kSaveDialogTitle), std::string(kFilter),
            std::string(kExtension), std::string(kInitialName), folder};
}

std::optional<fs::path> chooseFile(FileDialogRequest request, FileChoiceSteps& steps) {
    for (;;) {
        const auto chosen = steps.showDialog(request);
        if (!chosen) return std::nullopt;
        // Whatever happens next, the dialog reopens where the user left it.
        request.folder = chosen->parent_path();
        const fs::path name = chosen->filename();
        request.initialName = utf8(name);
        if (name.empty() || isPattern(name)) continue;

        if (request.purpose == FileDialogRequest::Purpose::Load) {
            const fs::path path = isFile(*chosen) ? *chosen : withExtension(*chosen, request.defaultExtension);
            if (isFile(path)) return path;
            steps.tell(messages::withArgs(messages::kFileNotFound, {utf8(*chosen)}));
            continue;
        }
        const fs::path path = withExtension(*chosen, request.defaultExtension);
        if (!isTaken(path) || steps.confirmOverwrite(messages::withArgs(messages::kOverwriteQuestion, {utf8(path)})))
            return path;
    }
}

}  // namespace vellconf
