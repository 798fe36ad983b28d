#include "ui/lists/list_pages.h"
#include "ui/lists/list_view.h"
#include "res/dialog_templates.h"
#include "ui/wx_text.h"

namespace vellconf {

namespace ids = templates::ids;

struct CEnemyPage::Impl {
    // Each list remembers its own last sort, so a second click flips only that list.
    ColumnSort monsterSort;
    ColumnSort ignoreSort;
    CRowListView* monsterList = nullptr;
    CRowListView* ignoreList = nullptr;
};

namespace {

// The cells of a list of monsters, as the list view asks for them.
CRowListView::CellText cellsOf(const std::vector<MonsterRecord>& rows) {
    return [&rows](std::size_t row, int column) {
        return row < rows.size() ? std::string_view(rows[row].cells[static_cast<std::size_t>(column)])
                                 : std::string_view();
    };
}

CRowListView* makeList(wxWindow* page, int id, const std::vector<MonsterRecord>& rows) {
    return new CRowListView(page, id, monsterColumns(), cellsOf(rows));
}

void sortList(std::vector<MonsterRecord>& rows, ColumnSort& sort, CRowListView& list, int column) {
    if (column < 0 || column >= static_cast<int>(kMonsterColumns)) return;
    sort.click(column);
    list.rowsMoved(sortRows(rows, sort.column, sort.ascending));
}

}  // namespace

CEnemyPage::CEnemyPage(wxWindow* parent, AppState& state, DialogServices& services)
    : CTemplatePage(parent, state, services, templates::enemyPage()), impl_(std::make_unique<Impl>()) {}

void CEnemyPage::build() {
    Impl& m = *impl_;
    makeControls([this](const templates::Control& control) {
        return makeList(this, control.id, control.id == ids::kMonsterList ? state_.monsters : state_.ignored);
    });
    m.monsterList = static_cast<CRowListView*>(FindWindow(ids::kMonsterList));
    m.ignoreList = static_cast<CRowListView*>(FindWindow(ids::kIgnoreList));
    // Both lists are as wide as the monster table needs, from the start.
    for (CRowListView* list : {m.monsterList, m.ignoreList}) list->sizeColumnsFor(state_.monsters.size(), cellsOf(state_.monsters));
    m.monsterList->rowsReplaced(state_.monsters.size());

    AppState& state = state_;
    FindWindow(ids::kAddToIgnore)->Bind(wxEVT_BUTTON, [&m, &state](wxCommandEvent&) {
        const auto selected = m.monsterList->selectedRows();
        if (selected.empty()) return;
        appendRows(state.monsters, selected, state.ignored);
        m.ignoreList->rowsAppended(state.ignored.size());
    });
    FindWindow(ids::kRemoveFromIgnore)->Bind(wxEVT_BUTTON, [&m, &state](wxCommandEvent&) {
        const auto selected = m.ignoreList->selectedRows();
        if (selected.empty()) return;
        removeRows(state.ignored, std::span<const std::size_t>(selected));
        m.ignoreList->rowsReplaced(state.ignored.size());
    });
    m.monsterList->Bind(wxEVT_LIST_COL_CLICK, [&m, &state](wxListEvent& event) {
        sortList(state.monsters, m.monsterSort, *m.monsterList, event.GetColumn());
    });
    m.ignoreList->Bind(wxEVT_LIST_COL_CLICK, [&m, &state](wxListEvent& event) {
        sortList(state.ignored, m.ignoreSort, *m.ignoreList, event.GetColumn());
    });
}

// The handlers use impl_, so the controls must not outlive it.
CEnemyPage::~CEnemyPage() { DestroyChildren(); }

void CEnemyPage::showState() {
    // A load keeps the sort state: the next click on the same header still flips it.
    impl_->ignoreList->rowsReplaced(state_.ignored.size());
}

}  // namespace vellconf
