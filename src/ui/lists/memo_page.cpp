#include <wx/textctrl.h>

#include <algorithm>

#include "ui/lists/list_pages.h"
#include "config/memo.h"
#include "res/dialog_templates.h"
#include "config/messages.h"
#include "ui/dialog_services.h"
#include "ui/wx_text.h"

namespace vellconf {

namespace {

std::size_t fieldBytes(const wxString& text) { return memoFieldBytes(toCp932(text)); }

// An index into GetValue() as a caret position: Windows' multi-line edit
// counts each line break as its two characters, GTK as one.
long caretAt(const wxString& text, std::size_t index) {
    long position = static_cast<long>(index);
#ifdef __WXMSW__
    position += std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(index), '\n');
#else
    (void)text;
#endif
    return position;
}

std::string tooLongMessage() { return messages::withArgs(messages::kMemoTooLong, {std::to_string(kMemoMaxBytes)}); }

}  // namespace

struct CMemoPage::Impl {
    wxTextCtrl* field = nullptr;
    // The field's text as last accepted within the byte limit (or as shown by a load).
    wxString accepted;
    // The field's text as last shown or taken into the state: leaving the field
    // changes the state only when the text differs, so that a memo the field
    // cannot show as it is (a NUL, a byte pair no character has) is kept byte
    // for byte until the user edits it, and its length is said once per edit.
    wxString taken;
    bool checkPending = false;
    // Destroying a focused field takes its focus away; that is no edit to keep.
    bool closing = false;

    // wx text controls take the record's "\n" line ends on every platform
    // (wxMSW gives the Windows edit control its CR LF).
    void show(std::string_view cp932) {
        wxString text = fromCp932(cp932);
        text.Replace(wxString(wxUniChar(0)), wxString(wxUniChar(0xFFFD)));  // no text field shows a NUL
        field->ChangeValue(text);
        accepted = taken = field->GetValue();
        checkPending = false;
    }

    // The byte limit of typing and pasting. Neither toolkit can limit a field by
    // CP932 bytes, so an edit that overshoots keeps only what fits of the text
    // it inserted, as a limited Windows edit control does with a paste.
    void enforceLimit() {
        checkPending = false;
        const wxString now = field->GetValue();
        if (now == accepted) return;
        if (fieldBytes(now) <= kMemoMaxBytes) {
            accepted = now;
            return;
        }
        // The edit replaced accepted[head, accepted.length() - tail) by what stands between them now.
        std::size_t head = 0;
        while (head < now.length() && head < accepted.length() && now[head] == accepted[head]) ++head;
        std::size_t tail = 0;
        const std::size_t shorter = std::min(now.length(), accepted.length());
        while (head + tail < shorter && now[now.length() - 1 - tail] == accepted[accepted.length() - 1 - tail]) ++tail;
        const wxString inserted = now.Mid(head, now.length() - head - tail);

        std::size_t used = fieldBytes(now.Left(head) + now.Right(tail));
        wxString fitting;
        for (const wxUniChar c : inserted) {
            const std::size_t cost = fieldBytes(wxString(c));
            if (used + cost > kMemoMaxBytes) break;
            used += cost;
            fitting += c;
        }
        accepted = now.Left(head) + fitting + now.Right(tail);
        field->ChangeValue(accepted);
        field->SetInsertionPoint(caretAt(accepted, head + fitting.length()));
    }
};

CMemoPage::CMemoPage(wxWindow* parent, AppState& state, DialogServices& services)
    : CTemplatePage(parent, state, services, templates::memoPage()), impl_(std::make_unique<Impl>()) {}

void CMemoPage::build() {
    Impl& m = *impl_;
    makeControls([this, &m](const templates::Control& control) {
        // Lines wrap at the field's width (no horizontal scroll bar); Enter is a line break.
        m.field = new wxTextCtrl(this, control.id, wxString(), wxDefaultPosition, wxSize(1, 1),
                                 wxTE_MULTILINE | wxTE_BESTWRAP | wxVSCROLL);
        return m.field;
    });

    // Checked once the toolkit has finished the edit: changing a GTK text
    // buffer from inside its own change notification upsets the caret.
    m.field->Bind(wxEVT_TEXT, [this](wxCommandEvent& event) {
        event.Skip();
        if (impl_->checkPending) return;
        impl_->checkPending = true;
        CallAfter([this] {
            if (impl_->checkPending) impl_->enforceLimit();
        });
    });
    m.field->Bind(wxEVT_KILL_FOCUS, [this](wxFocusEvent& event) {
        event.Skip();
        if (!impl_->closing) updateMemo();
    });
}

CMemoPage::~CMemoPage() {
    impl_->closing = true;
    DestroyChildren();
}

void CMemoPage::commitEdits() {
    if (impl_->field && wxWindow::FindFocus() == impl_->field) updateMemo();
}

void CMemoPage::showState() {
    // Not checked against the limit: LF growing to CR LF can take a loaded memo
    // past it, and leaving the field then says so.
    impl_->show(state_.memo);
}

void CMemoPage::updateMemo() {
    Impl& m = *impl_;
    if (m.checkPending) m.enforceLimit();
    if (m.field->GetValue() == m.taken) return;
    m.taken = m.field->GetValue();
    const std::string text = toCp932(m.taken);
    if (memoFieldBytes(text) > kMemoMaxBytes) {
        services_.showWarning(this, tooLongMessage());
        CallAfter([this] { impl_->field->SetFocus(); });
    }
    // Copied even when too long: the message asks the user to shorten it, the save keeps what is there.
    state_.memo = text;
}

}  // namespace vellconf
