#include "ui/lists/list_view.h"

#include <algorithm>
#include <utility>

#include "lists/column_fit.h"

#include "ui/wx_text.h"

namespace vellconf {

namespace {
// Room beside a cell's or header's text: the list's margins and a sort arrow.
constexpr int kTextPadding = 16;
}  // namespace

CRowListView::CRowListView(wxWindow* parent, int id, std::span<const ColumnCaption> columns, CellText cellText)
    // Several rows may be selected (no wxLC_SINGLE_SEL). Whole-row selection is
    // what both toolkits do in report view, and Windows' list view also lets the
    // user drag the headers into another order; the generic list of GTK cannot.
    : wxListCtrl(parent, id, wxDefaultPosition, wxDefaultSize, wxLC_REPORT | wxLC_VIRTUAL),
      cellText_(std::move(cellText)) {
    // The header takes the dialogs' font too: the toolkit's own would show
    // half-width katakana in a narrow fallback face.
    SetFont(parent->GetFont());
    for (wxWindow* part : GetChildren()) part->SetFont(GetFont());
#ifdef __WXGTK__
    // wx's own list (GTK's) paints its header for a sideways scroll before the
    // rows have moved, which leaves it over the wrong columns after a tilted
    // wheel or a touchpad: it is painted again once they have.
    for (const auto& scroll : {wxEVT_SCROLLWIN_TOP, wxEVT_SCROLLWIN_BOTTOM, wxEVT_SCROLLWIN_LINEUP,
                                     wxEVT_SCROLLWIN_LINEDOWN, wxEVT_SCROLLWIN_PAGEUP, wxEVT_SCROLLWIN_PAGEDOWN,
                                     wxEVT_SCROLLWIN_THUMBTRACK, wxEVT_SCROLLWIN_THUMBRELEASE})
        Bind(scroll, [this](wxScrollWinEvent& event) {
            event.Skip();
            if (event.GetOrientation() == wxHORIZONTAL)
                CallAfter([this] {
                    for (wxWindow* part : GetChildren()) part->Refresh();
                });
        });
#endif
    for (const ColumnCaption& column : columns) {
        const wxString caption = fromUtf8(column.text);
        const int width = std::max(FromDIP(column.width), GetTextExtent(caption).x + FromDIP(kTextPadding));
        AppendColumn(caption, wxLIST_FORMAT_LEFT, width);
        minWidths_.push_back(width);
    }
}

void CRowListView::rowsAppended(std::size_t count) {
    SetItemCount(static_cast<long>(count));
    if (!widthsFixed_) fitColumns(count, cellText_);
    Refresh();
}

void CRowListView::sizeColumnsFor(std::size_t rowCount, const CellText& cells) {
    fitColumns(rowCount, cells);
    widthsFixed_ = true;
}

void CRowListView::fitColumns(std::size_t rowCount, const CellText& cells) {
    for (int column = 0; column < GetColumnCount(); ++column) {
        const auto cellOf = [&](std::size_t row) { return cells(row, column); };
        int width = minWidths_[static_cast<std::size_t>(column)];
        for (const std::size_t row : longestCells(rowCount, cellOf))
            width = std::max(width, GetTextExtent(fromCp932(cellOf(row))).x + FromDIP(kTextPadding));
        if (GetColumnWidth(column) != width) SetColumnWidth(column, width);
    }
}

void CRowListView::rowsReplaced(std::size_t count) {
    if (GetItemCount() > 0) SetItemState(-1, 0, wxLIST_STATE_SELECTED);  // -1: every row
    rowsAppended(count);
}

void CRowListView::rowsMoved(std::span<const std::size_t> from) {
    std::vector<bool> wasSelected(static_cast<std::size_t>(GetItemCount()), false);
    for (const std::size_t row : selectedRows()) wasSelected[row] = true;
    const long focused = GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_FOCUSED);
    rowsReplaced(from.size());
    for (std::size_t row = 0; row < from.size(); ++row) {
        if (from[row] < wasSelected.size() && wasSelected[from[row]])
            SetItemState(static_cast<long>(row), wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
        // The focused row moves with the rest: the list takes a plain click
        // for a new single selection only when the row it last took stands
        // where it thinks (GTK's list would keep the old selection beside the new).
        if (focused >= 0 && from[row] == static_cast<std::size_t>(focused))
            SetItemState(static_cast<long>(row), wxLIST_STATE_FOCUSED, wxLIST_STATE_FOCUSED);
    }
}

std::vector<std::size_t> CRowListView::selectedRows() const {
    std::vector<std::size_t> rows;
    for (long item = GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED); item != -1;
         item = GetNextItem(item, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED)) {
        rows.push_back(static_cast<std::size_t>(item));
    }
    return rows;
}

wxString CRowListView::OnGetItemText(long item, long column) const {
    return fromCp932(cellText_(static_cast<std::size_t>(item), static_cast<int>(column)));
}

}  // namespace vellconf
