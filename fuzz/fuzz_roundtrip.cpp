// Save then load: a record the pages can produce, two ID lists of any length
// and a memo up to the field's limit are written with writeConfigLua, saved
// again as another editor might (CR-only or LF line ends, UTF-8), and read back
// with loadConfig. Everything must come back (FlagRotateInfinity only while
// rotation is on: with rotation off a load keeps the value the record had),
// and saving what was loaded must give the same bytes again. A memo the save
// refuses must be one that would not read back.

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/ai_settings.h"
#include "config/config_io.h"
#include "config/config_loader.h"
#include "config/config_writer.h"
#include "config/cp932.h"
#include "config/settings_catalogue.h"
#include "fuzz_support.h"
#include "config/memo.h"
#include "pages/page_tables.h"

using namespace vellconf;

namespace {

// Every setting set the way its control can set it.
AiSettings randomSettings(FuzzedDataProvider& input) {
    AiSettings s = startupSettings();
    for (const PageTable& page : settingPages()) {
        for (const ControlSpec* control : controlsOf(page)) {
            switch (control->kind) {
                case ControlKind::Label: break;
                case ControlKind::CheckBox: s.*control->setting->member = input.ConsumeBool() ? 1 : 0; break;
                case ControlKind::RadioGroup: {
                    const auto& buttons = control->radio.buttons;
                    s.*control->setting->member =
                        buttons[input.ConsumeIntegralInRange<std::size_t>(0, buttons.size() - 1)].value;
                    break;
                }
                case ControlKind::RotationKind:
                    // "No rotation" keeps whatever FlagRotateInfinity held before.
                    s.FlagRotateInfinity = input.ConsumeBool() ? 1 : 0;
                    applyRotationKind(s, input.ConsumeIntegralInRange<int>(kRotateNone, kRotateInfinity));
                    break;
                case ControlKind::NumericField:
                    s.*control->setting->member =
                        input.ConsumeIntegralInRange<std::int32_t>(control->bounds().lower, control->bounds().upper);
                    break;
            }
        }
    }
    return s;
}

// Lists of any length a user could build, each ID an item Lua reads back:
// decimal numbers (some negative) and Lua names. A long list costs the fuzzer
// a few bytes only: its IDs come from a generator seeded by the input.
std::vector<std::string> randomIds(FuzzedDataProvider& input) {
    static constexpr std::string_view kNameStart = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz_";
    static constexpr std::string_view kNameRest = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz_";
    const auto count = input.ConsumeIntegralInRange<std::size_t>(0, 3000);
    std::uint64_t state = input.ConsumeIntegral<std::uint64_t>() | 1;
    const auto next = [&] {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        return state;
    };
    std::vector<std::string> ids;
    while (ids.size() < count) {
        const std::uint64_t draw = next();
        std::string id;
        if (draw % 4 != 0) {
            id = (draw % 16 == 1 ? "-" : "") + std::to_string(draw % 100000);
        } else {
            id += kNameStart[next() % kNameStart.size()];
            for (std::uint64_t n = next() % 12; n > 0; --n) id += kNameRest[next() % kNameRest.size()];
        }
        if (isArrayItem(id)) ids.push_back(std::move(id));
    }
    return ids;
}

// One CP932 character: ASCII, a control character the memo may hold, a
// half-width katakana or a double-byte character; nothing when the bytes
// drawn are no character.
std::string randomCharacter(FuzzedDataProvider& input) {
    switch (input.ConsumeIntegralInRange<int>(0, 9)) {
        case 0: return "\n";
        case 1: return input.PickValueInArray({"\t", "[", "]", "=", "-"});
        case 2: return std::string(1, static_cast<char>(input.ConsumeIntegralInRange<int>(0xA1, 0xDF)));
        case 3:
        case 4:
        case 5: {
            // Lead bytes are 0x81..0x9F and 0xE0..0xFC: 31 and 29 of them.
            const int row = input.ConsumeIntegralInRange<int>(0, 59);
            const int lead = row < 31 ? 0x81 + row : 0xE0 + (row - 31);
            const int trail = input.ConsumeIntegralInRange<int>(0x40, 0xFC);
            std::string pair{static_cast<char>(lead), static_cast<char>(trail)};
            return cp932ToUtf8(pair) ? pair : std::string();
        }
        default: return std::string(1, static_cast<char>(input.ConsumeIntegralInRange<int>(0x20, 0x7E)));
    }
}

// Lines that resemble the memo's markers or the end of its Lua comment.
std::string nearMarker(FuzzedDataProvider& input) {
    const std::string& marker = input.ConsumeBool() ? memoStartMarker() : memoEndMarker();
    switch (input.ConsumeIntegralInRange<int>(0, 4)) {
        case 0: return marker;  // the save must refuse the memo
        case 1: return marker + " ";
        case 2: return marker.substr(1);
        case 3: return "--]";
        default: return "--" + marker;
    }
}

// A memo the memo field can hold: up to its 1024 bytes, line ends counted as
// CR LF. It may hold "]]" or marker lines, which the save refuses.
std::string randomMemo(FuzzedDataProvider& input) {
    std::string memo;
    const auto length = input.ConsumeIntegralInRange<std::size_t>(0, kMemoMaxBytes);
    while (input.remaining_bytes() > 0) {
        const std::string piece = input.ConsumeIntegralInRange<int>(0, 30) == 0 ? "\n" + nearMarker(input) + "\n"
                                                                                : randomCharacter(input);
        if (memoFieldBytes(memo + piece) > length) break;
        memo += piece;
    }
    return memo;
}

// The file as another editor may have saved it.
std::optional<std::string> asOtherEditorSaved(const std::string& written, int how) {
    const auto replaced = [&](std::string_view to) {
        std::string out;
        for (std::size_t pos = 0; pos < written.size(); ++pos) {
            if (written.compare(pos, 2, "\r\n") == 0) {
                out += to;
                ++pos;
            } else {
                out += written[pos];
            }
        }
        return out;
    };
    switch (how) {
        case 1: return replaced("\r");
        case 2: return replaced("\n");
        case 3: return cp932ToUtf8(written);
        default: return written;
    }
}

void checkSettings(const AiSettings& got, const AiSettings& expected) {
    for (const auto& setting : settingsCatalogue()) {
        if (got.*setting.member != expected.*setting.member)
            std::fprintf(stderr, "%.*s: loaded %d, saved %d\n", static_cast<int>(setting.key.size()),
                         setting.key.data(), got.*setting.member, expected.*setting.member);
    }
    FUZZ_CHECK(got == expected, "every setting loads as it was saved");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const AiSettings settings = randomSettings(input);
    const std::vector<std::string> ignoreMob = randomIds(input);
    const std::vector<std::string> friends = randomIds(input);
    const int editor = input.ConsumeIntegralInRange<int>(0, 3);
    const std::string memo = randomMemo(input);
    const ConfigContent content{settings, memo, ignoreMob, friends};
    if (const auto refusal = refusalOf(content)) {
        const bool marker = memo.find(memoStartMarker()) != std::string::npos ||
                            memo.find(memoEndMarker()) != std::string::npos;
        FUZZ_CHECK(refusal->result == SaveResult::MemoHoldsCommentEnd || (marker && refusal->result == SaveResult::MemoHoldsMarker),
                   "only a memo with ]] or a marker line is refused");
        return 0;
    }

    const std::string written = writeConfigLua(content);
    const auto file = asOtherEditorSaved(written, editor);
    FUZZ_CHECK(file.has_value(), "every file the tool writes converts to UTF-8");
    // Through UTF-8, characters CP932 has twice come back in their usual form.
    const std::string expectedMemo = editor == 3 ? *utf8ToCp932(*cp932ToUtf8(memo)) : memo;

    AiSettings current = startupSettings();
    current.FlagRotateInfinity = settings.FlagRotateInfinity;
    const LoadOutcome outcome = loadConfig(*file, LoadKind::Ai, current);
    FUZZ_CHECK(static_cast<bool>(outcome), "every file the tool writes loads");
    const ConfigContent& loaded = outcome.loaded;
    checkSettings(loaded.settings, settings);
    FUZZ_CHECK(loaded.ignoreMob == ignoreMob, "IGNORE_MOB loads as it was saved");
    FUZZ_CHECK(loaded.friends == friends, "FRIENDS loads as it was saved");
    FUZZ_CHECK(loaded.memo == expectedMemo, "the memo loads as it was saved");
    if (editor != 3) {
        FUZZ_CHECK(writeConfigLua(loaded) ==
                       written,
                   "saving what was loaded writes the same bytes");
    }

    // A record that held the other FlagRotateInfinity keeps it when the file turns rotation off.
    current.FlagRotateInfinity = 1 - settings.FlagRotateInfinity;
    AiSettings expected = settings;
    if (settings.FlagRotateFunction == 0) expected.FlagRotateInfinity = current.FlagRotateInfinity;
    const ConfigContent other = loadConfig(*file, LoadKind::Specified, current).loaded;
    checkSettings(other.settings, expected);
    return 0;
}
