// The twelve setting pages under a virtual display: controls made from the page
// tables, the clamp on focus loss, the reversed spins, the radio and check-box
// rules, the rotation enabling, what a load shows, and the layout.

#include "pages/setting_pages.h"

#include <gtest/gtest.h>
#include <wx/frame.h>
#include <wx/statbox.h>
#include <wx/stattext.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "pages/spin_arrows.h"
#include "ui/gui_test_support.h"
#include "ui/wx_text.h"

namespace vellconf {
namespace {

using Factory = std::function<CSettingPage*(wxWindow*, AppState&, DialogServices&)>;

template <class Page>
Factory factory() {
    return [](wxWindow* parent, AppState& state, DialogServices& services) { return new Page(parent, state, services); };
}

const std::map<std::string_view, Factory>& factories() {
    static const std::map<std::string_view, Factory> all = {
        {"CBasicPage", factory<CBasicPage>()},
        {"CAttack1Page", factory<CAttack1Page>()},
        {"CAttack2Page", factory<CAttack2Page>()},
        {"CRotatePage", factory<CRotatePage>()},
        {"CMoonlightPage", factory<CMoonlightPage>()},
        {"CCapricePage", factory<CCapricePage>()},
        {"CFleetMovePage", factory<CFleetMovePage>()},
        {"COveredSpeedPage", factory<COveredSpeedPage>()},
        {"CDefensePage", factory<CDefensePage>()},
        {"CChaoticBenedictionPage", factory<CChaoticBenedictionPage>()},
        {"CEmergencyAvoidPage", factory<CEmergencyAvoidPage>()},
        {"CTouchHealPage", factory<CTouchHealPage>()},
    };
    return all;
}

class SettingPages : public ::testing::Test {
protected:
    void TearDown() override {
        if (frame) frame->Destroy();
        test::yieldToWindow();
    }

    // A page as the main window makes it, from the settings as they stand now.
    CSettingPage* open(std::string_view className) {
        if (frame) frame->Destroy();
        frame = new wxFrame(nullptr, wxID_ANY, "pages");
        page = factories().at(className)(frame, fixture.state, fixture.services);
        page->SetSize(page->GetMinSize());
        frame->SetClientSize(page->GetMinSize());
        frame->Show();
        test::yieldToWindow();
        return page;
    }

    // The page of a key, opened.
    CSettingPage* openFor(std::string_view key) { return open(findPageForKey(key)->className); }

    std::int32_t& value(std::string_view key) { return fixture.state.settings.*findSetting(key)->member; }

    // What the main window does after a load has filled the settings.
    void showLoaded() {
        LoadedConfig loaded;
        loaded.settings = fixture.state.settings;
        page->showLoaded(loaded);
    }

    wxTextCtrl* field(std::string_view key) { return named<wxTextCtrl>(std::string(key)); }
    wxCheckBox* checkBox(std::string_view key) { return named<wxCheckBox>(std::string(key)); }
    wxRadioButton* button(std::string_view key, int index) {
        return named<wxRadioButton>(std::string(key) + "#" + std::to_string(index));
    }
    SpinArrows* spin(std::string_view key) { return named<SpinArrows>(std::string(key) + "#spin"); }

    template <class Control>
    Control* named(const std::string& name) {
        auto* control = test::findNamed<Control>(page, name);
        EXPECT_NE(control, nullptr) << name;
        return control;
    }

    // The label of the selected button of a group, or "" when none is.
    std::string selectedLabel(std::string_view key) {
        const ControlSpec* spec = findControlForKey(key);
        std::string selected;
        for (std::size_t i = 0; i < spec->radio.buttons.size(); ++i)
            if (button(key, static_cast<int>(i))->GetValue()) selected += spec->radio.buttons[i].label;
        return selected;
    }

    void clickButton(std::string_view key, std::string_view label) {
        const ControlSpec* spec = findControlForKey(key);
        for (std::size_t i = 0; i < spec->radio.buttons.size(); ++i)
            if (spec->radio.buttons[i].label == label) return test::click(button(key, static_cast<int>(i)));
        ADD_FAILURE() << "no button " << label;
    }

