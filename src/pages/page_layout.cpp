#include "pages/page_layout.h"

#include <algorithm>
#include <map>

namespace vellconf {

namespace {

// Texts, check boxes and radio buttons take their measured size; fields and
// spins have fixed sizes.
constexpr int kPageMargin = 7;   // plain rows from the page's left edge, and every row from its right
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

// A field without a caption continues the control before it, as in "0 ～ 100 ％".
int gapBefore(const ControlSpec& control) {
    return control.kind == ControlKind::NumericField && control.text.empty() ? kUnitGap : kControlGap;
}

bool isHeading(const PageRow& row) { return row.controls.size() == 1 && row.controls.front().kind == ControlKind::Label; }

class PageLayout {
public:
    PageLayout(const PageTable& table, const TextMeasure& measure) : table_(table), measure_(measure) {}

    PagePlacement run(DialogSize atLeast) {
        measureColumns();
        PagePlacement page;
        int y = kTopMargin;
        int widest = 0;  // the right edge of the widest row or group box title
        for (const PageSection& section : table_.sections) {
            SectionPlacement& placed = page.sections.emplace_back();
            const int top = y;
            if (!section.groupBox.empty()) {
                y += kBoxTitle;
                widest = std::max(widest, kBoxMargin + measure_.needed(TextLook::GroupTitle, section.groupBox).width);
            }
            const int left = section.groupBox.empty() ? kPageMargin : kBoxIndent;
            for (std::size_t r = 0; r < section.rows.size(); ++r) {
                if (r > 0 && isHeading(section.rows[r])) y += kHeadingGap;
                auto& row = placed.rows.emplace_back();
                const auto [right, height] = placeRow(section.rows[r], left, y, row);
                widest = std::max(widest, right);
                y += height + kRowGap;
            }
            y -= kRowGap;
            if (!section.groupBox.empty()) {
                y += kBoxBottom;
                placed.box = {kBoxMargin, top, 0, y - top};
            }
            y += kSectionGap;
        }
        page.size = {std::max(atLeast.width, widest + kPageMargin),
                     std::max(atLeast.height, y - kSectionGap + kTopMargin)};
        for (SectionPlacement& section : page.sections)
            if (section.box.height > 0) section.box.width = page.size.width - 2 * kBoxMargin;
        return page;
    }

private:
    // Rows with as many controls as each other line up in columns: the
    // search-type rows, the level rows and the HP and SP rows of the phases.
    struct Column {
        int caption = 0;  // the widest caption of the column
        int width = 0;    // the widest control, caption included
    };

    std::vector<Column>& columnsOf(const PageRow& row) {
        auto& columns = columns_[row.controls.size()];
        columns.resize(row.controls.size());
        return columns;
    }

    void measureColumns() {
        for (const auto& section : table_.sections)
            for (const PageRow& row : section.rows)
                for (std::size_t i = 0; i < row.controls.size(); ++i)
                    if (hasCaption(row.controls[i]))
                        columnsOf(row)[i].caption = std::max(columnsOf(row)[i].caption, text(row.controls[i].text).width);
        for (const auto& section : table_.sections)
            for (const PageRow& row : section.rows)
                for (std::size_t i = 0; i < row.controls.size(); ++i) {
                    Column& column = columnsOf(row)[i];
                    column.width = std::max(column.width, captionWidth(row.controls[i], column) + bodySize(row.controls[i]).width);
                }
    }

    static bool hasCaption(const ControlSpec& control) {
        return control.kind == ControlKind::NumericField && !control.text.empty();
    }

    static int captionWidth(const ControlSpec& control, const Column& column) {
        return hasCaption(control) ? column.caption + kCaptionGap : 0;
    }

    DialogSize text(std::string_view s, TextLook look = TextLook::Plain) const { return measure_.needed(look, s); }

    int lineHeight(DialogSize measured) const { return std::max(kLineHeight, measured.height); }

    int fieldWidth(const ControlSpec& spec) const {
        // The design width, or less where the platform's field shows the
        // digits in less, which leaves the rows room for a wider font.
        const bool longField = spec.bounds().upper > 999;
        return std::min(longField ? kLongFieldWidth : kShortFieldWidth, measure_.fieldWidth(longField ? 5 : 3));
    }

