// The file dialogs' rules, with the dialog and its questions answered by a script.

#include "config/file_choice.h"

#include <gtest/gtest.h>

#include <deque>
#include <fstream>
#include <vector>

#include "config/messages.h"
#include "test_support.h"

namespace vellconf {
namespace {

namespace fs = std::filesystem;

class ScriptedSteps final : public FileChoiceSteps {
public:
    std::deque<std::optional<fs::path>> answers;  // what the dialog returns each time it is shown
    std::deque<bool> overwrite;                   // the answers to the overwrite question
    std::vector<FileDialogRequest> shown;
    std::vector<std::string> questions, messages;

    std::optional<fs::path> showDialog(const FileDialogRequest& request) override {
        shown.push_back(request);
        if (answers.empty()) return std::nullopt;  // the user gives up
        auto answer = answers.front();
        answers.pop_front();
        return answer;
    }
    bool confirmOverwrite(std::string_view question) override {
        questions.emplace_back(question);
        const bool yes = !overwrite.empty() && overwrite.front();
        if (!overwrite.empty()) overwrite.pop_front();
        return yes;
    }
    void tell(std::string_view message) override { messages.emplace_back(message); }
};

TEST(FileChoice, DialogsAskForLuaFilesInTheGivenFolder) {
    const std::string filter = "ヴェルＡＩ設定ファイル (*.lua)|*.lua|すべてのファイル (*.*)|*.*";
    EXPECT_EQ(loadDialogRequest("/lib"),
              (FileDialogRequest{FileDialogRequest::Purpose::Load, "開く", filter, "lua", "*.lua", "/lib"}));
    EXPECT_EQ(saveDialogRequest("/lib"), (FileDialogRequest{FileDialogRequest::Purpose::Save, "名前を付けて保存",
                                                            filter, "lua", "*.lua", "/lib"}));
}

TEST(FileChoice, NamesBecomeFiles) {
    test::ScratchDir dir;
    for (const char* name : {"old.lua", "plain", "plain.lua.lua"}) std::ofstream(dir / name) << "x";
    fs::create_directory(dir / "folder.lua");
    const auto d = [&](const char* name) { return dir / name; };
    struct Case {
        const char* name;
        bool save;
        std::vector<fs::path> answers;
        std::vector<bool> overwrite;
        std::optional<fs::path> chosen;
        std::size_t shown, questions, messages;
    };
    const Case cases[] = {
        // Patterns are never files: the dialog opens again, and cancel then gives nothing.
        {"save, the initial pattern confirmed", true, {d("*.lua")}, {}, std::nullopt, 2, 0, 0},
        {"save, a pattern then a name", true, {d("a?.lua"), d("new")}, {}, d("new.lua"), 2, 0, 0},
        {"load, a pattern", false, {d("*")}, {}, std::nullopt, 2, 0, 0},
        // The default extension.
        {"save, no extension", true, {d("new")}, {}, d("new.lua"), 1, 0, 0},
        {"save, another extension", true, {d("new.txt")}, {}, d("new.txt"), 1, 0, 0},
        {"load, no extension", false, {d("old")}, {}, d("old.lua"), 1, 0, 0},
        {"load, the name as typed exists", false, {d("plain")}, {}, d("plain"), 1, 0, 0},
        // One overwrite question, about the name the file gets; "no" opens the dialog again.
        {"save over a file, yes", true, {d("old")}, {true}, d("old.lua"), 1, 1, 0},
        {"save over a file, no, then a new name", true, {d("old.lua"), d("other")}, {false}, d("other.lua"), 2, 1, 0},
        // A load needs a file that exists.
        {"load, missing", false, {d("missing.lua"), d("old.lua")}, {}, d("old.lua"), 2, 0, 1},
        {"load, a folder", false, {d("folder.lua")}, {}, std::nullopt, 2, 0, 1},
    };
    for (const auto& c : cases) {
        ScriptedSteps steps;
        steps.answers.assign(c.answers.begin(), c.answers.end());
        steps.overwrite.assign(c.overwrite.begin(), c.overwrite.end());
        const auto request = c.save ? saveDialogRequest("/start") : loadDialogRequest("/start");
        EXPECT_EQ(chooseFile(request, steps), c.chosen) << c.name;
        EXPECT_EQ(steps.shown.size(), c.shown) << c.name;
        EXPECT_EQ(steps.questions.size(), c.questions) << c.name;
        EXPECT_EQ(steps.messages.size(), c.messages) << c.name;
        // Shown again, the dialog stands where the user was, with what they typed.
        if (steps.shown.size() > 1) {
            EXPECT_EQ(steps.shown[1].folder, dir.path()) << c.name;
            EXPECT_EQ(steps.shown[1].initialName, c.answers[0].filename().string()) << c.name;
        }
    }
}

TEST(FileChoice, QuestionsNameTheFile) {
    test::ScratchDir dir;
    std::ofstream(dir / "old.lua") << "x";
    ScriptedSteps steps;
    steps.answers = {dir / "old", dir / "gone.lua"};
    steps.overwrite = {true};
    chooseFile(saveDialogRequest(dir.path()), steps);
    chooseFile(loadDialogRequest(dir.path()), steps);
    EXPECT_EQ(steps.questions, std::vector<std::string>{(dir / "old.lua").string() + " は既に存在します。\n上書きしますか?"});
    EXPECT_EQ(steps.messages, std::vector<std::string>{(dir / "gone.lua").string() +
                                                       "\nファイルが見つかりません。\nファイル名を確認してください。"});
}

}  // namespace
}  // namespace vellconf
