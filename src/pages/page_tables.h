#pragma once
// The twelve setting pages as data. Each page is a list of sections (the plain
// top part, or a group box), each section a list of rows from top to bottom,
// each row a list of controls from left to right. A window renders a page by
// walking it; the command line uses the same tables to change a setting the way
// its page would. Texts are UTF-8. Bounds of numeric fields are not repeated
// here: every field refers to its key's catalogue entry.

#include <cstdint>
#include <string_view>
#include <vector>

#include "config/ai_settings.h"
#include "config/settings_catalogue.h"

namespace vellconf {

enum class ControlKind {
    Label,         // static text: a heading on its own row, or a caption inside a row
    CheckBox,      // edits a YES/NO key: checked exactly when the key is 1, writes 1 or 0
    RadioGroup,    // edits one key: each button writes its own constant
    RotationKind,  // the three rotation buttons of CRotatePage, editing two keys at once
    NumericField,  // a text field with its spin right after it; clamped on focus loss
};

enum class FieldAlign { Right, Left };

// How the buttons of a group stand: side by side in their row, or one under
// another.
enum class ButtonFlow { Across, Down };

inline constexpr int kNoButton = -1;

struct RadioButtonSpec {
    std::string_view label;
    // What a click writes into the group's key. The rotation kind writes two
    // keys; its buttons hold their index (kRotateNone...) and
    // applyRotationKind does the writing.
    std::int32_t value;
};

struct RadioGroupSpec {
    std::vector<RadioButtonSpec> buttons;
    ButtonFlow flow = ButtonFlow::Across;
    // The button selected for a value that no button writes, when the page
    // initialises and when a load fills it; kNoButton leaves every button clear.
    int otherValuesOnInit = kNoButton;
    int otherValuesOnLoad = kNoButton;
};

struct ControlSpec {
    ControlKind kind = ControlKind::Label;
    // Label: its text. CheckBox: its caption. NumericField: the caption before
    // the field (often empty). Radio groups carry their texts in the buttons.
    std::string_view text;
    // NumericField: the text after its spin ("セル", "％", "～"), may be empty.
    std::string_view unit;
    // The key the control edits (catalogue spelling), empty for labels.
    std::string_view key;
    // RotationKind only: FlagRotateInfinity, the second key it edits.
    std::string_view secondKey;
    const SettingSpec* setting = nullptr;  // catalogue entry of `key`
    RadioGroupSpec radio;                  // RadioGroup and RotationKind
    FieldAlign align = FieldAlign::Right;  // NumericField
    // Enabled only while rotation is on (CRotatePage).
    bool followsRotation = false;

    // The bounds and spin range of a NumericField, from the catalogue.
    const FieldBounds& bounds() const { return *setting->bounds; }
};

struct PageRow {
    std::vector<ControlSpec> controls;
};

struct PageSection {
    std::string_view groupBox;  // title of the group box around the rows; empty: none
    std::vector<PageRow> rows;
};

struct PageTable {
    std::string_view className;
    std::vector<PageSection> sections;
};

// The twelve pages in tab order: CBasicPage, CAttack1Page, CAttack2Page,
// CRotatePage, then the eight skill pages from CMoonlightPage to CTouchHealPage.
const std::vector<PageTable>& settingPages();

const PageTable* findPage(std::string_view className);

// Every control of a page in reading order: section by section, row by row,
// left to right.
std::vector<const ControlSpec*> controlsOf(const PageTable& page);

// The control that edits a key (FlagRotateFunction and FlagRotateInfinity both
// give the rotation kind), and the page it stands on; nullptr for keys no page
// edits.
const ControlSpec* findControlForKey(std::string_view key);
const PageTable* findPageForKey(std::string_view key);

// The button a radio group selects for a value: the button that writes it, or
// else the group's choice for other values on that occasion (kNoButton: none).
int radioIndexOnInit(const RadioGroupSpec& group, std::int32_t value);
int radioIndexOnLoad(const RadioGroupSpec& group, std::int32_t value);

// ---- Rotation ----------------------------------------------------------------

inline constexpr int kRotateNone = 0;      // "旋回しない"
inline constexpr int kRotateCircle = 1;    // "円軌道で旋回する"
inline constexpr int kRotateInfinity = 2;  // "∞軌道で旋回する"

// The rotation-kind button shown for FlagRotateFunction and FlagRotateInfinity.
int rotationKindIndex(std::int32_t function, std::int32_t infinity);

// A click on a rotation-kind button: "旋回しない" clears FlagRotateFunction
// only (FlagRotateInfinity keeps its value and is saved as it stands), the two
// others set FlagRotateFunction and write FlagRotateInfinity.
void applyRotationKind(AiSettings& settings, int buttonIndex);

// Whether the rotation-dependent controls are enabled for a FlagRotateFunction.
inline bool rotationControlsEnabled(std::int32_t function) { return function == 1; }

bool isRotationDependent(const ControlSpec& control);

}  // namespace vellconf
