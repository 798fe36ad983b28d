// The twelve setting pages under a virtual display: what their controls show, write and enable.

#include "ui/pages/setting_pages.h"

#include <gtest/gtest.h>
#include <wx/frame.h>
#include <wx/statbox.h>

#include <string>
#include <vector>

#include "ui/pages/spin_arrows.h"
#include "ui/gui_test_support.h"
#include "ui/wx_text.h"

namespace vellconf {
namespace {

template <class Page>
CSettingPage* make(wxWindow* w, AppState& s, DialogServices& d) { return new Page(w, s, d); }

// The page classes in tab order.
CSettingPage* (*const kMakers[])(wxWindow*, AppState&, DialogServices&) = {
    make<CBasicPage>,     make<CAttack1Page>,            make<CAttack2Page>,        make<CRotatePage>,
    make<CMoonlightPage>, make<CCapricePage>,            make<CFleetMovePage>,      make<COveredSpeedPage>,
    make<CDefensePage>,   make<CChaoticBenedictionPage>, make<CEmergencyAvoidPage>, make<CTouchHealPage>};

class SettingPages : public ::testing::Test {
protected:
    void TearDown() override { if (frame) frame->Destroy(); test::yieldToWindow(); }

    // A page as the main window makes it, from the settings as they stand now.
    void open(std::string_view className) {
        if (frame) frame->Destroy();
        frame = test::pageHost("pages");
        fixture.state.readPages(ReadOccasion::Init);
        page = kMakers[findPage(className) - settingPages().data()](frame, fixture.state, fixture.services);
        EXPECT_EQ(page->table().className, className);
        page->ensureBuilt();
        page->SetSize(page->GetMinSize());
        frame->SetClientSize(page->GetMinSize());
        frame->Show();
        test::yieldToWindow();
    }
    void openFor(std::string_view key) { open(findPageForKey(key)->className); }

    std::int32_t& value(std::string_view key) { return fixture.state.settings.*findSetting(key)->member; }

    // What the main window does after a load has filled the settings.
    void showLoaded() {
        fixture.state.takeLoaded(ConfigContent{fixture.state.settings, {}, {}, {}});
        page->showState();
        test::yieldToWindow();
    }

    template <class Control>
    Control* named(const std::string& name) {
        auto* control = test::findNamed<Control>(page, name);
        EXPECT_NE(control, nullptr) << name;
        return control;
    }
    wxTextCtrl* field(std::string_view key) { return named<wxTextCtrl>(std::string(key)); }
    CSpinArrows* spin(std::string_view key) { return named<CSpinArrows>(std::string(key) + "#spin"); }
    wxRadioButton* button(std::string_view key, std::size_t i) {
        return named<wxRadioButton>(std::string(key) + "#" + std::to_string(i));
    }
    std::string text(std::string_view key) { return std::string(field(key)->GetValue().utf8_str()); }

    // The label of the selected button of a group, or "" when none is.
    std::string selectedLabel(std::string_view key) {
        const auto& buttons = findControlForKey(key)->radio.buttons;
        std::string selected;
        for (std::size_t i = 0; i < buttons.size(); ++i)
            if (button(key, i)->GetValue()) selected += buttons[i].label;
        return selected;
    }
    void clickButton(std::string_view key, std::string_view label) {
        const auto& buttons = findControlForKey(key)->radio.buttons;
        for (std::size_t i = 0; i < buttons.size(); ++i)
            if (buttons[i].label == label) test::click(button(key, i));
    }

    // Enabled windows among the 13 that follow rotation; every other control stays enabled.
    int enabledRotationDependents() {
        int enabled = 0, dependents = 0;
        for (const wxWindow* child : page->GetChildren()) {
            const std::string name(child->GetName().utf8_str());
            const ControlSpec* control = findControlForKey(name.substr(0, name.find('#')));
            const bool dependent = control && isRotationDependent(*control);
            dependents += dependent;
            enabled += dependent && child->IsEnabled();
            EXPECT_TRUE(dependent || !child->IsShown() || child->IsEnabled()) << name;
        }
        EXPECT_EQ(dependents, 13);
        return enabled;
    }

