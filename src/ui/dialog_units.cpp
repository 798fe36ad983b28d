#include "ui/dialog_units.h"

#include <wx/fontenum.h>
#include <wx/stattext.h>

#include <algorithm>

namespace vellconf {

wxFont dialogFont() {
    static const wxFont font = [] {
        // The first installed of the faces; Windows ships the first, Debian's
        // fonts-ipafont-gothic the second.
        for (const char* face : {"ＭＳ Ｐゴシック", "IPAPGothic", "Noto Sans CJK JP", "IPAGothic"}) {
            const wxString name = wxString::FromUTF8(face);
            if (wxFontEnumerator::IsValidFacename(name)) return wxFont(wxFontInfo(9).FaceName(name));
        }
        return wxFont(wxFontInfo(9).Family(wxFONTFAMILY_SWISS));
    }();
    return font;
}

wxSize dialogUnits(const wxWindow* reference, int width, int height) {
    return reference->ConvertDialogToPixels(wxSize(width, height));
}

DialogScale::DialogScale(const wxWindow* reference) : base_(reference->ConvertDialogToPixels(wxSize(4, 8))) {}

// Rounded to the nearest pixel, halves up, as wx rounds.
wxPoint DialogScale::toPixels(int x, int y) const { return {(x * base_.x + 2) / 4, (y * base_.y + 4) / 8}; }

wxRect DialogScale::toPixels(const DialogRect& rect) const {
    return {toPixels(rect.x, rect.y), toPixels(rect.x + rect.width, rect.y + rect.height) - wxPoint(1, 1)};
}

void placeAt(wxWindow* control, const DialogScale& reference, const DialogRect& rect) {
    wxRect pixels = reference.toPixels(rect);
    // A fixed label width was chosen for one font; with another the text may
    // run longer, and a label had better overlap empty space than lose its end.
    if (const auto* label = dynamic_cast<const wxStaticText*>(control))
        pixels.width = std::max(pixels.width, label->GetTextExtent(label->GetLabel()).x + 1);
    control->SetSize(pixels);
}

void widenToFit(wxWindow* dialog, int marginDu) {
    int right = 0;
    for (const wxWindow* child : dialog->GetChildren()) right = std::max(right, child->GetRect().GetRight() + 1);
    const wxSize client = dialog->GetClientSize();
    const int needed = right + dialog->ConvertDialogToPixels(wxSize(marginDu, 0)).x;
    if (needed > client.x) dialog->SetClientSize(needed, client.y);
}

}  // namespace vellconf
