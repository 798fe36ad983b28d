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

TEST(FileChoice, NamesBecomeFiles) {
    test::ScratchDir dir;
    for (const char* name : {"old.lua", "plain", "plain.lua.lua"}) std::ofstream(dir / name) << "x";
    fs::create_directory(dir / "folder.lua");
    for (const auto& c : test::cp932Rows("config/file_choice.tsv")) {
        ScriptedSteps steps;
        const std::vector<std::string> answers = test::listItems(c[2]);
        for (const std::string& name : answers) steps.answers.push_back(dir / name);
        for (const std::string& yes : test::listItems(c[3])) steps.overwrite.push_back(yes == "yes");
        const auto request = c[1] == "save" ? saveDialogRequest("/start") : loadDialogRequest("/start");
        EXPECT_EQ(chooseFile(request, steps), c[4] == "-" ? std::nullopt : std::optional(dir / c[4])) << c[0];
        EXPECT_EQ(steps.shown.size(), std::stoul(c[5])) << c[0];
        EXPECT_EQ(steps.shown.at(0).folder, "/start") << c[0];
        EXPECT_EQ(steps.questions.size(), std::stoul(c[6])) << c[0];
        EXPECT_EQ(steps.messages.size(), std::stoul(c[7])) << c[0];
        // Shown again, the dialog stands where the user was, with what they typed.
        if (steps.shown.size() > 1) {
            EXPECT_EQ(steps.shown[1].folder, dir.path()) << c[0];
            EXPECT_EQ(steps.shown[1].initialName, answers[0]) << c[0];
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
