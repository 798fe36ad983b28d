#include "config/config_io.h"

#include <algorithm>

#include "config/cp932.h"
#include "config/file_io.h"
#include "config/lua_array.h"
#include "config/text_lines.h"
#include "config/tool_paths.h"
#include "config/messages.h"

namespace vellconf {

namespace {

// The memo's lines as the loader will split them.
std::optional<std::string> markerLineIn(std::string_view memo) {
    std::optional<std::string> found;
    forEachLine(memo, [&](const TextLine& line) {
        if (line.text == memoStartMarker() || line.text == memoEndMarker()) found = std::string(line.text);
        return !found;
    });
    return found;
}

std::optional<std::string> firstNonLuaItem(std::span<const std::string> items) {
    const auto bad = std::find_if_not(items.begin(), items.end(), [](const std::string& item) { return isArrayItem(item); });
    return bad == items.end() ? std::nullopt : std::optional<std::string>(*bad);
}

// The folder of a file as the user knows it: CP932, a folder inside the Wine
// prefix in its Windows form, characters CP932 lacks as "?".
std::string folderText(const std::filesystem::path& file) {
    std::error_code ec;
    const std::filesystem::path folder = std::filesystem::absolute(file, ec).parent_path();
    if (auto text = toCp932Path(folder)) return std::move(*text);
    const auto utf8 = folder.u8string();
    return utf8ToCp932Lossy(std::string(reinterpret_cast<const char*>(utf8.data()), utf8.size())).value_or("");
}

std::string listTooLong(std::string_view message, std::string_view list) {
    return messages::withArgs(message, {list, std::to_string(kMaxListItems)});
}

}  // namespace

std::optional<SaveOutcome> refusalOf(const ConfigContent& content) {
    // Lua compares bytes: "]]" ends the block comment even where its first "]"
    // is the second byte of a double-byte character.
    if (content.memo.find("]]") != std::string::npos) return SaveOutcome{SaveResult::MemoHoldsCommentEnd, "]]"};
    if (auto line = markerLineIn(content.memo)) return SaveOutcome{SaveResult::MemoHoldsMarker, std::move(*line)};
    if (auto item = firstNonLuaItem(content.ignoreMob)) return SaveOutcome{SaveResult::IgnoreItemNotLua, std::move(*item)};
    if (auto item = firstNonLuaItem(content.friends)) return SaveOutcome{SaveResult::FriendItemNotLua, std::move(*item)};
    if (content.ignoreMob.size() > kMaxListItems) return SaveOutcome{SaveResult::IgnoreListTooLong, {}};
    if (content.friends.size() > kMaxListItems) return SaveOutcome{SaveResult::FriendListTooLong, {}};
    return std::nullopt;
}

SaveOutcome saveConfig(const std::filesystem::path& target, const ConfigContent& content, History* history) {
    if (auto refusal = refusalOf(content)) return std::move(*refusal);
    switch (writeFileSafely(target, writeConfigLua(content), history)) {
        case WriteResult::Ok: return {SaveResult::Saved, {}};
        case WriteResult::OpenFailed: return {SaveResult::OpenFailed, {}};
        case WriteResult::AccessDenied: return {SaveResult::AccessDenied, folderText(target)};
        case WriteResult::WriteFailed: break;
    }
    return {SaveResult::WriteFailed, {}};
}

std::string saveMessage(const SaveOutcome& outcome) {
    const std::string subject = cp932ToUtf8Lossy(outcome.subject);
    switch (outcome.result) {
        case SaveResult::Saved: break;
        case SaveResult::MemoHoldsCommentEnd: return std::string(messages::kMemoHoldsCommentEnd);
        case SaveResult::MemoHoldsMarker: return messages::withArgs(messages::kMemoHoldsMarker, {subject});
        case SaveResult::IgnoreItemNotLua:
            return messages::withArgs(messages::kListItemNotLua, {messages::kIgnoreListName, subject});
        case SaveResult::FriendItemNotLua:
            return messages::withArgs(messages::kListItemNotLua, {messages::kCoFightListName, subject});
        case SaveResult::IgnoreListTooLong:
            return listTooLong(messages::kListTooLongToSave, messages::kIgnoreListName);
        case SaveResult::FriendListTooLong:
            return listTooLong(messages::kListTooLongToSave, messages::kCoFightListName);
        case SaveResult::OpenFailed: return std::string(messages::kSaveOpenFailed);
        case SaveResult::AccessDenied:
            return std::string(messages::kSaveOpenFailed) + "\n" + messages::withArgs(messages::kAccessDenied, {subject});
        case SaveResult::WriteFailed: return std::string(messages::kSaveWriteFailed);
    }
    return {};
}

LoadOutcome loadConfigFile(const std::filesystem::path& source, LoadKind kind, const AiSettings& current) {
    const FileRead file = readFile(source, kMaxTextFileBytes);
    if (!file) return failedLoad(LoadFailure::Unreadable);
    return loadConfig(file.bytes, kind, current);
}

std::string loadMessage(const LoadOutcome& outcome) {
    switch (outcome.failure) {
        case LoadFailure::None: break;
        case LoadFailure::Unreadable:
        case LoadFailure::NoSettings: return std::string(messages::kLoadOpenFailed);
        case LoadFailure::ListTooLong:
            return listTooLong(messages::kListTooLongToLoad,
                               outcome.listKey == "FRIENDS" ? messages::kCoFightListName : messages::kIgnoreListName);
    }
    if (outcome.lossyLines.empty()) return {};
    std::string lines;
    for (const LossyLine& line : outcome.lossyLines) {
        const std::string number = std::to_string(line.number);
        lines += messages::withArgs(messages::kLossyLine, {number, cp932ToUtf8Lossy(line.text)}) + "\n";
    }
    if (const std::size_t more = outcome.lossyLineCount - outcome.lossyLines.size(); more > 0)
        lines += messages::withArgs(messages::kMoreLossyLines, {std::to_string(more)}) + "\n";
    return messages::withArgs(messages::kLoadLostCharacters, {lines});
}


}  // namespace vellconf
