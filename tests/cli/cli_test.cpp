// Runs the built vellconf-cli on real files.

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <fstream>
#include <sstream>

#include "config/config_writer.h"
#include "config/file_io.h"
#include "config/settings_catalogue.h"
#include "config/memo.h"
#include "fs_failures.h"
#include "hostile_files.h"
#include "test_support.h"

namespace vellconf {
namespace {

namespace fs = std::filesystem;

struct CliRun {
    int status;
    std::string out;
    std::string err;
};

std::string quoted(const fs::path& path) { return test::shellQuoted(path); }

// The program and its arguments, for the shell. What the tests' saves
// replace is kept in a history of their own, never beside the built program;
// a "--history" among the arguments comes later and wins.
std::string cliCommand(const std::string& arguments) {
    static const test::ScratchDir history;
    const std::string command = arguments.substr(0, arguments.find(' '));
    const bool isCommand = !command.empty() && !command.starts_with('-');
    const std::string rest = isCommand ? arguments.substr(command.size()) : " " + arguments;
    return quoted(test::builtProgram(VELLCONF_CLI)) + " " + (isCommand ? command + " --history " + quoted(history.path()) : "") +
           rest;
}

CliRun cli(const std::string& arguments) {
    test::ScratchDir dir;
    const int status = test::runShell(cliCommand(arguments) + " >" + quoted(dir / "out") + " 2>" + quoted(dir / "err"));
    return {status, test::fileBytes(dir / "out").value_or(""), test::fileBytes(dir / "err").value_or("")};
}

#ifdef _WIN32
const std::string kNullDevice = "NUL";

// Runs the program as no shell of Windows can: with the given handles (or
// none) as its standard output and standard error. Its exit code.
int runWithHandles(const std::string& arguments, HANDLE output, HANDLE error) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = output;
    startup.hStdError = error;
    const std::string command = cliCommand(arguments);  // UTF-8, as the paths' narrow strings are here
    std::wstring commandLine = fs::path(std::u8string(command.begin(), command.end())).wstring();
    PROCESS_INFORMATION process{};
    DWORD code = static_cast<DWORD>(-1);
    if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
        WaitForSingleObject(process.hProcess, INFINITE);
        GetExitCodeProcess(process.hProcess, &code);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    return static_cast<int>(code);
}

// As runWithHandles, standard error into a file.
int runWithOutput(const std::string& arguments, HANDLE output, const fs::path& errorFile) {
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    const HANDLE error = CreateFileW(errorFile.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherited, CREATE_ALWAYS,
                                     FILE_ATTRIBUTE_NORMAL, nullptr);
    const int code = runWithHandles(arguments, output, error);
    CloseHandle(error);
    return code;
}

// A console of the test's own, which the program started from the test shares:
// each screen is a fresh buffer of it, read back as a user would see it.
class Console {
public:
    Console() {
        FreeConsole();  // whatever the test was started with
        AllocConsole();
    }
    ~Console() { FreeConsole(); }
    Console(const Console&) = delete;
    Console& operator=(const Console&) = delete;

    class Screen {
    public:
        Screen() {
            SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
            buffer_ = CreateConsoleScreenBuffer(GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                                &inherited, CONSOLE_TEXTMODE_BUFFER, nullptr);
            SetConsoleScreenBufferSize(buffer_, {kWidth, kHeight});
        }
        ~Screen() { CloseHandle(buffer_); }
        Screen(const Screen&) = delete;
        Screen& operator=(const Screen&) = delete;
        HANDLE handle() const { return buffer_; }

        // The rows as UTF-8, without trailing blanks, each but the last ended by "\n".
        std::string text() const {
            std::wstring cells(kWidth * kHeight, L' ');
            DWORD read = 0;
            ReadConsoleOutputCharacterW(buffer_, cells.data(), static_cast<DWORD>(cells.size()), {0, 0}, &read);
            std::string text;
            for (std::size_t row = 0; row < kHeight; ++row) {
                std::wstring line = cells.substr(row * kWidth, kWidth);
                line.erase(line.find_last_not_of(L' ') + 1);
                const std::u8string utf8 = fs::path(line).u8string();
                text.append(utf8.begin(), utf8.end()).push_back('\n');
            }
            return text.erase(text.find_last_not_of('\n') + 1);
        }

