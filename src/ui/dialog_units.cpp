#include "ui/dialog_units.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/fontenum.h>
#include <wx/radiobut.h>
#include <wx/textctrl.h>
#include <wx/arrstr.h>

#include <algorithm>
#include <memory>

#include "ui/compact_style.h"
#include "ui/wx_text.h"

#ifdef __WXGTK__
#include <fontconfig/fontconfig.h>
#endif

namespace vellconf {

namespace {

// Whether a face is installed, by any of its names: fontconfig lists a face
// under the name of the desktop's language first ("IPA Pゴシック" on a Japanese
// desktop), which is the only one wx's enumeration compares.
bool installed(const char* face) {
#ifdef __WXGTK__
    FcPattern* pattern = FcPatternBuild(nullptr, FC_FAMILY, FcTypeString, face, nullptr);
    FcObjectSet* family = FcObjectSetBuild(FC_FAMILY, nullptr);
    FcFontSet* fonts = FcFontList(nullptr, pattern, family);
    const bool found = fonts && fonts->nfont > 0;
    if (fonts) FcFontSetDestroy(fonts);
    FcObjectSetDestroy(family);
    FcPatternDestroy(pattern);
    return found;
#else
    return wxFontEnumerator::IsValidFacename(wxString::FromUTF8(face));
#endif
}

// Room beside a group box's title: its frame's corner on either side.
constexpr int kGroupTitlePadding = 16;
// Above and below a button's text, however the theme pads it.
constexpr int kButtonTextAir = 2;

}  // namespace

wxFont dialogFont() {
    static const wxFont font = [] {
        // The first installed of the faces: Windows ships the first (named so
        // on a Japanese system, the second elsewhere); on Linux IPAPGothic has
        // its metrics, Noto Sans CJK JP is what a Japanese desktop has.
        for (const char* face : {"ＭＳ Ｐゴシック", "MS PGothic", "IPAPGothic", "Noto Sans CJK JP", "IPAGothic"})
            if (installed(face)) return wxFont(wxFontInfo(9).FaceName(wxString::FromUTF8(face)));
        return wxFont(wxFontInfo(9).Family(wxFONTFAMILY_SWISS));
    }();
    return font;
}

DialogScale::DialogScale(const wxWindow* reference) : base_(reference->ConvertDialogToPixels(wxSize(4, 8))) {}

// Rounded to the nearest pixel, halves up, as wx rounds.
wxPoint DialogScale::toPixels(int x, int y) const { return {(x * base_.x + 2) / 4, (y * base_.y + 4) / 8}; }

wxRect DialogScale::toPixels(const DialogRect& rect) const {
    return {toPixels(rect.x, rect.y), toPixels(rect.right(), rect.bottom()) - wxPoint(1, 1)};
}

wxSize DialogScale::toPixels(DialogSize size) const {
    const wxPoint corner = toPixels(size.width, size.height);
    return {corner.x, corner.y};
}

DialogSize DialogScale::toUnits(const wxSize& pixels) const {
    return {(pixels.x * 4 + base_.x - 1) / base_.x, (pixels.y * 8 + base_.y - 1) / base_.y};
}

void placeAt(wxWindow* window, const DialogScale& scale, const DialogRect& rect) {
    window->SetSize(scale.toPixels(rect));
}

WxTextMeasure::WxTextMeasure(wxWindow* window)
    : window_(wxGetTopLevelParent(window)), font_(window_->GetFont()), scale_(window_) {
    useCompactFields();  // the controls measured are the slim ones the pages make
}

wxSize WxTextMeasure::textExtent(const wxString& text) const {
    // Line by line, each line as high as the font's.
    wxSize extent(0, 0);
    for (const wxString& line : wxSplit(text, '\n', '\0')) {
        wxCoord width = 0, height = 0;
        window_->GetTextExtent(line.empty() ? wxString(" ") : line, &width, &height, nullptr, nullptr, &font_);
        extent = wxSize(std::max(extent.x, line.empty() ? 0 : width), extent.y + height);
    }
    return extent;
}

wxSize WxTextMeasure::frameOf(TextLook look) const {
    const auto [known, added] = frames_.try_emplace(look);
    if (!added) return known->second;
    const wxString sample = "M";
    std::unique_ptr<wxWindow> control;
    switch (look) {
        case TextLook::CheckBox: control = std::make_unique<wxCheckBox>(window_, wxID_ANY, sample); break;
        case TextLook::RadioButton:
            control = std::make_unique<wxRadioButton>(window_, wxID_ANY, sample, wxDefaultPosition, wxDefaultSize,
                                                      wxRB_SINGLE);
            break;
        case TextLook::Button:
            control = std::make_unique<wxButton>(window_, wxID_ANY, sample, wxDefaultPosition, wxDefaultSize,
                                                 wxBU_EXACTFIT);
            break;
        default: return known->second = wxSize(0, 0);
    }
    control->Hide();
    control->SetFont(font_);
    const wxSize best = control->GetBestSize();
    // The height is the control's own: its indicator may stand taller than the text.
    return known->second = wxSize(best.x - textExtent(sample).x, best.y);
}

DialogSize WxTextMeasure::needed(TextLook look, std::string_view text) const {
    const auto [known, added] = known_.try_emplace({look, std::string(text)});
    if (!added) return known->second;
    const wxSize extent = textExtent(fromUtf8(text));
    // A pixel more than the text, so that no rounding of the corners takes one from it.
    wxSize pixels(extent.x + 1, extent.y);
    switch (look) {
        case TextLook::Plain: break;
        case TextLook::CheckBox:
        case TextLook::RadioButton: pixels = wxSize(pixels.x + frameOf(look).x, frameOf(look).y); break;
        case TextLook::Button: pixels += wxSize(frameOf(look).x, 2 * kButtonTextAir); break;
        case TextLook::GroupTitle: pixels.x += kGroupTitlePadding; break;
    }
    return known->second = scale_.toUnits(pixels);
}

int WxTextMeasure::fieldWidth(int digits) const {
    const auto [known, added] = fieldWidths_.try_emplace(digits);
    if (!added) return known->second;
    wxTextCtrl field(window_, wxID_ANY);
    field.Hide();
    field.SetFont(font_);
    const int text = textExtent(wxString(wxUniChar('0'), static_cast<std::size_t>(digits))).x;
    return known->second = scale_.toUnits(field.GetSizeFromTextSize(text)).width;
}

}  // namespace vellconf
