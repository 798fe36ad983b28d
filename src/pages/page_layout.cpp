#include "pages/page_layout.h"

#include <wx/checkbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <algorithm>
#include <map>
#include <unordered_map>

#include "ui/dialog_units.h"
#include "ui/page.h"

namespace vellconf {

namespace {

// Texts, check boxes and radio buttons take their measured size, so a platform
// with wider glyphs clips nothing; fields and spins have fixed sizes.
constexpr int kPageMargin = 7;   // plain rows from the page's left edge
constexpr int kTopMargin = 6;
constexpr int kBoxMargin = 4;    // a group box's frame from the page's edges
constexpr int kBoxIndent = 7;    // rows inside a group box from the page's left edge
constexpr int kBoxTitle = 11;    // from a group box's top to its first row
constexpr int kBoxBottom = 4;    // below its last row
constexpr int kSectionGap = 4;
constexpr int kRowGap = 2;
constexpr int kHeadingGap = 3;   // extra air above a heading that follows other rows
constexpr int kLineHeight = 10;  // a row of text, check boxes or radio buttons
constexpr int kFieldHeight = 13;
constexpr int kShortFieldWidth = 22;  // up to three digits
constexpr int kLongFieldWidth = 30;   // the delays and the rotation period
constexpr int kSpinWidth = 9;
constexpr int kCaptionGap = 2;
constexpr int kUnitGap = 2;
constexpr int kButtonGap = 8;
constexpr int kControlGap = 4;

// Sizes in dialog units of the page, rounded up so that nothing measured is cut.
class Units {
public:
    explicit Units(const wxWindow* page) : page_(page), hundred_(page->ConvertDialogToPixels(wxSize(100, 100))) {}

    // The measured size of a label, check box or radio button; the layout
    // asks for it several times, and each is measured once.
    wxSize of(const wxWindow* window) const {
        const auto [known, added] = sizes_.try_emplace(window);
        if (added) known->second = measure(window);
        return known->second;
    }

    // The width of a field for the bound's digits: the design width, or less
    // where the platform's field shows them in less, which leaves the rows room
    // for a font whose glyphs run wider than the design's. Every field of a
    // page has the same font and frame, so each width is asked for once.
    int fieldWidth(const ControlSpec& spec, const wxWindow* field) const {
        const bool longField = spec.bounds().upper > 999;
        int& width = longField ? longFieldWidth_ : shortFieldWidth_;
        if (width > 0) return width;
        width = longField ? kLongFieldWidth : kShortFieldWidth;
        if (const auto* edit = dynamic_cast<const wxTextCtrl*>(field)) {
            const wxString digits(wxUniChar('0'), longField ? 5 : 3);
            width = std::min(width, fromPixels(edit->GetSizeFromTextSize(page_->GetTextExtent(digits).x)).x);
        }
        return width;
    }

private:
    // Texts are measured with the page's font, which the controls inherit:
    // GTK tells a label's final size only once it is shown, and asking every
    // control for its best size is most of what building a page costs. A check
    // box or radio button is its text and what its kind adds around it (the
    // indicator), which one control of the kind tells.
    wxSize measure(const wxWindow* window) const {
        const wxSize text = page_->GetTextExtent(window->GetLabel());
        if (dynamic_cast<const wxStaticText*>(window)) return fromPixels(text + wxSize(1, 1));
        wxSize& frame = dynamic_cast<const wxCheckBox*>(window) ? checkFrame_ : radioFrame_;
        if (frame == wxDefaultSize) frame = window->GetBestSize() - wxSize(text.x, 0);
        return fromPixels(wxSize(text.x + frame.x, frame.y));
    }

    wxSize fromPixels(const wxSize& pixels) const {
        return {(pixels.x * 100 + hundred_.x - 1) / hundred_.x, (pixels.y * 100 + hundred_.y - 1) / hundred_.y};
    }

    const wxWindow* page_;
    wxSize hundred_;
    mutable int shortFieldWidth_ = 0, longFieldWidth_ = 0;  // 0 until first asked for
    // Best size less the text's width, by kind; wxDefaultSize until first asked for.
    mutable wxSize checkFrame_ = wxDefaultSize, radioFrame_ = wxDefaultSize;
    mutable std::unordered_map<const wxWindow*, wxSize> sizes_;
};

bool isRadio(const ControlSpec& spec) {
    return spec.kind == ControlKind::RadioGroup || spec.kind == ControlKind::RotationKind;
}

// A field without a caption continues the control before it, as in "0 ～ 100 ％".
int gapBefore(const ControlWindows& control) {
    return control.spec->kind == ControlKind::NumericField && !control.caption ? kUnitGap : kControlGap;
}

bool isHeading(const RowWindows& row) { return row.size() == 1 && row.front().spec->kind == ControlKind::Label; }

class PageLayout {
public:
    PageLayout(wxWindow* page, const std::vector<SectionWindows>& sections)
        : page_(page), scale_(page), units_(page), sections_(sections) {}

