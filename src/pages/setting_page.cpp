// The page pattern shared by the twelve setting pages: controls made from the
// page table, one bound value per editing control, and the handlers that write
// a setting the moment its control changes (a numeric field when it loses the
// focus, after clamping).

#include <wx/checkbox.h>
#include <wx/radiobut.h>
#include <wx/textctrl.h>

#include <algorithm>
#include <string>

#include "config/decimal.h"
#include "pages/field_rules.h"
#include "pages/page_layout.h"
#include "pages/setting_pages.h"
#include "pages/spin_arrows.h"
#include "ui/compact_style.h"
#include "ui/wx_text.h"

namespace vellconf {

namespace {

std::string toUtf8(const wxString& text) { return std::string(text.utf8_str()); }

}  // namespace

// ---- Bound values and handlers ---------------------------------------------------------

struct CSettingPage::Impl {
    // One editing control: its windows and its bound value.
    struct Bound {
        const ControlSpec* spec = nullptr;
        wxCheckBox* check = nullptr;
        std::vector<wxRadioButton*> buttons;
        wxRadioButton* noButton = nullptr;
        wxTextCtrl* field = nullptr;
        SpinArrows* spin = nullptr;
        int index = 0;  // check box 1 or 0; radio button index or kNoButton
        wxString text;  // numeric field, exactly as typed
    };

    Impl(CSettingPage& page, AppState& state) : page(page), state(state) {}

    CSettingPage& page;
    AppState& state;
    std::vector<Bound> bound;
    bool followsRotation = false;  // the page holds the rotation kind
    // Set while a load is shown and while the children go: disabling or
    // destroying the focused field makes it lose the focus, and that must
    // neither clamp a loaded value nor reach bound values already gone.
    bool ignoreFocusLoss = false;

    std::int32_t& setting(std::string_view key) { return state.settings.*findSetting(key)->member; }

    void build(const PageTable& table) {
        std::vector<SectionWindows> sections;
        for (const PageSection& section : table.sections) {
            SectionWindows& made = sections.emplace_back();
            // Made before its rows, so that it lies beneath them.
            if (!section.groupBox.empty()) made.box = new wxStaticBox(&page, wxID_ANY, fromUtf8(section.groupBox));
            for (const PageRow& row : section.rows) {
                RowWindows& windows = made.rows.emplace_back();
                for (const ControlSpec& control : row.controls) windows.push_back(create(control));
            }
        }
        layOutPage(&page, sections);
    }

    ControlWindows create(const ControlSpec& spec) {
        ControlWindows made;
        made.spec = &spec;
        const wxString name = fromUtf8(spec.key);
        if (spec.kind == ControlKind::Label) {
            made.windows.push_back(new wxStaticText(&page, wxID_ANY, fromUtf8(spec.text)));
            return made;
        }
        const std::size_t i = bound.size();
        Bound& b = bound.emplace_back();
        b.spec = &spec;
        switch (spec.kind) {
            case ControlKind::CheckBox:
                b.check = new wxCheckBox(&page, wxID_ANY, fromUtf8(spec.text), wxDefaultPosition, wxDefaultSize, 0,
                                         wxDefaultValidator, name);
                b.check->Bind(wxEVT_CHECKBOX, [this, i](wxCommandEvent&) { onCheckBox(i); });
                made.windows.push_back(b.check);
                break;
            case ControlKind::RadioGroup:
            case ControlKind::RotationKind:
                followsRotation |= spec.kind == ControlKind::RotationKind;
                for (std::size_t n = 0; n < spec.radio.buttons.size(); ++n) {
                    auto* button = new wxRadioButton(&page, wxID_ANY, fromUtf8(spec.radio.buttons[n].label),
                                                     wxDefaultPosition, wxDefaultSize, n == 0 ? wxRB_GROUP : 0,
                                                     wxDefaultValidator, name + "#" + std::to_string(n));
                    button->Bind(wxEVT_RADIOBUTTON, [this, i, n](wxCommandEvent&) { onRadioButton(i, n); });
                    b.buttons.push_back(button);
                    made.windows.push_back(button);
                }
                // GTK cannot clear every button of a group, so "no button" selects
                // this hidden last member instead.
                b.noButton = new wxRadioButton(&page, wxID_ANY, wxString());
                b.noButton->Hide();
                break;
            case ControlKind::NumericField:
                if (!spec.text.empty()) made.caption = new wxStaticText(&page, wxID_ANY, fromUtf8(spec.text));
                b.field = new wxTextCtrl(&page, wxID_ANY, wxString(), wxDefaultPosition, wxDefaultSize,
                                         spec.align == FieldAlign::Left ? wxTE_LEFT : wxTE_RIGHT, wxDefaultValidator,
                                         name);
                makeSlim(b.field);
                b.field->Bind(wxEVT_KILL_FOCUS, [this, i](wxFocusEvent& event) {
                    event.Skip();
                    commitField(i);
                });
                b.field->Bind(wxEVT_KEY_DOWN, [this, i](wxKeyEvent& event) { onFieldKey(i, event); });
                b.spin = new SpinArrows(&page, name + "#spin", [this, i](SpinArrow arrow) {
                    bound[i].field->SetFocus();
                    stepField(i, arrow);
                });
                made.windows = {b.field, b.spin};
                if (!spec.unit.empty()) made.windows.push_back(new wxStaticText(&page, wxID_ANY, fromUtf8(spec.unit)));
                break;
            default:
                break;
        }
        return made;
    }

