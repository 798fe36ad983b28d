#include "app/app_state.h"

namespace vellconf {

History& AppState::history() {
    history_.setFolder(sideFolder.empty() ? std::filesystem::path() : sideFolder / "history");
    return history_;
}

PageState& AppState::page(const PageTable& table) {
    return pages[static_cast<std::size_t>(&table - settingPages().data())];
}

ReadStatus AppState::readMonsters() {
    auto mobData = readMobData(mobDataFile());
    monsters = std::move(mobData.value);
    return mobData.status;
}

ReadStatus AppState::readFriends() {
    FileRead file = readFile(friendFile(), kMaxTextFileBytes);
    friends = parseFriendFile(file.bytes);
    keepFriendFile = existsButUnreadable(file.status);
    friendFileSeen = file ? std::optional<std::string>(std::move(file.bytes)) : std::nullopt;
    return file.status;
}

AppState::FriendsChange AppState::addFriend(std::string_view id, std::string_view name) {
    const RegisterOutcome outcome = checkNewFriend(id, name);
    if (outcome != RegisterOutcome::Registered && outcome != RegisterOutcome::NothingToAdd) return {outcome};
    FriendsChange change = rewriteFriends([&](std::vector<FriendRecord>& list) { registerFriend(list, id, name); });
    change.registered = outcome;
    return change;
}

AppState::FriendsChange AppState::deleteFriends(std::span<const std::size_t> rows) {
    std::vector<FriendRecord> removed;
    for (const std::size_t row : rows)
        if (row < friends.size()) removed.push_back(friends[row]);
    return rewriteFriends([&](std::vector<FriendRecord>& list) { removeFriends(list, removed); });
}

AppState::FriendsChange AppState::rewriteFriends(const std::function<void(std::vector<FriendRecord>&)>& change) {
    FriendsChange result;
    if (!keepFriendFile) {
        FileRead now = readFile(friendFile(), kMaxTextFileBytes);
        keepFriendFile = existsButUnreadable(now.status);
        if (now && now.bytes != friendFileSeen) {
            friends = parseFriendFile(now.bytes);
            result.reread = true;
        }
    }
    change(friends);
    if (keepFriendFile) {
        result.written = WriteResult::OpenFailed;
        return result;
    }
    std::string bytes = writeFriendIni(friends);
    result.written = writeFileSafely(friendFile(), bytes, &history());
    if (result.written == WriteResult::Ok) friendFileSeen = std::move(bytes);
    return result;
}

void AppState::readPages(ReadOccasion occasion) {
    for (PageState& each : pages) each.read(settings, occasion);
}

void AppState::takeLoaded(ConfigContent loaded) {
    settings = loaded.settings;
    memo = std::move(loaded.memo);
    ignored = ignoreRowsFor(loaded.ignoreMob, monsters);
    coFight = coFightRowsFor(loaded.friends, friends);
    readPages(ReadOccasion::Load);
}

ConfigContent AppState::content() const { return {settings, memo, idsOf(ignored), idsOf(coFight)}; }

}  // namespace vellconf
