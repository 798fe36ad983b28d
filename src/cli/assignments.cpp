#include "cli/assignments.h"

#include <algorithm>

#include "config/decimal.h"
#include "pages/field_rules.h"
#include "pages/page_tables.h"

namespace vellconf {

namespace {

std::optional<bool> yesOrNo(std::string_view value) {
    if (value == "YES") return true;
    if (value == "NO") return false;
    return std::nullopt;
}

// A radio button's value as the user names it: the number it writes, or YES/NO
// for a flag.
std::optional<std::int32_t> radioValue(const ControlSpec& control, std::string_view value) {
    std::int32_t wanted;
    if (const auto flag = yesOrNo(value); flag && control.setting->kind == SettingKind::Flag) {
        wanted = *flag ? 1 : 0;
    } else {
        if (value.empty() || formatInt(leadingInt(value)) != value) return std::nullopt;
        wanted = leadingInt(value);
    }
    const auto& buttons = control.radio.buttons;
    const bool offered = std::ranges::any_of(buttons, [&](const RadioButtonSpec& b) { return b.value == wanted; });
    return offered ? std::optional(wanted) : std::nullopt;
}

// The rotation-kind button that an assignment to one of its two keys stands for.
std::optional<int> rotationButton(std::string_view key, bool yes, const AiSettings& settings) {
    if (key == "FlagRotateFunction") {
        if (!yes) return kRotateNone;
        return settings.FlagRotateInfinity == 1 ? kRotateInfinity : kRotateCircle;
    }
    return yes ? kRotateInfinity : kRotateCircle;
}

}  // namespace

std::optional<std::string> applyAssignment(AiSettings& settings, std::string_view assignment) {
    const auto equals = assignment.find('=');
    if (equals == std::string_view::npos) return "expected KEY=VALUE, got '" + std::string(assignment) + "'";
    const std::string_view key = assignment.substr(0, equals);
    const std::string_view value = assignment.substr(equals + 1);
    const ControlSpec* control = findControlForKey(key);
    if (!control) return "unknown setting '" + std::string(key) + "'";
    const auto refuse = [&](std::string_view takes) {
        return "setting " + std::string(key) + " takes " + std::string(takes) + ", not '" + std::string(value) + "'";
    };
    std::int32_t& field = settings.*control->setting->member;
    switch (control->kind) {
        case ControlKind::NumericField:
            field = commitField(value, control->bounds()).value;
            return std::nullopt;
        case ControlKind::CheckBox: {
            const auto flag = yesOrNo(value);
            if (!flag) return refuse("YES or NO");
            field = *flag ? 1 : 0;
            return std::nullopt;
        }
        case ControlKind::RadioGroup: {
            const auto chosen = radioValue(*control, value);
            if (!chosen) return refuse("one of the values of its buttons");
            field = *chosen;
            return std::nullopt;
        }
        case ControlKind::RotationKind: {
            const auto flag = yesOrNo(value);
            if (!flag) return refuse("YES or NO");
            applyRotationKind(settings, *rotationButton(key, *flag, settings));
            return std::nullopt;
        }
        case ControlKind::Label: break;
    }
    return "setting '" + std::string(key) + "' cannot be changed";
}

}  // namespace vellconf
