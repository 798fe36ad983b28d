#pragma once
// The file dialogs of specified load and save: what they show, and how the
// name the user chose becomes the file to read or write. Free of any toolkit,
// so that the rules hold alike on every platform and are tested without a
// display; the window only shows the dialog and the questions.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace vellconf {

struct FileDialogRequest {
    enum class Purpose { Load, Save };

    Purpose purpose = Purpose::Load;
    std::string title;             // UTF-8
    std::string filter;            // pairs of label and pattern, "|" between them
    std::string defaultExtension;  // added to a name typed without one, no dot
    std::string initialName;       // in the name field
    std::filesystem::path folder;  // where the dialog opens

    bool operator==(const FileDialogRequest&) const = default;
};

FileDialogRequest loadDialogRequest(const std::filesystem::path& folder);
FileDialogRequest saveDialogRequest(const std::filesystem::path& folder);

// The platform's part of a choice.
class FileChoiceSteps {
public:
    virtual ~FileChoiceSteps() = default;
    // The dialog itself: the path as the user confirmed it, nothing when cancelled.
    virtual std::optional<std::filesystem::path> showDialog(const FileDialogRequest& request) = 0;
    // A yes/no question (UTF-8); true for yes.
    virtual bool confirmOverwrite(std::string_view question) = 0;
    // A message (UTF-8) the user acknowledges.
    virtual void tell(std::string_view message) = 0;
};

// Shows the dialog until the user picks a file that will do, or cancels.
// A name holding "*" or "?" is a pattern, never a file: the dialog opens again
// with it. A name without extension gets the default one (for a load only when
// no file has the name as typed). A load needs an existing file; a save over
// an existing file asks once, and "no" opens the dialog again.
std::optional<std::filesystem::path> chooseFile(FileDialogRequest request, FileChoiceSteps& steps);

}  // namespace vellconf
