#pragma once
// Writes the whole Config.lua: fixed comment lines, the memo inside the Lua
// block comment under "[CONFIG]", one line per setting and the two ID arrays.

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "config/ai_settings.h"

namespace vellconf {

// Everything a save writes. Texts are CP932; the memo has LF line ends.
struct ConfigContent {
    AiSettings settings;
    std::string memo;
    std::vector<std::string> ignoreMob;  // monster IDs, top to bottom as the ignore list shows them
    std::vector<std::string> friends;    // character IDs of the co-fight list
};

// The file's bytes: CP932, every line ending in CR LF (a CR already in the memo
// stays in front of the CR LF its LF becomes).
std::string writeConfigLua(const AiSettings& settings, std::string_view memo,
                           std::span<const std::string> ignoreMob, std::span<const std::string> friends);

inline std::string writeConfigLua(const ConfigContent& content) {
    return writeConfigLua(content.settings, content.memo, content.ignoreMob, content.friends);
}

// Whether the writer can put `item` into IGNORE_MOB or FRIENDS: Lua must read
// it back as exactly one item of the table. A decimal integer (an optional
// "-", then digits) or a Lua name (a letter or "_", then letters, digits and
// "_", not a reserved word).
bool isArrayItem(std::string_view item);

// The text of a setting's value as the file shows it ("YES", "NO", "%d", ...).
std::string formatSettingValue(const AiSettings& settings, std::string_view key);

// Lines of the memo block: the markers the loader looks for, as whole lines.
const std::string& memoStartMarker();
const std::string& memoEndMarker();

}  // namespace vellconf