    test::GuiFixtureState fixture;
    wxFrame* frame = nullptr;
    CSettingPage* page = nullptr;
};

std::string text(const wxTextCtrl* field) { return std::string(field->GetValue().utf8_str()); }

// A press and release on the upper (up) or lower (down) half of a spin.
void pressSpin(SpinArrows* spin, SpinArrow arrow) {
    const wxSize size = spin->GetClientSize();
    for (const wxEventType type : {wxEVT_LEFT_DOWN, wxEVT_LEFT_UP}) {
        wxMouseEvent event(type);
        event.SetEventObject(spin);
        event.SetPosition({size.x / 2, arrow == SpinArrow::Up ? size.y / 4 : size.y * 3 / 4});
        spin->ProcessWindowEvent(event);
    }
    test::yieldToWindow();
}

void pressKey(wxTextCtrl* field, int keyCode) {
    wxKeyEvent event(wxEVT_KEY_DOWN);
    event.SetEventObject(field);
    event.m_keyCode = keyCode;
    field->ProcessWindowEvent(event);
    test::yieldToWindow();
}

// ---- Controls made from the tables ------------------------------------------------------

TEST_F(SettingPages, EveryKeyHasItsNamedControls) {
    for (const PageTable& table : settingPages()) {
        open(table.className);
        int fields = 0;
        for (const ControlSpec* control : controlsOf(table)) {
            switch (control->kind) {
                case ControlKind::CheckBox:
                    EXPECT_EQ(checkBox(control->key)->GetLabel(), fromUtf8(control->text));
                    break;
                case ControlKind::RadioGroup:
                case ControlKind::RotationKind:
                    for (std::size_t i = 0; i < control->radio.buttons.size(); ++i) {
                        wxRadioButton* b = button(control->key, static_cast<int>(i));
                        EXPECT_EQ(b->GetLabel(), fromUtf8(control->radio.buttons[i].label));
                        EXPECT_EQ(b->HasFlag(wxRB_GROUP), i == 0) << control->key;
                    }
                    break;
                case ControlKind::NumericField:
                    ++fields;
                    // Right-aligned, except the two delays of the second attack page.
                    EXPECT_EQ(field(control->key)->HasFlag(wxTE_RIGHT), control->align == FieldAlign::Right);
                    EXPECT_FALSE(field(control->key)->IsMultiLine());
                    spin(control->key);
                    break;
                default:
                    break;
            }
        }
        int spins = 0;
        for (const wxWindow* child : page->GetChildren()) spins += dynamic_cast<const SpinArrows*>(child) != nullptr;
        EXPECT_EQ(spins, fields) << table.className;
        // The skill pages: Moonlight and Caprice have probability and interval fields too.
        if (table.sections.size() == 4) {
            const bool longPage = table.className == "CMoonlightPage" || table.className == "CCapricePage";
            EXPECT_EQ(fields, longPage ? 25 : 19) << table.className;
        }
    }
}

// ---- The clamp on focus loss -------------------------------------------------------------

struct FocusLossCase {
    std::string_view key;
    const char* typed;
    const char* shown;
    std::int32_t stored;
};

TEST_F(SettingPages, FocusLossClampsToTheFieldsBoundsAndStores) {
    const FocusLossCase cases[] = {
        // A percentage field, 0 to 100.
        {"Ph1ML_Probability", "250", "100", 100},
        {"Ph1ML_Probability", "-3", "0", 0},
        {"Ph1ML_Probability", "", "", 0},
        {"Ph1ML_Probability", "５", "５", 0},  // full-width digits are no digits
        {"Ph1ML_Probability", "007", "007", 7},
        {"Ph2ML_Interval", "150", "100", 100},
        // A level field, 1 to 5: text within the bounds stays exactly as typed.
        {"Ph1ML_SkillLevel", "", "1", 1},
        {"Ph1ML_SkillLevel", "0", "1", 1},
        {"Ph1ML_SkillLevel", "abc", "1", 1},
        {"Ph1ML_SkillLevel", "9", "5", 5},
        {"Ph1ML_SkillLevel", "6", "5", 5},
        {"Ph1ML_SkillLevel", "3a", "3a", 3},
        {"Ph1ML_SkillLevel", " +4", " +4", 4},
        // Distances, 1 to 14.
        {"DistanceNotReturn", "５", "1", 1},
        {"DistanceNotReturn", "15", "14", 14},
        {"DistanceNearOwner", "15", "14", 14},
        {"DistanceAttackArea", "15", "14", 14},
        {"DistanceAttackArea", "0", "1", 1},
        {"RotateRadius", "15", "14", 14},
        // The rotation period and delay take more than their spins reach.
        {"RotatePeriod", "50000", "50000", 50000},
        {"RotatePeriod", "0", "1", 1},
        {"RotatePeriod", "130000", "120000", 120000},
        {"RotateDelay", "0", "0", 0},
        {"RotateThresholdSp", "101", "100", 100},
        {"AttackDelay", "1500", "1000", 1000},
        {"FirstAttackDelay", "40000", "30000", 30000},
        {"Ph2TH_OwnSP_C", "-1", "0", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.key) + " <- \"" + c.typed + "\"");
        openFor(c.key);
        value(c.key) = 2;  // neither the typed nor the clamped value
        test::typeAndLeave(field(c.key), fromUtf8(c.typed));
        EXPECT_EQ(text(field(c.key)), c.shown);
        EXPECT_EQ(value(c.key), c.stored);
    }
}

TEST_F(SettingPages, FieldsAreNotComparedWithEachOther) {
    open("CDefensePage");
    test::typeAndLeave(field("Ph1DEF_MyHP_F"), "80");
    test::typeAndLeave(field("Ph1DEF_MyHP_C"), "20");
    EXPECT_EQ(value("Ph1DEF_MyHP_F"), 80);
    EXPECT_EQ(value("Ph1DEF_MyHP_C"), 20);

    value("DistanceNotReturn") = 1;
    open("CRotatePage");
    test::typeAndLeave(field("RotateRadius"), "14");
    EXPECT_EQ(value("RotateRadius"), 14);
}

TEST_F(SettingPages, TypedTextReachesTheSettingsOnlyWhenCommitted) {
    open("CMoonlightPage");
    const std::int32_t before = value("Ph1ML_Probability");
    wxTextCtrl* probability = field("Ph1ML_Probability");
    probability->SetFocus();
    probability->ChangeValue("250");
    test::yieldToWindow();
    EXPECT_EQ(value("Ph1ML_Probability"), before);

    // The main window commits before its commands; a page whose field does
    // not hold the focus has nothing to commit.
    ASSERT_EQ(wxWindow::FindFocus(), probability);
    auto* other = new wxFrame(nullptr, wxID_ANY, "other page");
    CSettingPage* otherPage = factories().at("CBasicPage")(other, fixture.state, fixture.services);
    otherPage->commitEdits();
    EXPECT_EQ(value("Ph1ML_Probability"), before);
    other->Destroy();

    page->commitEdits();
    EXPECT_EQ(text(probability), "100");
    EXPECT_EQ(value("Ph1ML_Probability"), 100);
    page->commitEdits();  // the same rule again changes nothing
    EXPECT_EQ(value("Ph1ML_Probability"), 100);
}

TEST_F(SettingPages, MovingTheFocusToAnotherControlCommitsTheField) {
    open("CMoonlightPage");
    wxTextCtrl* level = field("Ph2ML_SkillLevel");
    level->SetFocus();
    level->ChangeValue("9");
    test::yieldToWindow();
    checkBox("Ph2ML_UsableFlag")->SetFocus();  // as a click on it would
    test::yieldToWindow();
    EXPECT_EQ(text(level), "5");
    EXPECT_EQ(value("Ph2ML_SkillLevel"), 5);
}

// ---- Spins -------------------------------------------------------------------------------

struct SpinCase {
    std::string_view key;
    const char* start;
    SpinArrow arrow;
    const char* shown;
};

// The up arrow counts down, the down arrow up: the tool's spins always ran so.
TEST_F(SettingPages, SpinsStepInReverseWithinTheirRange) {
    const SpinCase cases[] = {
        {"DistanceNotReturn", "9", SpinArrow::Up, "8"},
        {"DistanceNotReturn", "9", SpinArrow::Down, "10"},
        {"DistanceNotReturn", "1", SpinArrow::Up, "1"},
        {"DistanceNotReturn", "14", SpinArrow::Down, "14"},
        {"DistanceNotReturn", "20", SpinArrow::Up, "13"},  // from the end of the range
        {"AttackDelay", "999", SpinArrow::Down, "1000"},   // no thousands separator
        {"RotatePeriod", "29999", SpinArrow::Down, "30000"},
        {"RotatePeriod", "30000", SpinArrow::Down, "30000"},
        {"RotatePeriod", "50000", SpinArrow::Down, "30000"},
        {"RotateDelay", "0", SpinArrow::Up, "0"},
        {"Ph1ML_SkillLevel", "5", SpinArrow::Down, "5"},
        {"Ph1ML_SkillLevel", "5", SpinArrow::Up, "4"},
    };
    for (const bool byKey : {false, true}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.key) + " at " + c.start + (byKey ? " by key" : " by spin"));
            openFor(c.key);
            wxTextCtrl* f = field(c.key);
            f->ChangeValue(c.start);
            if (byKey) {
                f->SetFocus();
                pressKey(f, c.arrow == SpinArrow::Up ? WXK_UP : WXK_DOWN);
            } else {
                pressSpin(spin(c.key), c.arrow);
                EXPECT_EQ(wxWindow::FindFocus(), f);  // the spin hands the focus to its field
            }
            EXPECT_EQ(text(f), c.shown);
        }
    }
}

