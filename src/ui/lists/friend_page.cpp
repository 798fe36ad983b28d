#include <wx/textctrl.h>

#include <array>

#include "config/cp932.h"
#include "ui/lists/list_pages.h"
#include "ui/lists/list_view.h"
#include "res/dialog_templates.h"
#include "config/messages.h"
#include "ui/dialog_services.h"
#include "ui/friend_help_dlg.h"
#include "ui/wx_text.h"

namespace vellconf {

namespace {

namespace ids = templates::ids;

constexpr std::array<ColumnCaption, 2> kFriendColumns{{{"識別ID", 100}, {"名前", 250}}};

}  // namespace

struct CFriendPage::Impl {
    wxTextCtrl* idField = nullptr;
    wxTextCtrl* nameField = nullptr;
    CRowListView* friendList = nullptr;
    CRowListView* coFightList = nullptr;
};

namespace {

CRowListView* makeList(wxWindow* page, int id, const std::vector<FriendRecord>& rows) {
    return new CRowListView(page, id, kFriendColumns, [&rows](std::size_t row, int column) {
        if (row >= rows.size()) return std::string_view();
        return std::string_view(column == 0 ? rows[row].id : rows[row].name);
    });
}

}  // namespace

CFriendPage::CFriendPage(wxWindow* parent, AppState& state, DialogServices& services)
    : CTemplatePage(parent, state, services, templates::friendPage()), impl_(std::make_unique<Impl>()) {}

void CFriendPage::build() {
    Impl& m = *impl_;
    makeControls([this](const templates::Control& control) {
        return makeList(this, control.id, control.id == ids::kFriendList ? state_.friends : state_.coFight);
    });
    m.idField = static_cast<wxTextCtrl*>(FindWindow(ids::kFriendIdEdit));
    m.nameField = static_cast<wxTextCtrl*>(FindWindow(ids::kFriendNameEdit));
    m.friendList = static_cast<CRowListView*>(FindWindow(ids::kFriendList));
    m.coFightList = static_cast<CRowListView*>(FindWindow(ids::kCoFightList));
    m.friendList->rowsReplaced(state_.friends.size());

    AppState& state = state_;
    FindWindow(ids::kRegisterFriend)->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { onRegister(); });
    FindWindow(ids::kDeleteFriend)->Bind(wxEVT_BUTTON, [this, &m, &state](wxCommandEvent&) {
        const auto change = state.deleteFriends(m.friendList->selectedRows());
        m.friendList->rowsReplaced(state.friends.size());
        reportRewrite(change.written);
    });
    FindWindow(ids::kAddCoFight)->Bind(wxEVT_BUTTON, [&m, &state](wxCommandEvent&) {
        // No duplicate check: a friend added twice fights along twice in FRIENDS.
        for (const std::size_t row : m.friendList->selectedRows()) state.coFight.push_back(state.friends[row]);
        m.coFightList->rowsAppended(state.coFight.size());
    });
    FindWindow(ids::kDeleteCoFight)->Bind(wxEVT_BUTTON, [&m, &state](wxCommandEvent&) {
        removeRows(state.coFight, std::span<const std::size_t>(m.coFightList->selectedRows()));
        m.coFightList->rowsReplaced(state.coFight.size());
    });
    FindWindow(ids::kFriendHelp)->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
        CFriendHelpDlg help(wxGetTopLevelParent(this));
        help.ShowModal();
    });
}

// The handlers use impl_, so the controls must not outlive it.
CFriendPage::~CFriendPage() { DestroyChildren(); }

void CFriendPage::onRegister() {
    Impl& m = *impl_;
    // Cut as Friend.ini is written, so that the list shows what the next start reads.
    const std::string id = toCp932(m.idField->GetValue());
    const std::string name = toCp932(m.nameField->GetValue());
    const auto change = state_.addFriend(cutToBytes(id, kMaxCellBytes), cutToBytes(name, kMaxCellBytes));
    switch (change.registered) {
    case RegisterOutcome::Registered:
        m.idField->ChangeValue(wxString());
        m.nameField->ChangeValue(wxString());
        break;
    case RegisterOutcome::NothingToAdd:
        break;  // the file is still rewritten, unchanged
    case RegisterOutcome::HoldsBlank:
        services_.showError(this, messages::kFriendHoldsBlank);
        return;
    case RegisterOutcome::IdNotLua:
        services_.showError(this, messages::kFriendIdNotLua);
        return;
    case RegisterOutcome::EmptyName:
        services_.showError(this, messages::kFriendEmptyName);
        return;
    }
    if (change.reread) {
        m.friendList->rowsReplaced(state_.friends.size());
    } else if (change.registered == RegisterOutcome::Registered) {
        // The new friend stands on top; the rows below keep their selection.
        std::vector<std::size_t> from(state_.friends.size());
        for (std::size_t row = 1; row < from.size(); ++row) from[row] = row - 1;
        from[0] = CRowListView::kNewRow;
        m.friendList->rowsMoved(from);
    }
    reportRewrite(change.written);
}

void CFriendPage::reportRewrite(WriteResult written) {
    // On failure the list keeps the change; the next successful rewrite saves it.
    switch (written) {
    case WriteResult::Ok:
        break;
    case WriteResult::OpenFailed:
    case WriteResult::AccessDenied:
        services_.showError(this, messages::kFriendIniOpenFailed);
        break;
    case WriteResult::WriteFailed:
        services_.showError(this, messages::kFriendIniWriteFailed);
        break;
    }
    if (const auto untold = state_.history().untoldFailure()) services_.showWarning(this, *untold);
}

void CFriendPage::showState() { impl_->coFightList->rowsReplaced(state_.coFight.size()); }

}  // namespace vellconf
