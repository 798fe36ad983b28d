#pragma once
// The help window of the friend page: how to find a character's
// identification number in the AI's trace output. Text only.

#include <wx/dialog.h>

namespace vellconf {

class CFriendHelpDlg final : public wxDialog {
public:
    explicit CFriendHelpDlg(wxWindow* parent);
};

}  // namespace vellconf
