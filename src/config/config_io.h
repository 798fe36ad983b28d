#pragma once
// Saving and loading Config.lua files.

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "config/config_loader.h"
#include "config/config_writer.h"
#include "config/file_io.h"

namespace vellconf {

enum class SaveResult {
    Saved,
    // Refused before anything is written, as the file would not read back:
    MemoHoldsCommentEnd,  // "]]" in the memo would end the Lua comment around it
    MemoHoldsMarker,      // a memo line equal to a marker would split the memo
    IgnoreItemNotLua,     // an IGNORE_MOB item Lua cannot read back as one item
    FriendItemNotLua,     // likewise in FRIENDS
    IgnoreListTooLong,    // more items than a load takes (kMaxListItems)
    FriendListTooLong,
    OpenFailed,
    AccessDenied,  // the system forbids writing there (the game's folder under "Program Files")
    WriteFailed,
};

struct SaveOutcome {
    SaveResult result = SaveResult::Saved;
    std::string subject;  // CP932: the memo line or list item a refusal names, the folder access was denied to

    bool operator==(SaveResult other) const { return result == other; }
};

// Why the content cannot be saved; nothing when it can.
std::optional<SaveOutcome> refusalOf(const ConfigContent& content);

// Writes the whole file in one go; on any failure the old file keeps its bytes.
// With a history, the bytes it replaces are kept there first.
SaveOutcome saveConfig(const std::filesystem::path& target, const ConfigContent& content, History* history = nullptr);

// What to tell the user (UTF-8); empty for a save that worked.
std::string saveMessage(const SaveOutcome& outcome);

// Reads the file first: when it cannot be read (or is larger than any real
// Config.lua), or the load fails, the caller keeps every setting, list and
// the memo as they were.
LoadOutcome loadConfigFile(const std::filesystem::path& source, LoadKind kind, const AiSettings& current);

// What to tell the user (UTF-8): why a load failed; after one that worked,
// which lines lost characters; otherwise nothing.
std::string loadMessage(const LoadOutcome& outcome);

}  // namespace vellconf
