#pragma once
// A static text, made at its place and size.

#include <wx/stattext.h>

namespace vellconf {

class CLabel final : public wxStaticText {
public:
    // Keeps the size it is given (wxST_NO_AUTORESIZE): the layout decides it.
    CLabel(wxWindow* parent, int id, const wxString& text, const wxRect& rect);

    // What a label looks like without a font or colours of its own. wx asks
    // GTK for it by making a throw-away GTK label, twice for every label that
    // takes its parent's font, which was a third of the cost of building a
    // page; the class's look is asked for once per run.
    wxVisualAttributes GetDefaultAttributes() const override;
};

}  // namespace vellconf