    // The bound values from the settings record: once when the page is made, and
    // after each load, whose radio rules differ for values no button writes.
    void readSettings(bool afterLoad) {
        ignoreFocusLoss = afterLoad;
        for (Bound& b : bound) {
            const ControlSpec& spec = *b.spec;
            const std::int32_t value = setting(spec.key);
            switch (spec.kind) {
                case ControlKind::CheckBox:
                    b.index = value == 1 ? 1 : 0;
                    break;
                case ControlKind::RadioGroup:
                    b.index = afterLoad ? radioIndexOnLoad(spec.radio, value) : radioIndexOnInit(spec.radio, value);
                    break;
                case ControlKind::RotationKind:
                    b.index = rotationKindIndex(value, setting(spec.secondKey));
                    break;
                case ControlKind::NumericField:
                    b.text = fromUtf8(formatInt(value));
                    break;
                default:
                    break;
            }
        }
        page.ExchangeData(Direction::ToControls);
        followRotation();
        ignoreFocusLoss = false;
    }

    void exchange(Bound& b, Direction direction) {
        const bool toControls = direction == Direction::ToControls;
        if (b.check) {
            if (toControls) b.check->SetValue(b.index == 1);
            else b.index = b.check->GetValue() ? 1 : 0;
        } else if (b.field) {
            if (!toControls) b.text = b.field->GetValue();
            else if (b.field->GetValue() != b.text) b.field->ChangeValue(b.text);  // keeps the caret of untouched fields
        } else if (toControls) {
            const bool shown = b.index >= 0 && b.index < static_cast<int>(b.buttons.size());
            (shown ? b.buttons[b.index] : b.noButton)->SetValue(true);
        } else {
            const auto selected = std::find_if(b.buttons.begin(), b.buttons.end(),
                                               [](const wxRadioButton* button) { return button->GetValue(); });
            b.index = selected == b.buttons.end() ? kNoButton : static_cast<int>(selected - b.buttons.begin());
        }
    }

    void onCheckBox(std::size_t i) {
        page.ExchangeData(Direction::FromControls);
        setting(bound[i].spec->key) = bound[i].index == 1 ? 1 : 0;
    }

    // The value written is the button's own, whatever index the group held before.
    void onRadioButton(std::size_t i, std::size_t button) {
        page.ExchangeData(Direction::FromControls);
        const ControlSpec& spec = *bound[i].spec;
        const std::int32_t value = spec.radio.buttons[button].value;
        if (spec.kind == ControlKind::RotationKind) {
            applyRotationKind(state.settings, value);
            followRotation();
        } else {
            setting(spec.key) = value;
        }
    }

    // The only way typed text reaches the settings: clamped to the field's bounds.
    void commitField(std::size_t i) {
        if (ignoreFocusLoss) return;
        page.ExchangeData(Direction::FromControls);
        Bound& b = bound[i];
        const FieldCommit commit = vellconf::commitField(toUtf8(b.text), b.spec->bounds());
        if (const wxString shown = fromUtf8(commit.text); shown != b.text) {
            b.text = shown;
            page.ExchangeData(Direction::ToControls);
        }
        setting(b.spec->key) = commit.value;
    }

    // A spin step only changes the text; the focus loss commits it later.
    void stepField(std::size_t i, SpinArrow arrow) {
        wxTextCtrl* field = bound[i].field;
        if (const auto text = spinStep(toUtf8(field->GetValue()), bound[i].spec->bounds(), arrow)) {
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
        for (const Bound& b : bound) {
            if (!isRotationDependent(*b.spec)) continue;
            for (wxRadioButton* button : b.buttons) button->Enable(enable);
            if (b.field) b.field->Enable(enable);
            if (b.spin) b.spin->Enable(enable);
        }
    }

    void followRotation() {
        if (followsRotation) enableRotationDependents(rotationControlsEnabled(state.settings.FlagRotateFunction));
    }
};

CSettingPage::CSettingPage(wxWindow* parent, AppState& state, DialogServices& services, const PageTable& table)
    : CPage(parent, state, services), table_(table), impl_(std::make_unique<Impl>(*this, state)) {
    impl_->build(table);
    impl_->readSettings(false);
}

CSettingPage::~CSettingPage() {
    // The children outlive this body otherwise; a focus loss while they go must
    // not reach bound values that are already gone.
    impl_->ignoreFocusLoss = true;
    DestroyChildren();
}

void CSettingPage::commitEdits() {
    const wxWindow* focus = wxWindow::FindFocus();
    for (std::size_t i = 0; i < impl_->bound.size(); ++i)
        if (focus && impl_->bound[i].field == focus) impl_->commitField(i);
}

void CSettingPage::showLoaded(const LoadedConfig&) { impl_->readSettings(true); }

void CSettingPage::ExchangeData(Direction direction) {
    for (Impl::Bound& b : impl_->bound) impl_->exchange(b, direction);
}

void CSettingPage::enableRotationDependents(bool enable) { impl_->enableRotationDependents(enable); }

}  // namespace vellconf
