// vellconf-cli: the settings editor's file formats and rules, from a shell.

#include <algorithm>
#include <cstdio>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/assignments.h"
#include "cli/standard_streams.h"
#include "config/config_io.h"
#include "config/cp932.h"
#include "config/file_io.h"
#include "config/history.h"
#include "config/settings_catalogue.h"
#include "config/tool_paths.h"
#include "config/memo.h"
#include "lists/friend_list.h"
#include "lists/monster_table.h"
#include "version.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#include <shellapi.h>
#endif

namespace {

using namespace vellconf;

constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

constexpr std::string_view kUsage =
    "usage: vellconf-cli COMMAND [OPTIONS]\n"
    "\n"
    "commands:\n"
    "  defaults [-o FILE]                 write the Config.lua that a save right after\n"
    "                                     start-up writes (to standard output without -o)\n"
    "  dump [--fallbacks ai|specified] CONFIG\n"
    "                                     print what a load of CONFIG gives, as JSON\n"
    "  resave [--fallbacks ai|specified] IN OUT\n"
    "                                     load IN and save it as OUT\n"
    "  set [--fallbacks ai|specified] IN -o OUT KEY=VALUE...\n"
    "                                     load IN, change settings as their pages would,\n"
    "                                     save OUT\n"
    "  history [FILE]                     list the kept versions of FILE (of every file\n"
    "                                     without it): name, time, size in bytes, origin\n"
    "  restore VERSION [-o FILE]          write a kept version back where it came from\n"
    "                                     (or to FILE); what it replaces is kept first\n"
    "\n"
    "Before a save replaces a file with other bytes, the old bytes are kept in the\n"
    "history: the newest 50 versions of each file.\n"
    "\n"
    "options:\n"
    "  --fallbacks ai|specified           the values of missing keys: those of AI load\n"
    "                                     (default) or of specified load\n"
    "  --mobdata FILE, --friends FILE     the monster and friend lists that IDs are looked\n"
    "                                     up in (default: MobData.ini and Friend.ini beside\n"
    "                                     the program)\n"
    "  --history DIR                      the history folder (default: history beside the\n"
    "                                     program)\n"
    "  -h, --help                         show this help\n"
    "  --version                          show the version\n";

#ifdef _WIN32

std::string utf16ToUtf8(std::wstring_view text) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    std::string utf8(WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), size, utf8.data(), static_cast<int>(utf8.size()), nullptr, nullptr);
    return utf8;
}

// The narrow argv holds the words in the ANSI code page, which has no room for
// a Japanese file name on a machine set to another language: the words are
// read as UTF-16 and carried as UTF-8, as on Linux.
std::vector<std::string> commandLineWords(int, char**) {
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> words;
    for (int i = 1; wide && i < count; ++i) words.push_back(utf16ToUtf8(wide[i]));
    LocalFree(wide);
    return words;
}

std::filesystem::path pathOf(std::string_view utf8) { return utf8ToUtf16(utf8); }

std::string displayName(const std::filesystem::path& path) { return utf16ToUtf8(path.native()); }

// Text mode would turn the file's CR LF into CR CR LF.
void useBinaryStandardOutput() { _setmode(_fileno(stdout), _O_BINARY); }

#else

std::vector<std::string> commandLineWords(int argc, char** argv) { return {argv + 1, argv + argc}; }
std::filesystem::path pathOf(std::string_view bytes) { return std::filesystem::path(bytes); }
std::string displayName(const std::filesystem::path& path) { return path.string(); }
void useBinaryStandardOutput() {}

#endif

struct UsageError {
    std::string message;
};
struct Failure {
    std::string message;
};

// The command line split into options and the remaining words.
struct Arguments {
    std::optional<std::string> output;
    std::optional<std::string> mobData;
    std::optional<std::string> friends;
    std::optional<std::string> history;
    LoadKind fallbacks = LoadKind::Ai;
    std::vector<std::string> words;
};

Arguments parseArguments(const std::vector<std::string_view>& args) {
    Arguments parsed;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        const auto value = [&]() -> std::string {
            if (i + 1 >= args.size()) throw UsageError{"option " + std::string(arg) + " needs a value"};
            return std::string(args[++i]);
        };
        if (arg == "-o" || arg == "--output") {
            parsed.output = value();
        } else if (arg == "--mobdata") {
            parsed.mobData = value();
        } else if (arg == "--friends") {
            parsed.friends = value();
        } else if (arg == "--history") {
            parsed.history = value();
        } else if (arg == "--fallbacks") {
            const std::string kind = value();
            if (kind != "ai" && kind != "specified") throw UsageError{"--fallbacks takes ai or specified"};
            parsed.fallbacks = kind == "ai" ? LoadKind::Ai : LoadKind::Specified;
        } else if (arg.size() > 1 && arg.starts_with('-')) {
            throw UsageError{"unknown option '" + std::string(arg) + "'"};
        } else {
            parsed.words.emplace_back(arg);
        }
    }
    return parsed;
}

