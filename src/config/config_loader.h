#pragma once
// Reading a Config.lua back: every setting through the profile lookup, the
// items of the two ID arrays, the memo from between its markers.

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "config/ai_settings.h"
#include "config/config_writer.h"
#include "config/settings_catalogue.h"

namespace vellconf {

// A line of the file that lost characters CP932 lacks: each became "?",
// and the next save writes the "?".
struct LossyLine {
    std::size_t number = 0;  // from 1
    std::string text;        // CP932, as loaded, cut for showing
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
    // When nothing failed: what a save of it writes back; the memo as the
    // record holds it (LF line ends, no final line end), the IDs as read.
    ConfigContent loaded;
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
// Files in UTF-8 or UTF-16 are read as such (see decodeText); so is a UTF-8
// file with stray bytes whose memo markers stand only in their UTF-8 form.
LoadOutcome loadConfig(std::string_view fileBytes, LoadKind kind, const AiSettings& current);

// The memo block as the loader finds it.
struct MemoBlock {
    std::string text;       // the gathered lines, each with its LF
    std::size_t begin = 0;  // the bytes the settings lookup must not see: the block,
    std::size_t end = 0;    // markers included; empty when no end of it was found
};
MemoBlock findMemo(std::string_view fileBytes);

}  // namespace vellconf
