#include <wx/button.h>
#include <wx/statbox.h>

#include "config/config_io.h"
#include "config/file_io.h"
#include "lists/list_pages.h"
#include "lists/list_view.h"
#include "res/dialog_templates.h"
#include "res/messages.h"
#include "ui/dialog_services.h"
#include "ui/wx_text.h"

namespace vellconf {

namespace ids = templates::ids;

struct CEnemyPage::Impl {
    std::vector<MonsterRecord> monsters;
    std::vector<MonsterRecord> ignored;
    // Each list remembers its own last sort, so a second click flips only that list.
    ColumnSort monsterSort;
    ColumnSort ignoreSort;
    CRowListView* monsterList = nullptr;
    CRowListView* ignoreList = nullptr;
};

namespace {

CRowListView* makeList(wxWindow* page, int id, const std::vector<MonsterRecord>& rows) {
    return new CRowListView(page, id, monsterColumns(), [&rows](std::size_t row, int column) {
        return row < rows.size() ? std::string_view(rows[row].cells[static_cast<std::size_t>(column)])
                                 : std::string_view();
    });
}

void sortList(std::vector<MonsterRecord>& rows, ColumnSort& sort, CRowListView& list, int column) {
    if (column < 0 || column >= static_cast<int>(kMonsterColumns)) return;
    sort.click(column);
    list.rowsMoved(sortRows(rows, sort.column, sort.ascending));
}

}  // namespace

CEnemyPage::CEnemyPage(wxWindow* parent, AppState& state, DialogServices& services)
    : CPage(parent, state, services), impl_(std::make_unique<Impl>()) {
    Impl& m = *impl_;
    for (const templates::Control& control : templates::enemyPage().controls) {
        wxWindow* window = nullptr;
        switch (control.kind) {
        case templates::Kind::GroupBox:
            window = new wxStaticBox(this, wxID_ANY, fromUtf8(control.text));
            break;
        case templates::Kind::Button:
            window = new wxButton(this, control.id, fromUtf8(control.text));
            break;
        case templates::Kind::ListView:
            window = makeList(this, control.id, control.id == ids::kMonsterList ? m.monsters : m.ignored);
            break;
        default:
            continue;
        }
        placeAt(window, this, control.rect);
    }
    m.monsterList = static_cast<CRowListView*>(FindWindow(ids::kMonsterList));
    m.ignoreList = static_cast<CRowListView*>(FindWindow(ids::kIgnoreList));

    auto mobData = readMobData(state_.mobDataFile());
    m.monsters = std::move(mobData.value);
    if (mobData.status != ReadStatus::Ok) services_.showError(this, messages::kMobDataOpenFailed);
    m.monsterList->rowsReplaced(m.monsters.size());

    FindWindow(ids::kAddToIgnore)->Bind(wxEVT_BUTTON, [&m](wxCommandEvent&) {
        const auto selected = m.monsterList->selectedRows();
        if (selected.empty()) return;
        appendRows(m.monsters, selected, m.ignored);
        m.ignoreList->rowsAppended(m.ignored.size());
    });
    FindWindow(ids::kRemoveFromIgnore)->Bind(wxEVT_BUTTON, [&m](wxCommandEvent&) {
        const auto selected = m.ignoreList->selectedRows();
        if (selected.empty()) return;
        removeRows(m.ignored, std::span<const std::size_t>(selected));
        m.ignoreList->rowsReplaced(m.ignored.size());
    });
    m.monsterList->Bind(wxEVT_LIST_COL_CLICK, [&m](wxListEvent& event) {
        sortList(m.monsters, m.monsterSort, *m.monsterList, event.GetColumn());
    });
    m.ignoreList->Bind(wxEVT_LIST_COL_CLICK, [&m](wxListEvent& event) {
        sortList(m.ignored, m.ignoreSort, *m.ignoreList, event.GetColumn());
    });
}

// The lists read their cells from impl_, so they must not outlive it.
CEnemyPage::~CEnemyPage() { DestroyChildren(); }

void CEnemyPage::showLoaded(const LoadedConfig& loaded) {
    // A load keeps the sort state: the next click on the same header still flips it.
    impl_->ignored = loaded.ignoreRows;
    impl_->ignoreList->rowsReplaced(impl_->ignored.size());
}

const std::vector<MonsterRecord>& CEnemyPage::monsters() const { return impl_->monsters; }

std::vector<std::string> CEnemyPage::ignoreIds() const { return idsOf(impl_->ignored); }

}  // namespace vellconf
