// Where the tool's files are: the paths of VellConf.ini and the folders they lead to, and the file dialogs' choices.

#include "config/tool_paths.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <deque>
#include <fstream>
#include <vector>

#include "config/file_choice.h"
#include "config/file_io.h"
#include "config/messages.h"
#include "test_support.h"

namespace vellconf {
namespace {

TEST(ToolPaths, ReadsSectionPathWithDefaults) {
    for (const auto& c : test::cp932Rows("config/tool_paths.tsv")) {
        test::ScratchDir dir;
        test::writeBytes(dir / "VellConf.ini", c[1]);
        EXPECT_EQ(readToolPaths(dir / "VellConf.ini").value, (ToolPaths{c[2], c[3]})) << c[0];
    }
    test::ScratchDir dir;
    EXPECT_EQ(readToolPaths(dir / "VellConf.ini").value, (ToolPaths{std::string(kDefaultSetPath), std::string(kDefaultLibPath)}));
}

TEST(ToolPaths, WritesTheThreeLineFormAndReadsItBack) {
    test::ScratchDir dir;
    const ToolPaths paths{cp932("C:\\ソ\\"), ""};
    ASSERT_EQ(writeToolPaths(dir / "VellConf.ini", paths), WriteResult::Ok);
    EXPECT_EQ(test::fileBytes(dir / "VellConf.ini"),
              "[PATH]\r\nSetPath = \"" + cp932("C:\\ソ\\") + "\"\r\nLibPath = \"\"\r\n");
    EXPECT_EQ(readToolPaths(dir / "VellConf.ini").value, paths);
}

TEST(ToolPaths, AiConfigPathAppendsAsIs) {
    EXPECT_EQ(aiConfigPath("C:\\AI"), "C:\\AI\\Config.lua");
    EXPECT_EQ(aiConfigPath("C:\\AI\\"), "C:\\AI\\\\Config.lua");
    EXPECT_EQ(aiConfigPath(""), "\\Config.lua");
}

TEST(ToolPaths, PathsLongerThanThePlatformAllowsAreUnusable) {
    test::ScratchDir dir;
    const std::string setPath = (dir.path() / std::string(300, 'a')).string();  // one name past NAME_MAX
    const std::string deep = dir.path().string() + "/" + std::string(2500, 'b') + "/" + std::string(2500, 'c');
    for (const std::string& path : {setPath, deep}) {
        EXPECT_EQ(resolvePath(aiConfigPath(path)), std::nullopt);
        EXPECT_EQ(unusablePathOf({path, ""}), path);
        EXPECT_EQ(unusablePathOf({"", path}), path);
    }
    EXPECT_EQ(unusablePathOf({dir.path().string(), dir.path().string()}), std::nullopt);
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

#ifndef _WIN32
TEST(ToolPaths, WindowsPathsResolveInsideTheWinePrefix) {
    ::setenv("WINEPREFIX", "/tmp/prefix", 1);
    const auto rows = test::tableRows(test::testDataDir() / "config/wine_paths.tsv");
    ASSERT_FALSE(rows.empty());
    for (const auto& c : rows) {
        if (c[0] == "typed")
            EXPECT_EQ(resolvePath(test::cp932Unescaped(c[1])), c[2] == "-" ? std::nullopt : std::optional<std::filesystem::path>(c[2])) << c[1];
        else
            EXPECT_EQ(toCp932Path(c[1]), test::cp932Unescaped(c[2])) << c[1];
    }
    ::unsetenv("WINEPREFIX");
    const char* home = std::getenv("HOME");
    EXPECT_EQ(resolvePath("C:\\a"), std::filesystem::path(home ? home : "/") / ".wine/dosdevices/c:/a");
}
#endif

// The file dialogs' rules, with the dialog and its questions answered by a script.
namespace fs = std::filesystem;

class ScriptedSteps final : public FileChoiceSteps {
public:
    std::deque<std::optional<fs::path>> answers;  // what the dialog returns each time it is shown
    std::deque<bool> overwrite;                   // the answers to the overwrite question
    std::vector<FileDialogRequest> shown;
    std::vector<std::string> questions, messages;

    // The next answer of a script, or `otherwise` past its end.
    template <typename T> static T next(std::deque<T>& script, T otherwise) {
        if (script.empty()) return otherwise;
        const T answer = script.front();
        script.pop_front();
        return answer;
    }
    std::optional<fs::path> showDialog(const FileDialogRequest& request) override {
        shown.push_back(request);
        return next(answers, std::optional<fs::path>());  // past the script the user gives up
    }
    bool confirmOverwrite(std::string_view question) override {
        questions.emplace_back(question);
        return next(overwrite, false);
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
        const auto naming = [&](std::string_view message, const std::string& name) {
            return name == "-" ? std::vector<std::string>{} : std::vector{messages::withArgs(message, {(dir / name).string()})};
        };
        EXPECT_EQ(steps.questions, naming(messages::kOverwriteQuestion, c[6])) << c[0];
        EXPECT_EQ(steps.messages, naming(messages::kFileNotFound, c[7])) << c[0];
        // Shown again, the dialog stands where the user was, with what they typed.
        if (steps.shown.size() > 1) {
            EXPECT_EQ(steps.shown[1].folder, dir.path()) << c[0];
            EXPECT_EQ(steps.shown[1].initialName, answers[0]) << c[0];
        }
    }
}

}  // namespace
}  // namespace vellconf
