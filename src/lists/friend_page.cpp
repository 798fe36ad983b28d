#include <wx/button.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <array>

#include "config/config_io.h"
#include "config/cp932.h"
#include "config/file_io.h"
#include "lists/list_pages.h"
#include "lists/list_view.h"
#include "res/dialog_templates.h"
#include "res/messages.h"
#include "ui/dialog_services.h"
#include "ui/friend_help_dlg.h"
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
    std::vector<FriendRecord> friends;
    std::vector<FriendRecord> coFight;
    bool keepFriendFile = false;  // Friend.ini could not be read at start-up
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
    : CPage(parent, state, services), impl_(std::make_unique<Impl>()) {
    Impl& m = *impl_;
    for (const templates::Control& control : friendPageLayout().controls) {
        wxWindow* window = nullptr;
        switch (control.kind) {
        case Kind::GroupBox:
            window = new wxStaticBox(this, wxID_ANY, fromUtf8(control.text));
            break;
        case Kind::Label:
            window = new wxStaticText(this, wxID_ANY, fromUtf8(control.text));
            break;
        case Kind::Edit:
            window = new wxTextCtrl(this, control.id);
            break;
        case Kind::Button:
            window = new wxButton(this, control.id, fromUtf8(control.text));
            break;
        case Kind::ListView:
            window = makeList(this, control.id, control.id == kFriendList ? m.friends : m.coFight);
            break;
        default:
            continue;
        }
        placeAt(window, this, control.rect);
    }
    m.idField = static_cast<wxTextCtrl*>(FindWindow(kIdEdit));
    m.nameField = static_cast<wxTextCtrl*>(FindWindow(kNameEdit));
    m.friendList = static_cast<CRowListView*>(FindWindow(kFriendList));
    m.coFightList = static_cast<CRowListView*>(FindWindow(kCoFightList));

    // A missing Friend.ini is the normal first start: no message. One that is
    // there but could not be read is never replaced by the shorter list the
    // page starts with: the friends typed into it would be lost.
    auto friendFile = readFriendIni(state_.friendFile());
    m.friends = std::move(friendFile.value);
    m.keepFriendFile = existsButUnreadable(friendFile.status);
    if (m.keepFriendFile) services_.showError(this, messages::kFriendIniOpenFailed);
    m.friendList->rowsReplaced(m.friends.size());

    FindWindow(kRegisterFriend)->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { onRegister(); });
    FindWindow(kDeleteFriend)->Bind(wxEVT_BUTTON, [this, &m](wxCommandEvent&) {
        removeRows(m.friends, std::span<const std::size_t>(m.friendList->selectedRows()));
        m.friendList->rowsReplaced(m.friends.size());
        rewriteFriendFile();
    });
    FindWindow(kAddCoFight)->Bind(wxEVT_BUTTON, [&m](wxCommandEvent&) {
        // No duplicate check: a friend added twice fights along twice in FRIENDS.
        for (const std::size_t row : m.friendList->selectedRows()) m.coFight.push_back(m.friends[row]);
        m.coFightList->rowsAppended(m.coFight.size());
    });
    FindWindow(kDeleteCoFight)->Bind(wxEVT_BUTTON, [&m](wxCommandEvent&) {
        removeRows(m.coFight, std::span<const std::size_t>(m.coFightList->selectedRows()));
        m.coFightList->rowsReplaced(m.coFight.size());
    });
    FindWindow(kHelp)->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
        CFriendHelpDlg help(wxGetTopLevelParent(this));
        help.ShowModal();
    });
}

// The lists read their cells from impl_, so they must not outlive it.
CFriendPage::~CFriendPage() { DestroyChildren(); }

void CFriendPage::onRegister() {
    Impl& m = *impl_;
    // Cut as Friend.ini is written, so that the list shows what the next start reads.
    const std::string id = toCp932(m.idField->GetValue());
    const std::string name = toCp932(m.nameField->GetValue());
    switch (registerFriend(m.friends, cutToBytes(id, kMaxCellBytes), cutToBytes(name, kMaxCellBytes))) {
    case RegisterOutcome::Registered: {
        m.idField->ChangeValue(wxString());
        m.nameField->ChangeValue(wxString());
        // The new friend stands on top; the rows below keep their selection.
        std::vector<std::size_t> from(m.friends.size());
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
    if (impl_->keepFriendFile) {
        services_.showError(this, messages::kFriendIniOpenFailed);
        return;
    }
    switch (writeFileSafely(state_.friendFile(), writeFriendIni(impl_->friends))) {
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

void CFriendPage::showLoaded(const LoadedConfig& loaded) {
    impl_->coFight = loaded.coFightRows;
    impl_->coFightList->rowsReplaced(impl_->coFight.size());
}

const std::vector<FriendRecord>& CFriendPage::friends() const { return impl_->friends; }

std::vector<std::string> CFriendPage::coFightIds() const { return idsOf(impl_->coFight); }

}  // namespace vellconf
