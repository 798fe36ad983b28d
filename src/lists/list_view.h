#pragma once
// The report list view both list pages use: a virtual list over rows the page
// keeps in a vector, so that a table of thousands of monsters opens at once
// and a sort only reorders the vector.

#include <wx/listctrl.h>

#include <cstddef>
#include <functional>
#include <span>
#include <vector>

#include "lists/monster_table.h"

namespace vellconf {

class CRowListView final : public wxListCtrl {
public:
    // The cell text of a row and column; asked only for the rows on screen.
    using CellText = std::function<wxString(std::size_t row, int column)>;

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

private:
    wxString OnGetItemText(long item, long column) const override;

    CellText cellText_;
};

}  // namespace vellconf
