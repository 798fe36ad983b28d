#include "lists/list_view.h"

#include <utility>

#include "ui/wx_text.h"

namespace vellconf {

CRowListView::CRowListView(wxWindow* parent, int id, std::span<const ColumnCaption> columns, CellText cellText)
    // Several rows may be selected (no wxLC_SINGLE_SEL). Whole-row selection is
    // what both toolkits do in report view, and Windows' list view also lets the
    // user drag the headers into another order; the generic list of GTK cannot.
    : wxListCtrl(parent, id, wxDefaultPosition, wxDefaultSize, wxLC_REPORT | wxLC_VIRTUAL),
      cellText_(std::move(cellText)) {
    for (std::size_t i = 0; i < columns.size(); ++i) {
        AppendColumn(fromUtf8(columns[i].text), wxLIST_FORMAT_LEFT, FromDIP(columns[i].width));
    }
}

void CRowListView::rowsAppended(std::size_t count) {
    SetItemCount(static_cast<long>(count));
    Refresh();
}

void CRowListView::rowsReplaced(std::size_t count) {
    if (GetItemCount() > 0) SetItemState(-1, 0, wxLIST_STATE_SELECTED);  // -1: every row
    rowsAppended(count);
}

void CRowListView::rowsMoved(std::span<const std::size_t> from) {
    std::vector<bool> wasSelected(static_cast<std::size_t>(GetItemCount()), false);
    for (const std::size_t row : selectedRows()) wasSelected[row] = true;
    rowsReplaced(from.size());
    for (std::size_t row = 0; row < from.size(); ++row) {
        if (from[row] < wasSelected.size() && wasSelected[from[row]])
            SetItemState(static_cast<long>(row), wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
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
    return cellText_(static_cast<std::size_t>(item), static_cast<int>(column));
}

}  // namespace vellconf
