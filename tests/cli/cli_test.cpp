// Runs the built vellconf-cli on real files as a user would. What a load or a save makes
// of a file is the core's to test; here it is how the program passes it on.

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>

#include "config/config_writer.h"
#include "config/settings_catalogue.h"
#include "test_support.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace vellconf {
namespace {

namespace fs = std::filesystem;

struct CliRun { int status; std::string out, err; };

std::string quoted(const fs::path& path) { return test::shellQuoted(path); }

// The program and its arguments, for the shell. What the tests' saves replace is kept in a history of their own,
// never beside the built program; a "--history" among the arguments comes later and wins.
std::string cliCommand(const std::string& arguments) {
    static const test::ScratchDir history;
    const std::string command = arguments.substr(0, arguments.find(' '));
    const bool isCommand = !command.empty() && !command.starts_with('-');
    const std::string withHistory = isCommand ? command + " --history " + quoted(history.path()) : "";
    return quoted(test::builtProgram(VELLCONF_CLI)) + " " + withHistory + (isCommand ? arguments.substr(command.size()) : " " + arguments);
}

// `output` replaces the file that standard output goes to (POSIX shell words).
CliRun cli(const std::string& arguments, const std::string& output = "") {
    test::ScratchDir dir;
    const std::string out = output.empty() ? ">" + quoted(dir / "out") : output;
    const int status = test::runShell(cliCommand(arguments) + " " + out + " 2>" + quoted(dir / "err"));
    return {status, test::fileBytes(dir / "out").value_or(""), test::fileBytes(dir / "err").value_or("")};
}

class Cli : public ::testing::Test {
protected:
    void SetUp() override { test::writeBytes(dir / "in.lua", writeConfigLua(startupSettings(), "", {}, {})); }
    std::string path(const std::string& name) const { return quoted(dir / name); }
    static std::string data(const std::string& name) { return quoted(test::testDataDir() / "cli" / name); }
    test::ScratchDir dir;
};

// (A file named with -o is written as restore -o writes it, below.)
TEST_F(Cli, DefaultsWritesTheStartupFileAndResaveReproducesIt) {
    const std::string expected = test::testData("config/Config.lua");  // the startup file
    EXPECT_EQ(cli("defaults").out, expected);
    ASSERT_EQ(cli("resave " + quoted(test::testDataDir() / "config" / "Config.lua") + " " + path("out.lua")).status, 0);
    EXPECT_EQ(test::fileBytes(dir / "out.lua"), expected);
}

// Exit 0 done, 1 failed, 2 misused; every failure says why on standard error
// and writes nothing: the cases of tests/data/cli/exit_codes.tsv.
TEST_F(Cli, EachCommandExitsWithItsCodeAndSaysWhy) {
    test::writeBytes(dir / "empty.lua", "");
    test::writeBytes(dir / "partial.lua", "[CONFIG]\r\nDistanceNotReturn = 3\r\n");
    test::writeBytes(dir / "cut.lua", test::fileBytes(dir / "in.lua")->substr(0, 100));
    // "@NAME" as a word of the shell, or as the program names the file.
    const auto withFiles = [&](std::string text, bool forShell) {
        for (auto at = text.find('@'); at != std::string::npos;) {
            const std::size_t end = std::min(text.find(' ', at), text.size());
            const std::string name = text.substr(at + 1, end - at - 1);  // "unreadable" opens but does not read
            const fs::path file = name == "unreadable" ? test::kUnreadableFile : dir / name;
            const std::string shown = forShell ? quoted(file) : file.string();
            text.replace(at, end - at, shown);
            at = text.find('@', at + shown.size());
        }
        return text;
    };
    const auto cases = test::tableRows(test::testDataDir() / "cli/exit_codes.tsv");
    ASSERT_EQ(cases.size(), 40u);
    for (const auto& c : cases) {
#ifdef _WIN32
        if (c.size() > 3) continue;
#endif
        SCOPED_TRACE(c.at(0));
        const CliRun run = cli(withFiles(c.at(0), true), c.size() > 3 ? c[3] : "");
        EXPECT_EQ(run.status, std::stoi(c.at(1)));
        const bool toOutput = run.status == 0 && !c.at(2).starts_with("warning");
        EXPECT_NE((toOutput ? run.out : run.err).find(withFiles(c[2], false)), std::string::npos) << run.out << run.err;
        EXPECT_TRUE(run.status == 0 || !fs::exists(dir / "out.lua"));
    }
}

// The whole of what dump prints, with the names from the side lists, and the lines where characters were lost:
// dump.lua, saved as UTF-8, holds a snowman, which CP932 lacks, on each of twelve lines of its memo; ten are told one
// by one, the rest counted.
TEST_F(Cli, DumpPrintsWhatALoadGivesAndWhatTheReadLost) {
    CliRun run = cli("dump --mobdata " + data("MobData.ini") + " --friends " + data("Friend.ini") + " " + data("dump.lua"));
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, test::testData("cli/dump.json"));
    const std::string shown = (test::testDataDir() / "cli" / "dump.lua").string();
    for (auto at = run.err.find(shown); at != std::string::npos; at = run.err.find(shown)) run.err.replace(at, shown.size(), "IN");
#ifdef _WIN32
    std::erase(run.err, '\r');  // messages end their lines as Windows text does
#endif
    EXPECT_EQ(run.err, test::testData("cli/dump.err"));
}