TEST_F(SettingPages, ASpinStepIsStoredWhenTheFieldLosesTheFocus) {
    open("CAttack2Page");
    wxTextCtrl* delay = field("AttackDelay");
    delay->ChangeValue("999");
    value("AttackDelay") = 999;
    pressSpin(spin("AttackDelay"), SpinArrow::Down);
    EXPECT_EQ(text(delay), "1000");
    EXPECT_EQ(value("AttackDelay"), 999);
    test::typeAndLeave(delay, delay->GetValue());
    EXPECT_EQ(value("AttackDelay"), 1000);
}

TEST_F(SettingPages, TheRotationPeriodSpinStopsAt30000) {
    open("CRotatePage");
    field("RotatePeriod")->ChangeValue("29998");
    for (int i = 0; i < 4; ++i) pressSpin(spin("RotatePeriod"), SpinArrow::Down);
    EXPECT_EQ(text(field("RotatePeriod")), "30000");
}

TEST_F(SettingPages, SpinsAreNoTallerThanTheirFieldsAndStandRightAfterThem) {
    for (const PageTable& table : settingPages()) {
        open(table.className);
        for (const ControlSpec* control : controlsOf(table)) {
            if (control->kind != ControlKind::NumericField) continue;
            const wxRect f = field(control->key)->GetRect(), s = spin(control->key)->GetRect();
            EXPECT_EQ(s.y, f.y) << control->key;
            EXPECT_EQ(s.height, f.height) << control->key;
            EXPECT_EQ(s.x, f.GetRight() + 1) << control->key;
            EXPECT_LT(s.width, f.width) << control->key;
        }
    }
}