    // A click on the upper (up) or lower (down) half of a spin, or the arrow key in its field.
    void step(std::string_view key, SpinArrow arrow, bool byKey = false) {
        if (byKey) {
            field(key)->SetFocus();
            wxKeyEvent event(wxEVT_KEY_DOWN);
            event.m_keyCode = arrow == SpinArrow::Up ? WXK_UP : WXK_DOWN;
            field(key)->ProcessWindowEvent(event);
        } else {
            const wxSize size = spin(key)->GetClientSize();
            for (const wxEventType type : {wxEVT_LEFT_DOWN, wxEVT_LEFT_UP}) {
                wxMouseEvent event(type);
                event.SetPosition({size.x / 2, arrow == SpinArrow::Up ? size.y / 4 : size.y * 3 / 4});
                spin(key)->ProcessWindowEvent(event);
            }
        }
        test::yieldToWindow();
    }

    test::GuiFixtureState fixture;
    wxFrame* frame = nullptr;
    CSettingPage* page = nullptr;
};

TEST_F(SettingPages, FocusLossClampsToTheFieldsBoundsAndStores) {
    const struct { std::string_view key; const char* typed; const char* shown; std::int32_t stored; } cases[] = {
        {"Ph1ML_Probability", "250", "100", 100},
        {"Ph1ML_Probability", "５", "５", 0},  // full-width digits are no digits
        {"Ph1ML_SkillLevel", "", "1", 1},
        {"Ph1ML_SkillLevel", "3a", "3a", 3},
        {"DistanceNotReturn", "５", "1", 1},
        {"DistanceAttackArea", "15", "14", 14},
        {"RotatePeriod", "50000", "50000", 50000},  // beyond what its spin reaches
        {"AttackDelay", "1500", "1000", 1000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.key) + " <- \"" + c.typed + "\"");
        openFor(c.key);
        value(c.key) = 2;  // neither the typed nor the clamped value
        test::typeAndLeave(field(c.key), fromUtf8(c.typed));
        EXPECT_EQ(text(c.key), c.shown);
        EXPECT_EQ(value(c.key), c.stored);
    }
}

// The up arrow counts down, the down arrow up: the tool's spins always ran so.
TEST_F(SettingPages, SpinsAndArrowKeysStepInReverseAndStopAtTheSpinEnds) {
    const struct { std::string_view key; const char* start; SpinArrow arrow; const char* shown; } cases[] = {
        {"DistanceNotReturn", "9", SpinArrow::Up, "8"},     {"DistanceNotReturn", "1", SpinArrow::Up, "1"},
        {"DistanceNotReturn", "14", SpinArrow::Down, "14"}, {"AttackDelay", "999", SpinArrow::Down, "1000"},
        {"RotatePeriod", "29999", SpinArrow::Down, "30000"}, {"RotatePeriod", "30000", SpinArrow::Down, "30000"},
    };
    for (const bool byKey : {false, true})
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.key) + " at " + c.start + (byKey ? " by key" : " by spin"));
            openFor(c.key);
            field(c.key)->ChangeValue(c.start);
            step(c.key, c.arrow, byKey);
            EXPECT_EQ(text(c.key), c.shown);
            EXPECT_EQ(wxWindow::FindFocus(), field(c.key));  // a spin hands the focus to its field
        }
}

TEST_F(SettingPages, SpinStepsAndTypedTextAreStoredOnlyWhenCommitted) {
    value("AttackDelay") = 999;
    open("CAttack2Page");
    step("AttackDelay", SpinArrow::Down);
    EXPECT_EQ(text("AttackDelay"), "1000");
    EXPECT_EQ(value("AttackDelay"), 999);
    test::typeAndLeave(field("AttackDelay"), field("AttackDelay")->GetValue());
    EXPECT_EQ(value("AttackDelay"), 1000);

    // The main window commits the focused field before each of its commands.
    field("AttackDelay")->ChangeValue("-5");
    page->commitEdits();
    EXPECT_EQ(text("AttackDelay"), "0");
    EXPECT_EQ(value("AttackDelay"), 0);
}

