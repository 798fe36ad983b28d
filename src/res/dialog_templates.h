#pragma once
// The fixed layouts of the dialogs, in dialog units, with their texts (UTF-8).

#include "pages/dialog_layout.h"

namespace vellconf::templates {

// Control ids shared with the code that binds them.
namespace ids {
inline constexpr int kOk = 1;
inline constexpr int kCancel = 2;
inline constexpr int kTabs = 1004;
inline constexpr int kExit = 1026;
inline constexpr int kNotice = 1027;
inline constexpr int kToolSettings = 1028;
inline constexpr int kAiLoad = 1029;
inline constexpr int kAiSave = 1030;
inline constexpr int kSpecifiedLoad = 1031;
inline constexpr int kSpecifiedSave = 1032;
inline constexpr int kSetPathEdit = 1238;
inline constexpr int kLibPathEdit = 1239;
inline constexpr int kBrowseSetPath = 1240;
inline constexpr int kBrowseLibPath = 1241;
inline constexpr int kRemoveFromIgnore = 1248;
inline constexpr int kAddToIgnore = 1249;
inline constexpr int kMonsterList = 1246;
inline constexpr int kIgnoreList = 1247;
inline constexpr int kMemoEdit = 1258;
// The friend page, from the top.
inline constexpr int kFriendIdEdit = 1255;
inline constexpr int kFriendNameEdit = 1254;
inline constexpr int kDeleteFriend = 1250;
inline constexpr int kRegisterFriend = 1251;
inline constexpr int kFriendHelp = 1260;
inline constexpr int kFriendList = 1256;
inline constexpr int kDeleteCoFight = 1252;
inline constexpr int kAddCoFight = 1253;
inline constexpr int kCoFightList = 1257;
inline constexpr int kFolderTitle = 14146;
inline constexpr int kFolderTree = 14145;
}  // namespace ids

const Dialog& mainDialog();
const Dialog& noticeDialog();
const Dialog& toolSettingsDialog();
const Dialog& enemyPage();
const Dialog& friendPage();
const Dialog& memoPage();
const Dialog& friendHelpDialog();
// The folder browser; its title text is the one the browse button gives.
const Dialog& folderBrowseDialog();

}  // namespace vellconf::templates