// ---- Check boxes -----------------------------------------------------------------------

TEST_F(SettingPages, ACheckBoxIsCheckedOnlyForExactlyOne) {
    for (const std::string_view key : {"FlagLongRangeSkill", "Ph3TH_UsableFlag", "FlagAutoEmergencyAvoidC"}) {
        for (const std::int32_t stored : {1, 0, 2, -1}) {
            value(key) = stored;
            openFor(key);
            EXPECT_EQ(checkBox(key)->GetValue(), stored == 1) << key << " " << stored;
            EXPECT_EQ(value(key), stored);
        }
    }
}

TEST_F(SettingPages, EachClickOfACheckBoxWritesItsField) {
    value("FlagAutoEmergencyAvoid") = 1;
    value("FlagAutoEmergencyAvoidC") = 0;
    value("FlagAutoEmergencyAvoidF") = 2;
    open("CEmergencyAvoidPage");
    test::click(checkBox("FlagAutoEmergencyAvoidF"));
    EXPECT_EQ(value("FlagAutoEmergencyAvoidF"), 1);
    EXPECT_EQ(value("FlagAutoEmergencyAvoid"), 1);
    EXPECT_EQ(value("FlagAutoEmergencyAvoidC"), 0);
    test::click(checkBox("FlagAutoEmergencyAvoidF"));
    EXPECT_EQ(value("FlagAutoEmergencyAvoidF"), 0);

    // A cleared master switch leaves every phase field as it was, and usable.
    const AiSettings before = fixture.state.settings;
    open("CTouchHealPage");
    test::click(checkBox("FlagAutoTouchHeal"));
    EXPECT_EQ(value("FlagAutoTouchHeal"), 0);
    AiSettings expected = before;
    expected.FlagAutoTouchHeal = 0;
    EXPECT_EQ(fixture.state.settings, expected);
    EXPECT_TRUE(field("Ph1TH_SkillLevel")->IsEnabled());
}

