#pragma once
// The modal helpers the window runs: file dialogs, the folder browser and
// message boxes. Behind an interface so that tests can answer them: a scripted
// file dialog cannot return a path on every toolkit.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "config/file_choice.h"

class wxWindow;

namespace vellconf {

class DialogServices {
public:
    virtual ~DialogServices() = default;

    // The open-file dialog of specified load: starts in `folder`, the file must
    // exist (the rules of chooseFile).
    virtual std::optional<std::filesystem::path> chooseFileToLoad(wxWindow* owner,
                                                                  const std::filesystem::path& folder) = 0;
    // The save-file dialog of specified save: ".lua" added to a name without
    // extension, and one question before an existing file is replaced.
    virtual std::optional<std::filesystem::path> chooseFileToSave(wxWindow* owner,
                                                                  const std::filesystem::path& folder) = 0;
    // The folder browser; texts are UTF-8, the answer a file name of this platform.
    virtual std::optional<std::filesystem::path> chooseFolder(wxWindow* owner, std::string_view title,
                                                              const std::filesystem::path& initial) = 0;
    // A message box captioned "エラー" with only an OK button and no icon.
    virtual void showError(wxWindow* owner, std::string_view text) = 0;
    // A message box with the exclamation icon, captioned with the program's name, "VellConf".
    virtual void showWarning(wxWindow* owner, std::string_view text) = 0;
};

// The toolkit's side of a file choice: no overwrite prompt or must-exist
// check of its own, so that the one question asked is about the name the file
// really gets (GTK adds no default extension).
class WxFileChoiceSteps final : public FileChoiceSteps {
public:
    explicit WxFileChoiceSteps(wxWindow* owner) : owner_(owner) {}

    std::optional<std::filesystem::path> showDialog(const FileDialogRequest& request) override;
    bool confirmOverwrite(std::string_view question) override;
    void tell(std::string_view message) override;

private:
    wxWindow* owner_;
};

// The real dialogs.
class WxDialogServices final : public DialogServices {
public:
    std::optional<std::filesystem::path> chooseFileToLoad(wxWindow* owner, const std::filesystem::path& folder) override;
    std::optional<std::filesystem::path> chooseFileToSave(wxWindow* owner, const std::filesystem::path& folder) override;
    std::optional<std::filesystem::path> chooseFolder(wxWindow* owner, std::string_view title,
                                                      const std::filesystem::path& initial) override;
    void showError(wxWindow* owner, std::string_view text) override;
    void showWarning(wxWindow* owner, std::string_view text) override;
};

}  // namespace vellconf
