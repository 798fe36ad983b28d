#include "pages/page_state.h"

#include <algorithm>

#include "config/decimal.h"
#include "pages/field_rules.h"

namespace vellconf {

namespace {

std::int32_t& setting(AiSettings& settings, const ControlSpec& control) { return settings.*control.setting->member; }

}  // namespace

PageState::PageState(const PageTable& table) : table_(&table) {
    for (const ControlSpec* control : controlsOf(table)) {
        if (control->kind == ControlKind::Label) continue;
        bound_.push_back({control, 0, {}});
        followsRotation_ |= control->kind == ControlKind::RotationKind;
    }
}

std::optional<std::size_t> PageState::boundFor(std::string_view key) const {
    const auto found = std::ranges::find_if(bound_, [key](const Bound& b) {
        return b.spec->key == key || (!b.spec->secondKey.empty() && b.spec->secondKey == key);
    });
    if (found == bound_.end()) return std::nullopt;
    return static_cast<std::size_t>(found - bound_.begin());
}

void PageState::read(const AiSettings& settings, ReadOccasion occasion) {
    for (Bound& b : bound_) {
        const ControlSpec& spec = *b.spec;
        const std::int32_t value = settings.*spec.setting->member;
        switch (spec.kind) {
            case ControlKind::CheckBox:
                b.index = value == 1 ? 1 : 0;
                break;
            case ControlKind::RadioGroup:
                b.index = occasion == ReadOccasion::Load ? radioIndexOnLoad(spec.radio, value)
                                                         : radioIndexOnInit(spec.radio, value);
                break;
            case ControlKind::RotationKind:
                b.index = rotationKindIndex(value, settings.*findSetting(spec.secondKey)->member);
                break;
            case ControlKind::NumericField:
                b.text = formatInt(value);
                break;
            case ControlKind::Label:
                break;
        }
    }
}

void PageState::setCheck(std::size_t i, bool checked, AiSettings& settings) {
    bound_[i].index = checked ? 1 : 0;
    setting(settings, *bound_[i].spec) = bound_[i].index;
}

// The value written is the button's own, whatever index the group held before.
void PageState::selectButton(std::size_t i, std::size_t button, AiSettings& settings) {
    Bound& b = bound_[i];
    b.index = static_cast<int>(button);
    const std::int32_t value = b.spec->radio.buttons[button].value;
    if (b.spec->kind == ControlKind::RotationKind)
        applyRotationKind(settings, value);
    else
        setting(settings, *b.spec) = value;
}

// The only way typed text reaches the settings: clamped to the field's bounds.
void PageState::commitField(std::size_t i, std::string_view typed, AiSettings& settings) {
    Bound& b = bound_[i];
    FieldCommit commit = vellconf::commitField(typed, b.spec->bounds());
    b.text = std::move(commit.text);
    setting(settings, *b.spec) = commit.value;
}

bool PageState::rotationDependentsEnabled(const AiSettings& settings) const {
    return !followsRotation_ || rotationControlsEnabled(settings.FlagRotateFunction);
}

std::vector<PageState> pageStates(const AiSettings& settings, ReadOccasion occasion) {
    std::vector<PageState> states(settingPages().begin(), settingPages().end());
    for (PageState& state : states) state.read(settings, occasion);
    return states;
}

}  // namespace vellconf
