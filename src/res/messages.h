#pragma once
// The texts of the tool's message boxes, in UTF-8. All of them show with the
// caption kErrorCaption, an OK button and no icon.

#include <string_view>

namespace vellconf::messages {

inline constexpr std::string_view kErrorCaption = "エラー";

// Saving Config.lua.
inline constexpr std::string_view kSaveOpenFailed = "ツールの設定ファイルが開けません";
inline constexpr std::string_view kSaveWriteFailed = "「Config.lua」ファイルの書き込みに失敗しました";
// "]]" would close the Lua block comment that holds the memo and break the AI script.
inline constexpr std::string_view kMemoHoldsCommentEnd =
    "メモに「]]」が含まれているため保存できません。\n「]]」を取り除いてから保存してください。";

// Loading Config.lua (the brackets are the half-width corner brackets).
inline constexpr std::string_view kLoadOpenFailed = "｢Config.lua｣ファイルが開けません";

// VellConf.ini.
inline constexpr std::string_view kToolSettingsOpenFailed = "ツールの設定ファイルが開けません";
inline constexpr std::string_view kToolSettingsWriteFailed = "ツールの設定ファイルの書き込みに失敗しました";

// MobData.ini and Friend.ini.
inline constexpr std::string_view kMobDataOpenFailed = "モンスターデータファイル「MobData.ini」が開けませんでした";
inline constexpr std::string_view kFriendIniOpenFailed = "友達データファイル「Friend.ini」が開けませんでした";
inline constexpr std::string_view kFriendIniWriteFailed = "友達データファイル「Friend.ini」の書き込みに失敗しました";
// Friend.ini separates its words by blanks: a blank inside a word, or an empty
// name, would shift every later pair on the next read.
inline constexpr std::string_view kFriendHoldsBlank = "識別ＩＤと名前には空白を含めることができません";
inline constexpr std::string_view kFriendEmptyName = "名前を入力してください";
// A pair whose first word starts with ";" is a comment in Friend.ini.
inline constexpr std::string_view kFriendIdStartsComment = "識別ＩＤを「;」で始めることはできません";

// The memo field.
inline constexpr std::string_view kMemoTooLong = "%1 文字以内で入力してください。";

}  // namespace vellconf::messages
