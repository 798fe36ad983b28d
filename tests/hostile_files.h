#pragma once
// Config.lua files as other editors and damaged disks hand them over, each with
// what a load must find in it. The core and the command line both run them
// through load -> save -> load, and nothing the user had may be lost.

#include <cstdint>
#include <string>
#include <vector>

#include "config/config_writer.h"
#include "config/cp932.h"
#include "config/settings_catalogue.h"

namespace vellconf::test {

struct HostileFile {
    std::string name;
    std::string bytes;
    // What the first load must give:
    std::int32_t distanceNotReturn;  // 3 in every file: 7 is the fallback
    std::string memo;                // CP932, as the record holds it
    std::vector<std::string> ignore;
};

inline std::string replacedAll(std::string text, const std::string& from, const std::string& to) {
    for (auto pos = text.find(from); pos != std::string::npos; pos = text.find(from, pos + to.size()))
        text.replace(pos, from.size(), to);
    return text;
}

inline std::vector<HostileFile> hostileFiles() {
    AiSettings settings = startupSettings();
    settings.DistanceNotReturn = 3;
    const std::vector<std::string> ignore = {"1002", "1031"};
    const auto file = [&](const std::string& memo, const std::vector<std::string>& ids = {"1002", "1031"}) {
        return writeConfigLua(settings, memo, ids, {});
    };
    const std::string memo = cp932("狩場：オーク\n作成日：2026/12/07");
    const std::string base = file(memo);
    const std::string endLine = memoEndMarker() + "\r\n";
    std::vector<std::string> many;
    for (int id = 1024; id < 1100; ++id) many.push_back(std::to_string(id));
    const std::string twoLines = std::string(511, 'p') + "\n" + std::string(511, 'q');
    const std::string oneLine(1024, 'r');
    return {
        {"as written", base, 3, memo, ignore},
        {"end marker with a blank after it", replacedAll(base, endLine, memoEndMarker() + " \r\n"), 3,
         memo + "\n" + memoEndMarker() + " ", ignore},
        {"end marker deleted", replacedAll(base, endLine, ""), 3, memo, ignore},
        {"UTF-8 without a byte-order mark", *cp932ToUtf8(base), 3, memo, ignore},
        {"UTF-8 with a byte-order mark", "\xEF\xBB\xBF" + *cp932ToUtf8(base), 3, memo, ignore},
        {"CR-only line ends", replacedAll(base, "\r\n", "\r"), 3, memo, ignore},
        {"LF line ends", replacedAll(base, "\r\n", "\n"), 3, memo, ignore},
        {"76 ignored monsters", file(memo, many), 3, memo, many},
        {"memo of two 511-byte lines", file(twoLines), 3, twoLines, ignore},
        {"memo of one 1024-byte line", file(oneLine), 3, oneLine, ignore},
        {"memo line like a marker", file(memoStartMarker() + "x\n" + memoEndMarker().substr(1)), 3,
         memoStartMarker() + "x\n" + memoEndMarker().substr(1), ignore},
    };
}

}  // namespace vellconf::test
