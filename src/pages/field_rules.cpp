#include "pages/field_rules.h"

#include <algorithm>

#include "config/decimal.h"

namespace vellconf {

std::string clampFieldText(std::string_view text, std::int32_t lower, std::int32_t upper) {
    // The upper bound is tested first; with lower <= upper the order is moot,
    // but it keeps the result defined for any pair.
    const std::int32_t value = leadingInt(text);
    if (value > upper) return formatInt(upper);
    if (value < lower) return formatInt(lower);
    return std::string(text);
}

FieldCommit commitField(std::string_view text, const FieldBounds& bounds) {
    FieldCommit commit{clampFieldText(text, bounds.lower, bounds.upper), 0};
    commit.value = leadingInt(commit.text);
    return commit;
}

std::optional<std::string> spinStep(std::string_view fieldText, const FieldBounds& bounds, SpinArrow arrow) {
    const std::int32_t position = std::clamp(leadingInt(fieldText), bounds.spinLow, bounds.spinHigh);
    std::int32_t target = position;
    if (arrow == SpinArrow::Up && position > bounds.spinLow) target = position - 1;
    if (arrow == SpinArrow::Down && position < bounds.spinHigh) target = position + 1;
    std::string text = formatInt(target);
    if (text == fieldText) return std::nullopt;
    return text;
}

}  // namespace vellconf
