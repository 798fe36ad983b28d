// Save then load: a record the pages can produce, two ID lists of any length
// and a memo up to the field's limit, written with writeConfigLua, saved again
// as another editor might (CR-only or LF line ends, UTF-8) and read back with
// loadConfig. Everything must come back, and saving what was loaded must give
// the same bytes. A memo the save refuses must be one that would not read back.

#include "fuzz_support.h"

namespace {

// Every setting set the way its control can set it.
AiSettings randomSettings(FuzzedDataProvider& input) {
    AiSettings s = startupSettings();
    for (const PageTable& page : settingPages())
        for (const ControlSpec* control : controlsOf(page)) {
            std::int32_t* value = control->setting ? &(s.*control->setting->member) : nullptr;
            if (control->kind == ControlKind::CheckBox) *value = input.ConsumeBool() ? 1 : 0;
            const auto& buttons = control->radio.buttons;
            if (control->kind == ControlKind::RadioGroup)
                *value = buttons[input.ConsumeIntegralInRange<std::size_t>(0, buttons.size() - 1)].value;
            if (control->kind == ControlKind::NumericField)
                *value = input.ConsumeIntegralInRange<std::int32_t>(control->bounds().lower, control->bounds().upper);
            if (control->kind == ControlKind::RotationKind) {
                s.FlagRotateInfinity = input.ConsumeBool() ? 1 : 0;  // "no rotation" keeps what it held
                applyRotationKind(s, input.ConsumeIntegralInRange<int>(kRotateNone, kRotateInfinity));
            }
        }
    return s;
}

// Lists of any length, each ID an item Lua reads back: decimal numbers (some
// negative) and Lua names, from a generator seeded by the input.
std::vector<std::string> randomIds(FuzzedDataProvider& input) {
    std::vector<std::string> ids(input.ConsumeIntegralInRange<std::size_t>(0, 3000));
    std::mt19937_64 next(input.ConsumeIntegral<std::uint64_t>());
    for (std::string& id : ids) {
        const std::uint64_t draw = next();
        id = (draw % 4 == 0 ? std::string(1, "_aZq"[draw / 4 % 4]) : draw % 16 == 1 ? "-" : "") + std::to_string(draw % 100000);
    }
    return ids;
}

// A piece of a memo: a CP932 character (ASCII, a control character, a
// half-width katakana, any double-byte pair that is a character) or now and
// then a line like the memo's markers or the end of its Lua comment.
std::string randomPiece(FuzzedDataProvider& input) {
    if (input.ConsumeIntegralInRange<int>(0, 30) == 0) {
        const std::string& marker = input.ConsumeBool() ? memoStartMarker() : memoEndMarker();
        const std::string lines[] = {marker /* the save must refuse the memo */, marker + " ", marker.substr(1), "--]", "--" + marker};
        return "\n" + input.PickValueInArray(lines) + "\n";
    }
    const std::string pair{static_cast<char>(input.ConsumeIntegralInRange<int>(0x81, 0xFC)),
                           static_cast<char>(input.ConsumeIntegralInRange<int>(0x40, 0xFC))};
    switch (input.ConsumeIntegralInRange<int>(0, 5)) {
        case 0: return input.PickValueInArray({"\n", "\t", "[", "]", "=", "-"});
        case 1: return std::string(1, static_cast<char>(input.ConsumeIntegralInRange<int>(0xA1, 0xDF)));
        case 2: case 3: return cp932ToUtf8(pair) ? pair : std::string();
        default: return std::string(1, static_cast<char>(input.ConsumeIntegralInRange<int>(0x20, 0x7E)));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const AiSettings settings = randomSettings(input);
    const std::vector<std::string> ignoreMob = randomIds(input), friends = randomIds(input);
    const int editor = input.ConsumeIntegralInRange<int>(0, 3);  // 1 CR-only, 2 LF line ends, 3 UTF-8
    std::string memo;  // up to the field's 1024 bytes, line ends counted as CR LF
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
    std::optional<std::string> file = editor == 3 ? cp932ToUtf8(written) : written;
    FUZZ_CHECK(file.has_value(), "every file the tool writes converts to UTF-8");
    if (editor == 1 || editor == 2)
        for (auto pos = file->find("\r\n"); pos != std::string::npos; pos = file->find("\r\n", pos + 1))
            file->replace(pos, 2, editor == 1 ? "\r" : "\n");
    AiSettings current = startupSettings();
    current.FlagRotateInfinity = settings.FlagRotateInfinity;  // what a load with rotation off keeps
    const LoadOutcome outcome = loadConfig(*file, LoadKind::Ai, current);
    FUZZ_CHECK(static_cast<bool>(outcome), "every file the tool writes loads");
    const ConfigContent& loaded = outcome.loaded;
    FUZZ_CHECK(loaded.settings == settings, "every setting loads as it was saved");
    FUZZ_CHECK(loaded.ignoreMob == ignoreMob && loaded.friends == friends, "the lists load as they were saved");
    // Through UTF-8, characters CP932 has twice come back in their usual form.
    FUZZ_CHECK(loaded.memo == (editor == 3 ? *utf8ToCp932(*cp932ToUtf8(memo)) : memo), "the memo loads as it was saved");
    FUZZ_CHECK(editor == 3 || writeConfigLua(loaded) == written, "saving what was loaded writes the same bytes");
    return 0;
}