void expectWords(const Arguments& args, std::size_t count, std::string_view command) {
    if (args.words.size() != count)
        throw UsageError{std::string(command) + ": expected " + std::to_string(count) + " file name(s)"};
}

// A warning on standard error: the command goes on.
void warn(const std::string& text) { writeStandard(StandardStream::Error, "vellconf-cli: warning: " + text + "\n"); }

// Where the command's saves keep what they replace.
History historyOf(const Arguments& args) {
    return History(args.history ? pathOf(*args.history) : programFolder() / "history");
}

// A history that could not be kept stopped no save, but is said.
void warnIfNotKept(History& history) {
    if (const auto untold = history.untoldFailure()) warn(*untold);
}

// A side file, beside the program unless named; one that cannot be read is an
// empty list, with a warning unless it is an absent default.
template <typename Read>
auto sideList(const std::optional<std::string>& named, std::string_view defaultName, Read read) {
    const std::filesystem::path path = named ? pathOf(*named) : programFolder() / defaultName;
    auto outcome = read(path);
    if (named ? outcome.status != ReadStatus::Ok : existsButUnreadable(outcome.status))
        warn("cannot read " + displayName(path) + "; its list is taken as empty");
    return std::move(outcome.value);
}

std::vector<MonsterRecord> monsterList(const Arguments& args) { return sideList(args.mobData, "MobData.ini", readMobData); }
std::vector<FriendRecord> friendList(const Arguments& args) { return sideList(args.friends, "Friend.ini", readFriendIni); }

// Characters CP932 lacks became "?": said, as the window says it, and the load goes on.
void warnOfLossyLines(const std::string& path, const LoadOutcome& loaded) {
    for (const LossyLine& line : loaded.lossyLines)
        warn(path + " line " + std::to_string(line.number) + ": characters code page 932 lacks became \"?\": " +
             cp932ToUtf8Lossy(line.text));
    if (loaded.lossyLineCount > loaded.lossyLines.size())
        warn(path + ": " + std::to_string(loaded.lossyLineCount - loaded.lossyLines.size()) + " more lines lost characters");
}

// A load over the start-up state, as right after the program has started.
ConfigContent load(const std::string& path, LoadKind fallbacks) {
    auto outcome = loadConfigFile(pathOf(path), fallbacks, startupSettings());
    switch (outcome.failure) {
        case LoadFailure::None: break;
        case LoadFailure::Unreadable: throw Failure{"cannot read " + path};
        case LoadFailure::NoSettings:
            throw Failure{"cannot read " + path + ": it holds none of the settings (no Config.lua, or cut short)"};
        case LoadFailure::ListTooLong: throw Failure{loadMessage(outcome) + ": " + path};
    }
    warnOfLossyLines(path, outcome);
    return std::move(outcome.loaded);
}

// Writes the file (`shown` as the user named it), keeping what it replaces.
void writeOut(const std::filesystem::path& path, const std::string& shown, const std::string& bytes, History& history) {
    const WriteResult written = writeFileSafely(path, bytes, &history);
    warnIfNotKept(history);
    switch (written) {
        case WriteResult::Ok: return;
        case WriteResult::OpenFailed: throw Failure{"cannot create " + shown};
        case WriteResult::AccessDenied: throw Failure{"access denied: cannot create " + shown};
        case WriteResult::WriteFailed: throw Failure{"cannot write " + shown};
    }
}

void writeStandardOutput(const std::string& bytes, TextEncoding encoding) {
    // A full disk or a closed standard output must not pass for success.
    if (!writeStandard(StandardStream::Output, bytes, encoding)) throw Failure{"cannot write to standard output"};
}

// Writes to FILE, or to standard output when no file was named.
void emit(const std::optional<std::string>& outputPath, const std::string& bytes, TextEncoding encoding,
          History& history) {
    if (outputPath) {
        writeOut(pathOf(*outputPath), *outputPath, bytes, history);
    } else {
        writeStandardOutput(bytes, encoding);
    }
}

void save(const std::string& path, const ConfigContent& content, History& history) {
    const SaveOutcome outcome = saveConfig(pathOf(path), content, &history);
    warnIfNotKept(history);
    if (outcome != SaveResult::Saved) throw Failure{saveMessage(outcome) + ": " + path};
}

int runDefaults(const Arguments& args) {
    expectWords(args, 0, "defaults");
    History history = historyOf(args);
    emit(args.output, writeConfigLua(startupSettings(), startupMemo(), {}, {}), TextEncoding::Cp932, history);
    return kExitOk;
}

nlohmann::ordered_json rowJson(const std::string& id, const std::string& name) {
    return {{"id", cp932ToUtf8Lossy(id)}, {"name", cp932ToUtf8Lossy(name)}};
}

