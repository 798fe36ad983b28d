#pragma once
// Shared pieces of the window tests: scripted dialogs, a scratch program
// folder, and helpers that drive real controls.

#include <wx/app.h>
#include <wx/button.h>
#include <gtest/gtest.h>
#include <wx/checkbox.h>
#include <wx/dcclient.h>
#include <wx/radiobut.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>
#include <wx/utils.h>
#include <wx/window.h>

#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

#include "app/app_state.h"
#include "config/settings_catalogue.h"
#include "test_support.h"
#include "ui/dialog_services.h"
#include "ui/main_dlg.h"
#include "ui/page.h"

namespace vellconf::test {

// Answers the modal helpers from queues and records every message shown.
class FakeDialogServices final : public DialogServices {
public:
    using Path = std::filesystem::path;
    std::deque<std::optional<Path>> filesToLoad, filesToSave, folders;
    std::vector<std::string> errors, warnings;
    std::vector<Path> initialFolders;

    std::optional<Path> chooseFileToLoad(wxWindow*, const Path& folder) override { return next(filesToLoad, folder); }
    std::optional<Path> chooseFileToSave(wxWindow*, const Path& folder) override { return next(filesToSave, folder); }
    std::optional<Path> chooseFolder(wxWindow*, std::string_view, const Path& initial) override { return next(folders, initial); }
    void showError(wxWindow*, std::string_view text) override { errors.emplace_back(text); }
    void showWarning(wxWindow*, std::string_view text) override { warnings.emplace_back(text); }

private:
    std::optional<Path> next(std::deque<std::optional<Path>>& answers, const Path& initialFolder) {
        initialFolders.push_back(initialFolder);
        if (answers.empty()) return std::nullopt;
        const auto answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

inline void yieldToWindow() {
    for (int i = 0; i < 3; ++i) wxTheApp->Yield(true);
}

// Yields to the window until `done` holds, or a second has passed: a busy machine is slow.
template <typename Condition>
void waitUntil(const Condition& done) {
    for (int wait = 0; wait < 100 && !done(); ++wait) {
        yieldToWindow();
        wxMilliSleep(10);
    }
    yieldToWindow();
}

// A plain mouse click at a point of a window, as the user's arrives: through the toolkit's own input, or on Windows
// (Wine gives a test's simulated input to no window) as the window's own messages. Waits until `arrived` holds.
template <typename Condition>
void mouseClick(wxWindow* window, wxPoint at, const Condition& arrived) {
#ifdef __WXMSW__
    const HWND handle = static_cast<HWND>(window->GetHandle());
    ::SendMessage(handle, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    ::SendMessage(handle, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
#else
    wxUIActionSimulator mouse;
    mouse.MouseMove(window->ClientToScreen(at));
    mouse.MouseClick();
#endif
    waitUntil(arrived);
}

// Finds a control by the name it was given (a setting page names each after its key).
template <typename Control = wxWindow>
Control* findNamed(wxWindow* parent, const std::string& name) {
    return dynamic_cast<Control*>(wxWindow::FindWindowByName(name, parent));
}

// A click as the window would deliver it: a button's, a check box's (which
// toggles it) or a radio button's (which turns it on).
template <typename Control>
void click(Control* control) {
    wxEventType type = wxEVT_BUTTON;
    if constexpr (std::is_same_v<Control, wxCheckBox>) {
        control->SetValue(!control->GetValue());
        type = wxEVT_CHECKBOX;
    } else if constexpr (std::is_same_v<Control, wxRadioButton>) {
        control->SetValue(true);
        type = wxEVT_RADIOBUTTON;
    }
    wxCommandEvent event(type, control->GetId());
    event.SetEventObject(control);
    if constexpr (!std::is_same_v<Control, wxButton>) event.SetInt(control->GetValue());
    control->ProcessWindowEvent(event);
    yieldToWindow();
}
// The focus taken away from a field, as leaving it would; typed into first.
inline void leave(wxTextCtrl* field) {
    field->SetFocus();
    yieldToWindow();
    wxFocusEvent lost(wxEVT_KILL_FOCUS, field->GetId());
    lost.SetEventObject(field);
    field->ProcessWindowEvent(lost);
    yieldToWindow();
}
inline void typeAndLeave(wxTextCtrl* field, const wxString& text) {
    field->SetFocus();
    field->ChangeValue(text);
    leave(field);
}

// A control as a failure names it: its class, label or name, and where it lies.
inline std::string describe(const wxWindow* w) {
    const wxRect r = w->GetRect();
    const wxString text = w->GetLabel().empty() ? w->GetName() : w->GetLabel();
    return std::string(wxString(w->GetClassInfo()->GetClassName()).utf8_str()) + " \"" + std::string(text.utf8_str()) + "\" at " +
           std::to_string(r.x) + "," + std::to_string(r.y) + " " + std::to_string(r.width) + "x" + std::to_string(r.height);
}

// Every shown control of `container` lies inside it, shows its whole text, overlaps no other control and stays either
// inside a group box's frame or clear of it: what the user would see as cut or crossing text. Fields and lists take
// the size the layout gives them; labels and buttons must be at least as large as their text needs in the font they
// really use.
inline void expectLayoutFits(wxWindow* container) {
    const wxRect area(container->GetClientSize());
    std::vector<const wxWindow*> boxes, controls;
    for (const wxWindow* w : container->GetChildren()) {
        if (!w->IsShown() || w->IsTopLevel()) continue;
        EXPECT_TRUE(area.Contains(w->GetRect()))
            << "outside the window: " << w->GetLabel() << " right " << w->GetRect().GetRight() << ", bottom "
            << w->GetRect().GetBottom() << " in " << area.width << "x" << area.height;
        (dynamic_cast<const wxStaticBox*>(w) ? boxes : controls).push_back(w);
    }
    for (const wxWindow* w : controls) {
        // A button's frame and a label need only their text's room; a check
        // box or radio button its indicator as well, which its best size holds.
        wxSize needed;
        if (dynamic_cast<const wxStaticText*>(w) || dynamic_cast<const wxButton*>(w)) {
            wxClientDC dc(const_cast<wxWindow*>(w));
            dc.SetFont(w->GetFont());
            needed = dc.GetMultiLineTextExtent(wxStripMenuCodes(w->GetLabel()));
            if (dynamic_cast<const wxButton*>(w)) needed += wxSize(4, 2);
        } else if (dynamic_cast<const wxCheckBox*>(w) || dynamic_cast<const wxRadioButton*>(w)) {
            needed = w->GetBestSize();
        }
        if (needed.x > 0) {
            EXPECT_TRUE(wxRect(w->GetSize()).Contains(wxRect(needed))) << "cut: " << w->GetLabel();
        }
        for (const wxWindow* box : boxes) {
            // The frame's line with a little air, and along the top the box's own label.
            constexpr int kAir = 3;
            const int top = box->GetLabel().empty() ? kAir : box->GetCharHeight();
            const wxRect frame = box->GetRect();
            const wxRect inside(frame.x + kAir, frame.y + top, frame.width - 2 * kAir, frame.height - top - kAir);
            if (frame.Intersects(w->GetRect())) {
                EXPECT_TRUE(inside.Contains(w->GetRect())) << describe(w) << " crosses the frame of " << box->GetLabel();
            }
        }
    }
    for (std::size_t i = 0; i < controls.size(); ++i)
        for (std::size_t j = i + 1; j < controls.size(); ++j)
            EXPECT_FALSE(controls[i]->GetRect().Intersects(controls[j]->GetRect()))
                << describe(controls[i]) << " / " << describe(controls[j]);
}

// The main window over a program folder of its own, opened after its side files are written; a test that needs other
// side files writes them and opens the window again.
class MainWindow : public ::testing::Test {
protected:
    void SetUp() override {
        state.sideFolder = sideFolder.path();
        writeSideFiles();
        openWindow();
    }
    void writeSideFiles() {
        writeBytes(state.mobDataFile(), "1002 poring 1 - - - - - - - - - - - - - - - - -\r\n"
                                        "1113 drops 3 - - - - - - - - - - - - - - - - -\r\n");
        writeBytes(state.friendFile(), "123 taro\r\n456 hana\r\n");
        writeBytes(sideFolder / "VellConf.ini", "[PATH]\r\nSetPath = \"" + aiFolder.path().string() +
                                                    "\"\r\nLibPath = \"" + libFolder.path().string() + "\"\r\n");
    }
    void TearDown() override {
        if (dialog) dialog->Destroy();
        yieldToWindow();
    }
    void openWindow() {
        if (dialog) dialog->Destroy();
        dialog = new CMainDlg(state, services);
        dialog->Show();
        yieldToWindow();
    }

    wxButton* button(int id) { return static_cast<wxButton*>(dialog->FindWindow(id)); }
    void press(int id) { click(button(id)); }
    // A tab's page, chosen as a click on its tab would.
    CPage* page(int tab) {
        dialog->selectTab(tab);
        yieldToWindow();
        return dialog->page(tab);
    }
    std::string saved() { return fileBytes(aiFolder / "Config.lua").value_or(""); }

    ScratchDir sideFolder, aiFolder, libFolder;
    AppState state;
    FakeDialogServices services;
    CMainDlg* dialog = nullptr;
};

}  // namespace vellconf::test
