#pragma once
// Reading a Config.lua back: every setting through the profile lookup, the two
// ID arrays against the monster and friend lists, the memo from between its
// markers.

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "config/ai_settings.h"
#include "config/settings_catalogue.h"
#include "lists/friend_list.h"
#include "lists/monster_table.h"

namespace vellconf {

// A line of the file that lost characters CP932 lacks: each became "?",
// and the next save writes the "?".
struct LossyLine {
    std::size_t number = 0;  // from 1
    std::string text;        // CP932, as loaded, cut for showing
};

struct LoadedConfig {
    AiSettings settings;
    std::vector<MonsterRecord> ignoreRows;  // IDs as read; other cells from the monster list
    std::vector<FriendRecord> coFightRows;  // IDs as read; names from the friend list or "名前不明"
    std::string memo;                       // as the record holds it: LF line ends, no final line end
};

inline constexpr std::size_t kLossyLinesTold = 10;

enum class LoadFailure {
    None,
    Unreadable,   // the file could not be read, or is larger than any real Config.lua
    NoSettings,   // not one of the settings is in it: empty, cut short, in an unknown encoding, no Config.lua
    ListTooLong,  // IGNORE_MOB or FRIENDS holds more than kMaxListItems items
};

// A load either gives everything or changes nothing.
struct LoadOutcome {
    LoadFailure failure = LoadFailure::None;
    std::string listKey;                // the list that is too long
    LoadedConfig loaded;                // when nothing failed
    std::vector<LossyLine> lossyLines;  // the first kLossyLinesTold of them
    std::size_t lossyLineCount = 0;     // all of them

    explicit operator bool() const { return failure == LoadFailure::None; }
};

inline LoadOutcome failedLoad(LoadFailure failure, std::string listKey = {}) {
    LoadOutcome outcome;
    outcome.failure = failure;
    outcome.listKey = std::move(listKey);
    return outcome;
}

// Everything a load produces from the file's bytes. `current` supplies what a
// load leaves alone: FlagRotateInfinity when the file turns rotation off.
// `monsters` is searched in its current order for each IGNORE_MOB ID.
// Files in UTF-8 or UTF-16 are read as such (see decodeText); so is a UTF-8
// file with stray bytes whose memo markers stand only in their UTF-8 form.
LoadOutcome loadConfig(std::string_view fileBytes, LoadKind kind, const AiSettings& current,
                       std::span<const MonsterRecord> monsters, std::span<const FriendRecord> friends);

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
