#include "config/settings_catalogue.h"


namespace vellconf {

const SettingSpec* findSetting(std::string_view key) {
    for (const auto& spec : settingsCatalogue())
        if (spec.key == key) return &spec;
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
