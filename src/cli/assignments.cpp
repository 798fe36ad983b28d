#include "cli/assignments.h"

#include <algorithm>

#include "config/decimal.h"
#include "pages/page_state.h"

namespace vellconf {

namespace {

std::optional<bool> yesOrNo(std::string_view value) {
    if (value == "YES") return true;
    if (value == "NO") return false;
    return std::nullopt;
}

// The radio button the user names: by the number it writes, or YES/NO for a flag.
std::optional<std::size_t> radioButton(const ControlSpec& control, std::string_view value) {
    std::int32_t wanted;
    if (const auto flag = yesOrNo(value); flag && control.setting->kind == SettingKind::Flag) {
        wanted = *flag ? 1 : 0;
    } else {
        if (value.empty() || formatInt(leadingInt(value)) != value) return std::nullopt;
        wanted = leadingInt(value);
    }
    const auto& buttons = control.radio.buttons;
    const auto found = std::ranges::find_if(buttons, [&](const RadioButtonSpec& b) { return b.value == wanted; });
    if (found == buttons.end()) return std::nullopt;
    return static_cast<std::size_t>(found - buttons.begin());
}

// The rotation-kind button that an assignment to one of its two keys stands for.
int rotationButton(std::string_view key, bool yes, const AiSettings& settings) {
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
    const PageTable* table = findPageForKey(key);
    if (!table) return "unknown setting '" + std::string(key) + "'";
    // The page as a load leaves it, so that each change goes through its control's rule.
    PageState page(*table);
    page.read(settings, ReadOccasion::Load);
    const std::size_t i = *page.boundFor(key);
    const ControlSpec& control = *page.bound()[i].spec;
    // Its field is disabled then: the window cannot change it either.
    if (isRotationDependent(control) && !rotationControlsEnabled(settings.FlagRotateFunction))
        return "setting " + std::string(key) + " cannot be changed while rotation is off (FlagRotateFunction=NO)";
    const auto refuse = [&](std::string_view takes) {
        return "setting " + std::string(key) + " takes " + std::string(takes) + ", not '" + std::string(value) + "'";
    };
    switch (control.kind) {
        case ControlKind::NumericField:
            page.commitField(i, value, settings);
            return std::nullopt;
        case ControlKind::CheckBox: {
            const auto flag = yesOrNo(value);
            if (!flag) return refuse("YES or NO");
            page.setCheck(i, *flag, settings);
            return std::nullopt;
        }
        case ControlKind::RadioGroup: {
            const auto button = radioButton(control, value);
            if (!button) return refuse("one of the values of its buttons");
            page.selectButton(i, *button, settings);
            return std::nullopt;
        }
        case ControlKind::RotationKind: {
            const auto flag = yesOrNo(value);
            if (!flag) return refuse("YES or NO");
            page.selectButton(i, static_cast<std::size_t>(rotationButton(key, *flag, settings)), settings);
            return std::nullopt;
        }
        case ControlKind::Label: break;
    }
    return "setting '" + std::string(key) + "' cannot be changed";
}

}  // namespace vellconf
