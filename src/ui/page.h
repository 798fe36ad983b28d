#pragma once
// A tab page of the main window: a child panel that edits part of the
// application state. Its controls are built the first time it is shown; until
// then the state alone holds what the page edits. Its size is known before:
// the window is sized to hold its largest page from the start.

#include <wx/panel.h>

#include "app/app_state.h"
#include "ui/template_dialog.h"

namespace vellconf {

class DialogServices;

class CPage : public wxPanel {
public:
    CPage(wxWindow* parent, AppState& state, DialogServices& services);

    // The dialog units the page needs in the measured font.
    virtual DialogSize neededSize(const TextMeasure& measure) const = 0;

    // Builds the controls, laid out for a page of `size`, and shows the state
    // in them, once.
    void ensureBuilt(const WxTextMeasure& measure, DialogSize size);
    // The same for a page on its own: in its window's font, at its needed size.
    void ensureBuilt();
    bool isBuilt() const { return built_; }
    // In the keyboard's order from the start, built or not: GTK takes each
    // window's order of its children once, and a page built later must stand
    // where a page built at start-up would, between the tab header and the buttons.
    bool AcceptsFocusFromKeyboard() const override { return !built_ || wxPanel::AcceptsFocusFromKeyboard(); }
    // Places the built controls again, for a new font or page size.
    void layOut(const WxTextMeasure& measure, DialogSize size);

    // Runs the focus-loss rule of the field that holds the focus, so that text
    // typed but not yet committed reaches the state before a command runs.
    virtual void commitEdits() {}

    // Shows what the state holds for this page: when it is built and after a load.
    virtual void showState() = 0;

protected:
    virtual void build() = 0;
    virtual void place(const WxTextMeasure& measure, DialogSize size) = 0;

    AppState& state_;
    DialogServices& services_;

private:
    bool built_ = false;
};

// A page made from a fixed template: the enemy, friend and memo pages.
class CTemplatePage : public CPage {
public:
    DialogSize neededSize(const TextMeasure& measure) const override { return fitDialog(layout_, measure).size; }

protected:
    CTemplatePage(wxWindow* parent, AppState& state, DialogServices& services, const templates::Dialog& layout);

    // Makes the template's controls; those of the kinds it leaves to the page through `makeOwn`.
    void makeControls(const MakeOwnControl& makeOwn);
    void place(const WxTextMeasure& measure, DialogSize size) override;

private:
    const templates::Dialog& layout_;
    TemplateWindows windows_;
};

}  // namespace vellconf
