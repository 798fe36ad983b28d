#include "config/config_io.h"

#include "config/file_io.h"
#include "res/messages.h"

namespace vellconf {

SaveResult saveConfig(const std::filesystem::path& target, const ConfigContent& content) {
    // Lua compares bytes: "]]" ends the block comment even where its first "]"
    // is the second byte of a double-byte character.
    if (content.memo.find("]]") != std::string::npos) return SaveResult::MemoHoldsCommentEnd;
    switch (writeFileAtomically(target, writeConfigLua(content))) {
        case WriteResult::Ok: return SaveResult::Saved;
        case WriteResult::OpenFailed: return SaveResult::OpenFailed;
        case WriteResult::WriteFailed: break;
    }
    return SaveResult::WriteFailed;
}

std::string_view saveMessage(SaveResult result) {
    switch (result) {
        case SaveResult::Saved: break;
        case SaveResult::MemoHoldsCommentEnd: return messages::kMemoHoldsCommentEnd;
        case SaveResult::OpenFailed: return messages::kSaveOpenFailed;
        case SaveResult::WriteFailed: return messages::kSaveWriteFailed;
    }
    return {};
}

std::optional<LoadedConfig> loadConfigFile(const std::filesystem::path& source, LoadKind kind,
                                           const AiSettings& current, std::span<const MonsterRecord> monsters,
                                           std::span<const FriendRecord> friends) {
    const auto bytes = readFile(source);
    if (!bytes) return std::nullopt;
    return loadConfig(*bytes, kind, current, monsters, friends);
}

std::vector<std::string> idsOf(std::span<const MonsterRecord> rows) {
    std::vector<std::string> ids;
    ids.reserve(rows.size());
    for (const auto& row : rows) ids.push_back(row.id());
    return ids;
}

std::vector<std::string> idsOf(std::span<const FriendRecord> rows) {
    std::vector<std::string> ids;
    ids.reserve(rows.size());
    for (const auto& row : rows) ids.push_back(row.id);
    return ids;
}

}  // namespace vellconf
