// The enemy, friend and memo pages under a virtual display, in a scratch
// program folder, driven by the events their controls would send.

#include "lists/list_pages.h"

#include <gtest/gtest.h>
#include <wx/frame.h>
#include <wx/listctrl.h>
#include <wx/stattext.h>

#include <fstream>

#include "config/file_io.h"
#include "ui/gui_test_support.h"
#include "lists/memo.h"
#include "res/dialog_templates.h"
#include "res/messages.h"
#include "ui/dialog_units.h"
#include "ui/friend_help_dlg.h"
#include "ui/wx_text.h"

namespace vellconf {
namespace {

namespace fs = std::filesystem;
namespace ids = templates::ids;
using Ids = std::vector<std::string>;
using Rows = std::vector<std::size_t>;

void writeBytes(const fs::path& path, std::string_view bytes) { std::ofstream(path, std::ios::binary) << bytes; }

// One MobData.ini line: ID, name and level, the other seventeen cells "-".
std::string mobLine(std::string_view id, std::string_view name, std::string_view level) {
    std::string line = std::string(id) + " " + std::string(name) + " " + std::string(level);
    for (int i = 3; i < 20; ++i) line += " -";
    return line + "\r\n";
}

// A caption line first, as the real file has; the levels are all different.
std::string mobData() {
    std::string caption = ";ID";
    for (std::size_t i = 1; i < kMonsterColumns; ++i) caption += " " + std::string(monsterColumns()[i].text);
    return cp932(caption + "\r\n" + mobLine("1002", "ポリン", "1") + mobLine("1113", "ドロップス", "3") +
                 mobLine("1031", "ポポリン", "14") + mobLine("1049", "ピッキ", "8") +
                 mobLine("1011", "チョンチョン", "5"));
}

int columnOf(std::string_view caption) {
    for (std::size_t i = 0; i < kMonsterColumns; ++i) {
        if (monsterColumns()[i].text == caption) return static_cast<int>(i);
    }
    ADD_FAILURE() << "no column " << caption;
    return -1;
}

template <typename Control>
Control* child(wxWindow* parent, int id) {
    auto* control = dynamic_cast<Control*>(parent->FindWindow(id));
    EXPECT_NE(control, nullptr) << "control " << id;
    return control;
}

void select(wxListCtrl* list, const Rows& rows) {
    list->SetItemState(-1, 0, wxLIST_STATE_SELECTED);
    for (const std::size_t row : rows) {
        list->SetItemState(static_cast<long>(row), wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
    }
}

void clickHeader(wxListCtrl* list, int column) {
    wxListEvent event(wxEVT_LIST_COL_CLICK, list->GetId());
    event.SetEventObject(list);
    event.SetColumn(column);
    list->ProcessWindowEvent(event);
    test::yieldToWindow();
}

Ids monsterIds(const std::vector<MonsterRecord>& rows) {
    Ids ids;
    for (const MonsterRecord& row : rows) ids.push_back(row.id());
    return ids;
}

Ids friendIds(const std::vector<FriendRecord>& rows) {
    Ids ids;
    for (const FriendRecord& row : rows) ids.push_back(row.id);
    return ids;
}

// Each test's page lives in a frame of its own, shown so that focus can move.
class ListPages : public ::testing::Test {
protected:
    void SetUp() override {
        frame = new wxFrame(nullptr, wxID_ANY, "lists");
        frame->Show();
    }
    void TearDown() override {
        frame->Destroy();
        test::yieldToWindow();
    }

    template <typename Page>
    Page* open() {
        auto* page = new Page(frame, fixture.state, fixture.services);
        frame->SetClientSize(page->GetMinSize());
        page->SetSize(page->GetMinSize());
        test::yieldToWindow();
        return page;
    }

    test::GuiFixtureState fixture;
    wxFrame* frame = nullptr;
};

// ---------------------------------------------------------------------------
// Enemy page: the monster list comes from MobData.ini.

class EnemyPage : public ListPages {
protected:
    void SetUp() override {
        ListPages::SetUp();
        writeBytes(fixture.state.mobDataFile(), mobData());
        page = open<CEnemyPage>();
        monsterList = child<wxListCtrl>(page, ids::kMonsterList);
        ignoreList = child<wxListCtrl>(page, ids::kIgnoreList);
        add = child<wxButton>(page, ids::kAddToIgnore);
        remove = child<wxButton>(page, ids::kRemoveFromIgnore);
    }

    CEnemyPage* page = nullptr;
    wxListCtrl* monsterList = nullptr;
    wxListCtrl* ignoreList = nullptr;
    wxButton* add = nullptr;
    wxButton* remove = nullptr;
};

TEST_F(EnemyPage, ShowsEveryMonsterOfMobDataInFileOrder) {
    EXPECT_TRUE(fixture.services.errors.empty());
    EXPECT_EQ(monsterIds(page->monsters()), (Ids{"1002", "1113", "1031", "1049", "1011"}));
    EXPECT_EQ(monsterList->GetItemCount(), 5);
    EXPECT_EQ(monsterList->GetItemText(0, 1), fromUtf8("ポリン"));
    EXPECT_EQ(ignoreList->GetItemCount(), 0);
    for (wxListCtrl* list : {monsterList, ignoreList}) {
        ASSERT_EQ(list->GetColumnCount(), static_cast<int>(kMonsterColumns));
        for (std::size_t i = 0; i < kMonsterColumns; ++i) {
            wxListItem column;
            column.SetMask(wxLIST_MASK_TEXT);
            list->GetColumn(static_cast<int>(i), column);
            EXPECT_EQ(column.GetText(), fromUtf8(monsterColumns()[i].text)) << i;
            EXPECT_EQ(list->GetColumnWidth(static_cast<int>(i)), monsterColumns()[i].width) << i;
        }
    }
}

TEST_F(EnemyPage, AddAppendsTheSelectedMonstersTopToBottom) {
    struct Case {
        const char* name;
        std::vector<Rows> clicks;  // the monster rows selected for each press of the add button
        Ids ignoreIds;
    };
    const Case cases[] = {
        {"three selected, in list order", {{4, 0, 2}}, {"1002", "1031", "1011"}},
        {"the same monster twice", {{1}, {1}}, {"1113", "1113"}},
        {"added to the end", {{3}, {0, 1}}, {"1049", "1002", "1113"}},
        {"nothing selected", {{}}, {}},
    };
    for (const Case& c : cases) {
        page->showLoaded(LoadedConfig{});
        for (const Rows& rows : c.clicks) {
            select(monsterList, rows);
            test::click(add);
        }
        EXPECT_EQ(page->ignoreIds(), c.ignoreIds) << c.name;
        EXPECT_EQ(ignoreList->GetItemCount(), static_cast<int>(c.ignoreIds.size())) << c.name;
        EXPECT_EQ(monsterList->GetSelectedItemCount(), static_cast<int>(c.clicks.back().size())) << c.name;
        EXPECT_EQ(page->monsters().size(), 5u) << c.name;
    }
}

TEST_F(EnemyPage, RemoveDeletesTheSelectedIgnoreRows) {
    struct Case {
        const char* name;
        Rows selected;
        Ids ignoreIds;
    };
    const Case cases[] = {
        {"two selected", {1, 3}, {"1002", "1031", "1011"}},
        {"all selected", {0, 1, 2, 3, 4}, {}},
        {"nothing selected", {}, {"1002", "1113", "1031", "1049", "1011"}},
    };
    for (const Case& c : cases) {
        page->showLoaded(LoadedConfig{});
        select(monsterList, {0, 1, 2, 3, 4});
        test::click(add);
        select(ignoreList, c.selected);
        test::click(remove);
        EXPECT_EQ(page->ignoreIds(), c.ignoreIds) << c.name;
        EXPECT_EQ(ignoreList->GetItemCount(), static_cast<int>(c.ignoreIds.size())) << c.name;
        EXPECT_EQ(ignoreList->GetSelectedItemCount(), 0) << c.name;
    }
}

TEST_F(EnemyPage, HeaderClickSortsTheMonsterList) {
    struct Case {
        const char* name;
        std::vector<const char*> headers;
        Ids order;
    };
    const Case cases[] = {
        {"Lv once: lowest first", {"Lv"}, {"1002", "1113", "1011", "1049", "1031"}},
        {"Lv again: highest first", {"Lv"}, {"1031", "1049", "1011", "1113", "1002"}},
        {"then the name: ascending", {"名前"}, {"1011", "1113", "1049", "1031", "1002"}},
        {"the name again: descending", {"名前"}, {"1002", "1031", "1049", "1113", "1011"}},
    };
    // The cases run on one page: each continues the clicks of the one before.
    for (const Case& c : cases) {
        for (const char* header : c.headers) clickHeader(monsterList, columnOf(header));
        EXPECT_EQ(monsterIds(page->monsters()), c.order) << c.name;
        EXPECT_EQ(monsterList->GetItemText(0), fromUtf8(c.order.front())) << c.name;
    }
    EXPECT_TRUE(page->ignoreIds().empty());
}

TEST_F(EnemyPage, SortClearsTheSelection) {
    select(monsterList, {0});
    clickHeader(monsterList, columnOf("Lv"));
    EXPECT_EQ(monsterList->GetSelectedItemCount(), 0);
}

TEST_F(EnemyPage, EachListSortsOnItsOwn) {
    select(monsterList, {0, 1, 2, 3, 4});
    test::click(add);
    clickHeader(monsterList, columnOf("Lv"));  // the monster list's first click on Lv
    clickHeader(ignoreList, columnOf("Lv"));   // and the ignore list's: ascending too
    EXPECT_EQ(page->ignoreIds(), (Ids{"1002", "1113", "1011", "1049", "1031"}));
    clickHeader(ignoreList, columnOf("ID"));
    EXPECT_EQ(page->ignoreIds(), (Ids{"1002", "1011", "1031", "1049", "1113"}));
    clickHeader(ignoreList, columnOf("ID"));
    EXPECT_EQ(page->ignoreIds(), (Ids{"1113", "1049", "1031", "1011", "1002"}));
    EXPECT_EQ(monsterIds(page->monsters()), (Ids{"1002", "1113", "1011", "1049", "1031"}));
}

TEST_F(EnemyPage, ALoadReplacesTheIgnoreList) {
    select(monsterList, {0});
    test::click(add);
    LoadedConfig loaded;
    loaded.ignoreRows = {page->monsters()[3], MonsterRecord{{"9999"}}};
    page->showLoaded(loaded);
    EXPECT_EQ(page->ignoreIds(), (Ids{"1049", "9999"}));
    EXPECT_EQ(ignoreList->GetItemCount(), 2);
    EXPECT_EQ(ignoreList->GetItemText(1, 1), wxString());
}

TEST_F(ListPages, MissingMobDataIsSaidAndGivesAnEmptyList) {
    auto* page = open<CEnemyPage>();
    EXPECT_EQ(fixture.services.errors, (Ids{std::string(messages::kMobDataOpenFailed)}));
    EXPECT_TRUE(page->monsters().empty());
    EXPECT_EQ(child<wxListCtrl>(page, ids::kMonsterList)->GetItemCount(), 0);
    test::click(child<wxButton>(page, ids::kAddToIgnore));
    EXPECT_TRUE(page->ignoreIds().empty());
}

// ---------------------------------------------------------------------------
// Friend page: the friend list is Friend.ini; the co-fight list lives in the page.

class FriendPage : public ListPages {
protected:
    void openPage() {
        page = open<CFriendPage>();
        idField = child<wxTextCtrl>(page, CFriendPage::kIdEdit);
        nameField = child<wxTextCtrl>(page, CFriendPage::kNameEdit);
        friendList = child<wxListCtrl>(page, CFriendPage::kFriendList);
        coFightList = child<wxListCtrl>(page, CFriendPage::kCoFightList);
    }

    void registerFriend(std::string_view id, std::string_view name) {
        idField->ChangeValue(fromUtf8(id));
        nameField->ChangeValue(fromUtf8(name));
        test::click(child<wxButton>(page, CFriendPage::kRegisterFriend));
    }
    void press(int button) { test::click(child<wxButton>(page, button)); }

    std::string friendFile() const { return readFile(fixture.state.friendFile()).value_or("<none>"); }

    CFriendPage* page = nullptr;
    wxTextCtrl* idField = nullptr;
    wxTextCtrl* nameField = nullptr;
    wxListCtrl* friendList = nullptr;
    wxListCtrl* coFightList = nullptr;
};

TEST_F(FriendPage, StartsWithoutFriendIniSilently) {
    openPage();
    EXPECT_TRUE(page->friends().empty());
    EXPECT_TRUE(fixture.services.errors.empty());
    EXPECT_EQ(friendList->GetColumnCount(), 2);
    EXPECT_EQ(friendList->GetColumnWidth(0), 100);
    EXPECT_EQ(friendList->GetColumnWidth(1), 250);
    EXPECT_EQ(coFightList->GetColumnWidth(1), 250);
}

TEST_F(FriendPage, ControlsStandTopToBottomInTheirOrder) {
    openPage();
    const int order[] = {CFriendPage::kIdEdit,       CFriendPage::kNameEdit,    CFriendPage::kDeleteFriend,
                         CFriendPage::kFriendList,   CFriendPage::kDeleteCoFight, CFriendPage::kCoFightList};
    int lastBottom = 0;
    for (const int id : order) {
        const wxRect rect = page->FindWindow(id)->GetRect();
        EXPECT_GE(rect.y, lastBottom) << id;
        EXPECT_LE(rect.GetRight(), page->GetClientSize().x) << id;
        lastBottom = rect.GetBottom();
    }
    EXPECT_LE(lastBottom, page->GetClientSize().y);
}

TEST_F(FriendPage, RegisterPutsTheNewestFriendOnTopOfListAndFile) {
    openPage();
    registerFriend("1234567", "ともだち");
    registerFriend("7654321", "なかま");
    EXPECT_EQ(page->friends(), (std::vector<FriendRecord>{{"7654321", cp932("なかま")}, {"1234567", cp932("ともだち")}}));
    EXPECT_EQ(friendFile(), cp932("7654321 なかま\r\n1234567 ともだち\r\n"));
    EXPECT_EQ(friendList->GetItemText(0, 1), fromUtf8("なかま"));
    EXPECT_EQ(idField->GetValue(), wxString());
    EXPECT_EQ(nameField->GetValue(), wxString());
    EXPECT_TRUE(fixture.services.errors.empty());
}

TEST_F(FriendPage, RegisterRefusesWhatFriendIniCannotCarry) {
    struct Case {
        const char* name;
        const char* id;
        const char* friendName;
        std::string_view message;
    };
    const Case cases[] = {
        {"a blank in the name", "1234567", "a b", messages::kFriendHoldsBlank},
        {"a blank in the ID", "12 34", "ab", messages::kFriendHoldsBlank},
        {"a tab in the name", "1234567", "a\tb", messages::kFriendHoldsBlank},
        {"no name", "1234567", "", messages::kFriendEmptyName},
    };
    writeBytes(fixture.state.friendFile(), "1 one\r\n");
    openPage();
    for (const Case& c : cases) {
        fixture.services.errors.clear();
        registerFriend(c.id, c.friendName);
        EXPECT_EQ(fixture.services.errors, (Ids{std::string(c.message)})) << c.name;
        EXPECT_EQ(friendIds(page->friends()), (Ids{"1"})) << c.name;
        EXPECT_EQ(friendFile(), "1 one\r\n") << c.name;
        EXPECT_EQ(idField->GetValue(), fromUtf8(c.id)) << c.name;
        EXPECT_EQ(nameField->GetValue(), fromUtf8(c.friendName)) << c.name;
    }
}

TEST_F(FriendPage, RegisterWithoutIdRewritesTheFileUnchanged) {
    // The comment pair goes with the first rewrite, as the list never held it.
    writeBytes(fixture.state.friendFile(), "; comment\r\n1 one\r\n");
    openPage();
    registerFriend("", "nobody");
    EXPECT_TRUE(fixture.services.errors.empty());
    EXPECT_EQ(friendIds(page->friends()), (Ids{"1"}));
    EXPECT_EQ(friendFile(), "1 one\r\n");
    EXPECT_EQ(nameField->GetValue(), "nobody");
}

TEST_F(FriendPage, DeleteRemovesTheSelectedFriendsAndRewritesTheFile) {
    struct Case {
        const char* name;
        Rows selected;
        std::string file;
    };
    const Case cases[] = {
        {"the middle one", {1}, "1 one\r\n3 three\r\n"},
        {"two", {0, 2}, "2 two\r\n"},
        {"nothing selected: rewritten all the same", {}, "1 one\r\n2 two\r\n3 three\r\n"},
    };
    for (const Case& c : cases) {
        writeBytes(fixture.state.friendFile(), ";c x\r\n1 one\r\n2 two\r\n3 three\r\n");
        openPage();
        select(friendList, c.selected);
        press(CFriendPage::kDeleteFriend);
        EXPECT_EQ(friendFile(), c.file) << c.name;
        EXPECT_EQ(writeFriendIni(page->friends()), c.file) << c.name;
        EXPECT_EQ(friendList->GetItemCount(), static_cast<int>(page->friends().size())) << c.name;
        page->Destroy();
    }
}

TEST_F(FriendPage, CoFightListTakesSelectedFriendsAndOutlivesThem) {
    writeBytes(fixture.state.friendFile(), "1 one\r\n2 two\r\n3 three\r\n4 four\r\n");
    openPage();
    select(friendList, {3, 0, 2});
    press(CFriendPage::kAddCoFight);
    EXPECT_EQ(page->coFightIds(), (Ids{"1", "3", "4"}));

    select(friendList, {});
    press(CFriendPage::kAddCoFight);
    EXPECT_EQ(page->coFightIds(), (Ids{"1", "3", "4"}));

    // Deleting a friend leaves its co-fight row: FRIENDS still holds the number.
    select(friendList, {2});
    press(CFriendPage::kDeleteFriend);
    EXPECT_EQ(friendIds(page->friends()), (Ids{"1", "2", "4"}));
    EXPECT_EQ(page->coFightIds(), (Ids{"1", "3", "4"}));
    EXPECT_EQ(coFightList->GetItemText(1, 1), "three");

    const std::string before = friendFile();
    select(coFightList, {0, 2});
    press(CFriendPage::kDeleteCoFight);
    EXPECT_EQ(page->coFightIds(), (Ids{"3"}));
    select(coFightList, {});
    press(CFriendPage::kDeleteCoFight);
    EXPECT_EQ(page->coFightIds(), (Ids{"3"}));
    EXPECT_EQ(friendFile(), before);
}

TEST_F(FriendPage, SameFriendTwiceGivesTwoCoFightRows) {
    writeBytes(fixture.state.friendFile(), "1 one\r\n");
    openPage();
    select(friendList, {0});
    press(CFriendPage::kAddCoFight);
    press(CFriendPage::kAddCoFight);
    EXPECT_EQ(page->coFightIds(), (Ids{"1", "1"}));
}

TEST_F(FriendPage, RewriteFailureIsSaidAndTheListKeepsTheChange) {
    openPage();
    fs::create_directory(fixture.state.friendFile());
    registerFriend("1234567", "ともだち");
    EXPECT_EQ(fixture.services.errors, (Ids{std::string(messages::kFriendIniOpenFailed)}));
    EXPECT_EQ(friendIds(page->friends()), (Ids{"1234567"}));
    EXPECT_TRUE(fs::is_directory(fixture.state.friendFile()));
}

TEST_F(FriendPage, ALoadReplacesTheCoFightList) {
    writeBytes(fixture.state.friendFile(), "1 one\r\n");
    openPage();
    select(friendList, {0});
    press(CFriendPage::kAddCoFight);
    LoadedConfig loaded;
    loaded.coFightRows = {{"5", "five"}, {"6", "six"}};
    page->showLoaded(loaded);
    EXPECT_EQ(page->coFightIds(), (Ids{"5", "6"}));
    EXPECT_EQ(coFightList->GetItemCount(), 2);
    EXPECT_EQ(friendIds(page->friends()), (Ids{"1"}));
}

// ---------------------------------------------------------------------------
// Friend help window.

TEST_F(ListPages, FriendHelpShowsItsLinesAndOkWhereTheLayoutSays) {
    CFriendHelpDlg dialog(frame);
    const templates::Dialog& layout = templates::friendHelpDialog();
    EXPECT_EQ(dialog.GetTitle(), fromUtf8("友達登録のヘルプ"));
    EXPECT_EQ(dialog.GetClientSize(), dialogUnits(&dialog, 187, 215));

    std::vector<wxStaticText*> lines;
    for (wxWindow* window : dialog.GetChildren()) {
        if (auto* line = dynamic_cast<wxStaticText*>(window)) lines.push_back(line);
    }
    ASSERT_EQ(lines.size(), 16u);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const templates::Control& control = layout.controls[i];
        EXPECT_EQ(lines[i]->GetLabel(), fromUtf8(control.text)) << i;
        EXPECT_EQ(lines[i]->GetPosition(), dialog.ConvertDialogToPixels(wxPoint(control.rect.x, control.rect.y))) << i;
    }
    EXPECT_TRUE(lines[15]->GetLabel().StartsWith(fromUtf8("　　これを、登録するとよいです。")));
    EXPECT_GT(lines[15]->GetLabel().length(), fromUtf8("　　これを、登録するとよいです。").length());

    auto* ok = dynamic_cast<wxButton*>(dialog.FindWindow(wxID_OK));
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->GetLabel(), "OK");
    EXPECT_EQ(ok->GetRect(), wxRect(dialog.ConvertDialogToPixels(wxPoint(130, 195)),
                                    dialog.ConvertDialogToPixels(wxSize(50, 14))));
    EXPECT_EQ(dialog.GetDefaultItem(), ok);
}

// ---------------------------------------------------------------------------
// Memo page: 1024 bytes of CP932 as the field shows it, line ends as CR LF.

class MemoPage : public ListPages {
protected:
    void SetUp() override {
        ListPages::SetUp();
        fixture.state.memo = "before";
        page = open<CMemoPage>();
        field = child<wxTextCtrl>(page, ids::kMemoEdit);
    }

