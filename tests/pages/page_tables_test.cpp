#include "pages/page_tables.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace vellconf {
namespace {

const PageTable& page(std::string_view className) {
    const PageTable* found = findPage(className);
    EXPECT_NE(found, nullptr) << className;
    return *found;
}

const ControlSpec& control(std::string_view key) {
    const ControlSpec* found = findControlForKey(key);
    EXPECT_NE(found, nullptr) << key;
    return *found;
}

std::vector<std::string_view> keysOf(const ControlSpec& c) {
    std::vector<std::string_view> keys;
    if (!c.key.empty()) keys.push_back(c.key);
    if (!c.secondKey.empty()) keys.push_back(c.secondKey);
    return keys;
}

// ---- Pages and their keys ------------------------------------------------------

TEST(PageTables, ListsTheTwelvePagesInTabOrder) {
    const std::pair<std::string_view, std::string_view> expected[] = {
        {"CBasicPage", "基本"},        {"CAttack1Page", "攻撃１"},          {"CAttack2Page", "攻撃２"},
        {"CRotatePage", "旋回"},       {"CMoonlightPage", "ＭＬ"},          {"CCapricePage", "ＣＡＰ"},
        {"CFleetMovePage", "ＦＭ"},    {"COveredSpeedPage", "ＯＳ"},        {"CDefensePage", "ＤＥＦ"},
        {"CChaoticBenedictionPage", "ＣＶ"}, {"CEmergencyAvoidPage", "ＥＡ"}, {"CTouchHealPage", "ＴＨ"},
    };
    const auto& pages = settingPages();
    ASSERT_EQ(pages.size(), std::size(expected));
    for (std::size_t i = 0; i < pages.size(); ++i) {
        EXPECT_EQ(pages[i].className, expected[i].first);
        EXPECT_EQ(pages[i].tabLabel, expected[i].second);
    }
    EXPECT_EQ(findPage("CEnemyPage"), nullptr);
}

TEST(PageTables, EveryCatalogueKeyIsEditedByExactlyOneControl) {
    std::map<std::string_view, int> edits;
    for (const auto& p : settingPages())
        for (const ControlSpec* c : controlsOf(p))
            for (const auto key : keysOf(*c)) {
                ++edits[key];
                EXPECT_EQ(findControlForKey(key), c) << key;
                EXPECT_EQ(findPageForKey(key), &p) << key;
            }
    EXPECT_EQ(edits.size(), kSettingCount);
    for (const auto& spec : settingsCatalogue()) EXPECT_EQ(edits[spec.key], 1) << spec.key;
    EXPECT_EQ(findControlForKey("IGNORE_MOB"), nullptr);
    EXPECT_EQ(findControlForKey("flagdefaultstate"), nullptr);
}

TEST(PageTables, ControlsPointAtTheirCatalogueEntry) {
    for (const auto& p : settingPages())
        for (const ControlSpec* c : controlsOf(p)) {
            if (c->kind == ControlKind::Label) {
                EXPECT_TRUE(c->key.empty());
                EXPECT_FALSE(c->text.empty());
                continue;
            }
            ASSERT_NE(c->setting, nullptr) << c->key;
            EXPECT_EQ(c->setting, findSetting(c->key));
            // Every YES/NO key has a check box, except the initial state, which is a radio pair.
            const bool yesNo = c->setting->kind == SettingKind::Flag;
            EXPECT_EQ(c->kind == ControlKind::CheckBox, yesNo && c->key != "FlagDefaultState") << c->key;
            EXPECT_EQ(c->kind == ControlKind::NumericField, c->setting->bounds.has_value()) << c->key;
        }
}

// ---- Control counts per page ---------------------------------------------------

struct Counts {
    int checkBoxes = 0;
    int radioButtons = 0;
    int numericFields = 0;
    bool operator==(const Counts&) const = default;
};

Counts countsOf(const PageTable& p) {
    Counts counts;
    for (const ControlSpec* c : controlsOf(p)) {
        if (c->kind == ControlKind::CheckBox) ++counts.checkBoxes;
        if (c->kind == ControlKind::RadioGroup || c->kind == ControlKind::RotationKind)
            counts.radioButtons += static_cast<int>(c->radio.buttons.size());
        if (c->kind == ControlKind::NumericField) ++counts.numericFields;
    }
    return counts;
}

TEST(PageTables, CountsControlsPerPage) {
    const std::pair<std::string_view, Counts> expected[] = {
        {"CBasicPage", {3, 10, 2}},          {"CAttack1Page", {8, 2, 1}},
        {"CAttack2Page", {4, 0, 2}},         {"CRotatePage", {0, 6, 5}},
        {"CMoonlightPage", {3, 4, 25}},      {"CCapricePage", {3, 4, 25}},
        {"CFleetMovePage", {4, 0, 19}},      {"COveredSpeedPage", {4, 0, 19}},
        {"CDefensePage", {4, 0, 19}},        {"CChaoticBenedictionPage", {4, 0, 19}},
        {"CEmergencyAvoidPage", {6, 0, 19}}, {"CTouchHealPage", {4, 0, 19}},
    };
    for (const auto& [className, counts] : expected) {
        const Counts actual = countsOf(page(className));
        EXPECT_EQ(actual.checkBoxes, counts.checkBoxes) << className;
        EXPECT_EQ(actual.radioButtons, counts.radioButtons) << className;
        EXPECT_EQ(actual.numericFields, counts.numericFields) << className;
    }
}

// ---- Texts and layout -----------------------------------------------------------

TEST(PageTables, OnlyTheTwoAttackDelaysAreLeftAligned) {
    std::set<std::string_view> left;
    for (const auto& p : settingPages())
        for (const ControlSpec* c : controlsOf(p))
            if (c->kind == ControlKind::NumericField && c->align == FieldAlign::Left) left.insert(c->key);
    EXPECT_EQ(left, (std::set<std::string_view>{"AttackDelay", "FirstAttackDelay"}));
}

TEST(PageTables, SearchTypeRowsStartWithTheHomunculusName) {
    const std::pair<std::string_view, std::string_view> rows[] = {
        {"リーフ", "TypeSearchEnemyLIF"},
        {"アミストル", "TypeSearchEnemyAMISTR"},
        {"フィーリル", "TypeSearchEnemyFILIR"},
        {"バニルミルト", "TypeSearchEnemyVANIL"},
    };
    std::size_t found = 0;
    for (const auto& section : page("CBasicPage").sections)
        for (const auto& row : section.rows)
            for (const auto& [name, key] : rows)
                if (row.controls.size() == 2 && row.controls[0].text == name) {
                    ++found;
                    EXPECT_EQ(row.controls[0].kind, ControlKind::Label);
                    EXPECT_EQ(row.controls[1].key, key);
                    ASSERT_EQ(row.controls[1].radio.buttons.size(), 2u);
                    EXPECT_EQ(row.controls[1].radio.buttons[0].label, "先攻型");
                    EXPECT_EQ(row.controls[1].radio.buttons[1].label, "非先攻型");
                }
    EXPECT_EQ(found, std::size(rows));
}

TEST(PageTables, FieldsCarryTheirCaptionsAndUnits) {
    const std::tuple<std::string_view, std::string_view, std::string_view> fields[] = {
        {"DistanceNotReturn", "", "セル"},
        {"FirstAttackDelay", "", "ms"},
        {"RotateThresholdHp", "ホムンクルスのＨＰが", "％ 以上で、かつ"},
        {"RotateThresholdSp", "ホムンクルスのＳＰが", "％ 以上である場合。"},
        {"Ph1ML_SkillLevel", "使用レベル：", ""},
        {"Ph1ML_Probability", "使用確率：", "％"},
        {"Ph3CAP_Interval", "使用間隔：", "回"},
        {"Ph2FM_MyHP_F", "ホムＨＰ：", "～"},
        {"Ph2FM_MyHP_C", "", "％"},
        {"Ph1TH_OwnSP_F", "主人ＳＰ：", "～"},
    };
    for (const auto& [key, caption, unit] : fields) {
        EXPECT_EQ(control(key).text, caption) << key;
        EXPECT_EQ(control(key).unit, unit) << key;
    }
}

TEST(PageTables, SkillPagesHaveThreePhaseGroupBoxesUnderTheSelector) {
    const std::vector<std::string_view> titles = {
        "", "第１段階の条件", "第２段階の条件", "第３段階の条件 （第１・２段階以外の場合）"};
    for (std::size_t i = 4; i < settingPages().size(); ++i) {
        const PageTable& p = settingPages()[i];
        std::vector<std::string_view> actual;
        for (const auto& section : p.sections) actual.push_back(section.groupBox);
        EXPECT_EQ(actual, titles) << p.className;
    }
    for (std::size_t i = 0; i < 4; ++i) EXPECT_EQ(settingPages()[i].sections.size(), 1u);
}

std::vector<std::vector<std::string_view>> rowKeys(const PageSection& section) {
    std::vector<std::vector<std::string_view>> rows;
    for (const auto& row : section.rows) {
        rows.emplace_back();
        for (const auto& c : row.controls) rows.back().push_back(c.key);
    }
    return rows;
}

TEST(PageTables, PhaseRowsFollowTheNamingRule) {
    using Rows = std::vector<std::vector<std::string_view>>;
    const PageTable& moonlight = page("CMoonlightPage");
    EXPECT_EQ(rowKeys(moonlight.sections[1]),
              (Rows{{"Ph1ML_UsableFlag"},
                    {"Ph1ML_SkillLevel", "Ph1ML_Probability", "Ph1ML_Interval"},
                    {"Ph1ML_MyHP_F", "Ph1ML_MyHP_C", "Ph1ML_MySP_F", "Ph1ML_MySP_C"},
                    {"Ph1ML_OwnHP_F", "Ph1ML_OwnHP_C", "Ph1ML_OwnSP_F", "Ph1ML_OwnSP_C"}}));
    EXPECT_EQ(rowKeys(moonlight.sections[3]),
              (Rows{{"Ph3ML_UsableFlag"}, {"Ph3ML_SkillLevel", "Ph3ML_Probability", "Ph3ML_Interval"}}));

    const PageTable& touchHeal = page("CTouchHealPage");
    EXPECT_EQ(rowKeys(touchHeal.sections[2]),
              (Rows{{"Ph2TH_UsableFlag"},
                    {"Ph2TH_SkillLevel"},
                    {"Ph2TH_MyHP_F", "Ph2TH_MyHP_C", "Ph2TH_MySP_F", "Ph2TH_MySP_C"},
                    {"Ph2TH_OwnHP_F", "Ph2TH_OwnHP_C", "Ph2TH_OwnSP_F", "Ph2TH_OwnSP_C"}}));
    EXPECT_EQ(rowKeys(touchHeal.sections[3]), (Rows{{"Ph3TH_UsableFlag"}, {"Ph3TH_SkillLevel"}}));
    EXPECT_EQ(control("Ph2CAP_OwnSP_C").kind, ControlKind::NumericField);
    EXPECT_EQ(control("Ph1DEF_UsableFlag").text, "スキルを使う");
}

TEST(PageTables, SelectorsStandAtTheTopOfSkillPages) {
    using Rows = std::vector<std::vector<std::string_view>>;
    EXPECT_EQ(rowKeys(page("CMoonlightPage").sections[0]), (Rows{{""}, {"FlagAutoMoonLight"}}));
    EXPECT_EQ(page("CMoonlightPage").sections[0].rows[0].controls[0].text,
              "▼ オート 【ムーンライト】スキルの使用条件");
    EXPECT_EQ(page("CCapricePage").sections[0].rows[0].controls[0].text, "▼ オート 【カプリス】 スキルの使用条件");
    EXPECT_EQ(rowKeys(page("CEmergencyAvoidPage").sections[0]),
              (Rows{{""}, {"FlagAutoEmergencyAvoid", "FlagAutoEmergencyAvoidC", "FlagAutoEmergencyAvoidF"}}));
    EXPECT_EQ(control("FlagAutoEmergencyAvoidF").text, "主人追従時使用");
    EXPECT_EQ(rowKeys(page("CFleetMovePage").sections[0]), (Rows{{"FlagAutoFleetMove"}}));
    EXPECT_EQ(control("FlagAutoChaoticVene").text, "オート 【カオティックベネディクション】 スキルを使用する");
}

// ---- Radio groups ----------------------------------------------------------------

std::string_view selected(const ControlSpec& c, int index) {
    return index == kNoButton ? std::string_view("(none)") : c.radio.buttons.at(index).label;
}

struct RadioCase {
    std::string_view key;
    std::int32_t value;
    std::string_view onInit;
    std::string_view onLoad;
};

TEST(RadioGroups, SelectTheButtonOfTheValueOrTheGroupsChoiceForOthers) {
    const RadioCase cases[] = {
        {"FlagDefaultState", 0, "臨戦状態", "臨戦状態"},
        {"FlagDefaultState", 1, "休戦状態", "休戦状態"},
        {"FlagDefaultState", 2, "臨戦状態", "(none)"},  // a load only ever gives 0 or 1
        {"TypeSearchEnemyLIF", 1, "先攻型", "先攻型"},
        {"TypeSearchEnemyLIF", 0, "非先攻型", "非先攻型"},
        {"TypeSearchEnemyLIF", 2, "非先攻型", "非先攻型"},
        {"TypeSearchEnemyVANIL", -1, "非先攻型", "非先攻型"},
        {"AutoSkillPriority", 1, "支援スキル優先", "支援スキル優先"},
        {"AutoSkillPriority", 2, "攻撃スキル優先", "攻撃スキル優先"},
        {"AutoSkillPriority", 0, "攻撃スキル優先", "攻撃スキル優先"},
        {"FlagRotateState", 0, "休戦状態のみ", "休戦状態のみ"},
        {"FlagRotateState", 1, "臨戦状態のみ", "臨戦状態のみ"},
        {"FlagRotateState", 2, "両状態", "両状態"},
        {"FlagRotateState", 5, "休戦状態のみ", "(none)"},
        {"FlagRotateState", -1, "休戦状態のみ", "(none)"},
        {"FlagAutoMoonLight", 3, "一定攻撃間隔", "一定攻撃間隔"},
        {"FlagAutoMoonLight", -1, "(none)", "(none)"},
        {"FlagAutoCaprice", 2, "初撃", "初撃"},
        {"FlagAutoCaprice", 5, "(none)", "(none)"},
    };
    for (const auto& c : cases) {
        const ControlSpec& group = control(c.key);
        ASSERT_EQ(group.kind, ControlKind::RadioGroup) << c.key;
        EXPECT_EQ(selected(group, radioIndexOnInit(group.radio, c.value)), c.onInit) << c.key << " " << c.value;
        EXPECT_EQ(selected(group, radioIndexOnLoad(group.radio, c.value)), c.onLoad) << c.key << " " << c.value;
    }
}

TEST(RadioGroups, ButtonsWriteTheirConstants) {
    const std::pair<std::string_view, std::vector<std::pair<std::string_view, std::int32_t>>> groups[] = {
        {"FlagDefaultState", {{"臨戦状態", 0}, {"休戦状態", 1}}},
        {"TypeSearchEnemyAMISTR", {{"先攻型", 1}, {"非先攻型", 0}}},
        {"AutoSkillPriority", {{"支援スキル優先", 1}, {"攻撃スキル優先", 2}}},
        {"FlagRotateState", {{"休戦状態のみ", 0}, {"臨戦状態のみ", 1}, {"両状態", 2}}},
        {"FlagAutoCaprice", {{"使用しない", 0}, {"一定確率", 1}, {"初撃", 2}, {"一定攻撃間隔", 3}}},
    };
    for (const auto& [key, buttons] : groups) {
        std::vector<std::pair<std::string_view, std::int32_t>> actual;
        for (const auto& b : control(key).radio.buttons) actual.emplace_back(b.label, b.value);
        EXPECT_EQ(actual, buttons) << key;
    }
}

// ---- Rotation kind and enabling --------------------------------------------------

TEST(RotationKind, EditsBothRotationKeys) {
    const ControlSpec& kind = control("FlagRotateFunction");
    EXPECT_EQ(&kind, &control("FlagRotateInfinity"));
    EXPECT_EQ(kind.kind, ControlKind::RotationKind);
    ASSERT_EQ(kind.radio.buttons.size(), 3u);
    EXPECT_EQ(kind.radio.buttons[kRotateNone].label, "旋回しない");
    EXPECT_EQ(kind.radio.buttons[kRotateCircle].label, "円軌道で旋回する");
    EXPECT_EQ(kind.radio.buttons[kRotateInfinity].label, "∞軌道で旋回する");
}

TEST(RotationKind, MapsTheTwoFlagsToOneButton) {
    const std::tuple<std::int32_t, std::int32_t, int> cases[] = {
        {1, 1, kRotateInfinity}, {1, 0, kRotateCircle}, {1, 5, kRotateCircle}, {1, -1, kRotateCircle},
        {0, 0, kRotateNone},     {0, 1, kRotateNone},   {2, 1, kRotateNone},   {-1, 0, kRotateNone},
    };
    for (const auto& [function, infinity, index] : cases)
        EXPECT_EQ(rotationKindIndex(function, infinity), index) << function << " " << infinity;
}

TEST(RotationKind, ClicksWriteTheFlags) {
    struct Case {
        const char* what;
        std::vector<int> clicks;
        std::int32_t function;
        std::int32_t infinity;
    };
    const Case cases[] = {
        {"infinity then none keeps infinity", {kRotateInfinity, kRotateNone}, 0, 1},
        {"circle then none", {kRotateCircle, kRotateNone}, 0, 0},
        {"infinity then circle", {kRotateInfinity, kRotateCircle}, 1, 0},
        {"none then infinity", {kRotateNone, kRotateInfinity}, 1, 1},
    };
    for (const auto& c : cases) {
        AiSettings settings = startupSettings();
        for (const int click : c.clicks) applyRotationKind(settings, click);
        EXPECT_EQ(settings.FlagRotateFunction, c.function) << c.what;
        EXPECT_EQ(settings.FlagRotateInfinity, c.infinity) << c.what;
        EXPECT_EQ(rotationControlsEnabled(settings.FlagRotateFunction), c.clicks.back() != kRotateNone) << c.what;
    }
}

TEST(RotationKind, NoneLeavesAnOddInfinityValueAlone) {
    AiSettings settings = startupSettings();
    settings.FlagRotateInfinity = 7;
    applyRotationKind(settings, kRotateNone);
    EXPECT_EQ(settings.FlagRotateFunction, 0);
    EXPECT_EQ(settings.FlagRotateInfinity, 7);
}

TEST(RotationKind, EnablingTogglesThirteenControls) {
    std::set<std::string_view> keys;
    for (const auto& page : settingPages())
        for (const ControlSpec* c : controlsOf(page))
            if (isRotationDependent(*c)) {
                EXPECT_EQ(&page, findPage("CRotatePage")) << c->key;
                keys.insert(c->key);
            }
    EXPECT_EQ(keys, (std::set<std::string_view>{"FlagRotateState", "RotateRadius", "RotatePeriod", "RotateDelay",
                                                "RotateThresholdHp", "RotateThresholdSp"}));
    EXPECT_FALSE(isRotationDependent(control("FlagRotateFunction")));
    EXPECT_TRUE(rotationControlsEnabled(1));
    EXPECT_FALSE(rotationControlsEnabled(0));
    EXPECT_FALSE(rotationControlsEnabled(2));
}

}  // namespace
}  // namespace vellconf
