#pragma once
// The texts of the tool's message boxes, in UTF-8. All of them show with the
// caption kErrorCaption, an OK button and no icon.

#include <initializer_list>
#include <string>
#include <string_view>

namespace vellconf::messages {

// The text with %1, %2, ... replaced by the arguments in order.
inline std::string withArgs(std::string_view text, std::initializer_list<std::string_view> args) {
    std::string out(text);
    std::size_t n = 0;
    for (const std::string_view arg : args) {
        const std::string mark = "%" + std::to_string(++n);
        if (const auto at = out.find(mark); at != std::string::npos) out.replace(at, mark.size(), arg);
    }
    return out;
}

inline constexpr std::string_view kErrorCaption = "エラー";
// The caption of warnings, as Windows captions a message box without one.
inline constexpr std::string_view kProgramName = "VellConf";

// Saving Config.lua.
inline constexpr std::string_view kSaveOpenFailed = "ツールの設定ファイルが開けません";
// The line below kSaveOpenFailed when the system forbids writing in the folder.
inline constexpr std::string_view kAccessDenied = "アクセスが拒否されました: %1";
inline constexpr std::string_view kSaveWriteFailed = "「Config.lua」ファイルの書き込みに失敗しました";
// "]]" would close the Lua block comment that holds the memo and break the AI script.
inline constexpr std::string_view kMemoHoldsCommentEnd =
    "メモに「]]」が含まれているため保存できません。\n「]]」を取り除いてから保存してください。";
// A memo line equal to a marker would split the memo on the next load.
inline constexpr std::string_view kMemoHoldsMarker =
    "メモの次の行はメモの区切りの行と同じため保存できません。\n%1\nこの行を書き換えてから保存してください。";
// An ID that Lua cannot read back as one item of the list would break the AI script.
inline constexpr std::string_view kListItemNotLua =
    "%1の「%2」はIDとして保存できません。\n"
    "IDは数字（先頭に「-」も可）か、英字または「_」で始まる英数字と「_」の名前にしてください。";
inline constexpr std::string_view kIgnoreListName = "無視リスト";
// A list longer than a load takes: the file would not load back.
inline constexpr std::string_view kListTooLongToSave =
    "%1のIDが %2 件を超えているため保存できません。\nIDを減らしてから保存してください。";
inline constexpr std::string_view kCoFightListName = "共闘リスト";

// The file dialogs of specified load and save, and their questions: these
// have titles of their own, and the question a yes and a no button.
inline constexpr std::string_view kOpenDialogTitle = "開く";
inline constexpr std::string_view kSaveDialogTitle = "名前を付けて保存";
inline constexpr std::string_view kOverwriteCaption = "名前を付けて保存の確認";
inline constexpr std::string_view kOverwriteQuestion = "%1 は既に存在します。\n上書きしますか?";
inline constexpr std::string_view kFileNotFound = "%1\nファイルが見つかりません。\nファイル名を確認してください。";
inline constexpr std::string_view kYesLabel = "はい(&Y)";
inline constexpr std::string_view kNoLabel = "いいえ(&N)";

// Loading Config.lua (the brackets are the half-width corner brackets).
inline constexpr std::string_view kLoadOpenFailed = "｢Config.lua｣ファイルが開けません";
inline constexpr std::string_view kListTooLongToLoad =
    "%1のIDが %2 件を超えているため読み込めません。\nファイルのIDを減らしてから読み込んでください。";
// After a load that worked: the lines whose characters code page 932 lacks became "?".
inline constexpr std::string_view kLoadLostCharacters =
    "次の行には Shift-JIS で表せない文字があったため、その文字を「?」にして読み込みました。\n%1"
    "このまま保存すると「?」が書き込まれます。";
inline constexpr std::string_view kLossyLine = "%1 行目: %2";
inline constexpr std::string_view kMoreLossyLines = "ほか %1 行";

// VellConf.ini.
inline constexpr std::string_view kToolSettingsOpenFailed = "ツールの設定ファイルが開けません";
// A path too long for the system, or with characters that do not convert.
inline constexpr std::string_view kFolderUnusable =
    "次のフォルダは使用できません。\nパスが長すぎるか、使用できない文字が含まれています。\n%1";
inline constexpr std::string_view kToolSettingsWriteFailed = "ツールの設定ファイルの書き込みに失敗しました";

// MobData.ini and Friend.ini.
inline constexpr std::string_view kMobDataOpenFailed = "モンスターデータファイル「MobData.ini」が開けませんでした";
inline constexpr std::string_view kFriendIniOpenFailed = "友達データファイル「Friend.ini」が開けませんでした";
inline constexpr std::string_view kFriendIniWriteFailed = "友達データファイル「Friend.ini」の書き込みに失敗しました";
// Friend.ini separates its words by blanks: a blank inside a word, or an empty
// name, would shift every later pair on the next read.
inline constexpr std::string_view kFriendHoldsBlank = "識別ＩＤと名前には空白を含めることができません";
inline constexpr std::string_view kFriendEmptyName = "名前を入力してください";
// The ID goes into Config.lua's FRIENDS list, which Lua must read back item by item.
inline constexpr std::string_view kFriendIdNotLua =
    "識別ＩＤには数字（先頭に「-」も可）か、英字または「_」で始まる英数字と「_」の名前を入力してください";

// The history of replaced files: the save went on all the same. Told once per run.
inline constexpr std::string_view kHistoryNotKept =
    "上書き前のファイルを履歴フォルダに残せませんでした（保存は行いました）。\n%1: %2";
inline constexpr std::string_view kHistoryFolderUnusable = "履歴フォルダを作成できません";
inline constexpr std::string_view kHistoryAccessDenied = "アクセスが拒否されました";
inline constexpr std::string_view kHistoryWriteFailed = "書き込みに失敗しました";
inline constexpr std::string_view kHistoryIndexUnreadable = "履歴の一覧が読めません";
inline constexpr std::string_view kHistoryOldFileUnreadable = "上書きするファイルが読めません";
inline constexpr std::string_view kHistoryPathNotStorable = "履歴に記録できない文字がパスに含まれています";

// Anything the window did not expect (out of memory, a fault of ours): the
// command is abandoned, the window keeps running.
inline constexpr std::string_view kUnexpectedError = "予期しないエラーが発生したため、操作を中止しました。\n%1";

// The memo field.
inline constexpr std::string_view kMemoTooLong = "%1 文字以内で入力してください。";

}  // namespace vellconf::messages
