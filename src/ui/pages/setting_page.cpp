// The page pattern shared by the twelve setting pages: controls made from the
// page table and bound to the page's state, and the handlers that pass each
// change to that state the moment its control changes (a numeric field when
// it loses the focus).

#include <wx/checkbox.h>
#include <wx/radiobut.h>
#include <wx/statbox.h>
#include <wx/textctrl.h>

#include <string>

#include "pages/page_layout.h"
#include "ui/pages/setting_pages.h"
#include "ui/pages/spin_arrows.h"
#include "ui/compact_style.h"
#include "ui/label.h"
#include "ui/wx_text.h"

namespace vellconf {

namespace {

std::string toUtf8(const wxString& text) { return std::string(text.utf8_str()); }

// Made at their final size by the layout; a size given here keeps the toolkit
// from measuring each control as it is made.
const wxSize kSizedByLayout(1, 1);

// The windows made for the page table, parallel to it and to its placement.
struct ControlWindows {
    wxStaticText* caption = nullptr;
    std::vector<wxWindow*> parts;
};

struct SectionWindows {
    wxStaticBox* box = nullptr;  // none for the plain part of a page
    std::vector<std::vector<ControlWindows>> rows;
};

}  // namespace

struct CSettingPage::Impl {
    // The windows of one bound value.
    struct Controls {
        wxCheckBox* check = nullptr;
        std::vector<wxRadioButton*> buttons;
        wxRadioButton* noButton = nullptr;
        wxTextCtrl* field = nullptr;
        CSpinArrows* spin = nullptr;
    };

    Impl(CSettingPage& page, AppState& state, PageState& values) : page(page), state(state), values(values) {}

    CSettingPage& page;
    AppState& state;
    PageState& values;
    std::vector<Controls> controls;  // parallel to values.bound(), once built
    std::vector<SectionWindows> sections;  // parallel to the page table, once built
    // Set while the state is shown and while the children go: disabling or
    // destroying the focused field makes it lose the focus, and that must
    // neither clamp a loaded value nor reach controls already gone.
    bool ignoreFocusLoss = false;

    void build() {
        for (const PageSection& section : values.table().sections) {
            SectionWindows& made = sections.emplace_back();
            // Made before its rows, so that it lies beneath them.
            if (!section.groupBox.empty())
                made.box = new wxStaticBox(&page, wxID_ANY, fromUtf8(section.groupBox), wxDefaultPosition,
                                           kSizedByLayout);
            for (const PageRow& row : section.rows) {
                auto& windows = made.rows.emplace_back();
                for (const ControlSpec& control : row.controls) windows.push_back(create(control));
            }
        }
    }

    void place(const TextMeasure& measure, const DialogScale& scale, DialogSize size) {
        const PagePlacement placement = layOutPage(values.table(), measure, size);
        for (std::size_t s = 0; s < sections.size(); ++s) {
            const SectionPlacement& placed = placement.sections[s];
            if (sections[s].box) placeAt(sections[s].box, scale, placed.box);
            for (std::size_t r = 0; r < sections[s].rows.size(); ++r)
                for (std::size_t c = 0; c < sections[s].rows[r].size(); ++c) {
                    const ControlWindows& windows = sections[s].rows[r][c];
                    const ControlPlacement& at = placed.rows[r][c];
                    if (windows.caption) placeAt(windows.caption, scale, at.caption);
                    for (std::size_t p = 0; p < windows.parts.size(); ++p) placeAt(windows.parts[p], scale, at.parts[p]);
                }
        }
    }

    wxStaticText* label(std::string_view text) {
        return new CLabel(&page, wxID_ANY, fromUtf8(text), wxRect(wxDefaultPosition, kSizedByLayout));
    }

    ControlWindows create(const ControlSpec& spec) {
        ControlWindows made;
        if (spec.kind == ControlKind::Label) {
            made.parts.push_back(label(spec.text));
            return made;
        }
        const std::size_t i = controls.size();
        Controls& c = controls.emplace_back();
        const wxString name = fromUtf8(spec.key);
        switch (spec.kind) {
            case ControlKind::CheckBox:
                c.check = new wxCheckBox(&page, wxID_ANY, fromUtf8(spec.text), wxDefaultPosition, kSizedByLayout, 0,
                                         wxDefaultValidator, name);
                c.check->Bind(wxEVT_CHECKBOX, [this, i](wxCommandEvent&) { onCheckBox(i); });
                made.parts.push_back(c.check);
                break;
            case ControlKind::RadioGroup:
            case ControlKind::RotationKind:
                for (std::size_t n = 0; n < spec.radio.buttons.size(); ++n) {
                    auto* button = new wxRadioButton(&page, wxID_ANY, fromUtf8(spec.radio.buttons[n].label),
                                                     wxDefaultPosition, kSizedByLayout, n == 0 ? wxRB_GROUP : 0,
                                                     wxDefaultValidator, name + "#" + std::to_string(n));
                    button->Bind(wxEVT_RADIOBUTTON, [this, i, n](wxCommandEvent&) { onRadioButton(i, n); });
                    c.buttons.push_back(button);
                    made.parts.push_back(button);
                }
                // GTK cannot clear every button of a group, so "no button" selects
                // this hidden last member instead.
                c.noButton = new wxRadioButton(&page, wxID_ANY, wxString(), wxDefaultPosition, kSizedByLayout);
                c.noButton->Hide();
                break;
            case ControlKind::NumericField:
                if (!spec.text.empty()) made.caption = label(spec.text);
                c.field = new wxTextCtrl(&page, wxID_ANY, wxString(), wxDefaultPosition, kSizedByLayout,
                                         spec.align == FieldAlign::Left ? wxTE_LEFT : wxTE_RIGHT, wxDefaultValidator,
                                         name);
                makeSlim(c.field);
                c.field->Bind(wxEVT_KILL_FOCUS, [this, i](wxFocusEvent& event) {
                    event.Skip();
                    commitField(i);
                });
                c.field->Bind(wxEVT_KEY_DOWN, [this, i](wxKeyEvent& event) { onFieldKey(i, event); });
                c.spin = new CSpinArrows(&page, name + "#spin", [this, i](SpinArrow arrow) {
                    controls[i].field->SetFocus();
                    stepField(i, arrow);
                });
                made.parts = {c.field, c.spin};
                if (!spec.unit.empty()) made.parts.push_back(label(spec.unit));
                break;
            case ControlKind::Label:
                break;
        }
        return made;
    }

