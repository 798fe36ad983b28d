#pragma once
// The report list view both list pages use: a virtual list over rows the page
// keeps in a vector, so that a table of thousands of monsters opens at once
// and a sort only reorders the vector.

#include <wx/listctrl.h>

#include <cstddef>
#include <functional>
#include <span>
#include <string_view>
#include <vector>

#include "lists/monster_table.h"

namespace vellconf {

class CRowListView final : public wxListCtrl {
public:
    // The CP932 text of a row's cell; converted only for the rows on screen.
    using CellText = std::function<std::string_view(std::size_t row, int column)>;

    // Each column is at least as wide as its caption says, and as its header
    // and its widest cell need.
    CRowListView(wxWindow* parent, int id, std::span<const ColumnCaption> columns, CellText cellText);

    // Rows were added at the end: the selection stays.
    void rowsAppended(std::size_t count);
    // Rows were removed or replaced: the old selection would point at other rows.
    void rowsReplaced(std::size_t count);
    // The rows moved: row i now holds what was row from[i], or a new row where
    // from[i] is kNewRow. Each row that moves keeps its selection.
    static constexpr std::size_t kNewRow = static_cast<std::size_t>(-1);
    void rowsMoved(std::span<const std::size_t> from);

    // Indices of the selected rows, top to bottom.
    std::vector<std::size_t> selectedRows() const;

    // Sizes the columns once for `rowCount` rows of `cells` and keeps them so,
    // rather than widening them as rows come: the ignore list takes its rows
    // from the monster table, and is sized for that table when it is empty.
    void sizeColumnsFor(std::size_t rowCount, const CellText& cells);

private:
    wxString OnGetItemText(long item, long column) const override;
    void fitColumns(std::size_t rowCount, const CellText& cells);

    CellText cellText_;
    std::vector<int> minWidths_;  // the header's needs included
    bool widthsFixed_ = false;
};

}  // namespace vellconf
