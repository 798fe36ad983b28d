#pragma once
// The enemy, friend and memo pages.

#include <memory>

#include "ui/page.h"

namespace vellconf {

// Template 140: the monster list from MobData.ini and the ignore list, both
// views of the state's rows.
class CEnemyPage final : public CPage {
public:
    CEnemyPage(wxWindow* parent, AppState& state, DialogServices& services);
    ~CEnemyPage() override;

    void showState() override;

private:
    void build() override;

    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// Template 141: Friend.ini's friends and the co-fight list.
class CFriendPage final : public CPage {
public:
    // Control ids, in the order the page shows them from the top.
    static constexpr int kIdEdit = 1255;
    static constexpr int kNameEdit = 1254;
    static constexpr int kDeleteFriend = 1250;
    static constexpr int kRegisterFriend = 1251;
    static constexpr int kHelp = 1260;
    static constexpr int kFriendList = 1256;
    static constexpr int kDeleteCoFight = 1252;
    static constexpr int kAddCoFight = 1253;
    static constexpr int kCoFightList = 1257;

    CFriendPage(wxWindow* parent, AppState& state, DialogServices& services);
    ~CFriendPage() override;

    void showState() override;

private:
    void build() override;
    void onRegister();
    void rewriteFriendFile();

    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// Template 142: the memo.
class CMemoPage final : public CPage {
public:
    CMemoPage(wxWindow* parent, AppState& state, DialogServices& services);
    ~CMemoPage() override;

    void commitEdits() override;
    void showState() override;

private:
    void build() override;
    // Leaving the field: the memo of the state takes the field's text.
    void updateMemo();

    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace vellconf