    // What typing or pasting does: the text goes in at the caret, then the window runs.
    void type(const wxString& text) {
        field->WriteText(text);
        test::yieldToWindow();
    }

    void leaveField() {
        wxFocusEvent lost(wxEVT_KILL_FOCUS, field->GetId());
        lost.SetEventObject(field);
        field->ProcessWindowEvent(lost);
        test::yieldToWindow();
    }

    CMemoPage* page = nullptr;
    wxTextCtrl* field = nullptr;
};

LoadedConfig loadedMemo(std::string memo) {
    LoadedConfig loaded;
    loaded.memo = std::move(memo);
    return loaded;
}

wxString repeated(const char* utf8, std::size_t count) {
    wxString text;
    for (std::size_t i = 0; i < count; ++i) text += fromUtf8(utf8);
    return text;
}

TEST_F(MemoPage, StartsWithThePlaceholderInFieldAndState) {
    EXPECT_EQ(fixture.state.memo, startupMemo());
    EXPECT_EQ(lfToCrlf(crlfToLf(toCp932(field->GetValue()))), memoPlaceholder());
    EXPECT_EQ(memoFieldBytes(toCp932(field->GetValue())), 137u);
}

TEST_F(MemoPage, TypingAndPastingStopAt1024Bytes) {
    struct Case {
        const char* name;
        wxString before;  // the field's text, caret at its end
        wxString typed;
        wxString after;
    };
    const Case cases[] = {
        {"512 double-byte characters fit", repeated("あ", 511), fromUtf8("あ"), repeated("あ", 512)},
        {"the 513th is refused", repeated("あ", 512), fromUtf8("あ"), repeated("あ", 512)},
        {"1024 single-byte characters fit", repeated("a", 1023), "a", repeated("a", 1024)},
        {"the 1025th is refused", repeated("a", 1024), "a", repeated("a", 1024)},
        {"a line end counts two bytes", repeated("a", 1022), "\nb", repeated("a", 1022) + "\n"},
        {"a paste keeps what fits", repeated("a", 1021), repeated("あ", 3), repeated("a", 1021) + fromUtf8("あ")},
        {"a paste into an empty field", wxString(), repeated("あ", 600), repeated("あ", 512)},
    };
    for (const Case& c : cases) {
        field->SetValue(c.before);
        test::yieldToWindow();
        ASSERT_EQ(field->GetValue(), c.before) << c.name;
        field->SetInsertionPointEnd();
        type(c.typed);
        EXPECT_EQ(field->GetValue(), c.after) << c.name;
        EXPECT_EQ(field->GetInsertionPoint(), field->GetLastPosition()) << c.name;
    }
}

TEST_F(MemoPage, TypingInTheMiddleKeepsTheCaretAfterWhatFitted) {
    field->SetValue(repeated("a", 1020) + "z");
    test::yieldToWindow();
    field->SetInsertionPoint(10);
    type("bcdefg");
    EXPECT_EQ(field->GetValue(), repeated("a", 10) + "bcd" + repeated("a", 1010) + "z");
    EXPECT_EQ(field->GetInsertionPoint(), 13);
}

TEST_F(MemoPage, LeavingTheFieldStoresTheMemoWithLfLineEnds) {
    test::typeAndLeave(field, fromUtf8("一行目\n二行目\n"));
    EXPECT_EQ(fixture.state.memo, cp932("一行目\n二行目\n"));
    EXPECT_TRUE(fixture.services.warnings.empty());
}

TEST_F(MemoPage, ALoadedMemoOverTheLimitIsSaidOnLeavingButStillStored) {
    // 33 lines of 30 bytes: 1023 bytes with LF, 1056 with the field's CR LF.
    std::string memo;
    for (int i = 0; i < 33; ++i) memo += std::string(30, 'm') + "\n";
    fixture.state.memo = memo;
    page->showLoaded(loadedMemo(memo));
    EXPECT_EQ(toCp932(field->GetValue()), memo);
    EXPECT_TRUE(fixture.services.warnings.empty());

    field->SetValue(field->GetValue() + "x");  // over the limit: refused
    test::yieldToWindow();
    EXPECT_EQ(toCp932(field->GetValue()), memo);

    leaveField();
    EXPECT_EQ(fixture.services.warnings, (Ids{"1024 文字以内で入力してください。"}));
    EXPECT_EQ(fixture.state.memo, memo);
    leaveField();
    EXPECT_EQ(fixture.services.warnings.size(), 2u);
}

TEST_F(MemoPage, ALoadShowsTheMemoAndLeavesTheStateToTheCaller) {
    fixture.state.memo = "kept\n";
    page->showLoaded(loadedMemo(cp932("一\n二")));
    EXPECT_EQ(field->GetValue(), fromUtf8("一\n二"));
    EXPECT_EQ(fixture.state.memo, "kept\n");
}

TEST_F(MemoPage, CommitEditsStoresOnlyFromTheFocusedField) {
    field->ChangeValue("typed");
    page->commitEdits();  // the field has not got the focus
    EXPECT_EQ(fixture.state.memo, startupMemo());

    field->SetFocus();
    test::yieldToWindow();
    if (wxWindow::FindFocus() != field) GTEST_SKIP() << "the virtual display gives no focus";
    page->commitEdits();
    EXPECT_EQ(fixture.state.memo, "typed");
}

}  // namespace
}  // namespace vellconf
