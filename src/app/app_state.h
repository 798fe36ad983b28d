#pragma once
// What the tool keeps between commands: the two folders, every scalar setting,
// the bound values of the setting pages, the four lists and the memo. The
// window's pages write into it as the user edits and show what it holds when
// they are built; saves write it out; loads replace it. Nothing here needs a
// window, so a page whose tab was never opened still has all of its values.

#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "config/ai_settings.h"
#include "config/config_io.h"
#include "config/file_io.h"
#include "config/history.h"
#include "config/settings_catalogue.h"
#include "config/tool_paths.h"
#include "lists/friend_list.h"
#include "config/memo.h"
#include "lists/monster_table.h"
#include "pages/page_state.h"

namespace vellconf {

struct AppState {
    ToolPaths paths;
    AiSettings settings = startupSettings();
    // The placeholder is ordinary memo text: saved as it is unless the user changes it.
    std::string memo = startupMemo();  // CP932, LF line ends
    // One per setting page, in the order of settingPages().
    std::vector<PageState> pages = pageStates(settings, ReadOccasion::Init);
    std::vector<MonsterRecord> monsters;  // from MobData.ini, in the order last sorted
    std::vector<MonsterRecord> ignored;   // IGNORE_MOB
    std::vector<FriendRecord> friends;    // from Friend.ini
    std::vector<FriendRecord> coFight;    // FRIENDS
    // Friend.ini is there but could not be read: it is never replaced by the
    // shorter list the tool started with, or the friends typed into it are lost.
    bool keepFriendFile = false;
    // Friend.ini's bytes as this run last read or wrote them; nothing while there was no file.
    std::optional<std::string> friendFileSeen;
    // Where VellConf.ini, MobData.ini and Friend.ini lie: the program's folder.
    std::filesystem::path sideFolder;

    std::filesystem::path toolSettingsFile() const { return sideFolder / "VellConf.ini"; }
    std::filesystem::path mobDataFile() const { return sideFolder / "MobData.ini"; }
    std::filesystem::path friendFile() const { return sideFolder / "Friend.ini"; }
    // The history of the files the tool replaced: history/ beside its side
    // files, or none while they have no folder.
    History& history();

    PageState& page(const PageTable& table);

    // The side files at start-up; an unreadable file leaves its list empty.
    ReadStatus readMonsters();
    ReadStatus readFriends();

    // A registration or deletion of the friend page, and the rewrite of
    // Friend.ini that follows it. Another window of the tool may have
    // rewritten the file since this one read it: the file is then read again
    // and the change applied to what it holds now, so that neither window's
    // friends are lost. A refused registration changes and writes nothing.
    struct FriendsChange {
        RegisterOutcome registered = RegisterOutcome::Registered;
        WriteResult written = WriteResult::Ok;  // OpenFailed while the file is kept
        bool reread = false;                    // the list now holds what the file held
    };
    FriendsChange addFriend(std::string_view id, std::string_view name);
    FriendsChange deleteFriends(std::span<const std::size_t> rows);

    // Every page's bound values from the settings record.
    void readPages(ReadOccasion occasion);
    // A load that succeeded: the settings, the memo, the ignore and co-fight
    // rows for its IDs (the rest of each row from the monster and friend
    // lists), and the bound values by the load's rules.
    void takeLoaded(ConfigContent loaded);
    // What a save writes.
    ConfigContent content() const;

private:
    FriendsChange rewriteFriends(const std::function<void(std::vector<FriendRecord>&)>& change);

    History history_;  // its folder follows sideFolder, which is set after construction
};

}  // namespace vellconf