// ---- Radio groups --------------------------------------------------------------------------

struct SelectionCase {
    std::string_view key;
    std::int32_t stored;
    const char* selected;  // the label of the button shown, "" for none
};

TEST_F(SettingPages, InitialSelectionsFollowEachGroupsMapping) {
    const SelectionCase cases[] = {
        {"FlagDefaultState", 0, "臨戦状態"},
        {"FlagDefaultState", 1, "休戦状態"},
        {"FlagDefaultState", 2, "臨戦状態"},
        {"TypeSearchEnemyLIF", 1, "先攻型"},
        {"TypeSearchEnemyLIF", 2, "非先攻型"},
        {"TypeSearchEnemyVANIL", 0, "非先攻型"},
        {"AutoSkillPriority", 1, "支援スキル優先"},
        {"AutoSkillPriority", 0, "攻撃スキル優先"},
        {"AutoSkillPriority", 2, "攻撃スキル優先"},
        {"FlagRotateState", 2, "両状態"},
        {"FlagRotateState", 5, "休戦状態のみ"},
        {"FlagAutoMoonLight", 3, "一定攻撃間隔"},
        {"FlagAutoMoonLight", -1, ""},
        {"FlagAutoCaprice", 5, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.key) + " = " + std::to_string(c.stored));
        value(c.key) = c.stored;
        openFor(c.key);
        EXPECT_EQ(selectedLabel(c.key), c.selected);
        EXPECT_EQ(value(c.key), c.stored);  // showing a value never changes it
    }
}

struct ClickCase {
    std::string_view key;
    const char* button;
    std::int32_t written;
};

TEST_F(SettingPages, ARadioButtonWritesItsOwnValue) {
    const ClickCase cases[] = {
        {"FlagDefaultState", "休戦状態", 1},
        {"FlagDefaultState", "臨戦状態", 0},
        {"TypeSearchEnemyLIF", "非先攻型", 0},
        {"TypeSearchEnemyFILIR", "先攻型", 1},
        {"AutoSkillPriority", "攻撃スキル優先", 2},
        {"AutoSkillPriority", "支援スキル優先", 1},
        {"FlagRotateState", "両状態", 2},
        {"FlagRotateState", "臨戦状態のみ", 1},
        {"FlagAutoCaprice", "初撃", 2},
        {"FlagAutoMoonLight", "使用しない", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.key) + " " + c.button);
        value(c.key) = 7;
        openFor(c.key);
        clickButton(c.key, c.button);
        EXPECT_EQ(value(c.key), c.written);
        EXPECT_EQ(selectedLabel(c.key), c.button);
    }
}

// ---- Rotation -------------------------------------------------------------------------------

class RotatePage : public SettingPages {
protected:
    CRotatePage* openRotation() { return static_cast<CRotatePage*>(open("CRotatePage")); }

    // Enabled and disabled editing controls among those that follow rotation.
    std::pair<int, int> dependents() {
        std::pair<int, int> counts;
        for (const ControlSpec* control : controlsOf(*findPage("CRotatePage"))) {
            if (!isRotationDependent(*control)) continue;
            std::vector<wxWindow*> windows;
            if (control->kind == ControlKind::NumericField) windows = {field(control->key), spin(control->key)};
            for (std::size_t i = 0; i < control->radio.buttons.size(); ++i)
                windows.push_back(button(control->key, static_cast<int>(i)));
            for (const wxWindow* window : windows) ++(window->IsEnabled() ? counts.first : counts.second);
        }
        return counts;
    }

    bool everythingElseEnabled() {
        for (const wxWindow* child : page->GetChildren()) {
            const std::string name(child->GetName().utf8_str());
            const ControlSpec* control = findControlForKey(name.substr(0, name.find('#')));
            if (child->IsShown() && !(control && isRotationDependent(*control)) && !child->IsEnabled()) return false;
        }
        return true;
    }
};

TEST_F(RotatePage, ThirteenControlsFollowRotation) {
    value("FlagRotateFunction") = 0;
    CRotatePage* rotate = openRotation();
    EXPECT_EQ(selectedLabel("FlagRotateFunction"), "旋回しない");
    EXPECT_EQ(dependents(), std::pair(0, 13));
    EXPECT_TRUE(everythingElseEnabled());

    rotate->EnableRotateControls();
    EXPECT_EQ(dependents(), std::pair(13, 0));
    rotate->DisableRotateControls();
    EXPECT_EQ(dependents(), std::pair(0, 13));
    EXPECT_TRUE(everythingElseEnabled());

    value("FlagRotateFunction") = 1;
    openRotation();
    EXPECT_EQ(dependents(), std::pair(13, 0));
}

