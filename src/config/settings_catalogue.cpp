#include "config/settings_catalogue.h"

#include <algorithm>
#include <cctype>

namespace vellconf {

const SettingSpec* findSetting(std::string_view key) {
    for (const auto& spec : settingsCatalogue())
        if (spec.key == key) return &spec;
    return nullptr;
}

const SettingSpec* findSettingIgnoringCase(std::string_view key) {
    const auto same = [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
    };
    for (const auto& spec : settingsCatalogue())
        if (std::ranges::equal(spec.key, key, same)) return &spec;
    return nullptr;
}

AiSettings startupSettings() {
    AiSettings settings;
    for (const auto& spec : settingsCatalogue()) settings.*spec.member = spec.values.startup;
    return settings;
}

std::int32_t fallbackOf(const SettingSpec& spec, LoadKind load) {
    return load == LoadKind::Ai ? spec.values.aiLoad : spec.values.specifiedLoad;
}

}  // namespace vellconf
