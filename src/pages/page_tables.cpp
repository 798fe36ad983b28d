#include "pages/page_tables.h"

#include <array>
#include <stdexcept>
#include <string>
#include <unordered_map>
#include <utility>

namespace vellconf {

namespace {

// ---- Building blocks -----------------------------------------------------------

const SettingSpec& settingOf(std::string_view key) {
    const SettingSpec* entry = findSetting(key);
    if (entry == nullptr) throw std::logic_error("page table names an unknown key: " + std::string(key));
    return *entry;
}

// Keys are taken from the catalogue so that a generated name ("Ph2CAP_OwnSP_C")
// is checked and its text outlives the string it was built in.
ControlSpec editing(ControlKind kind, std::string_view key) {
    const SettingSpec& entry = settingOf(key);
    ControlSpec control;
    control.kind = kind;
    control.key = entry.key;
    control.setting = &entry;
    return control;
}

ControlSpec label(std::string_view text) {
    ControlSpec control;
    control.text = text;
    return control;
}

ControlSpec checkBox(std::string_view key, std::string_view caption) {
    ControlSpec control = editing(ControlKind::CheckBox, key);
    control.text = caption;
    return control;
}

ControlSpec field(std::string_view key, std::string_view caption = {}, std::string_view unit = {},
                  FieldAlign align = FieldAlign::Right) {
    ControlSpec control = editing(ControlKind::NumericField, key);
    if (!control.setting->bounds) throw std::logic_error("no field bounds for " + std::string(key));
    control.text = caption;
    control.unit = unit;
    control.align = align;
    return control;
}

// The buttons a radio group falls back to for values none of its buttons writes,
// named by label; an empty label selects none.
struct OtherValues {
    std::string_view onInit;
    std::string_view onLoad;
};

int buttonIndexOf(const std::vector<RadioButtonSpec>& buttons, std::string_view label) {
    if (label.empty()) return kNoButton;
    for (std::size_t i = 0; i < buttons.size(); ++i)
        if (buttons[i].label == label) return static_cast<int>(i);
    throw std::logic_error("no radio button " + std::string(label));
}

ControlSpec radioGroup(std::string_view key, std::vector<RadioButtonSpec> buttons, OtherValues others,
                       ButtonFlow flow = ButtonFlow::Across) {
    ControlSpec control = editing(ControlKind::RadioGroup, key);
    control.radio.otherValuesOnInit = buttonIndexOf(buttons, others.onInit);
    control.radio.otherValuesOnLoad = buttonIndexOf(buttons, others.onLoad);
    control.radio.buttons = std::move(buttons);
    control.radio.flow = flow;
    return control;
}

ControlSpec rotationKind() {
    ControlSpec control = editing(ControlKind::RotationKind, "FlagRotateFunction");
    control.secondKey = settingOf("FlagRotateInfinity").key;
    control.radio.buttons = {
        {"旋回しない", kRotateNone},
        {"円軌道で旋回する", kRotateCircle},
        {"∞軌道で旋回する", kRotateInfinity},
    };
    control.radio.flow = ButtonFlow::Down;
    return control;
}

ControlSpec dependsOnRotation(ControlSpec control) {
    control.followsRotation = true;
    return control;
}

template <class... Controls>
PageRow row(Controls&&... controls) {
    return PageRow{{std::forward<Controls>(controls)...}};
}

PageSection plain(std::vector<PageRow> rows) { return PageSection{{}, std::move(rows)}; }

// ---- Behaviour pages -------------------------------------------------------------

// The four search-type rows of CBasicPage share one group shape.
ControlSpec searchType(std::string_view key) {
    return radioGroup(key, {{"先攻型", 1}, {"非先攻型", 0}}, {.onInit = "非先攻型", .onLoad = "非先攻型"});
}

PageTable basicPage() {
    return {"CBasicPage", {plain({
        row(label("▼ 初期状態の設定")),
        // A load turns the flag into 0 or 1 and selects the button of that index.
        row(radioGroup("FlagDefaultState", {{"臨戦状態", 0}, {"休戦状態", 1}},
                       {.onInit = "臨戦状態", .onLoad = {}})),
        row(label("▼ ホムンクルスの索敵条件")),
        row(label("リーフ"), searchType("TypeSearchEnemyLIF")),
        row(label("アミストル"), searchType("TypeSearchEnemyAMISTR")),
        row(label("フィーリル"), searchType("TypeSearchEnemyFILIR")),
        row(label("バニルミルト"), searchType("TypeSearchEnemyVANIL")),
        row(checkBox("FlagNotChangeMtoI", "移動命令後に、自動的に臨戦状態に切り替えない")),
        row(checkBox("FlagChangeState", "ホムンクルスの居るセルを[ALT+右クリック]で索敵条件を切り替える")),
        row(checkBox("FlagFollowOptimize", "主人を追尾する時の移動を最適化する")),
        row(label("▼ 行動後に待機可能な主人からの距離 （標準ＡＩ：３セル）")),
        row(field("DistanceNotReturn", {}, "セル")),
        row(label("▼ 主人の所へ戻る時に近づく距離 （標準ＡＩ：３セル）")),
        row(field("DistanceNearOwner", {}, "セル")),
    })}};
}

PageTable attack1Page() {
    return {"CAttack1Page", {plain({
        row(checkBox("FlagIgnoreNonActMob", "草・茸・卵系を攻撃しない （先攻型の時）")),
        row(checkBox("FlagIgnorePlantMob", "アルケミストの召喚した植物を攻撃しない （先攻型の時）")),
        row(checkBox("FlagIgnoreOthersMob", "他のキャラを攻撃している敵を攻撃しない（横殴り防止）")),
        row(checkBox("FlagHelpNonActMob", "主人が草・茸・卵系を叩いている時、手伝う")),
        row(checkBox("FlagLongRangeSkill", "ムーンライトを遠距離で使う")),
        row(checkBox("FlagEnemyPriority", "ホムを攻撃している敵から優先的に攻撃対象とする")),
        row(checkBox("FlagReservedCommand", "[SHIFT+ALT+右クリック]に敵登録・友達登録機能を割り当てる")),
        row(checkBox("FlagIgnoreDeadMob", "死亡した敵を索敵・追跡の対象から除く(粘着防止)")),
        row(label("▼ オートスキルの優先順位")),
        row(radioGroup("AutoSkillPriority", {{"支援スキル優先", 1}, {"攻撃スキル優先", 2}},
                       {.onInit = "攻撃スキル優先", .onLoad = "攻撃スキル優先"})),
        row(label("▼ 攻撃可能な敵の主人からの距離")),
        row(field("DistanceAttackArea", {}, "セル")),
    })}};
}

PageTable attack2Page() {
    return {"CAttack2Page", {plain({
        row(checkBox("FlagAttackOptimize", "攻撃の切替を最適化する")),
        row(checkBox("FlagFixedSkill", "手動での遠距離攻撃スキルを使用した後、敵を攻撃しに行かない(固定砲台)")),
        row(checkBox("FlagAttackOwnerEnemy", "ホムが別の敵を攻撃中でも主人の攻撃している敵を優先的に攻撃する")),
        row(checkBox("FlagAttackQuickly", "主人の攻撃開始と同時にその対象の敵を攻撃し始める")),
        // The only left-aligned fields of the setting pages.
        row(label("▼ 初期攻撃ディレイの設定 (ホム出現後、攻撃しない時間。0で無効)")),
        row(field("FirstAttackDelay", {}, "ms", FieldAlign::Left)),
        row(label("▼ 攻撃ディレイの設定 (攻撃モーション表示用。0で無効)")),
        row(field("AttackDelay", {}, "ms", FieldAlign::Left)),
    })}};
}

PageTable rotatePage() {
    return {"CRotatePage", {plain({
        row(label("▼ 旋回行動の指定")),
        row(rotationKind()),
        row(label("▼ 旋回行動をする状態の指定")),
        // A load selects the button whose index is the number, and none beyond.
        row(dependsOnRotation(radioGroup("FlagRotateState",
                                         {{"休戦状態のみ", 0}, {"臨戦状態のみ", 1}, {"両状態", 2}},
                                         {.onInit = "休戦状態のみ", .onLoad = {}}, ButtonFlow::Down))),
        row(label("▼ 旋回半径")),
        row(dependsOnRotation(field("RotateRadius", {}, "セル"))),
        row(label("▼ 旋回移動間隔")),
        row(dependsOnRotation(field("RotatePeriod", {}, "ms"))),
        row(label("▼ 主人が立ち止まってから、旋回開始までの時間")),
        row(dependsOnRotation(field("RotateDelay", {}, "ms"))),
        row(label("▼ 旋回する条件")),
        row(dependsOnRotation(field("RotateThresholdHp", "ホムンクルスのＨＰが", "％ 以上で、かつ"))),
        row(dependsOnRotation(field("RotateThresholdSp", "ホムンクルスのＳＰが", "％ 以上である場合。"))),
    })}};
}

// ---- Auto-skill pages ------------------------------------------------------------

// Moonlight and Caprice also have a probability and an interval in each phase.
enum class PhaseBlocks { Long, Short };

// The mode of Moonlight and Caprice: the value is the button index, and a value
// without a button selects none, at start-up and on load alike.
ControlSpec skillMode(std::string_view key) {
    return radioGroup(key, {{"使用しない", 0}, {"一定確率", 1}, {"初撃", 2}, {"一定攻撃間隔", 3}},
                      {.onInit = {}, .onLoad = {}});
}

// The three group boxes of a skill page, keyed Ph<phase><prefix>_<suffix>.
std::vector<PageSection> phaseSections(std::string_view prefix, PhaseBlocks blocks) {
    constexpr std::array<std::string_view, 3> titles = {
        "第１段階の条件",
        "第２段階の条件",
        "第３段階の条件 （第１・２段階以外の場合）",
    };
    std::vector<PageSection> sections;
    for (int phase = 1; phase <= 3; ++phase) {
        const auto key = [&](std::string_view suffix) {
            return "Ph" + std::to_string(phase) + std::string(prefix) + "_" + std::string(suffix);
        };
        std::vector<PageRow> rows;
        rows.push_back(row(checkBox(key("UsableFlag"), "スキルを使う")));
        if (blocks == PhaseBlocks::Long)
            rows.push_back(row(field(key("SkillLevel"), "使用レベル："),
                               field(key("Probability"), "使用確率：", "％"),
                               field(key("Interval"), "使用間隔：", "回")));
        else
            rows.push_back(row(field(key("SkillLevel"), "使用レベル：")));
        // The last phase applies when neither range of the others matches, so it has none.
        if (phase < 3) {
            rows.push_back(row(field(key("MyHP_F"), "ホムＨＰ：", "～"), field(key("MyHP_C"), {}, "％"),
                               field(key("MySP_F"), "ホムＳＰ：", "～"), field(key("MySP_C"), {}, "％")));
            rows.push_back(row(field(key("OwnHP_F"), "主人ＨＰ：", "～"), field(key("OwnHP_C"), {}, "％"),
                               field(key("OwnSP_F"), "主人ＳＰ：", "～"), field(key("OwnSP_C"), {}, "％")));
        }
        sections.push_back(PageSection{titles[phase - 1], std::move(rows)});
    }
    return sections;
}

PageTable skillPage(std::string_view className, std::string_view prefix,
                    PhaseBlocks blocks, std::vector<PageRow> selector) {
    PageTable page{className, {plain(std::move(selector))}};
    for (auto& section : phaseSections(prefix, blocks)) page.sections.push_back(std::move(section));
    return page;
}

std::vector<PageTable> buildPages() {
    using enum PhaseBlocks;
    std::vector<PageTable> pages;
    pages.push_back(basicPage());
    pages.push_back(attack1Page());
    pages.push_back(attack2Page());
    pages.push_back(rotatePage());
    pages.push_back(skillPage("CMoonlightPage", "ML", Long, {
        row(label("▼ オート 【ムーンライト】スキルの使用条件")),
        row(skillMode("FlagAutoMoonLight")),
    }));
    pages.push_back(skillPage("CCapricePage", "CAP", Long, {
        row(label("▼ オート 【カプリス】 スキルの使用条件")),
        row(skillMode("FlagAutoCaprice")),
    }));
    pages.push_back(skillPage("CFleetMovePage", "FM", Short, {
        row(checkBox("FlagAutoFleetMove", "オート 【フリットムーブ】 スキルを使用する")),
    }));
    pages.push_back(skillPage("COveredSpeedPage", "OS", Short, {
        row(checkBox("FlagAutoOveredSpeed", "オート 【オーバードスピード】 スキルを使用する")),
    }));
    pages.push_back(skillPage("CDefensePage", "DEF", Short, {
        row(checkBox("FlagAutoDeffence", "オート 【ディフェンス】 スキルを使用する")),
    }));
    pages.push_back(skillPage("CChaoticBenedictionPage", "CV", Short, {
        row(checkBox("FlagAutoChaoticVene", "オート 【カオティックベネディクション】 スキルを使用する")),
    }));
    pages.push_back(skillPage("CEmergencyAvoidPage", "EA", Short, {
        row(label("▼ オート【緊急回避】スキル使用タイミングの設定")),
        row(checkBox("FlagAutoEmergencyAvoid", "攻撃時使用"),
            checkBox("FlagAutoEmergencyAvoidC", "敵追跡時使用"),
            checkBox("FlagAutoEmergencyAvoidF", "主人追従時使用")),
    }));
    pages.push_back(skillPage("CTouchHealPage", "TH", Short, {
        row(checkBox("FlagAutoTouchHeal", "オート 【癒しの手】 スキルを使用する")),
    }));
    return pages;
}

struct KeyIndex {
    std::unordered_map<std::string_view, std::pair<const PageTable*, const ControlSpec*>> byKey;

