#include <wx/button.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <array>

#include "config/cp932.h"
#include "lists/list_pages.h"
#include "lists/list_view.h"
#include "res/dialog_templates.h"
#include "res/messages.h"
#include "ui/dialog_services.h"
#include "ui/friend_help_dlg.h"
#include "ui/label.h"
#include "ui/wx_text.h"

namespace vellconf {

namespace {

using templates::Kind;

// Template 141 fixes the controls and their top-to-bottom order but no
// positions; these follow the enemy page: the entry fields in their group on
// top, then each list in its group box with the buttons that fill it above it.
const templates::Dialog& friendPageLayout() {
    static const templates::Dialog dialog{"", CPage::kWidthDu, CPage::kHeightDu, {
        {Kind::GroupBox, -1, {0, 5, 235, 72}, "友達キャラ登録"},
        {Kind::Label, -1, {10, 19, 40, 8}, "識別ＩＤ："},
        {Kind::Edit, CFriendPage::kIdEdit, {52, 17, 90, 12}, ""},
        {Kind::Label, -1, {10, 35, 40, 8}, "名前："},
        {Kind::Edit, CFriendPage::kNameEdit, {52, 33, 120, 12}, ""},
        {Kind::Button, CFriendPage::kDeleteFriend, {8, 51, 75, 18}, "↑友達リストから削除"},
        {Kind::Button, CFriendPage::kRegisterFriend, {90, 51, 75, 18}, "↓友達リストに登録"},
        {Kind::Button, CFriendPage::kHelp, {190, 51, 38, 18}, "Help"},
        {Kind::GroupBox, -1, {0, 82, 235, 76}, "友達リスト"},
        {Kind::ListView, CFriendPage::kFriendList, {5, 92, 225, 61}, ""},
        {Kind::Button, CFriendPage::kDeleteCoFight, {25, 162, 75, 18}, "↑共闘リストから削除"},
        {Kind::Button, CFriendPage::kAddCoFight, {135, 162, 75, 18}, "↓共闘リストに登録"},
        {Kind::GroupBox, -1, {0, 184, 235, 76}, "共闘する友達リスト"},
        {Kind::ListView, CFriendPage::kCoFightList, {5, 194, 225, 61}, ""},
    }};
    return dialog;
}

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
    : CPage(parent, state, services), impl_(std::make_unique<Impl>()) {}

void CFriendPage::build() {
    Impl& m = *impl_;
    const DialogScale scale(this);
    for (const templates::Control& control : friendPageLayout().controls) {
        const wxRect rect = scale.toPixels(control.rect);
        switch (control.kind) {
        case Kind::GroupBox:
            new wxStaticBox(this, wxID_ANY, fromUtf8(control.text), rect.GetPosition(), rect.GetSize());
            break;
        case Kind::Label:
            placeAt(new CLabel(this, wxID_ANY, fromUtf8(control.text), rect),
                    scale, control.rect);
            break;
        case Kind::Edit:
            new wxTextCtrl(this, control.id, wxString(), rect.GetPosition(), rect.GetSize());
            break;
        case Kind::Button:
            new wxButton(this, control.id, fromUtf8(control.text), rect.GetPosition(), rect.GetSize());
            break;
        case Kind::ListView:
            placeAt(makeList(this, control.id, control.id == kFriendList ? state_.friends : state_.coFight), scale,
                    control.rect);
            break;
        default:
            break;
        }
    }
    m.idField = static_cast<wxTextCtrl*>(FindWindow(kIdEdit));
    m.nameField = static_cast<wxTextCtrl*>(FindWindow(kNameEdit));
    m.friendList = static_cast<CRowListView*>(FindWindow(kFriendList));
    m.coFightList = static_cast<CRowListView*>(FindWindow(kCoFightList));
    m.friendList->rowsReplaced(state_.friends.size());

    AppState& state = state_;
    FindWindow(kRegisterFriend)->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { onRegister(); });
    FindWindow(kDeleteFriend)->Bind(wxEVT_BUTTON, [this, &m, &state](wxCommandEvent&) {
        removeRows(state.friends, std::span<const std::size_t>(m.friendList->selectedRows()));
        m.friendList->rowsReplaced(state.friends.size());
        rewriteFriendFile();
    });
    FindWindow(kAddCoFight)->Bind(wxEVT_BUTTON, [&m, &state](wxCommandEvent&) {
        // No duplicate check: a friend added twice fights along twice in FRIENDS.
        for (const std::size_t row : m.friendList->selectedRows()) state.coFight.push_back(state.friends[row]);
        m.coFightList->rowsAppended(state.coFight.size());
    });
    FindWindow(kDeleteCoFight)->Bind(wxEVT_BUTTON, [&m, &state](wxCommandEvent&) {
        removeRows(state.coFight, std::span<const std::size_t>(m.coFightList->selectedRows()));
        m.coFightList->rowsReplaced(state.coFight.size());
    });
    FindWindow(kHelp)->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
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
    switch (registerFriend(state_.friends, cutToBytes(id, kMaxCellBytes), cutToBytes(name, kMaxCellBytes))) {
    case RegisterOutcome::Registered: {
        m.idField->ChangeValue(wxString());
        m.nameField->ChangeValue(wxString());
        // The new friend stands on top; the rows below keep their selection.
        std::vector<std::size_t> from(state_.friends.size());
        for (std::size_t row = 1; row < from.size(); ++row) from[row] = row - 1;
        from[0] = CRowListView::kNewRow;
        m.friendList->rowsMoved(from);
        break;
    }
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
    rewriteFriendFile();
}

void CFriendPage::rewriteFriendFile() {
    // On failure the list keeps the change; the next successful rewrite saves it.
    switch (state_.writeFriends()) {
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
}

void CFriendPage::showState() { impl_->coFightList->rowsReplaced(state_.coFight.size()); }

}  // namespace vellconf
