#include "pages/dialog_layout.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

namespace vellconf {

const templates::Control& templates::Dialog::control(int id) const {
    for (const auto& c : controls)
        if (c.id == id) return c;
    throw std::logic_error("no control " + std::to_string(id) + " in dialog " + std::string(caption));
}

namespace {

using templates::Kind;

constexpr int kRunOnGap = 2;  // between a label that runs on and the control it runs up to
constexpr int kBoxInside = 4;  // between a group box's frame and a label that runs on inside it

bool overlapVertically(const DialogRect& a, const DialogRect& b) { return a.y < b.bottom() && b.y < a.bottom(); }

bool contains(const DialogRect& outer, const DialogRect& inner) {
    return outer.x <= inner.x && inner.right() <= outer.right() && outer.y <= inner.y && inner.bottom() <= outer.bottom();
}

// The width a label may take: its own, or as far as the next control to its
// right, the frame of a group box around it, or the dialog's margin.
int labelRoom(const templates::Dialog& dialog, const DialogRect& label, int margin) {
    int limit = dialog.width - margin;
    for (const templates::Control& other : dialog.controls) {
        const DialogRect& r = other.rect;
        if (other.kind == Kind::GroupBox && r != label && contains(r, label)) limit = std::min(limit, r.right() - kBoxInside);
        else if (r.x >= label.right() && overlapVertically(label, r)) limit = std::min(limit, r.x - kRunOnGap);
    }
    return std::max(label.width, limit - label.x);
}

// How much a text's room must grow in each direction; one unit more than the
// text so that rounding the stretched corners never takes a unit from it.
struct Stretch {
    double x = 1, y = 1;

    void need(DialogSize text, int width, int height) {
        if (width > 0) x = std::max(x, static_cast<double>(text.width + 1) / width);
        if (height > 0) y = std::max(y, static_cast<double>(text.height) / height);
    }
};

// One rounding for every coordinate, so that edges that meet still meet and
// controls that did not overlap still do not.
int stretched(int v, double factor) { return static_cast<int>(std::ceil(v * factor - 1e-9)); }

DialogRect stretched(const DialogRect& r, const Stretch& s) {
    const int x = stretched(r.x, s.x), y = stretched(r.y, s.y);
    return {x, y, stretched(r.right(), s.x) - x, stretched(r.bottom(), s.y) - y};
}

}  // namespace

FittedDialog fitDialog(const templates::Dialog& dialog, const TextMeasure& measure) {
    int margin = dialog.width;
    for (const auto& c : dialog.controls) margin = std::min(margin, c.rect.x);
    margin = std::max(margin, 1);

    std::vector<DialogSize> texts(dialog.controls.size());
    Stretch stretch;
    for (std::size_t i = 0; i < dialog.controls.size(); ++i) {
        const templates::Control& c = dialog.controls[i];
        if (c.text.empty()) continue;
        switch (c.kind) {
            case Kind::Label:
                texts[i] = measure.needed(TextLook::Plain, c.text);
                stretch.need(texts[i], labelRoom(dialog, c.rect, margin), c.rect.height);
                break;
            case Kind::Button:
            case Kind::DefaultButton:
                texts[i] = measure.needed(TextLook::Button, c.text);
                stretch.need(texts[i], c.rect.width, c.rect.height);
                break;
            case Kind::GroupBox:
                texts[i] = measure.needed(TextLook::GroupTitle, c.text);
                stretch.need({texts[i].width, 0}, c.rect.width, 0);
                break;
            default:
                break;
        }
    }

    FittedDialog fitted;
    fitted.size = {stretched(dialog.width, stretch.x), stretched(dialog.height, stretch.y)};
    for (std::size_t i = 0; i < dialog.controls.size(); ++i) {
        DialogRect r = stretched(dialog.controls[i].rect, stretch);
        // A label that runs on takes what it needs of the free space after it.
        if (dialog.controls[i].kind == Kind::Label) r.width = std::max(r.width, texts[i].width);
        fitted.rects.push_back(r);
    }
    return fitted;
}

}  // namespace vellconf