    KeyIndex() {
        for (const auto& page : settingPages())
            for (const ControlSpec* control : controlsOf(page)) {
                if (!control->key.empty()) byKey.emplace(control->key, std::pair{&page, control});
                if (!control->secondKey.empty()) byKey.emplace(control->secondKey, std::pair{&page, control});
            }
    }
};

const KeyIndex& keyIndex() {
    static const KeyIndex index;
    return index;
}

int radioIndexOf(const RadioGroupSpec& group, std::int32_t value, int otherValues) {
    for (std::size_t i = 0; i < group.buttons.size(); ++i)
        if (group.buttons[i].value == value) return static_cast<int>(i);
    return otherValues;
}

}  // namespace

const std::vector<PageTable>& settingPages() {
    static const std::vector<PageTable> pages = buildPages();
    return pages;
}

const PageTable* findPage(std::string_view className) {
    for (const auto& page : settingPages())
        if (page.className == className) return &page;
    return nullptr;
}

std::vector<const ControlSpec*> controlsOf(const PageTable& page) {
    std::vector<const ControlSpec*> controls;
    for (const auto& section : page.sections)
        for (const auto& row : section.rows)
            for (const auto& control : row.controls) controls.push_back(&control);
    return controls;
}

const ControlSpec* findControlForKey(std::string_view key) {
    const auto& byKey = keyIndex().byKey;
    const auto found = byKey.find(key);
    return found == byKey.end() ? nullptr : found->second.second;
}

const PageTable* findPageForKey(std::string_view key) {
    const auto& byKey = keyIndex().byKey;
    const auto found = byKey.find(key);
    return found == byKey.end() ? nullptr : found->second.first;
}

int radioIndexOnInit(const RadioGroupSpec& group, std::int32_t value) {
    return radioIndexOf(group, value, group.otherValuesOnInit);
}

int radioIndexOnLoad(const RadioGroupSpec& group, std::int32_t value) {
    return radioIndexOf(group, value, group.otherValuesOnLoad);
}

int rotationKindIndex(std::int32_t function, std::int32_t infinity) {
    if (function != 1) return kRotateNone;
    return infinity == 1 ? kRotateInfinity : kRotateCircle;
}

void applyRotationKind(AiSettings& settings, int buttonIndex) {
    switch (buttonIndex) {
        case kRotateNone:
            settings.FlagRotateFunction = 0;
            break;
        case kRotateCircle:
            settings.FlagRotateFunction = 1;
            settings.FlagRotateInfinity = 0;
            break;
        case kRotateInfinity:
            settings.FlagRotateFunction = 1;
            settings.FlagRotateInfinity = 1;
            break;
        default:
            break;
    }
}

bool isRotationDependent(const ControlSpec& control) { return control.followsRotation; }

}  // namespace vellconf
