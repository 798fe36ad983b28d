#pragma once
// The rights notice: fixed text and an OK button.

#include <wx/dialog.h>

namespace vellconf {

class CNoticeDlg final : public wxDialog {
public:
    explicit CNoticeDlg(wxWindow* parent);
};

}  // namespace vellconf
