#pragma once
// Config.lua files as other editors, hand edits and damaged disks hand them
// over, each with what a load must find in it. The core and the command line
// both run them through load -> save -> load, and nothing the user had may be
// lost; Lua reads what the load read.

#include <cstdint>
#include <string>
#include <vector>

#include "config/config_writer.h"
#include "config/cp932.h"
#include "config/settings_catalogue.h"
#include "test_support.h"

namespace vellconf::test {

struct HostileFile {
    std::string name;
    std::string bytes;
    // What the first load must give:
    std::int32_t distanceNotReturn;  // 3 in every file: 7 is the fallback
    std::string memo;                // CP932, as the record holds it
    std::vector<std::string> ignore;
    std::vector<std::string> friends = {};
    std::size_t lossyLines = 0;      // lines where characters CP932 lacks became "?"
    bool luaReadsIt = true;          // false for a file only the tool can read (UTF-16)
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
    const std::string utf8 = *cp932ToUtf8(base);
    const std::string keysStart = cp932("--●基本動作設定\r\n");
    const std::string ignoreLine = "    IGNORE_MOB              = {1002,1031}";
    const std::string friendsLine = "    FRIENDS                 = {}";
    const std::vector<std::string> three = {"1002", "1031", "1113"}, four = {"1002", "1031", "1113", "1039"};
    const std::string lossyMemo = "caf\xC3\xA9 \xE2\x98\x83 \xF0\x9F\x98\x80\r\n" + *cp932ToUtf8(cp932("狩場"));
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
        // Lines beginning with "[" below the section line.
        {"a note under the end marker, inside the comment", replacedAll(base, endLine, endLine + cp932("[自分用メモ]\r\n")),
         3, memo, ignore},
        {"a comment block holding a bracketed line", replacedAll(base, keysStart, cp932("--[[ [狩場メモ] --]]\r\n") + keysStart),
         3, memo, ignore},
        {"a Lua table line above the keys",
         replacedAll(base, keysStart, "local seen = {\r\n    [1002] = true,\r\n}\r\n" + keysStart), 3, memo, ignore},
        // Encodings other editors save in.
        {"UTF-16 LE with a byte-order mark", utf16(utf8, false), 3, memo, ignore, {}, 0, false},
        {"UTF-16 BE with a byte-order mark", utf16(utf8, true), 3, memo, ignore, {}, 0, false},
        {"UTF-8 with a stray byte in a comment", replacedAll(utf8, "by Ollum", "by Oll\xFFum"), 3, memo, ignore, {}, 1},
        {"UTF-8 memo with characters CP932 lacks", replacedAll(*cp932ToUtf8(file("@")), "@", lossyMemo), 3,
         cp932("caf? ? ?\n狩場"), ignore, {}, 1},
        // Lists as Lua reads them.
        {"IGNORE_MOB one ID a line", replacedAll(base, ignoreLine, "    IGNORE_MOB = {\r\n        1002,\r\n        1031,\r\n        1113\r\n    }"),
         3, memo, three},
        {"IGNORE_MOB two IDs a line", replacedAll(base, ignoreLine, "    IGNORE_MOB = {1002, 1031,\r\n        1113, 1039}"),
         3, memo, four},
        {"blanks, tabs, semicolons and comments",
         replacedAll(replacedAll(base, ignoreLine, cp932("    IGNORE_MOB = {\t1002 ; 1031, -- ポリン\r\n\t1113;\r\n} -- 無視する敵")),
                     friendsLine, cp932("    FRIENDS = { --[[ 仲間 ]] 123,\r\n        456, }")),
         3, memo, three, {"123", "456"}},
    };
}

}  // namespace vellconf::test