TEST_F(SettingPages, ACheckBoxIsCheckedOnlyForExactlyOneAndAClickWritesOneOrZero) {
    for (const std::int32_t stored : {1, 0, 2, -1}) {
        value("FlagLongRangeSkill") = stored;
        open("CAttack1Page");
        EXPECT_EQ(named<wxCheckBox>("FlagLongRangeSkill")->GetValue(), stored == 1) << stored;
        test::click(named<wxCheckBox>("FlagLongRangeSkill"));
        EXPECT_EQ(value("FlagLongRangeSkill"), stored == 1 ? 0 : 1) << stored;
    }
}

TEST_F(SettingPages, RadioGroupsSelectByTheirStartAndLoadRulesAndWriteTheClickedValue) {
    // "" stands for no button selected.
    const struct { std::string_view key; int stored; const char *atStart, *afterLoad, *click; int written; } cases[] = {
        {"FlagDefaultState", 2, "臨戦状態", "", "休戦状態", 1},
        {"TypeSearchEnemyLIF", 2, "非先攻型", "非先攻型", "先攻型", 1},
        {"AutoSkillPriority", 0, "攻撃スキル優先", "攻撃スキル優先", "攻撃スキル優先", 2},
        {"FlagRotateState", 5, "休戦状態のみ", "", "両状態", 2},
        {"FlagAutoCaprice", 5, "", "", "初撃", 2},
        {"FlagAutoMoonLight", 3, "一定攻撃間隔", "一定攻撃間隔", "使用しない", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.key) + " = " + std::to_string(c.stored));
        value(c.key) = c.stored;
        openFor(c.key);
        EXPECT_EQ(selectedLabel(c.key), c.atStart);
        showLoaded();
        EXPECT_EQ(selectedLabel(c.key), c.afterLoad);
        EXPECT_EQ(value(c.key), c.stored);  // showing a value never changes it
        clickButton(c.key, c.click);
        EXPECT_EQ(value(c.key), c.written);
    }
}

TEST_F(SettingPages, RotationKindWritesBothFlagsAndEnablesThirteenControlsOnlyWhileRotating) {
    value("FlagRotateFunction") = 0;
    open("CRotatePage");
    EXPECT_EQ(enabledRotationDependents(), 0);
    const struct { const char* click; std::int32_t function, infinity; int enabled; } clicks[] = {
        {"∞軌道で旋回する", 1, 1, 13},
        {"旋回しない", 0, 1, 0},  // the infinity flag stays as it stands
        {"円軌道で旋回する", 1, 0, 13},
    };
    for (const auto& c : clicks) {
        clickButton("FlagRotateFunction", c.click);
        EXPECT_EQ(value("FlagRotateFunction"), c.function) << c.click;
        EXPECT_EQ(value("FlagRotateInfinity"), c.infinity) << c.click;
        EXPECT_EQ(enabledRotationDependents(), c.enabled) << c.click;
    }

    // A load that disables the focused field shows it unclamped; leaving it later clamps.
    field("RotatePeriod")->SetFocus();
    test::yieldToWindow();
    value("FlagRotateFunction") = 0;
    value("RotatePeriod") = 0;
    showLoaded();
    EXPECT_EQ(enabledRotationDependents(), 0);
    EXPECT_EQ(text("RotatePeriod"), "0");
    EXPECT_EQ(value("RotatePeriod"), 0);
    value("FlagRotateFunction") = 1;
    showLoaded();
    test::typeAndLeave(field("RotatePeriod"), field("RotatePeriod")->GetValue());
    EXPECT_EQ(text("RotatePeriod"), "1");
    EXPECT_EQ(value("RotatePeriod"), 1);
}

TEST_F(SettingPages, EveryControlFitsThePageAndOverlapsNoOther) {
    for (const PageTable& table : settingPages()) {
        SCOPED_TRACE(std::string(table.className));
        open(table.className);
        test::expectLayoutFits(page);
    }
}

}  // namespace
}  // namespace vellconf
