#pragma once
// The tool's message boxes: a text, a caption, buttons, in the dialogs' font.

#include <wx/msgdlg.h>
#ifdef __WXGTK__
#include <wx/generic/msgdlgg.h>
#endif

#include <string_view>

#include "ui/dialog_units.h"
#include "ui/wx_text.h"

namespace vellconf {

#ifdef __WXGTK__
// GTK's own message box names itself by its icon ("Warning", "警告") to the
// desktop's accessibility tools, whatever its caption; wx's generic one is
// named by its caption, as Windows' message box is. It shows no icon unless
// asked for one, and knows no wxICON_NONE.
using MessageDialogBase = wxGenericMessageDialog;
constexpr long messageStyle(long style) { return style & ~wxICON_NONE; }
#else
using MessageDialogBase = wxMessageDialog;
constexpr long messageStyle(long style) { return style; }
#endif

class CMessageDialog final : public MessageDialogBase {
public:
    // Texts are UTF-8.
    CMessageDialog(wxWindow* owner, std::string_view text, std::string_view caption, long style)
        : MessageDialogBase(owner, fromUtf8(text), fromUtf8(caption), messageStyle(style)) {
        SetFont(dialogFont());
    }
};

}  // namespace vellconf
