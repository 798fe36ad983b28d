#pragma once
// AiSettings: the current value of every scalar setting, one signed 32-bit
// field per Config.lua key, named as the key. Flags hold 1 (YES) or 0 (NO).

#include <cstdint>

namespace vellconf {

struct AiSettings {
#define VC_SETTING(key, kind, values, column, bounds) std::int32_t key = 0;
#include "config/settings_table.h"
#undef VC_SETTING

    bool operator==(const AiSettings&) const = default;
};

}  // namespace vellconf
