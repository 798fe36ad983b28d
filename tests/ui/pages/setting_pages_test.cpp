// The twelve setting pages under a virtual display: what only the window adds to the page rules (tested in the core)
// — each kind of control passes its change on and shows the result, and rotation enables its controls.

#include "ui/pages/setting_pages.h"

#include <gtest/gtest.h>

#include <functional>

#include "ui/gui_test_support.h"
#include "ui/pages/spin_arrows.h"
#include "ui/wx_text.h"

namespace vellconf {
namespace {

// The setting pages of a main window.
class SettingPages : public test::MainWindow {
public:  // for the table's actions
    // The page that holds the key's control (a radio button's first is KEY#0), showing the key at `before`.
    void openFor(std::string_view key, std::int32_t before) {
        shown = nullptr;
        for (int tab = 0; tab < CMainDlg::kTabCount && !shown; ++tab)
            if (test::findNamed(page(tab), std::string(key) + "#0") || test::findNamed(dialog->page(tab), std::string(key)))
                shown = dialog->page(tab);
        value(key) = before;
        state.readPages(ReadOccasion::Init);
        shown->showState();
        test::yieldToWindow();
    }

    std::int32_t& value(std::string_view key) { return state.settings.*findSetting(key)->member; }
    template <class Control>
    Control* named(const std::string& name) {
        auto* control = test::findNamed<Control>(shown, name);
        EXPECT_NE(control, nullptr) << name;
        return control;
    }
    wxTextCtrl* field(std::string_view key) { return named<wxTextCtrl>(std::string(key)); }
    std::string text(std::string_view key) { return std::string(field(key)->GetValue().utf8_str()); }
    void clickButton(std::string_view key, std::string_view label) {
        const auto& buttons = findControlForKey(key)->radio.buttons;
        for (std::size_t i = 0; i < buttons.size(); ++i)
            if (buttons[i].label == label) test::click(named<wxRadioButton>(std::string(key) + "#" + std::to_string(i)));
    }
    // A click on the upper (up) or lower (down) half of a spin, or the arrow key in its field.
    void step(std::string_view key, SpinArrow arrow, bool byKey) {
        if (byKey) {
            field(key)->SetFocus();
            wxKeyEvent event(wxEVT_KEY_DOWN);
            event.m_keyCode = arrow == SpinArrow::Up ? WXK_UP : WXK_DOWN;
            field(key)->ProcessWindowEvent(event);
        } else {
            auto* spin = named<CSpinArrows>(std::string(key) + "#spin");
            for (const wxEventType type : {wxEVT_LEFT_DOWN, wxEVT_LEFT_UP}) {
                wxMouseEvent event(type);
                event.SetPosition({spin->GetClientSize().x / 2, spin->GetClientSize().y * (arrow == SpinArrow::Up ? 1 : 3) / 4});
                spin->ProcessWindowEvent(event);
            }
        }
        test::yieldToWindow();
    }

    CPage* shown = nullptr;
};

// Each kind of control, driven as the user drives it: what it then shows and what reaches the record. A spin or an
// arrow key changes only the text (and hands the focus to the field); leaving the field commits it.
TEST_F(SettingPages, EachKindOfControlPassesItsChangeOnAndShowsTheResult) {
    using Action = std::function<void(SettingPages&)>;
    const struct {
        const char* what;
        std::string_view key;
        std::int32_t before;
        Action act;
        const char* shown;  // the field's text afterwards; nullptr for other controls
        std::int32_t stored;
    } cases[] = {
        {"a check box shows only exactly 1 as checked", "FlagLongRangeSkill", 2,
         [](SettingPages& t) { test::click(t.named<wxCheckBox>("FlagLongRangeSkill")); }, nullptr, 1},
        {"a radio button writes its own value", "FlagRotateState", 5,
         [](SettingPages& t) { t.clickButton("FlagRotateState", "両状態"); }, nullptr, 2},
        {"leaving a field clamps and stores", "DistanceAttackArea", 3,
         [](SettingPages& t) { test::typeAndLeave(t.field("DistanceAttackArea"), "15"); }, "14", 14},
        {"the up arrow of a spin counts down, uncommitted", "DistanceNotReturn", 9,
         [](SettingPages& t) { t.step("DistanceNotReturn", SpinArrow::Up, false); }, "8", 9},
        {"the down key counts up to the spin's end", "AttackDelay", 999,
         [](SettingPages& t) { t.step("AttackDelay", SpinArrow::Down, true); }, "1000", 999},
        {"a command of the window commits the field that has the focus", "AttackDelay", 999,
         [](SettingPages& t) {
             t.field("AttackDelay")->SetFocus();
             t.field("AttackDelay")->ChangeValue("-5");
             t.shown->commitEdits();
         },
         "0", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        openFor(c.key, c.before);
        if (auto* box = test::findNamed<wxCheckBox>(shown, std::string(c.key))) {
            EXPECT_FALSE(box->GetValue());
        }
        c.act(*this);
        if (c.shown) {
            EXPECT_EQ(text(c.key), c.shown);
            EXPECT_EQ(wxWindow::FindFocus(), field(c.key));
        }
        EXPECT_EQ(value(c.key), c.stored);
    }
}

TEST_F(SettingPages, RotationEnablesItsThirteenControlsOnlyWhileRotatingAndALoadShowsValuesUnclamped) {
    openFor("FlagRotateFunction", 0);
    const auto enabledDependents = [&] {
        int enabled = 0;
        for (const wxWindow* child : shown->GetChildren()) {
            const std::string name(child->GetName().utf8_str());
            const ControlSpec* control = findControlForKey(name.substr(0, name.find('#')));
            const bool dependent = control && isRotationDependent(*control);
            EXPECT_TRUE(dependent || !child->IsShown() || child->IsEnabled()) << name;
            enabled += dependent && child->IsEnabled();
        }
        return enabled;
    };
    EXPECT_EQ(enabledDependents(), 0);
    for (const auto& [click, enabled] : {std::pair{"∞軌道で旋回する", 13}, {"旋回しない", 0}, {"円軌道で旋回する", 13}}) {
        clickButton("FlagRotateFunction", click);
        EXPECT_EQ(enabledDependents(), enabled) << click;
    }
    // A load that disables the focused field shows its value as loaded.
    field("RotatePeriod")->SetFocus();
    test::yieldToWindow();
    value("FlagRotateFunction") = 0;
    value("RotatePeriod") = 0;
    state.takeLoaded(ConfigContent{state.settings, {}, {}, {}});
    shown->showState();
    test::yieldToWindow();
    EXPECT_EQ(enabledDependents(), 0);
    EXPECT_EQ(text("RotatePeriod"), "0");
    EXPECT_EQ(value("RotatePeriod"), 0);
}

}  // namespace
}  // namespace vellconf
