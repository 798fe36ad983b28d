#pragma once
// KEY=VALUE assignments of `vellconf-cli set`, applied as the key's page would.

#include <optional>
#include <string>
#include <string_view>

#include "config/ai_settings.h"

namespace vellconf {

// Applies one assignment; the message (plain text) when the key is unknown or
// its page cannot take the value, in which case nothing changes.
//   numeric field:  any text, through the field's focus-loss rule ("250" -> 100)
//   check box:      YES or NO
//   radio group:    a value one of its buttons writes (flags shown as radio
//                   buttons also take YES and NO)
//   rotation kind:  FlagRotateFunction=NO|YES and FlagRotateInfinity=NO|YES act
//                   as the "旋回しない" / "円軌道" / "∞軌道" buttons
// A control the window disables while rotation is off is refused then.
std::optional<std::string> applyAssignment(AiSettings& settings, std::string_view assignment);

}  // namespace vellconf
