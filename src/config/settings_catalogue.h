#pragma once
// The settings catalogue as data: one SettingSpec per scalar key, in record
// order, expanded from settings_table.h.

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "config/ai_settings.h"

namespace vellconf {

inline constexpr std::int32_t YES = 1;
inline constexpr std::int32_t NO = 0;

enum class SettingKind {
    Flag,           // YES/NO; a load takes exactly "YES" as 1, anything else as 0
    RotationFlag,   // YES/NO; a load takes exactly "NO" as 0, anything else as 1
    Number,         // "%d"
    Priority,       // written "1" for exactly 1, else "2"
    RotationState,  // written "2", "1" or "0"
};

// The value a key starts with, and the values the two load commands put in
// when a file lacks the key.
struct StartAndFallbacks {
    std::int32_t startup;
    std::int32_t aiLoad;
    std::int32_t specifiedLoad;

    constexpr StartAndFallbacks(std::int32_t v) : startup(v), aiLoad(v), specifiedLoad(v) {}
    constexpr StartAndFallbacks(std::int32_t s, std::int32_t ai, std::int32_t specified)
        : startup(s), aiLoad(ai), specifiedLoad(specified) {}
};

// Limits of a numeric field: focus loss clamps typed text to lower..upper, its
// spin steps within spinLow..spinHigh.
struct FieldBounds {
    std::int32_t lower;
    std::int32_t upper;
    std::int32_t spinLow;
    std::int32_t spinHigh;
};

struct SettingSpec {
    std::string_view key;
    std::int32_t AiSettings::*member;
    SettingKind kind;
    StartAndFallbacks values;
    int equalsColumn;
    std::optional<FieldBounds> bounds;
};

namespace catalogue_detail {
constexpr StartAndFallbacks differs(std::int32_t startup, std::int32_t aiLoad, std::int32_t specifiedLoad) {
    return {startup, aiLoad, specifiedLoad};
}
constexpr std::optional<FieldBounds> field(std::int32_t lower, std::int32_t upper) {
    return FieldBounds{lower, upper, lower, upper};
}
constexpr std::optional<FieldBounds> field(std::int32_t lower, std::int32_t upper, std::int32_t spinLow,
                                           std::int32_t spinHigh) {
    return FieldBounds{lower, upper, spinLow, spinHigh};
}
inline constexpr std::optional<FieldBounds> noField = std::nullopt;
using enum SettingKind;

inline constexpr SettingSpec kSettings[] = {
#define VC_SETTING(key, kind, values, column, bounds) \
    {#key, &AiSettings::key, kind, StartAndFallbacks(values), column, bounds},
#include "config/settings_table.h"
#undef VC_SETTING
};
}  // namespace catalogue_detail

inline constexpr std::size_t kSettingCount = std::size(catalogue_detail::kSettings);
static_assert(kSettingCount == 232);
static_assert(sizeof(AiSettings) == kSettingCount * sizeof(std::int32_t));

// All settings in record order.
constexpr const auto& settingsCatalogue() { return catalogue_detail::kSettings; }

// The catalogue entry of a key, found by its exact name; nullptr for an unknown key.
const SettingSpec* findSetting(std::string_view key);

// The record as start-up fills it.
AiSettings startupSettings();

enum class LoadKind { Ai, Specified };
std::int32_t fallbackOf(const SettingSpec& spec, LoadKind load);

}  // namespace vellconf
