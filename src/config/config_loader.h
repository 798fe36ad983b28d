#pragma once
// Reading a Config.lua back: every setting through the profile lookup, the two
// ID arrays against the monster and friend lists, the memo from between its
// markers.

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/ai_settings.h"
#include "config/settings_catalogue.h"
#include "lists/friend_list.h"
#include "lists/monster_table.h"

namespace vellconf {

struct LoadedConfig {
    AiSettings settings;
    std::vector<MonsterRecord> ignoreRows;  // IDs as read; other cells from the monster list
    std::vector<FriendRecord> coFightRows;  // IDs as read; names from the friend list or "名前不明"
    std::string memo;                       // as the record holds it: LF line ends, no final line end
};

// Everything a load produces from the file's bytes. `current` supplies what a
// load leaves alone: FlagRotateInfinity when the file turns rotation off.
// `monsters` is searched in its current order for each IGNORE_MOB ID.
LoadedConfig loadConfig(std::string_view fileBytes, LoadKind kind, const AiSettings& current,
                        std::span<const MonsterRecord> monsters, std::span<const FriendRecord> friends);

// A file as the loader reads it: CP932 as it stands, or, when a modern editor
// saved it as UTF-8 (a byte-order mark, or valid UTF-8 with at least one
// multi-byte character), converted from UTF-8, characters CP932 lacks
// becoming "?".
std::string asCp932(std::string_view fileBytes);

// The memo block as the loader finds it.
struct MemoBlock {
    std::string text;       // the gathered lines, each with its LF
    std::size_t begin = 0;  // the bytes the settings lookup must not see: the block,
    std::size_t end = 0;    // markers included; empty when no end of it was found
};
MemoBlock findMemo(std::string_view fileBytes);

// The rows a load puts into the ignore list and the co-fight list for the IDs
// of IGNORE_MOB and FRIENDS: each ID as read, the rest from the first row of
// the source list with that ID (letters compared without regard to case).
std::vector<MonsterRecord> ignoreRowsFor(std::span<const std::string> ids, std::span<const MonsterRecord> monsters);
std::vector<FriendRecord> coFightRowsFor(std::span<const std::string> ids, std::span<const FriendRecord> friends);

// The name a co-fight row shows when its ID is not in the friend list (CP932).
const std::string& unknownFriendName();

}  // namespace vellconf