int runDump(const Arguments& args) {
    expectWords(args, 1, "dump");
    const ConfigContent loaded = load(args.words[0], args.fallbacks);
    nlohmann::ordered_json json;
    auto& settings = json["settings"] = nlohmann::ordered_json::object();
    for (const auto& spec : settingsCatalogue()) settings[std::string(spec.key)] = loaded.settings.*spec.member;
    // The rows the window's lists would show, named from the monster and friend lists.
    auto& ignore = json["ignore"] = nlohmann::ordered_json::array();
    for (const auto& row : ignoreRowsFor(loaded.ignoreMob, monsterList(args))) ignore.push_back(rowJson(row.id(), row.cells[1]));
    auto& friends = json["friends"] = nlohmann::ordered_json::array();
    for (const auto& row : coFightRowsFor(loaded.friends, friendList(args))) friends.push_back(rowJson(row.id, row.name));
    json["memo"] = cp932ToUtf8Lossy(loaded.memo);
    writeStandardOutput(json.dump(2) + "\n", TextEncoding::Utf8);
    return kExitOk;
}

int runResave(const Arguments& args) {
    expectWords(args, 2, "resave");
    History history = historyOf(args);
    save(args.words[1], load(args.words[0], args.fallbacks), history);
    return kExitOk;
}

int runSet(const Arguments& args) {
    if (args.words.empty()) throw UsageError{"set: expected an input file"};
    if (!args.output) throw UsageError{"set: expected -o OUT"};
    ConfigContent loaded = load(args.words[0], args.fallbacks);
    for (auto word = args.words.begin() + 1; word != args.words.end(); ++word) {
        if (auto error = applyAssignment(loaded.settings, *word)) throw UsageError{*error};
    }
    History history = historyOf(args);
    save(*args.output, loaded, history);
    return kExitOk;
}

int runHistory(const Arguments& args) {
    if (args.words.size() > 1) throw UsageError{"history: expected at most one file name"};
    const std::optional<std::filesystem::path> of =
        args.words.empty() ? std::nullopt : std::optional<std::filesystem::path>(pathOf(args.words[0]));
    std::string listing;
    for (const HistoryVersion& version : historyOf(args).versions(of)) {
        listing += cp932ToUtf8Lossy(version.name) + "\t" + version.time + "\t" + std::to_string(version.size) + "\t" +
                   cp932ToUtf8Lossy(version.origin) + "\n";
    }
    writeStandardOutput(listing, TextEncoding::Utf8);
    return kExitOk;
}

int runRestore(const Arguments& args) {
    expectWords(args, 1, "restore");
    History history = historyOf(args);
    const auto version = history.find(pathOf(args.words[0]));
    if (!version) throw Failure{"no version " + args.words[0] + " in " + displayName(history.folder())};
    const FileRead kept = readFile(history.fileOf(*version), kMaxMobDataBytes);
    if (!kept) throw Failure{"cannot read " + displayName(history.fileOf(*version))};
    if (args.output) {
        writeOut(pathOf(*args.output), *args.output, kept.bytes, history);
    } else {
        const std::string origin = cp932ToUtf8Lossy(version->origin);
        const auto target = resolvePath(version->origin);
        if (!target) throw Failure{"cannot write " + origin};
        writeOut(*target, origin, kept.bytes, history);
    }
    return kExitOk;
}

int run(const std::vector<std::string_view>& args) {
    const auto asksForHelp = [](std::string_view a) { return a == "-h" || a == "--help" || a == "help"; };
    if (std::ranges::any_of(args, asksForHelp)) {
        writeStandard(StandardStream::Output, kUsage);
        return kExitOk;
    }
    if (args.size() == 1 && args.front() == "--version") {
        writeStandard(StandardStream::Output, "vellconf-cli " VELLCONF_VERSION "\n");
        return kExitOk;
    }
    if (args.empty()) throw UsageError{"no command given"};
    const std::string_view command = args.front();
    const Arguments rest = parseArguments({args.begin() + 1, args.end()});
    if (command == "defaults") return runDefaults(rest);
    if (command == "dump") return runDump(rest);
    if (command == "resave") return runResave(rest);
    if (command == "set") return runSet(rest);
    if (command == "history") return runHistory(rest);
    if (command == "restore") return runRestore(rest);
    throw UsageError{"unknown command '" + std::string(command) + "'"};
}

// Tells the user why the program stops; the exit status. No message is built
// from the pieces: memory may have run out.
int reported(int status, std::string_view message, std::string_view hint = {}) {
    for (const std::string_view piece : {std::string_view("vellconf-cli: "), message, std::string_view("\n"), hint})
        writeStandard(StandardStream::Error, piece);
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    useBinaryStandardOutput();
    try {
        const std::vector<std::string> words = commandLineWords(argc, argv);
        return run({words.begin(), words.end()});
    } catch (const UsageError& error) {
        return reported(kExitUsage, error.message, "Try 'vellconf-cli --help'.\n");
    } catch (const Failure& failure) {
        return reported(kExitFailure, failure.message);
    } catch (const std::exception& error) {
        // Out of memory, or a fault of ours: reported, never an abort.
        return reported(kExitFailure, error.what());
    }
}
