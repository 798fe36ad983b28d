#pragma once
// Fixed layouts in dialog units, fitted to a font. A dialog unit is a quarter
// of the font's average Latin letter and an eighth of its height, so a layout
// keeps its proportions at any font size. But a face whose Japanese glyphs are
// wide beside its Latin letters (a monospaced gothic) would still cut texts
// drawn for another face: each text is measured, and what holds it grows
// rather than cut it. The window supplies the measurements; nothing here needs
// a toolkit.

#include <span>
#include <string_view>
#include <vector>

namespace vellconf {

struct DialogRect {
    int x = 0, y = 0, width = 0, height = 0;

    int right() const { return x + width; }
    int bottom() const { return y + height; }
    bool operator==(const DialogRect&) const = default;
};

struct DialogSize {
    int width = 0, height = 0;

    bool operator==(const DialogSize&) const = default;
};

// What surrounds a text on screen: nothing, a check box's or radio button's
// indicator, a button's frame, or a group box's frame with the title in it.
enum class TextLook { Plain, CheckBox, RadioButton, Button, GroupTitle };

// The room a text needs in one font, in whole dialog units.
class TextMeasure {
public:
    virtual ~TextMeasure() = default;
    // Lines are separated by "\n"; the text is UTF-8.
    virtual DialogSize needed(TextLook look, std::string_view text) const = 0;
    // The width of a one-line field that shows `digits` digits whole.
    virtual int fieldWidth(int digits) const = 0;
};

namespace templates {

enum class Kind { Label, GroupBox, Button, DefaultButton, Edit, Picture, Tabs, ListView, MultiLineEdit, FolderTree };

struct Control {
    Kind kind;
    int id;
    DialogRect rect;
    std::string_view text;
};

struct Dialog {
    std::string_view caption;
    int width;
    int height;
    std::vector<Control> controls;

    const Control& control(int id) const;
};

}  // namespace templates

// A template's rects for one font: parallel to its controls.
struct FittedDialog {
    std::vector<DialogRect> rects;
    DialogSize size;
};

// Stretches a template sideways (and down) by the least factor that gives
// every text its room, so that nothing overlaps that did not before. A label
// may run on into the free space to its right, up to the next control or the
// dialog's margin, before anything is stretched for it.
FittedDialog fitDialog(const templates::Dialog& dialog, const TextMeasure& measure);

}  // namespace vellconf
