#include "ui/label.h"

namespace vellconf {

CLabel::CLabel(wxWindow* parent, int id, const wxString& text, const wxRect& rect) {
    // Made in two steps, so that the toolkit's calls during creation already
    // reach this class's GetDefaultAttributes.
    Create(parent, id, text, rect.GetPosition(), rect.GetSize(), wxST_NO_AUTORESIZE);
}

wxVisualAttributes CLabel::GetDefaultAttributes() const {
    static const wxVisualAttributes attributes = GetClassDefaultAttributes(GetWindowVariant());
    return attributes;
}

}  // namespace vellconf
