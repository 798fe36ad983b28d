// Save then load: a record the pages can produce, two ID lists of any length
// and a memo up to the field's limit are written with writeConfigLua, saved
// again as another editor might (CR-only or LF line ends, UTF-8), and read back
// with loadConfig. Everything must come back (FlagRotateInfinity only while
// rotation is on: with rotation off a load keeps the value the record had),
// and saving what was loaded must give the same bytes again. A memo the save
// refuses must be one that would not read back.

#include "fuzz_support.h"

namespace {

// Every setting set the way its control can set it.
AiSettings randomSettings(FuzzedDataProvider& input) {
    AiSettings s = startupSettings();
    for (const PageTable& page : settingPages())
        for (const ControlSpec* control : controlsOf(page)) {
            std::int32_t* value = control->setting ? &(s.*control->setting->member) : nullptr;
            switch (control->kind) {
                case ControlKind::Label: break;
                case ControlKind::CheckBox: *value = input.ConsumeBool() ? 1 : 0; break;
                case ControlKind::RadioGroup:
                    *value = control->radio.buttons[input.ConsumeIntegralInRange<std::size_t>(0, control->radio.buttons.size() - 1)].value;
                    break;
                case ControlKind::RotationKind:
                    // "No rotation" keeps whatever FlagRotateInfinity held before.
                    s.FlagRotateInfinity = input.ConsumeBool() ? 1 : 0;
                    applyRotationKind(s, input.ConsumeIntegralInRange<int>(kRotateNone, kRotateInfinity));
                    break;
                case ControlKind::NumericField:
                    *value = input.ConsumeIntegralInRange<std::int32_t>(control->bounds().lower, control->bounds().upper);
                    break;
            }
        }
    return s;
}

// Lists of any length a user could build, each ID an item Lua reads back:
// decimal numbers (some negative) and Lua names. A long list costs the fuzzer
// a few bytes only: its IDs come from a generator seeded by the input.
std::vector<std::string> randomIds(FuzzedDataProvider& input) {
    static constexpr std::string_view kNameChars = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz_0123456789";
    const auto count = input.ConsumeIntegralInRange<std::size_t>(0, 3000);
    std::mt19937_64 next(input.ConsumeIntegral<std::uint64_t>());
    std::vector<std::string> ids;
    while (ids.size() < count) {
        const std::uint64_t draw = next();
        std::string id = draw % 4 != 0 ? (draw % 16 == 1 ? "-" : "") + std::to_string(draw % 100000)
                                       : std::string(1, kNameChars[next() % 53]);  // a letter or "_" first
        for (std::uint64_t n = draw % 4 == 0 ? next() % 12 : 0; n > 0; --n) id += kNameChars[next() % kNameChars.size()];
        if (isArrayItem(id)) ids.push_back(std::move(id));
    }
    return ids;
}

// One CP932 character: ASCII, a control character the memo may hold, a
// half-width katakana or a double-byte character (nothing when the bytes drawn
// are no character); or now and then a line like the memo's markers or the end
// of its Lua comment.
std::string randomPiece(FuzzedDataProvider& input) {
    if (input.ConsumeIntegralInRange<int>(0, 30) == 0) {
        const std::string& marker = input.ConsumeBool() ? memoStartMarker() : memoEndMarker();
        const std::string lines[] = {marker /* the save must refuse the memo */, marker + " ", marker.substr(1), "--]", "--" + marker};
        return "\n" + lines[input.ConsumeIntegralInRange<int>(0, 4)] + "\n";
    }
    switch (input.ConsumeIntegralInRange<int>(0, 9)) {
        case 0: return "\n";
        case 1: return input.PickValueInArray({"\t", "[", "]", "=", "-"});
        case 2: return std::string(1, static_cast<char>(input.ConsumeIntegralInRange<int>(0xA1, 0xDF)));
        case 3: case 4: case 5: {
            // Lead bytes are 0x81..0x9F and 0xE0..0xFC: 31 and 29 of them.
            const int row = input.ConsumeIntegralInRange<int>(0, 59);
            const std::string pair{static_cast<char>(row < 31 ? 0x81 + row : 0xE0 + (row - 31)),
                                   static_cast<char>(input.ConsumeIntegralInRange<int>(0x40, 0xFC))};
            return cp932ToUtf8(pair) ? pair : std::string();
        }
        default: return std::string(1, static_cast<char>(input.ConsumeIntegralInRange<int>(0x20, 0x7E)));
    }
}

// The file as another editor may have saved it: 1 CR-only, 2 LF line ends, 3 UTF-8.
std::optional<std::string> asOtherEditorSaved(std::string file, int how) {
    if (how == 3) return cp932ToUtf8(file);
    for (std::size_t pos = file.find("\r\n"); how != 0 && pos != std::string::npos; pos = file.find("\r\n", pos + 1))
        file.replace(pos, 2, how == 1 ? "\r" : "\n");
    return file;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const AiSettings settings = randomSettings(input);
    const std::vector<std::string> ignoreMob = randomIds(input);
    const std::vector<std::string> friends = randomIds(input);
    const int editor = input.ConsumeIntegralInRange<int>(0, 3);
    // A memo the memo field can hold: up to its 1024 bytes, line ends counted as CR LF.
    std::string memo;
    for (const auto length = input.ConsumeIntegralInRange<std::size_t>(0, kMemoMaxBytes); input.remaining_bytes() > 0;) {
        const std::string piece = randomPiece(input);
        if (memoFieldBytes(memo + piece) > length) break;
        memo += piece;
    }
    const ConfigContent content{settings, memo, ignoreMob, friends};
    if (const auto refusal = refusalOf(content)) {
        const bool marker = memo.find(memoStartMarker()) != std::string::npos || memo.find(memoEndMarker()) != std::string::npos;
        FUZZ_CHECK(refusal->result == SaveResult::MemoHoldsCommentEnd || (marker && refusal->result == SaveResult::MemoHoldsMarker),
                   "only a memo with ]] or a marker line is refused");
        return 0;
    }

    const std::string written = writeConfigLua(content);
    const auto file = asOtherEditorSaved(written, editor);
    FUZZ_CHECK(file.has_value(), "every file the tool writes converts to UTF-8");
    AiSettings current = startupSettings();
    current.FlagRotateInfinity = settings.FlagRotateInfinity;
    const LoadOutcome outcome = loadConfig(*file, LoadKind::Ai, current);
    FUZZ_CHECK(static_cast<bool>(outcome), "every file the tool writes loads");
    const ConfigContent& loaded = outcome.loaded;
    FUZZ_CHECK(loaded.settings == settings, "every setting loads as it was saved");
    FUZZ_CHECK(loaded.ignoreMob == ignoreMob && loaded.friends == friends, "the lists load as they were saved");
    // Through UTF-8, characters CP932 has twice come back in their usual form.
    FUZZ_CHECK(loaded.memo == (editor == 3 ? *utf8ToCp932(*cp932ToUtf8(memo)) : memo), "the memo loads as it was saved");
    FUZZ_CHECK(editor == 3 || writeConfigLua(loaded) == written, "saving what was loaded writes the same bytes");

    // A record that held the other FlagRotateInfinity keeps it when the file turns rotation off.
    current.FlagRotateInfinity = 1 - settings.FlagRotateInfinity;
    AiSettings expected = settings;
    if (settings.FlagRotateFunction == 0) expected.FlagRotateInfinity = current.FlagRotateInfinity;
    FUZZ_CHECK(loadConfig(*file, LoadKind::Specified, current).loaded.settings == expected,
               "a load with rotation off keeps the record's FlagRotateInfinity");
    return 0;
}