    // The size of a control without its caption.
    DialogSize bodySize(const ControlSpec& spec) const {
        switch (spec.kind) {
            case ControlKind::NumericField: {
                const int unit = spec.unit.empty() ? 0 : kUnitGap + text(spec.unit).width;
                return {fieldWidth(spec) + kSpinWidth + unit, kFieldHeight};
            }
            case ControlKind::Label: {
                const DialogSize s = text(spec.text);
                return {s.width, lineHeight(s)};
            }
            case ControlKind::CheckBox: {
                const DialogSize s = text(spec.text, TextLook::CheckBox);
                return {s.width, lineHeight(s)};
            }
            case ControlKind::RadioGroup:
            case ControlKind::RotationKind:
                break;
        }
        DialogSize size{0, 0};
        for (const RadioButtonSpec& button : spec.radio.buttons) {
            const DialogSize s = text(button.label, TextLook::RadioButton);
            if (spec.radio.flow == ButtonFlow::Across) {
                size.width += (size.width ? kButtonGap : 0) + s.width;
                size.height = std::max(size.height, lineHeight(s));
            } else {
                size.width = std::max(size.width, s.width);
                size.height += (size.height ? kRowGap : 0) + lineHeight(s);
            }
        }
        return size;
    }

    struct RowExtent {
        int right, height;
    };

    // Places one row with its top at y.
    RowExtent placeRow(const PageRow& row, int left, int y, std::vector<ControlPlacement>& placed) {
        int height = 0;
        for (const ControlSpec& control : row.controls) height = std::max(height, bodySize(control).height);
        const std::vector<Column>& columns = columnsOf(row);
        int x = left;
        for (std::size_t i = 0; i < row.controls.size(); ++i) {
            if (i > 0) x += gapBefore(row.controls[i]);
            placed.push_back(placeControl(row.controls[i], columns[i], x, y, height));
            x += columns[i].width;
        }
        return {x, height};
    }

    ControlPlacement placeControl(const ControlSpec& spec, const Column& column, int x, int y, int rowHeight) const {
        ControlPlacement placed;
        if (hasCaption(spec)) placed.caption = centred(text(spec.text), x, y, rowHeight);
        x += captionWidth(spec, column);
        switch (spec.kind) {
            case ControlKind::NumericField: {
                const int top = y + (rowHeight - kFieldHeight) / 2;
                const int width = fieldWidth(spec);
                placed.parts = {{x, top, width, kFieldHeight}, {x + width, top, kSpinWidth, kFieldHeight}};
                if (!spec.unit.empty())
                    placed.parts.push_back(centred(text(spec.unit), x + width + kSpinWidth + kUnitGap, y, rowHeight));
                break;
            }
            case ControlKind::Label:
                placed.parts = {centred(text(spec.text), x, y, rowHeight)};
                break;
            case ControlKind::CheckBox:
                placed.parts = {centred(text(spec.text, TextLook::CheckBox), x, y, rowHeight)};
                break;
            case ControlKind::RadioGroup:
            case ControlKind::RotationKind:
                for (const RadioButtonSpec& button : spec.radio.buttons) {
                    const DialogSize s = text(button.label, TextLook::RadioButton);
                    if (spec.radio.flow == ButtonFlow::Across) {
                        placed.parts.push_back(centred(s, x, y, rowHeight));
                        x += s.width + kButtonGap;
                    } else {
                        placed.parts.push_back(centred(s, x, y, lineHeight(s)));
                        y += lineHeight(s) + kRowGap;
                    }
                }
                break;
        }
        return placed;
    }

    // At its measured size, centred in a band of the given height.
    static DialogRect centred(DialogSize size, int x, int y, int bandHeight) {
        return {x, y + (bandHeight - size.height) / 2, size.width, size.height};
    }

    const PageTable& table_;
    const TextMeasure& measure_;
    std::map<std::size_t, std::vector<Column>> columns_;  // by the number of controls in a row
};

}  // namespace

PagePlacement layOutPage(const PageTable& table, const TextMeasure& measure, DialogSize size) {
    return PageLayout(table, measure).run(size);
}

}  // namespace vellconf
