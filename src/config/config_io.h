#pragma once
// Saving and loading Config.lua files.

#include <filesystem>
#include <optional>
#include <span>
#include <string_view>

#include "config/config_loader.h"
#include "config/config_writer.h"

namespace vellconf {

enum class SaveResult {
    Saved,
    MemoHoldsCommentEnd,  // refused: "]]" in the memo would end the Lua comment around it
    OpenFailed,
    WriteFailed,
};

// Writes the whole file in one go; on any failure the old file keeps its bytes.
SaveResult saveConfig(const std::filesystem::path& target, const ConfigContent& content);

// What to tell the user (UTF-8); empty for a save that worked.
std::string_view saveMessage(SaveResult result);

// Reads the file first: when it cannot be read nothing comes back, and the
// caller keeps every setting, list and the memo as they were.
std::optional<LoadedConfig> loadConfigFile(const std::filesystem::path& source, LoadKind kind,
                                           const AiSettings& current, std::span<const MonsterRecord> monsters,
                                           std::span<const FriendRecord> friends);

// The IDs of the first column, top to bottom, as a save writes them.
std::vector<std::string> idsOf(std::span<const MonsterRecord> rows);
std::vector<std::string> idsOf(std::span<const FriendRecord> rows);

}  // namespace vellconf