TEST_F(RotatePage, KindButtonsWriteBothFlagsAndSwitchTheControls) {
    value("FlagRotateFunction") = 1;
    value("FlagRotateInfinity") = 0;
    openRotation();
    EXPECT_EQ(selectedLabel("FlagRotateFunction"), "円軌道で旋回する");

    clickButton("FlagRotateFunction", "∞軌道で旋回する");
    EXPECT_EQ(value("FlagRotateFunction"), 1);
    EXPECT_EQ(value("FlagRotateInfinity"), 1);
    EXPECT_EQ(dependents(), std::pair(13, 0));

    // Turning rotation off keeps the infinity flag as it stands.
    clickButton("FlagRotateFunction", "旋回しない");
    EXPECT_EQ(value("FlagRotateFunction"), 0);
    EXPECT_EQ(value("FlagRotateInfinity"), 1);
    EXPECT_EQ(dependents(), std::pair(0, 13));

    clickButton("FlagRotateFunction", "円軌道で旋回する");
    EXPECT_EQ(value("FlagRotateFunction"), 1);
    EXPECT_EQ(value("FlagRotateInfinity"), 0);
    EXPECT_EQ(dependents(), std::pair(13, 0));
}

TEST_F(RotatePage, DisabledFieldsKeepTheirValues) {
    value("RotatePeriod") = 50000;
    value("FlagRotateFunction") = 1;
    openRotation();
    clickButton("FlagRotateFunction", "旋回しない");
    EXPECT_EQ(text(field("RotatePeriod")), "50000");
    EXPECT_EQ(value("RotatePeriod"), 50000);
}

TEST_F(RotatePage, ALoadSetsTheKindAndTheEnabling) {
    value("FlagRotateFunction") = 1;
    openRotation();
    value("FlagRotateFunction") = 0;
    value("FlagRotateInfinity") = 1;
    showLoaded();
    EXPECT_EQ(selectedLabel("FlagRotateFunction"), "旋回しない");
    EXPECT_EQ(dependents(), std::pair(0, 13));

    value("FlagRotateFunction") = 1;
    showLoaded();
    EXPECT_EQ(selectedLabel("FlagRotateFunction"), "∞軌道で旋回する");
    EXPECT_EQ(dependents(), std::pair(13, 0));
}

TEST_F(RotatePage, ALoadThatDisablesTheFocusedFieldDoesNotClampIt) {
    value("FlagRotateFunction") = 1;
    openRotation();
    field("RotatePeriod")->SetFocus();
    test::yieldToWindow();
    value("FlagRotateFunction") = 0;
    value("RotatePeriod") = 0;
    showLoaded();
    test::yieldToWindow();
    EXPECT_FALSE(field("RotatePeriod")->IsEnabled());
    EXPECT_EQ(text(field("RotatePeriod")), "0");
    EXPECT_EQ(value("RotatePeriod"), 0);
}

// ---- What a load shows ------------------------------------------------------------------------

TEST_F(SettingPages, ALoadShowsValuesUnclampedWithTheLoadsRadioRules) {
    const SelectionCase radios[] = {
        {"FlagRotateState", 5, ""},  // at start-up this showed "休戦状態のみ"
        {"FlagRotateState", 1, "臨戦状態のみ"},
        {"FlagAutoCaprice", 5, ""},
        {"FlagAutoCaprice", 3, "一定攻撃間隔"},
        {"FlagDefaultState", 1, "休戦状態"},
        {"TypeSearchEnemyLIF", 2, "非先攻型"},
        {"AutoSkillPriority", 0, "攻撃スキル優先"},
    };
    for (const auto& c : radios) {
        SCOPED_TRACE(std::string(c.key) + " = " + std::to_string(c.stored));
        openFor(c.key);
        value(c.key) = c.stored;
        showLoaded();
        EXPECT_EQ(selectedLabel(c.key), c.selected);
        EXPECT_EQ(value(c.key), c.stored);
    }

    open("CMoonlightPage");
    value("Ph1ML_SkillLevel") = 9;
    value("Ph1ML_UsableFlag") = 0;
    showLoaded();
    EXPECT_EQ(text(field("Ph1ML_SkillLevel")), "9");
    EXPECT_FALSE(checkBox("Ph1ML_UsableFlag")->GetValue());
    EXPECT_EQ(value("Ph1ML_SkillLevel"), 9);

    // Out-of-range values wait for the user to leave their field.
    open("CAttack1Page");
    value("DistanceAttackArea") = 0;
    showLoaded();
    EXPECT_EQ(text(field("DistanceAttackArea")), "0");
    test::typeAndLeave(field("DistanceAttackArea"), field("DistanceAttackArea")->GetValue());
    EXPECT_EQ(text(field("DistanceAttackArea")), "1");
    EXPECT_EQ(value("DistanceAttackArea"), 1);
}

