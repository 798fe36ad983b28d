// vellconf-cli: the settings editor's file formats and rules, from a shell.

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/ai_settings.h"
#include "config/config_writer.h"
#include "config/file_io.h"
#include "config/settings_catalogue.h"
#include "lists/memo.h"

namespace {

using namespace vellconf;

constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

constexpr std::string_view kUsage =
    "usage: vellconf-cli COMMAND [OPTIONS]\n"
    "\n"
    "commands:\n"
    "  defaults [-o FILE]   write the Config.lua that a save right after start-up writes\n"
    "                       (to standard output without -o)\n"
    "\n"
    "options:\n"
    "  -h, --help           show this help\n";

struct UsageError {
    std::string message;
};

// Writes to FILE, or to standard output when no file was named.
int emit(const std::optional<std::string>& outputPath, const std::string& bytes) {
    if (!outputPath) {
        std::fwrite(bytes.data(), 1, bytes.size(), stdout);
        return std::fflush(stdout) == 0 ? kExitOk : kExitFailure;
    }
    switch (writeFileAtomically(*outputPath, bytes)) {
        case WriteResult::Ok: return kExitOk;
        case WriteResult::OpenFailed: std::cerr << "vellconf-cli: cannot create " << *outputPath << "\n"; break;
        case WriteResult::WriteFailed: std::cerr << "vellconf-cli: cannot write " << *outputPath << "\n"; break;
    }
    return kExitFailure;
}

int runDefaults(const std::vector<std::string_view>& args) {
    std::optional<std::string> output;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "-o" || args[i] == "--output") {
            if (i + 1 >= args.size()) throw UsageError{"option " + std::string(args[i]) + " needs a file name"};
            output = std::string(args[++i]);
        } else {
            throw UsageError{"defaults: unexpected argument '" + std::string(args[i]) + "'"};
        }
    }
    return emit(output, writeConfigLua(startupSettings(), startupMemo(), {}, {}));
}

int run(const std::vector<std::string_view>& args) {
    if (args.empty()) throw UsageError{"no command given"};
    const std::string_view command = args.front();
    const std::vector<std::string_view> rest(args.begin() + 1, args.end());
    const auto asksForHelp = [](std::string_view a) { return a == "-h" || a == "--help" || a == "help"; };
    if (std::ranges::any_of(args, asksForHelp)) {
        std::cout << kUsage;
        return kExitOk;
    }
    if (command == "defaults") return runDefaults(rest);
    throw UsageError{"unknown command '" + std::string(command) + "'"};
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    try {
        return run(args);
    } catch (const UsageError& error) {
        std::cerr << "vellconf-cli: " << error.message << "\n" << "Try 'vellconf-cli --help'.\n";
        return kExitUsage;
    }
}