    private:
        static constexpr SHORT kWidth = 200, kHeight = 400;  // room for the whole of a dump
        HANDLE buffer_ = INVALID_HANDLE_VALUE;
    };
};

std::string utf8(const fs::path& path) {
    const std::u8string text = path.u8string();
    return {text.begin(), text.end()};
}
#else
const std::string kNullDevice = "/dev/null";
#endif

void writeBytes(const fs::path& path, std::string_view bytes) { std::ofstream(path, std::ios::binary) << bytes; }

class Cli : public ::testing::Test {
protected:
    void SetUp() override {
        writeBytes(dir / "MobData.ini", cp932(";ID 名前 a b c d e f g h i j k l m n o p q r\n"
                                             "1002 ポリン 1 - - - - - - - - - - - - - - - - -\n"
                                             "1031 ポポリン 14 - - - - - - - - - - - - - - - - -\n"));
        writeBytes(dir / "Friend.ini", cp932("123 たろう\r\n456 はなこ\r\n"));
    }
    std::string lists() const {
        return "--mobdata " + quoted(dir / "MobData.ini") + " --friends " + quoted(dir / "Friend.ini");
    }
    test::ScratchDir dir;
};

TEST_F(Cli, DefaultsWritesTheStartupFile) {
    const std::string expected = writeConfigLua(startupSettings(), startupMemo(), {}, {});
    EXPECT_EQ(cli("defaults").out, expected);
    ASSERT_EQ(cli("defaults -o " + quoted(dir / "Config.lua")).status, 0);
    EXPECT_EQ(test::fileBytes(dir / "Config.lua"), expected);
}

TEST_F(Cli, UsageErrorsExitWithTwo) {
    for (const char* arguments : {"", "frobnicate", "defaults --bogus", "defaults -o", "dump", "dump --fallbacks x a",
                                  "set in.lua KEY=1"}) {
        const CliRun run = cli(arguments);
        EXPECT_EQ(run.status, 2) << arguments;
        EXPECT_NE(run.err, "") << arguments;
    }
    const CliRun help = cli("--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("usage: vellconf-cli"), std::string::npos);
}

TEST_F(Cli, DumpPrintsWhatALoadGives) {
    const std::vector<std::string> ignore = {"1031", "9999"};
    const std::vector<std::string> friends = {"456", "777"};
    AiSettings settings = startupSettings();
    settings.DistanceAttackArea = 3;
    writeBytes(dir / "Config.lua", writeConfigLua(settings, cp932("メモ\n二行目"), ignore, friends));
    const CliRun run = cli("dump " + lists() + " " + quoted(dir / "Config.lua"));
    ASSERT_EQ(run.status, 0) << run.err;
    const auto json = nlohmann::ordered_json::parse(run.out);
    ASSERT_EQ(json["settings"].size(), kSettingCount);
    EXPECT_EQ(json["settings"].begin().key(), "FlagDefaultState");
    EXPECT_EQ(json["settings"]["DistanceAttackArea"], 3);
    EXPECT_EQ(json["settings"]["Ph3TH_SkillLevel"], 5);
    EXPECT_EQ(json["ignore"], nlohmann::json::parse(R"([{"id":"1031","name":"ポポリン"},{"id":"9999","name":""}])"));
    EXPECT_EQ(json["friends"], nlohmann::json::parse(R"([{"id":"456","name":"はなこ"},{"id":"777","name":"名前不明"}])"));
    EXPECT_EQ(json["memo"], "メモ\n二行目");
}

TEST_F(Cli, ResaveReproducesAToolWrittenFile) {
    const std::vector<std::string> ignore = {"1002", "1002"}, friends = {"123"};
    const std::string file = writeConfigLua(startupSettings(), cp932("[狩場]\n"), ignore, friends);
    writeBytes(dir / "in.lua", file);
    ASSERT_EQ(cli("resave " + lists() + " " + quoted(dir / "in.lua") + " " + quoted(dir / "out.lua")).status, 0);
    EXPECT_EQ(test::fileBytes(dir / "out.lua"), file);
}

TEST_F(Cli, UnreadableInputExitsWithOneAndWritesNothing) {
    writeBytes(dir / "empty.lua", "");
    writeBytes(dir / "cut.lua", writeConfigLua(startupSettings(), "", {}, {}).substr(0, 100));
    for (const std::string& arguments : {"dump " + quoted(dir / "missing.lua"),
                                         "resave " + quoted(dir / "empty.lua") + " " + quoted(dir / "out.lua"),
                                         "set " + quoted(dir / "cut.lua") + " -o " + quoted(dir / "out.lua"),
                                         "resave " + quoted(dir / "missing.lua") + " " + quoted(dir / "out.lua"),
                                         "set " + quoted(dir / "missing.lua") + " -o " + quoted(dir / "out.lua")}) {
        const CliRun run = cli(arguments);
        EXPECT_EQ(run.status, 1) << arguments;
        EXPECT_NE(run.err, "") << arguments;
    }
    EXPECT_FALSE(fs::exists(dir / "out.lua"));
}

// Every global number and the two lists as the game's Lua reads a file, in the form dump prints.
nlohmann::json luaValues(const fs::path& config, const fs::path& scratch) {
    writeBytes(scratch / "values.lua",
               "dofile(arg[1])\n"
               "for key, value in pairs(_G) do\n"
               "  if type(value) == 'number' then print(key .. '=' .. value)\n"
               "  elseif key == 'IGNORE_MOB' or key == 'FRIENDS' then print(key .. '=' .. table.concat(value, ',')) end\n"
               "end\n");
    const test::CommandOutput lua = test::runForOutput(quoted(test::builtProgram(LUA_EXECUTABLE)) + " " +
                                                       quoted(scratch / "values.lua") + " " + quoted(config));
    nlohmann::json values;
    std::istringstream lines(lua.text);
    for (std::string line; std::getline(lines, line);) {
        const auto equals = line.find('=');
        values[line.substr(0, equals)] = line.substr(equals + 1);
    }
    return values;
}

// What Lua read, compared with what dump printed: every setting and both lists.
void expectLuaReadsTheLoad(const nlohmann::json& lua, const nlohmann::json& dump, const std::string& name) {
    const auto ids = [](const nlohmann::json& rows) {
        std::string joined;
        for (const auto& row : rows) joined += (joined.empty() ? "" : ",") + row["id"].get<std::string>();
        return joined;
    };
    EXPECT_EQ(lua.value("IGNORE_MOB", "?"), ids(dump["ignore"])) << name;
    EXPECT_EQ(lua.value("FRIENDS", "?"), ids(dump["friends"])) << name;
    for (const auto& [key, value] : dump["settings"].items())
        EXPECT_EQ(lua.value(key, "?"), std::to_string(value.get<int>())) << name << " " << key;
}

TEST_F(Cli, HostileFilesRoundTripThroughResave) {
    for (const auto& c : test::hostileFiles()) {
        writeBytes(dir / "in.lua", c.bytes);
        const CliRun first = cli("dump " + lists() + " " + quoted(dir / "in.lua"));
        ASSERT_EQ(first.status, 0) << c.name << first.err;
        const auto json = nlohmann::json::parse(first.out);
        EXPECT_EQ(json["settings"]["DistanceNotReturn"], c.distanceNotReturn) << c.name;
        EXPECT_EQ(json["memo"], cp932ToUtf8Lossy(c.memo)) << c.name;
        EXPECT_EQ(json["ignore"].size(), c.ignore.size()) << c.name;
        EXPECT_EQ(json["friends"].size(), c.friends.size()) << c.name;
        EXPECT_EQ(c.lossyLines > 0, first.err.find("warning: ") != std::string::npos) << c.name << first.err;
        ASSERT_EQ(cli("resave " + lists() + " " + quoted(dir / "in.lua") + " " + quoted(dir / "out.lua")).status, 0)
            << c.name;
        EXPECT_EQ(cli("dump " + lists() + " " + quoted(dir / "out.lua")).out, first.out) << c.name;
        expectLuaReadsTheLoad(luaValues(dir / "out.lua", dir.path()), json, c.name);
        if (c.luaReadsIt) expectLuaReadsTheLoad(luaValues(dir / "in.lua", dir.path()), json, c.name);
    }
}

TEST_F(Cli, FailuresAreReportedNeverPassedOffOrAborted) {
    writeBytes(dir / "in.lua", writeConfigLua(startupSettings(), "", {}, {}));
    const std::string in = quoted(dir / "in.lua");
    const std::string unreadable = quoted(test::kUnreadableFile);
    struct Case {
        std::string command;
        int status;
        std::string error;  // a part of standard error
    };
    std::vector<Case> cases = {
        {"dump " + unreadable + " >" + kNullDevice, 1, "cannot read"},
        {"dump --mobdata " + quoted(dir / "none.ini") + " " + in + " >" + kNullDevice, 0, "warning: cannot read"},
        {"dump --friends " + unreadable + " " + in + " >" + kNullDevice, 0, "warning: cannot read"},
    };
#ifndef _WIN32
    cases.insert(cases.end(), {
        {"defaults >/dev/full", 1, "cannot write to standard output"},
        {"dump " + in + " >/dev/full", 1, "cannot write to standard output"},
        {"defaults >&-", 1, "cannot write to standard output"},
    });
#endif
    for (const auto& c : cases) {
        const int status = test::runShell(cliCommand(c.command) + " 2>" + quoted(dir / "err"));
        EXPECT_EQ(status, c.status) << c.command;
        EXPECT_NE(test::fileBytes(dir / "err").value_or("").find(c.error), std::string::npos) << c.command;
    }
}

#ifdef _WIN32
// Windows' counterparts of a full device and a closed standard output: one
// opened for reading only, and none at all.
TEST_F(Cli, StandardOutputThatTakesNothingIsReported) {
    writeBytes(dir / "in.lua", writeConfigLua(startupSettings(), "", {}, {}));
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    const HANDLE readOnly = CreateFileW((dir / "in.lua").c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                        &inherited, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(readOnly, INVALID_HANDLE_VALUE);
    const struct {
        std::string arguments;
        HANDLE output;
    } cases[] = {
        {"defaults", readOnly},
        {"dump " + quoted(dir / "in.lua"), readOnly},
        {"defaults", nullptr},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(runWithOutput(c.arguments, c.output, dir / "err"), 1) << c.arguments;
        EXPECT_NE(test::fileBytes(dir / "err").value_or("").find("cannot write to standard output"), std::string::npos)
            << c.arguments;
    }
    CloseHandle(readOnly);
}

// Text the program writes to a console shows as characters, in whatever code
// page the console is; the bytes when redirected are tested above.
TEST_F(Cli, AConsoleShowsTheCharacters) {
    writeBytes(dir / "in.lua", writeConfigLua(startupSettings(), cp932("メモ\n二行目"), {}, {}));
    const fs::path missing = dir.path() / u8"存在しない.lua";
    const struct {
        std::string arguments;
        std::string shown;  // a part of the screen
    } cases[] = {
        {"dump " + quoted(dir / "in.lua"), R"("memo": "メモ\n二行目")"},  // UTF-8
        {"defaults", "-- 例：ポリンとポポリンを攻撃しない場合は↓のようにする。"},  // code page 932
        {"dump " + quoted(missing), "vellconf-cli: cannot read " + utf8(missing)},
    };
    Console console;
    for (const auto& c : cases) {
        const Console::Screen screen;
        runWithHandles(c.arguments, screen.handle(), screen.handle());
        EXPECT_NE(screen.text().find(c.shown), std::string::npos) << c.arguments << "\n" << screen.text();
    }
}
#endif

// The game's folder under "Program Files": the user is told the system forbade it.
TEST_F(Cli, SaveWhereTheSystemForbidsWritingSaysSo) {
    writeBytes(dir / "in.lua", writeConfigLua(startupSettings(), "", {}, {}));
#ifdef _WIN32
    const fs::path folder = R"(Z:\sys)";  // see refusesNewFiles
#else
    test::ScratchDir denied;
    const fs::path folder = denied.path();
#endif
    if (!test::refusesNewFiles(folder)) GTEST_SKIP() << "no folder here refuses new files";
    const std::string in = quoted(dir / "in.lua");
    EXPECT_TRUE(test::holdsWithoutPrivileges(
        [&](const fs::path& f) {
            const CliRun run = cli("resave " + in + " " + quoted(f / "out.lua"));
            return run.status == 1 && run.err.find("アクセスが拒否されました: " + f.string()) != std::string::npos;
        },
        folder));
    EXPECT_FALSE(fs::exists(folder / "out.lua"));
}

TEST_F(Cli, SetAppliesValuesAsThePagesWould) {
    writeBytes(dir / "in.lua", writeConfigLua(startupSettings(), "", {}, {}));
    struct Case {
        const char* assignment;
        const char* key;
        std::int32_t value;
    };
    const Case cases[] = {
        {"DistanceAttackArea=20", "DistanceAttackArea", 14},
        {"DistanceAttackArea=3a", "DistanceAttackArea", 3},
        {"RotatePeriod=50000", "RotatePeriod", 50000},
        {"Ph1ML_SkillLevel=", "Ph1ML_SkillLevel", 1},
        {"FlagAttackQuickly=YES", "FlagAttackQuickly", 1},
        {"TypeSearchEnemyLIF=1", "TypeSearchEnemyLIF", 1},
        {"FlagDefaultState=NO", "FlagDefaultState", 0},
        {"FlagRotateState=2", "FlagRotateState", 2},
        {"FlagAutoCaprice=3", "FlagAutoCaprice", 3},
        {"FlagRotateInfinity=YES", "FlagRotateInfinity", 1},
        {"FlagRotateFunction=NO", "FlagRotateFunction", 0},
    };
    for (const auto& c : cases) {
        const CliRun run = cli("set " + quoted(dir / "in.lua") + " -o " + quoted(dir / "out.lua") + " " + c.assignment);
        ASSERT_EQ(run.status, 0) << c.assignment << run.err;
        const auto json = nlohmann::json::parse(cli("dump " + quoted(dir / "out.lua")).out);
        EXPECT_EQ(json["settings"][c.key], c.value) << c.assignment;
    }
}

TEST_F(Cli, SetRefusesWhatNoPageTakes) {
    writeBytes(dir / "in.lua", writeConfigLua(startupSettings(), "", {}, {}));
    for (const std::string assignment :
         {"NoSuchKey=1", "FlagAttackQuickly=yes", "FlagAttackQuickly=1", "TypeSearchEnemyLIF=2", "AutoSkillPriority=0",
          "FlagAutoMoonLight=4", "FlagRotateFunction=1", "IGNORE_MOB={1}", "DistanceAttackArea",
          // Fields the window disables while rotation is off.
          "FlagRotateFunction=NO RotateRadius=5", "FlagRotateFunction=NO FlagRotateState=1"}) {
        const CliRun run = cli("set " + quoted(dir / "in.lua") + " -o " + quoted(dir / "out.lua") +
                            " DistanceAttackArea=3 " + assignment);
        EXPECT_EQ(run.status, 2) << assignment;
        const std::string lastWord = assignment.substr(assignment.rfind(' ') + 1);
        EXPECT_NE(run.err.find(lastWord.substr(0, lastWord.find('='))), std::string::npos) << assignment << run.err;
        EXPECT_FALSE(fs::exists(dir / "out.lua")) << assignment;
    }
}

TEST_F(Cli, SetTakesTheFallbacksItIsGiven) {
    writeBytes(dir / "in.lua", "[CONFIG]\r\nDistanceNotReturn = 3\r\n");  // none of the keys where the loads differ
    for (const char* fallbacks : {"ai", "specified"}) {
        const std::string options = std::string(" --fallbacks ") + fallbacks + " " + quoted(dir / "in.lua");
        ASSERT_EQ(cli("set" + options + " -o " + quoted(dir / "set.lua") + " RotateRadius=5").status, 0) << fallbacks;
        ASSERT_EQ(cli("resave" + options + " " + quoted(dir / "resaved.lua")).status, 0) << fallbacks;
        auto set = nlohmann::json::parse(cli("dump " + quoted(dir / "set.lua")).out);
        const auto resaved = nlohmann::json::parse(cli("dump " + quoted(dir / "resaved.lua")).out);
        EXPECT_EQ(set["settings"]["RotateRadius"], 5) << fallbacks;
        set["settings"]["RotateRadius"] = resaved["settings"]["RotateRadius"];
        EXPECT_EQ(set, resaved) << fallbacks;
    }
}

// The tab-separated fields of each line `history` prints.
std::vector<std::vector<std::string>> listingRows(const std::string& listing) {
    std::vector<std::vector<std::string>> rows;
    std::istringstream lines(listing);
    for (std::string line; std::getline(lines, line);) {
        auto& row = rows.emplace_back();
        std::istringstream fields(line);
        for (std::string field; std::getline(fields, field, '\t');) row.push_back(field);
    }
    return rows;
}

TEST_F(Cli, HistoryListsWhatSavesReplacedAndRestoreBringsItBack) {
    const std::string original = writeConfigLua(startupSettings(), "", {}, {});
    writeBytes(dir / "Config.lua", original);
    const std::string history = " --history " + quoted(dir / "history");
    const std::string config = quoted(dir / "Config.lua");
    ASSERT_EQ(cli("set " + config + " -o " + config + " DistanceAttackArea=3" + history).status, 0);
    ASSERT_EQ(cli("set " + config + " -o " + quoted(dir / "new.lua") + " DistanceAttackArea=4" + history).status, 0);

    const CliRun listed = cli("history" + history);
    ASSERT_EQ(listed.status, 0) << listed.err;
    const auto rows = listingRows(listed.out);
    ASSERT_EQ(rows.size(), 1u) << listed.out;
    const std::vector<std::string>& version = rows[0];  // name, time, size, origin
    ASSERT_EQ(version.size(), 4u) << listed.out;
    EXPECT_EQ(version[1].substr(0, 10), version[0].substr(0, 10));
    EXPECT_EQ(version[2], std::to_string(original.size()));
    EXPECT_TRUE(version[3].ends_with("Config.lua")) << version[3];
    EXPECT_EQ(cli("history " + config + history).out, listed.out);
    EXPECT_EQ(cli("history " + quoted(dir / "new.lua") + history).out, "");

    ASSERT_EQ(cli("restore " + version[0] + " -o " + quoted(dir / "copy.lua") + history).status, 0);
    EXPECT_EQ(test::fileBytes(dir / "copy.lua"), original);
    ASSERT_EQ(cli("restore " + quoted(dir / "history" / version[0]) + history).status, 0);
    EXPECT_EQ(test::fileBytes(dir / "Config.lua"), original);
    // What the restore replaced is kept in turn.
    EXPECT_EQ(listingRows(cli("history " + config + history).out).size(), 2u);
    const CliRun missing = cli("restore 2001-01-01_000000_Config.lua" + history);
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("no version"), std::string::npos) << missing.err;
}

TEST_F(Cli, LuaRunsWhatSetAndResaveWrote) {
    const std::vector<std::string> ignore = {"1002"}, friends = {"123"};
    writeBytes(dir / "in.lua", writeConfigLua(startupSettings(), cp932("メモ"), ignore, friends));
    ASSERT_EQ(cli("set " + quoted(dir / "in.lua") + " -o " + quoted(dir / "set.lua") + " RotatePeriod=777").status, 0);
    ASSERT_EQ(cli("resave " + quoted(dir / "set.lua") + " " + quoted(dir / "resaved.lua")).status, 0);
    writeBytes(dir / "check.lua", "dofile(arg[1]) print(RotatePeriod, FlagDefaultState, IGNORE_MOB[1], FRIENDS[1])");
    const test::CommandOutput lua = test::runForOutput(quoted(test::builtProgram(LUA_EXECUTABLE)) + " " +
                                                       quoted(dir / "check.lua") + " " + quoted(dir / "resaved.lua") +
                                                       " 2>&1");
    ASSERT_EQ(lua.exitCode, 0) << lua.text;
    EXPECT_EQ(lua.text, "777\t1\t1002\t123\n");
}

}  // namespace
}  // namespace vellconf
