#include "app/app_state.h"

namespace vellconf {

PageState& AppState::page(const PageTable& table) {
    return pages[static_cast<std::size_t>(&table - settingPages().data())];
}

ReadStatus AppState::readMonsters() {
    auto mobData = readMobData(mobDataFile());
    monsters = std::move(mobData.value);
    return mobData.status;
}

ReadStatus AppState::readFriends() {
    auto file = readFriendIni(friendFile());
    friends = std::move(file.value);
    keepFriendFile = existsButUnreadable(file.status);
    return file.status;
}

WriteResult AppState::writeFriends() const {
    if (keepFriendFile) return WriteResult::OpenFailed;
    return writeFileSafely(friendFile(), writeFriendIni(friends));
}

void AppState::readPages(ReadOccasion occasion) {
    for (PageState& each : pages) each.read(settings, occasion);
}

void AppState::takeLoaded(LoadedConfig loaded) {
    settings = loaded.settings;
    memo = std::move(loaded.memo);
    ignored = std::move(loaded.ignoreRows);
    coFight = std::move(loaded.coFightRows);
    readPages(ReadOccasion::Load);
}

ConfigContent AppState::content() const { return {settings, memo, idsOf(ignored), idsOf(coFight)}; }

}  // namespace vellconf