TEST_F(SettingPages, ExchangeDataCopiesEveryBoundValueBothWays) {
    value("TypeSearchEnemyAMISTR") = 1;
    open("CBasicPage");
    field("DistanceNearOwner")->ChangeValue("12x");
    checkBox("FlagChangeState")->SetValue(!checkBox("FlagChangeState")->GetValue());
    const bool changed = checkBox("FlagChangeState")->GetValue();
    button("TypeSearchEnemyAMISTR", 1)->SetValue(true);
    page->ExchangeData(CSettingPage::Direction::FromControls);

    field("DistanceNearOwner")->ChangeValue("3");
    checkBox("FlagChangeState")->SetValue(!changed);
    button("TypeSearchEnemyAMISTR", 0)->SetValue(true);
    page->ExchangeData(CSettingPage::Direction::ToControls);
    EXPECT_EQ(text(field("DistanceNearOwner")), "12x");
    EXPECT_EQ(checkBox("FlagChangeState")->GetValue(), changed);
    EXPECT_EQ(selectedLabel("TypeSearchEnemyAMISTR"), "非先攻型");
}

// ---- Layout ------------------------------------------------------------------------------------

TEST_F(SettingPages, EveryControlFitsThePageAndNoneOverlapsAnother) {
    for (const PageTable& table : settingPages()) {
        SCOPED_TRACE(std::string(table.className));
        open(table.className);
        const wxRect area(page->ConvertDialogToPixels(wxSize(CPage::kWidthDu, CPage::kHeightDu)));
        EXPECT_EQ(page->GetClientSize(), area.GetSize());
        std::vector<const wxWindow*> shown;
        for (const wxWindow* child : page->GetChildren()) {
            if (!child->IsShown()) continue;
            const std::string name(child->GetName().utf8_str());
            EXPECT_TRUE(area.Contains(child->GetRect())) << name;
            // Texts, boxes and buttons are at least as large as they need to be.
            if (!dynamic_cast<const wxTextCtrl*>(child) && !dynamic_cast<const SpinArrows*>(child)) {
                EXPECT_GE(child->GetSize().x, child->GetBestSize().x) << name;
                EXPECT_GE(child->GetSize().y, child->GetBestSize().y) << name;
            }
            if (!dynamic_cast<const wxStaticBox*>(child)) shown.push_back(child);
        }
        for (std::size_t i = 0; i < shown.size(); ++i)
            for (std::size_t j = i + 1; j < shown.size(); ++j)
                EXPECT_FALSE(shown[i]->GetRect().Intersects(shown[j]->GetRect()))
                    << shown[i]->GetName() << " / " << shown[j]->GetName() << " " << shown[i]->GetLabel() << " / "
                    << shown[j]->GetLabel();
    }
}

TEST_F(SettingPages, PhaseControlsStandInsideTheirGroupBoxes) {
    open("CMoonlightPage");
    std::vector<wxRect> boxes;
    for (const wxWindow* child : page->GetChildren())
        if (dynamic_cast<const wxStaticBox*>(child)) boxes.push_back(child->GetRect());
    ASSERT_EQ(boxes.size(), 3u);
    for (int phase = 1; phase <= 3; ++phase)
        for (const char* suffix : {"_UsableFlag", "_SkillLevel", "_Interval"}) {
            const std::string key = "Ph" + std::to_string(phase) + "ML" + suffix;
            EXPECT_TRUE(boxes[phase - 1].Contains(named<wxWindow>(key)->GetRect())) << key;
        }
    EXPECT_LT(named<wxWindow>("FlagAutoMoonLight#0")->GetRect().GetBottom(), boxes[0].y);
}

}  // namespace
}  // namespace vellconf
