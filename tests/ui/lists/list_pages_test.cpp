// The enemy, friend and memo pages under a virtual display, in a scratch
// program folder, driven by the events their controls would send.

#include "ui/lists/list_pages.h"

#include <gtest/gtest.h>
#ifdef __WXGTK__
#include <X11/extensions/XTest.h>
#include <gdk/gdkx.h>
#endif
#include <wx/listctrl.h>

#include "res/dialog_templates.h"
#include "config/messages.h"
#include "ui/gui_test_support.h"
#include "ui/wx_text.h"

namespace vellconf {
namespace {

namespace fs = std::filesystem;
namespace ids = templates::ids;
using Ids = std::vector<std::string>;
using Rows = std::vector<std::size_t>;

using test::writeBytes;

// Five monsters of different levels.
std::string mobData() {
    std::string text;
    for (const char* monster :
         {"1002 ポリン 1", "1113 ドロップス 3", "1031 ポポリン 14", "1049 ピッキ 8", "1011 チョンチョン 5"})
        text += "\r\n" + std::string(monster) + " - - - - - - - - - - - - - - - - -";  // seventeen more cells
    return cp932(text + "\r\n");
}

void select(wxListCtrl* list, const Rows& rows) {
    list->SetItemState(-1, 0, wxLIST_STATE_SELECTED);
    for (const std::size_t row : rows)
        list->SetItemState(static_cast<long>(row), wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
}

// The first cells of the selected rows, top to bottom.
Ids selectedIds(wxListCtrl* list) {
    Ids ids;
    for (long item = list->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED); item != -1;
         item = list->GetNextItem(item, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED))
        ids.push_back(list->GetItemText(item).utf8_string());
    return ids;
}

// A plain mouse click on a row, selecting it.
void clickRow(wxListCtrl* list, long row) {
    list->EnsureVisible(row);
    test::yieldToWindow();
    wxRect rect;
    list->GetItemRect(row, rect);
    wxMilliSleep(500);  // never a double click with the click before
    test::mouseClick(list, rect.GetPosition() + wxPoint(8, rect.height / 2),
                     [&] { return list->GetItemState(row, wxLIST_STATE_SELECTED) != 0; });
}

void clickHeader(wxListCtrl* list, int column) {
    wxListEvent event(wxEVT_LIST_COL_CLICK, list->GetId());
    event.SetEventObject(list);
    event.SetColumn(column);
    list->ProcessWindowEvent(event);
    test::yieldToWindow();
}

enum Tab { kEnemy = 4, kFriend, kMemo };

// The list pages of a main window opened over side files of the test's own.
class ListPages : public test::MainWindow {
protected:
    CPage* openEnemies(const std::string& monsters = mobData()) {
        writeBytes(state.mobDataFile(), monsters);
        openWindow();
        return page(kEnemy);
    }
    CPage* openFriends(std::string_view friendIni) {
        writeBytes(state.friendFile(), friendIni);
        openWindow();
        return page(kFriend);
    }
    template <typename Control = wxListCtrl>
    static Control* child(wxWindow* page, int id) {
        auto* control = dynamic_cast<Control*>(page->FindWindow(id));
        EXPECT_NE(control, nullptr) << "control " << id;
        return control;
    }
    static void press(wxWindow* page, int button) { test::click(child<wxButton>(page, button)); }
    static void selectAndPress(wxWindow* page, int list, const Rows& rows, int button) {
        select(child(page, list), rows);
        press(page, button);
    }
    // What the main window does after a load.
    void showLoaded(CPage* page, const ConfigContent& loaded) {
        state.takeLoaded(loaded);
        page->showState();
        test::yieldToWindow();
    }
    Ids ignoreIds() const { return idsOf(state.ignored); }
    static void registerFriend(wxWindow* page, std::string_view id, std::string_view name) {
        child<wxTextCtrl>(page, ids::kFriendIdEdit)->ChangeValue(fromUtf8(id));
        child<wxTextCtrl>(page, ids::kFriendNameEdit)->ChangeValue(fromUtf8(name));
        press(page, ids::kRegisterFriend);
    }
};

// A list keeps its selection through a sort or a new friend on top, and a plain click afterwards selects the row
// clicked and no other. A refused registration says why and adds nothing.
TEST_F(ListPages, APlainClickAfterASortOrARegistrationSelectsOnlyTheClickedRow) {
    CPage* friends = openFriends("5555555 b\r\n7654321 a\r\n1111111 c\r\n");
    wxListCtrl* friendList = child(friends, ids::kFriendList);
    clickRow(friendList, 1);
    EXPECT_EQ(selectedIds(friendList), Ids{"7654321"});
    registerFriend(friends, "3333333", "new");
    EXPECT_EQ(selectedIds(friendList), Ids{"7654321"});
    clickRow(friendList, 1);  // 5555555, below the new friend
    EXPECT_EQ(selectedIds(friendList), Ids{"5555555"});
    registerFriend(friends, "1", "a b");  // refused, with the reason
    EXPECT_EQ(services.errors, Ids{std::string(messages::kFriendHoldsBlank)});
    EXPECT_EQ(friendList->GetItemCount(), 4);

    CPage* enemies = openEnemies();
    wxListCtrl* monsters = child(enemies, ids::kMonsterList);
    clickRow(monsters, 0);
    EXPECT_EQ(selectedIds(monsters), Ids{"1002"});
    clickHeader(monsters, 1);  // by name
    EXPECT_EQ(selectedIds(monsters), Ids{"1002"});
    clickRow(monsters, 0);
    EXPECT_EQ(selectedIds(monsters), Ids{monsters->GetItemText(0).utf8_string()});
    press(enemies, ids::kAddToIgnore);
    EXPECT_EQ(ignoreIds().size(), 1u);
}

#ifdef __WXGTK__
// GTK's list is wx's own: its header must follow the rows however they are
// scrolled sideways (a tilted wheel, a touchpad), not only by the scroll bar.
TEST_F(ListPages, TheHeaderStaysOverItsColumnsAfterASidewaysScroll) {
    CPage* enemies = openEnemies();
    auto* monsters = child(enemies, ids::kMonsterList);
    wxWindow* header = monsters->GetChildren()[0];  // of its two parts, the one on top
    if (header->GetPosition().y > monsters->GetChildren()[1]->GetPosition().y) header = monsters->GetChildren()[1];
    // Where the rows stood when the header last painted itself.
    int headerPaintedAt = -1;
    header->Bind(wxEVT_PAINT, [&](wxPaintEvent& event) {
        headerPaintedAt = monsters->GetViewStart().x;
        event.Skip();
    });
    // A wheel tilted to the right (X's button 7) over the rows, as the user's arrives.
    wxUIActionSimulator().MouseMove(monsters->ClientToScreen(wxPoint(40, monsters->GetClientSize().y / 2)));
    Display* display = GDK_DISPLAY_XDISPLAY(gdk_display_get_default());
    for (int step = 0; step < 3; ++step) {
        XTestFakeButtonEvent(display, 7, True, CurrentTime);
        XTestFakeButtonEvent(display, 7, False, CurrentTime);
        XFlush(display);
        for (int i = 0; i < 5; ++i) {
            test::yieldToWindow();
            wxMilliSleep(10);
        }
    }
    test::waitUntil([&] { return headerPaintedAt == monsters->GetViewStart().x; });
    ASSERT_GT(monsters->GetViewStart().x, 0);
    EXPECT_EQ(headerPaintedAt, monsters->GetViewStart().x);
}
#endif

// The add and remove buttons take the selected rows; a header click sorts its own list.
TEST_F(ListPages, EnemyButtonsTakeTheSelectedRowsAndHeaderClicksSortEachListOnItsOwn) {
    auto* page = openEnemies();
    wxListCtrl *monsterList = child(page, ids::kMonsterList), *ignoreList = child(page, ids::kIgnoreList);
    for (const Rows& rows : {Rows{4, 0, 2}, Rows{3, 1}, Rows{1}}) selectAndPress(page, ids::kMonsterList, rows, ids::kAddToIgnore);
    for (const Rows& rows : {Rows{5}, Rows{}}) selectAndPress(page, ids::kIgnoreList, rows, ids::kRemoveFromIgnore);
    EXPECT_EQ(ignoreIds(), (Ids{"1002", "1031", "1011", "1113", "1049"}));  // top to bottom; the second 1113 removed
    EXPECT_EQ(ignoreList->GetItemCount(), 5);
    const struct {
        wxListCtrl* list;
        int column;  // 1 名前, 2 Lv
        Ids monsters, ignore;
    } clicks[] = {
        {monsterList, 2, {"1002", "1113", "1011", "1049", "1031"}, {"1002", "1031", "1011", "1113", "1049"}},
        {monsterList, 2, {"1031", "1049", "1011", "1113", "1002"}, {"1002", "1031", "1011", "1113", "1049"}},
        {ignoreList, 2, {"1031", "1049", "1011", "1113", "1002"}, {"1002", "1113", "1011", "1049", "1031"}},
    };
    for (const auto& click : clicks) {
        select(click.list, {0, 3});
        Ids chosen = selectedIds(click.list);
        clickHeader(click.list, click.column);
        EXPECT_EQ(idsOf(state.monsters), click.monsters) << click.column;
        EXPECT_EQ(ignoreIds(), click.ignore) << click.column;
        // The view shows the new order, and the chosen monsters stay chosen wherever they moved.
        EXPECT_EQ(monsterList->GetItemText(0), fromUtf8(click.monsters.front())) << click.column;
        Ids after = selectedIds(click.list);
        std::sort(chosen.begin(), chosen.end());
        std::sort(after.begin(), after.end());
        EXPECT_EQ(after, chosen) << click.column;
    }
}

// Every header and cell fits its column, in the dialogs' font.
void expectReadable(wxListCtrl* list, const wxFont& font) {
    for (const wxWindow* part : list->GetChildren()) EXPECT_EQ(part->GetFont(), font);
    for (int column = 0; column < list->GetColumnCount(); ++column) {
        wxListItem header;
        header.SetMask(wxLIST_MASK_TEXT);
        list->GetColumn(column, header);
        int widest = list->GetTextExtent(header.GetText()).x;
        for (long row = 0; row < list->GetItemCount(); ++row)
            widest = std::max(widest, list->GetTextExtent(list->GetItemText(row, column)).x);
        EXPECT_GT(list->GetColumnWidth(column), widest) << header.GetText() << " of list " << list->GetId();
    }
}

TEST_F(ListPages, ColumnsAreWideEnoughForTheirHeadersAndCells) {
    writeBytes(state.friendFile(), cp932("1234567890 ながいなまえのともだち\r\n"));
    auto* enemies = openEnemies(mobData() + cp932("10021 ぽりんぽりんぽりんぽりんぽりん 10 ｻｲｽﾞ ｱｸﾃｨﾌﾞ") +
                                               " 123456789 - - - - - - - - - - - - - -\r\n");
    // The ignore list is sized for the monster table while still empty: its columns do not jump when rows come.
    const auto widths = [](wxListCtrl* list) {
        std::vector<int> each;
        for (int column = 0; column < list->GetColumnCount(); ++column) each.push_back(list->GetColumnWidth(column));
        return each;
    };
    const std::vector<int> emptyIgnoreList = widths(child(enemies, ids::kIgnoreList));
    selectAndPress(enemies, ids::kMonsterList, {5}, ids::kAddToIgnore);
    EXPECT_EQ(widths(child(enemies, ids::kIgnoreList)), emptyIgnoreList);
    auto* friends = page(kFriend);
    selectAndPress(friends, ids::kFriendList, {0}, ids::kAddCoFight);
    for (auto [page, list] : {std::pair<wxWindow*, int>{enemies, ids::kMonsterList}, {enemies, ids::kIgnoreList},
                              {friends, ids::kFriendList}, {friends, ids::kCoFightList}}) {
        ASSERT_EQ(child(page, list)->GetItemCount(), list == ids::kMonsterList ? 6 : 1);
        expectReadable(child(page, list), page->GetFont());
    }
}

// --- Memo page: 1024 bytes of CP932 as the field shows it, line ends as CR LF

wxString repeated(const char* utf8, std::size_t count) { return wxString(fromUtf8(utf8)[0], count); }

TEST_F(ListPages, MemoTypingAndPastingStopAt1024Bytes) {
    auto* field = child<wxTextCtrl>(page(kMemo), ids::kMemoEdit);
    const struct {
        const char* name;
        wxString before, typed, after;  // typed at the end of `before`
    } cases[] = {
        {"512 double-byte characters fit", repeated("あ", 511), fromUtf8("あ"), repeated("あ", 512)},
        {"the 513th is refused", repeated("あ", 512), fromUtf8("あ"), repeated("あ", 512)},
        {"a line end counts two bytes", repeated("a", 1022), "\nb", repeated("a", 1022) + "\n"},
        {"a paste keeps what fits", repeated("a", 1021), repeated("あ", 3), repeated("a", 1021) + fromUtf8("あ")},
    };
    for (const auto& c : cases) {
        field->SetValue(c.before);
        test::yieldToWindow();
        field->SetInsertionPointEnd();
        field->WriteText(c.typed);
        test::yieldToWindow();
        EXPECT_EQ(field->GetValue(), c.after) << c.name;
    }
}

// Leaving the field takes its text only after an edit: a memo the field cannot show as it is stays byte for byte, and
// one over the limit is said once per edit, then stored all the same.
TEST_F(ListPages, MemoLeftWithoutAnEditStaysByteForByteAndItsLengthIsSaidOncePerEdit) {
    CPage* memo = page(kMemo);
    auto* field = child<wxTextCtrl>(memo, ids::kMemoEdit);
    ConfigContent unshowable;
    unshowable.memo = std::string("nul ") + '\0' + " and a pair no character has \x85\x40\n";
    showLoaded(memo, unshowable);
    for (int i = 0; i < 2; ++i) test::leave(field);
    EXPECT_EQ(state.memo, unshowable.memo);

    ConfigContent tooLong;  // 33 lines of 30 bytes: 1023 bytes with LF, 1056 with the field's CR LF
    for (int i = 0; i < 33; ++i) tooLong.memo += std::string(30, 'm') + "\n";
    showLoaded(memo, tooLong);
    for (int i = 0; i < 2; ++i) test::leave(field);
    EXPECT_TRUE(services.warnings.empty());
    field->SetFocus();
    field->Remove(0, 1);  // as a Delete key at the start, still over the limit
    for (int i = 0; i < 2; ++i) test::leave(field);
    EXPECT_EQ(services.warnings, (Ids{"1024 文字以内で入力してください。"}));
    EXPECT_EQ(state.memo, tooLong.memo.substr(1));
}

}  // namespace
}  // namespace vellconf
