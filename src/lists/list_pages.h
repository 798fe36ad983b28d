#pragma once
// The enemy, friend and memo pages.

#include <memory>
#include <string>
#include <vector>

#include "lists/friend_list.h"
#include "lists/monster_table.h"
#include "ui/page.h"

namespace vellconf {

// Template 140: the monster list from MobData.ini and the ignore list.
class CEnemyPage final : public CPage {
public:
    // Reads MobData.ini; when it cannot be opened, says so and goes on with an empty list.
    CEnemyPage(wxWindow* parent, AppState& state, DialogServices& services);
    ~CEnemyPage() override;

    // The ignore list is replaced by the loaded rows.
    void showLoaded(const LoadedConfig& loaded) override;

    // The monster list in its current order (a load looks IDs up in it).
    const std::vector<MonsterRecord>& monsters() const;
    // The ignore list's first column, top to bottom (what a save writes).
    std::vector<std::string> ignoreIds() const;

private:
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

    // Reads Friend.ini; a missing file is an empty list, silently.
    CFriendPage(wxWindow* parent, AppState& state, DialogServices& services);
    ~CFriendPage() override;

    // The co-fight list is replaced by the loaded rows.
    void showLoaded(const LoadedConfig& loaded) override;

    const std::vector<FriendRecord>& friends() const;
    std::vector<std::string> coFightIds() const;

private:
    void onRegister();
    void rewriteFriendFile();

    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// Template 142: the memo. Sets the state's memo to the placeholder when created.
class CMemoPage final : public CPage {
public:
    CMemoPage(wxWindow* parent, AppState& state, DialogServices& services);
    ~CMemoPage() override;

    void commitEdits() override;
    void showLoaded(const LoadedConfig& loaded) override;

private:
    // Leaving the field: the memo of the state takes the field's text.
    void updateMemo();

    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace vellconf
