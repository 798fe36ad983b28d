#pragma once
// The bound values of one setting page: what each of its editing controls
// shows, and the rules by which a change of a control reaches the settings
// record. It needs no window, so every page has its values from start-up,
// whether or not its controls have been built; the window only copies them to
// and from its controls.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/ai_settings.h"
#include "pages/page_tables.h"

namespace vellconf {

// When the bound values are read from the record: the radio groups choose
// differently for a value no button writes.
enum class ReadOccasion { Init, Load };

class PageState {
public:
    struct Bound {
        const ControlSpec* spec = nullptr;
        int index = 0;     // check box 1 or 0; radio button index or kNoButton
        std::string text;  // numeric field, UTF-8, exactly as typed
    };

    explicit PageState(const PageTable& table);

    const PageTable& table() const { return *table_; }
    // One per editing control of the table, in reading order.
    std::vector<Bound>& bound() { return bound_; }
    const std::vector<Bound>& bound() const { return bound_; }
    // The bound value of the control that edits `key`, if it is on this page.
    std::optional<std::size_t> boundFor(std::string_view key) const;

    void read(const AiSettings& settings, ReadOccasion occasion);

    // What a change of control `i` writes into the record, with its bound value:
    // a check box 1 or 0, a radio button its own value (the rotation kind its
    // two keys), a field's text the clamped value. `commitField` leaves the
    // clamped text as the bound text.
    void setCheck(std::size_t i, bool checked, AiSettings& settings);
    void selectButton(std::size_t i, std::size_t button, AiSettings& settings);
    void commitField(std::size_t i, std::string_view typed, AiSettings& settings);

    // Whether the controls that follow rotation are enabled; true on pages without them.
    bool rotationDependentsEnabled(const AiSettings& settings) const;

private:
    const PageTable* table_;
    std::vector<Bound> bound_;
    bool followsRotation_ = false;  // the page holds the rotation kind
};

// One state per setting page, in the order of settingPages(), read from the record.
std::vector<PageState> pageStates(const AiSettings& settings, ReadOccasion occasion);

}  // namespace vellconf