    void run() {
        measureColumns();
        int y = kTopMargin;
        for (const SectionWindows& section : sections_) {
            const int top = y;
            if (section.box) y += kBoxTitle;
            const int left = section.box ? kBoxIndent : kPageMargin;
            for (std::size_t r = 0; r < section.rows.size(); ++r) {
                if (r > 0 && isHeading(section.rows[r])) y += kHeadingGap;
                y += placeRow(section.rows[r], left, y) + kRowGap;
            }
            y -= kRowGap;
            if (section.box) {
                y += kBoxBottom;
                place(section.box, {kBoxMargin, top, CPage::kWidthDu - 2 * kBoxMargin, y - top});
            }
            y += kSectionGap;
        }
    }

private:
    // Rows with as many controls as each other line up in columns: the
    // search-type rows, the level rows and the HP and SP rows of the phases.
    struct Column {
        int caption = 0;  // the widest caption of the column
        int width = 0;    // the widest control, caption included
    };

    std::vector<Column>& columnsOf(const RowWindows& row) {
        auto& columns = columns_[row.size()];
        columns.resize(row.size());
        return columns;
    }

    void measureColumns() {
        for (const auto& section : sections_)
            for (const RowWindows& row : section.rows)
                for (std::size_t i = 0; i < row.size(); ++i)
                    if (row[i].caption)
                        columnsOf(row)[i].caption = std::max(columnsOf(row)[i].caption, units_.of(row[i].caption).x);
        for (const auto& section : sections_)
            for (const RowWindows& row : section.rows)
                for (std::size_t i = 0; i < row.size(); ++i) {
                    Column& column = columnsOf(row)[i];
                    column.width = std::max(column.width, captionWidth(row[i], column) + bodySize(row[i]).x);
                }
    }

    static int captionWidth(const ControlWindows& control, const Column& column) {
        return control.caption ? column.caption + kCaptionGap : 0;
    }

    int lineHeight(const wxWindow* window) const { return std::max(kLineHeight, units_.of(window).y); }

    // The size of a control without its caption.
    wxSize bodySize(const ControlWindows& control) const {
        const ControlSpec& spec = *control.spec;
        if (spec.kind == ControlKind::NumericField) {
            const int unit = control.windows.size() > 2 ? kUnitGap + units_.of(control.windows[2]).x : 0;
            return {units_.fieldWidth(spec, control.windows[0]) + kSpinWidth + unit, kFieldHeight};
        }
        if (!isRadio(spec)) return {units_.of(control.windows[0]).x, lineHeight(control.windows[0])};
        wxSize size(0, 0);
        for (const wxWindow* button : control.windows) {
            if (spec.radio.flow == ButtonFlow::Across) {
                size.x += (size.x ? kButtonGap : 0) + units_.of(button).x;
                size.y = std::max(size.y, lineHeight(button));
            } else {
                size.x = std::max(size.x, units_.of(button).x);
                size.y += (size.y ? kRowGap : 0) + lineHeight(button);
            }
        }
        return size;
    }

    // Places one row with its top at y; returns its height.
    int placeRow(const RowWindows& row, int left, int y) {
        int height = 0;
        for (const ControlWindows& control : row) height = std::max(height, bodySize(control).y);
        const std::vector<Column>& columns = columnsOf(row);
        int x = left;
        for (std::size_t i = 0; i < row.size(); ++i) {
            if (i > 0) x += gapBefore(row[i]);
            placeControl(row[i], columns[i], x, y, height);
            x += columns[i].width;
        }
        return height;
    }

    void placeControl(const ControlWindows& control, const Column& column, int x, int y, int rowHeight) {
        if (control.caption) placeCentred(control.caption, x, y, rowHeight);
        x += captionWidth(control, column);
        const ControlSpec& spec = *control.spec;
        if (spec.kind == ControlKind::NumericField) {
            const int top = y + (rowHeight - kFieldHeight) / 2;
            const int width = units_.fieldWidth(spec, control.windows[0]);
            place(control.windows[0], {x, top, width, kFieldHeight});
            place(control.windows[1], {x + width, top, kSpinWidth, kFieldHeight});
            if (control.windows.size() > 2)
                placeCentred(control.windows[2], x + width + kSpinWidth + kUnitGap, y, rowHeight);
        } else if (isRadio(spec)) {
            for (wxWindow* button : control.windows) {
                if (spec.radio.flow == ButtonFlow::Across) {
                    placeCentred(button, x, y, rowHeight);
                    x += units_.of(button).x + kButtonGap;
                } else {
                    placeCentred(button, x, y, lineHeight(button));
                    y += lineHeight(button) + kRowGap;
                }
            }
        } else {
            placeCentred(control.windows[0], x, y, rowHeight);
        }
    }

    // At its own measured size, centred in a band of the given height.
    void placeCentred(wxWindow* window, int x, int y, int bandHeight) {
        const wxSize size = units_.of(window);
        place(window, {x, y + (bandHeight - size.y) / 2, size.x, size.y});
    }

    void place(wxWindow* window, const DialogRect& rect) { placeAt(window, scale_, rect); }

    wxWindow* page_;
    DialogScale scale_;
    Units units_;
    const std::vector<SectionWindows>& sections_;
    std::map<std::size_t, std::vector<Column>> columns_;  // by the number of controls in a row
};

}  // namespace

void layOutPage(wxWindow* page, const std::vector<SectionWindows>& sections) { PageLayout(page, sections).run(); }

}  // namespace vellconf