    void show() {
        ignoreFocusLoss = true;
        page.ExchangeData();
        followRotation();
        ignoreFocusLoss = false;
    }

    // Shows one bound value in its control.
    void showBound(const PageState::Bound& b, const Controls& c) {
        if (c.check) {
            c.check->SetValue(b.index == 1);
        } else if (c.field) {
            // Only a changed text is set, which keeps the caret of untouched fields.
            if (const wxString text = fromUtf8(b.text); c.field->GetValue() != text) c.field->ChangeValue(text);
        } else {
            const bool shown = b.index >= 0 && b.index < static_cast<int>(c.buttons.size());
            (shown ? c.buttons[static_cast<std::size_t>(b.index)] : c.noButton)->SetValue(true);
        }
    }

    // Each handler passes its own control's new value to the page's state.
    void onCheckBox(std::size_t i) { values.setCheck(i, controls[i].check->GetValue(), state.settings); }

    void onRadioButton(std::size_t i, std::size_t button) {
        values.selectButton(i, button, state.settings);
        followRotation();
    }

    void commitField(std::size_t i) {
        if (ignoreFocusLoss) return;
        values.commitField(i, toUtf8(controls[i].field->GetValue()), state.settings);
        showBound(values.bound()[i], controls[i]);  // the clamped text, if it was clamped
    }

    // A spin step only changes the text; the focus loss commits it later.
    void stepField(std::size_t i, SpinArrow arrow) {
        wxTextCtrl* field = controls[i].field;
        if (const auto text = spinStep(toUtf8(field->GetValue()), values.bound()[i].spec->bounds(), arrow)) {
            field->ChangeValue(fromUtf8(*text));
            field->SetInsertionPointEnd();
        }
    }

    void onFieldKey(std::size_t i, wxKeyEvent& event) {
        switch (event.GetKeyCode()) {
            case WXK_UP:
            case WXK_NUMPAD_UP:
                stepField(i, SpinArrow::Up);
                break;
            case WXK_DOWN:
            case WXK_NUMPAD_DOWN:
                stepField(i, SpinArrow::Down);
                break;
            default:
                event.Skip();
        }
    }

    void enableRotationDependents(bool enable) {
        for (std::size_t i = 0; i < controls.size(); ++i) {
            if (!isRotationDependent(*values.bound()[i].spec)) continue;
            const Controls& c = controls[i];
            for (wxRadioButton* button : c.buttons) button->Enable(enable);
            if (c.field) c.field->Enable(enable);
            if (c.spin) c.spin->Enable(enable);
        }
    }

    void followRotation() { enableRotationDependents(values.rotationDependentsEnabled(state.settings)); }
};

CSettingPage::CSettingPage(wxWindow* parent, AppState& state, DialogServices& services, const PageTable& table)
    : CPage(parent, state, services), table_(table), impl_(std::make_unique<Impl>(*this, state, state.page(table))) {}

CSettingPage::~CSettingPage() {
    // The children outlive this body otherwise; a focus loss while they go must
    // not reach controls that are already gone.
    impl_->ignoreFocusLoss = true;
    DestroyChildren();
}

DialogSize CSettingPage::neededSize(const TextMeasure& measure) const { return layOutPage(table_, measure).size; }

void CSettingPage::build() { impl_->build(); }

void CSettingPage::place(const WxTextMeasure& measure, DialogSize size) { impl_->place(measure, measure.scale(), size); }

void CSettingPage::commitEdits() {
    const wxWindow* focus = wxWindow::FindFocus();
    for (std::size_t i = 0; i < impl_->controls.size(); ++i)
        if (focus && impl_->controls[i].field == focus) impl_->commitField(i);
}

void CSettingPage::showState() { impl_->show(); }

void CSettingPage::ExchangeData() {
    const auto& bound = impl_->values.bound();
    for (std::size_t i = 0; i < impl_->controls.size(); ++i) impl_->showBound(bound[i], impl_->controls[i]);
}

}  // namespace vellconf