// The cases of tests/data/cli/set.tsv.
TEST_F(Cli, SetAppliesValuesAsThePagesWould) {
    const auto cases = test::tableRows(test::testDataDir() / "cli/set.tsv");
    ASSERT_EQ(cases.size(), 13u);
    for (const auto& c : cases) {
        const CliRun run = cli("set " + path("in.lua") + " -o " + path("out.lua") + " " + c.at(0));
        ASSERT_EQ(run.status, 0) << c[0] << run.err;
        EXPECT_EQ(nlohmann::json::parse(cli("dump " + path("out.lua")).out)["settings"][c.at(1)], std::stoi(c.at(2))) << c[0];
    }
}

TEST_F(Cli, HistoryListsWhatSavesReplacedAndRestoreBringsItBack) {
    const std::string original = *test::fileBytes(dir / "in.lua");
    const std::string history = " --history " + path("history"), config = path("in.lua");
    ASSERT_EQ(cli("set " + config + " -o " + config + " DistanceAttackArea=3" + history).status, 0);
    ASSERT_EQ(cli("set " + config + " -o " + path("new.lua") + " DistanceAttackArea=4" + history).status, 0);

    const CliRun listed = cli("history" + history);
    // One line for the one replaced file: name, time, size in bytes and origin.
    ASSERT_EQ(std::ranges::count(listed.out, '\n'), 1) << listed.out;
    const std::string name = listed.out.substr(0, listed.out.find('\t'));
    EXPECT_EQ(listed.out.substr(name.size() + 1, 10), name.substr(0, 10)) << listed.out;
    EXPECT_NE(listed.out.find("\t" + std::to_string(original.size()) + "\t"), std::string::npos) << listed.out;
    EXPECT_TRUE(listed.out.ends_with("in.lua\n")) << listed.out;
    EXPECT_EQ(cli("history " + config + history).out, listed.out);
    EXPECT_EQ(cli("history " + path("new.lua") + history).out, "");

    ASSERT_EQ(cli("restore " + name + " -o " + path("copy.lua") + history).status, 0);
    EXPECT_EQ(test::fileBytes(dir / "copy.lua"), original);
    ASSERT_EQ(cli("restore " + quoted(dir / "history" / name) + history).status, 0);
    EXPECT_EQ(test::fileBytes(dir / "in.lua"), original);
    // What the restore replaced is kept in turn.
    EXPECT_EQ(std::ranges::count(cli("history " + config + history).out, '\n'), 2);
}

#ifdef _WIN32
// Text the program writes to a console shows as characters, in whatever code page the console is: read back from a
// console of the test's own, a fresh screen buffer for each run, as a user would see it.
TEST_F(Cli, AConsoleShowsTheCharacters) {
    test::writeBytes(dir / "in.lua", writeConfigLua(startupSettings(), cp932("メモ\n二行目"), {}, {}));
    const fs::path missing = dir.path() / u8"存在しない.lua";
    const std::u8string missingName = missing.u8string();
    const std::pair<std::string, std::string> cases[] = {  // arguments, a part of the screen
        {"dump " + path("in.lua"), R"("memo": "メモ\n二行目")"},  // UTF-8
        {"defaults", "-- 例：ポリンとポポリンを攻撃しない場合は↓のようにする。"},  // code page 932
        {"dump " + quoted(missing), "vellconf-cli: cannot read " + std::string(missingName.begin(), missingName.end())},
    };
    FreeConsole();  // whatever the test was started with
    AllocConsole();
    for (const auto& [arguments, shown] : cases) {
        constexpr SHORT kWidth = 200, kHeight = 400;  // room for the whole of a dump
        SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
        const HANDLE screen = CreateConsoleScreenBuffer(GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                                        &inherited, CONSOLE_TEXTMODE_BUFFER, nullptr);
        SetConsoleScreenBufferSize(screen, {kWidth, kHeight});
        // The screen as both standard handles, which no shell of Windows can hand over.
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = startup.hStdError = screen;
        const std::string command = cliCommand(arguments);  // UTF-8, as the paths' narrow strings are here
        std::wstring commandLine = fs::path(std::u8string(command.begin(), command.end())).wstring();
        PROCESS_INFORMATION process{};
        ASSERT_TRUE(CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process));
        WaitForSingleObject(process.hProcess, INFINITE);
        for (const HANDLE handle : {process.hThread, process.hProcess}) CloseHandle(handle);
        std::wstring cells(kWidth * kHeight, L' ');
        DWORD read = 0;
        ReadConsoleOutputCharacterW(screen, cells.data(), static_cast<DWORD>(cells.size()), {0, 0}, &read);
        CloseHandle(screen);
        const std::u8string text = fs::path(cells).u8string();  // row after row, each filled up with blanks
        EXPECT_NE(std::string(text.begin(), text.end()).find(shown), std::string::npos) << arguments;
    }
    FreeConsole();
}
#endif

}  // namespace
}  // namespace vellconf
