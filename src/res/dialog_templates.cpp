#include "res/dialog_templates.h"

#include "version.h"

namespace vellconf::templates {

const Dialog& mainDialog() {
    static const Dialog dialog{"ヴェルＡＩ 設定ファイル作成ツール Ver." VELLCONF_VERSION, 323, 305, {
        {Kind::Tabs, ids::kTabs, {7, 7, 240, 290}, ""},
        {Kind::Button, ids::kExit, {255, 7, 60, 16}, "終了"},
        {Kind::Button, ids::kNotice, {255, 26, 60, 16}, "著作権表示"},
        {Kind::Button, ids::kToolSettings, {255, 45, 60, 16}, "初期設定"},
        {Kind::Picture, -1, {249, 66, 66, 154}, ""},
        {Kind::Button, ids::kSpecifiedLoad, {255, 224, 60, 16}, "ＡＩ 指定読込"},
        {Kind::Button, ids::kSpecifiedSave, {255, 243, 60, 16}, "ＡＩ 指定保存"},
        {Kind::Button, ids::kAiLoad, {255, 262, 60, 16}, "ＡＩ 読込"},
        {Kind::Button, ids::kAiSave, {255, 281, 60, 16}, "ＡＩ 保存"},
    }};
    return dialog;
}

const Dialog& noticeDialog() {
    static const Dialog dialog{"著作権表示", 238, 83, {
        {Kind::Label, -1, {7, 7, 224, 8}, "▼ ラグナロク オンライン"},
        {Kind::Label, -1, {15, 20, 216, 8}, "ゲームに関する著作権その他の権利は、その権利者に帰属します。"},
        {Kind::Label, -1, {15, 30, 216, 8}, "本ツールは非公式のもので、権利者とは関係ありません。"},
        {Kind::Label, -1, {7, 47, 224, 8}, "▼ ヴェルＡＩ 設定ファイル 作成ツール"},
        {Kind::Label, -1, {15, 60, 160, 8}, "本ツールはフリーソフトです。無保証です。"},
        {Kind::DefaultButton, ids::kOk, {181, 62, 50, 14}, "OK"},
    }};
    return dialog;
}

const Dialog& toolSettingsDialog() {
    static const Dialog dialog{"設定", 233, 117, {
        {Kind::Label, -1, {7, 7, 86, 8}, "▼ カスタムＡＩフォルダの設定"},
        {Kind::Edit, ids::kSetPathEdit, {7, 23, 163, 14}, ""},
        {Kind::Button, ids::kBrowseSetPath, {174, 23, 52, 14}, "参　照"},
        {Kind::Label, -1, {7, 51, 120, 8}, "▼ 指定読込/保存の初期フォルダの設定"},
        {Kind::Edit, ids::kLibPathEdit, {7, 66, 163, 14}, ""},
        {Kind::Button, ids::kBrowseLibPath, {174, 66, 52, 14}, "参　照"},
        {Kind::DefaultButton, ids::kOk, {118, 96, 50, 14}, "OK"},
        {Kind::Button, ids::kCancel, {176, 96, 50, 14}, "ｷｬﾝｾﾙ"},
    }};
    return dialog;
}

const Dialog& enemyPage() {
    static const Dialog dialog{"", 237, 261, {
        {Kind::GroupBox, -1, {0, 5, 235, 115}, "モンスターリスト"},
        {Kind::ListView, ids::kMonsterList, {5, 15, 225, 100}, ""},
        {Kind::Button, ids::kRemoveFromIgnore, {25, 125, 75, 20}, "↑無視リストから削除"},
        {Kind::Button, ids::kAddToIgnore, {135, 125, 75, 20}, "↓無視リストに追加"},
        {Kind::GroupBox, -1, {0, 150, 235, 110}, "先攻型索敵条件の時、無視するモンスターのリスト"},
        {Kind::ListView, ids::kIgnoreList, {5, 160, 225, 95}, ""},
    }};
    return dialog;
}

const Dialog& friendPage() {
    // Its controls stand in the order the page shows them from the top; the
    // positions follow the enemy page: the entry fields in their group on
    // top, then each list in its group box with the buttons that fill it above it.
    static const Dialog dialog{"", 237, 261, {
        {Kind::GroupBox, -1, {0, 5, 235, 72}, "友達キャラ登録"},
        {Kind::Label, -1, {10, 19, 40, 8}, "識別ＩＤ："},
        {Kind::Edit, ids::kFriendIdEdit, {52, 17, 90, 12}, ""},
        {Kind::Label, -1, {10, 35, 40, 8}, "名前："},
        {Kind::Edit, ids::kFriendNameEdit, {52, 33, 120, 12}, ""},
        {Kind::Button, ids::kDeleteFriend, {8, 51, 75, 18}, "↑友達リストから削除"},
        {Kind::Button, ids::kRegisterFriend, {90, 51, 75, 18}, "↓友達リストに登録"},
        {Kind::Button, ids::kFriendHelp, {190, 51, 38, 18}, "Help"},
        {Kind::GroupBox, -1, {0, 82, 235, 76}, "友達リスト"},
        {Kind::ListView, ids::kFriendList, {5, 92, 225, 61}, ""},
        {Kind::Button, ids::kDeleteCoFight, {25, 162, 75, 18}, "↑共闘リストから削除"},
        {Kind::Button, ids::kAddCoFight, {135, 162, 75, 18}, "↓共闘リストに登録"},
        {Kind::GroupBox, -1, {0, 184, 235, 76}, "共闘する友達リスト"},
        {Kind::ListView, ids::kCoFightList, {5, 194, 225, 61}, ""},
    }};
    return dialog;
}

const Dialog& memoPage() {
    static const Dialog dialog{"", 237, 261, {
        {Kind::Label, -1, {5, 5, 82, 8}, "▼ 設定メモ (1024文字まで)"},
        {Kind::MultiLineEdit, ids::kMemoEdit, {5, 20, 225, 235}, ""},
    }};
    return dialog;
}

const Dialog& friendHelpDialog() {
    static const Dialog dialog{"友達登録のヘルプ", 187, 215, {
        {Kind::Label, -1, {5, 5, 180, 8}, "▼ キャラの識別IDを取得する方法"},
        {Kind::Label, -1, {15, 20, 170, 8}, "ヴェルAIでは、友達登録をする際に、"},
        {Kind::Label, -1, {15, 30, 170, 8}, "登録する識別IDを「TraceAI.txt」に出力しています。"},
        {Kind::Label, -1, {15, 50, 170, 8}, "友達の識別IDを調べるには、以下のようにしてください。"},
        {Kind::Label, -1, {15, 70, 170, 8}, "１．ヴェルAIでホムンクルスを動かします。"},
        {Kind::Label, -1, {15, 80, 170, 8}, "２．チャット欄に「/traceai」コマンドを入力し、"},
        {Kind::Label, -1, {15, 90, 170, 8}, "　　AIの出力を記録する状態にします。"},
        {Kind::Label, -1, {15, 100, 170, 8}, "３．ホムンクルスで、友達登録を行います。"},
        {Kind::Label, -1, {15, 110, 170, 8}, "４．チャット欄に再度「/traceai」コマンドを入力し、"},
        {Kind::Label, -1, {15, 120, 170, 8}, "　　AIの出力を記録する状態を終了します。"},
        {Kind::Label, -1, {15, 130, 170, 8}, "５．ラグナロクのインストールフォルダにある"},
        {Kind::Label, -1, {15, 140, 170, 8}, "　　「TraceAI.txt」をメモ帳などで開き、"},
        {Kind::Label, -1, {15, 150, 170, 8}, "　　「Regist Friend 1:1234567」のような表示を探します。"},
        {Kind::Label, -1, {15, 160, 170, 8}, "　　（時刻表示が韓国語のようで化けてます。）"},
        {Kind::Label, -1, {15, 170, 170, 8}, "６．「:」の後の数字が、友達の識別IDです。"},
        {Kind::Label, -1, {15, 180, 170, 8}, "　　これを、登録するとよいです。 (・ω・)ノ"},
        {Kind::DefaultButton, ids::kOk, {130, 195, 50, 14}, "OK"},
    }};
    return dialog;
}

const Dialog& folderBrowseDialog() {
    // The proportions of the shell's own folder browser: two lines of title
    // above the tree, OK and Cancel below it on the right.
    static const Dialog dialog{"フォルダの参照", 227, 222, {
        {Kind::Label, ids::kFolderTitle, {7, 7, 213, 18}, ""},
        {Kind::FolderTree, ids::kFolderTree, {7, 28, 213, 166}, ""},
        {Kind::DefaultButton, ids::kOk, {110, 201, 50, 14}, "OK"},
        {Kind::Button, ids::kCancel, {170, 201, 50, 14}, "ｷｬﾝｾﾙ"},
    }};
    return dialog;
}

}  // namespace vellconf::templates
