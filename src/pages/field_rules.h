#pragma once
// The two rules every numeric field of the setting pages follows: the clamp
// applied when the field loses the focus, and the step of its spin.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "config/settings_catalogue.h"

namespace vellconf {

// The text a field shows after it loses the focus. The value is read by the
// leading-integer rule; above `upper` the text becomes `upper`, below `lower`
// it becomes `lower`, and otherwise the text is left exactly as typed ("007",
// "3a" and " +4" stay, and so does an empty text when 0 is allowed).
std::string clampFieldText(std::string_view text, std::int32_t lower, std::int32_t upper);

// What a focus loss leaves behind: the text the field now shows and the value
// the settings record receives (the leading integer of that text).
struct FieldCommit {
    std::string text;
    std::int32_t value;
};
FieldCommit commitField(std::string_view text, const FieldBounds& bounds);

enum class SpinArrow { Up, Down };

// The text a spin arrow puts into its field, or nullopt when the arrow changes
// nothing. The spin takes the field's leading integer as its position, pulled
// into spinLow..spinHigh first (a period typed as 50000 starts from 30000), and
// moves it by one.
//
// Up counts down towards spinLow and Down counts up towards spinHigh. Every spin
// of the tool has always run this way round (its range is set from high to low)
// and its users are used to it, so all spins keep it rather than "fix" some.
//
// At the end of the range the arrow does nothing, unless the field's text is
// not already that end written plainly (out of range, "007", letters): then the
// snap to the end is the change. The result is plain digits, never grouped.
// A step is not committed: the field's focus-loss rule still applies later.
std::optional<std::string> spinStep(std::string_view fieldText, const FieldBounds& bounds, SpinArrow arrow);

}  // namespace vellconf
