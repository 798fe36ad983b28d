// Config.lua's reader and writer; the input's first byte chooses which.
// Even: the rest as any file's bytes. Each lookup of the ProfileReader answers as a plain scan of the text does, and
// the two kinds of load agree but where their fallbacks differ (how the lists' IDs find their rows is the unit tests').
// Odd: save then load, the file as written or as another editor saves it again: everything comes back, a second save
// writes the same bytes, and a memo the save refuses is one that would not read back.

#include "fuzz_support.h"

namespace {

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    return first == std::string_view::npos ? std::string_view() : text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The first or the last place of `wanted` as a character of its own, never as the trail byte of a double-byte one.
std::size_t findChar(std::string_view text, char wanted, bool last) {
    std::size_t found = std::string_view::npos;
    for (std::size_t pos = 0; pos < text.size() && (last || found == std::string_view::npos); pos += charLength(text, pos))
        if (text[pos] == wanted) found = pos;
    return found;
}

// A line as a lookup sees it: a section line, an entry, or neither; names folded.
struct Line {
    std::optional<std::string> section, key;
    std::string value;
};

std::vector<Line> readLines(std::string_view text) {
    std::vector<Line> lines;
    for (std::size_t pos = 0; pos < text.size();) {
        // LF, CR LF and a lone CR each end a line.
        const std::size_t stop = std::min(text.find_first_of("\r\n", pos), text.size());
        const std::string_view raw = text.substr(pos, stop - pos);
        pos = stop + (text.compare(stop, 2, "\r\n") == 0 ? 2 : 1);
        Line& line = lines.emplace_back();
        const std::size_t open = raw.find_first_not_of(" \t");
        const std::string_view rest = open == std::string_view::npos ? "" : raw.substr(open + 1);
        if (open != std::string_view::npos && raw[open] == '[' && findChar(rest, ']', true) != std::string_view::npos) {
            line.section = foldCase(rest.substr(0, findChar(rest, ']', true)));
            continue;
        }
        const std::size_t equals = findChar(raw, '=', false);
        if (equals == std::string_view::npos || trimmed(raw.substr(0, equals)).empty()) continue;
        line.key = foldCase(trimmed(raw.substr(0, equals)));
        line.value = trimmed(raw.substr(equals + 1));
        if (line.value.size() >= 2 && (line.value.front() == '"' || line.value.front() == '\'') && line.value.back() == line.value.front())
            line.value = line.value.substr(1, line.value.size() - 2);
    }
    return lines;
}

// The first section of a name, up to the next section line (or the end of
// the text): the first value of each key (folded).
std::map<std::string, std::string> entriesOf(const std::vector<Line>& lines, std::string_view section, SectionEnd end) {
    std::map<std::string, std::string> entries;
    std::size_t i = 0;
    while (i < lines.size() && lines[i].section != foldCase(section)) ++i;
    for (++i; i < lines.size() && (end == SectionEnd::EndOfFile || !lines[i].section); ++i)
        if (lines[i].key) entries.try_emplace(*lines[i].key, lines[i].value);
    return entries;
}

void checkLookups(std::string_view text) {
    const std::vector<Line> lines = readLines(text);
    // Fallbacks longer than a value may be: one with a double-byte character across the cut, and the text's own bytes.
    static const std::string longFallback = std::string(259, 'f') + "\x82\xA0" + "tail";
    const std::string_view fallbacks[] = {longFallback, text.substr(text.size() > 300 ? text.size() - 300 : 0)};
    // What a load asks, and the first few names of the text, folded and in upper
    // case, so that most lookups hit something.
    std::vector<std::string> sections{"CONFIG", "PATH"}, keys{"FlagDefaultState", "IGNORE_MOB", "SetPath"};
    for (const Line& line : lines) {
        auto& names = line.section ? sections : keys;
        if ((!line.section && !line.key) || names.size() >= 8) continue;
        const std::string name = line.section ? *line.section : *line.key;
        names.push_back(name);
        std::ranges::transform(name, std::back_inserter(names.emplace_back()), [](char c) { return c >= 'a' && c <= 'z' ? c - 32 : c; });
    }
    for (const SectionEnd end : {SectionEnd::NextSectionLine, SectionEnd::EndOfFile}) {
        const ProfileReader reader(text, end);
        const auto check = [&](std::string_view section, const auto& entries, std::string_view key) {
            const auto found = entries.find(foldCase(key));
            for (const std::string_view fallback : fallbacks) {
                const std::string_view whole = found != entries.end() ? std::string_view(found->second) : fallback;
                FUZZ_CHECK(reader.get(section, key, fallback) == cutToBytes(whole, ProfileReader::kMaxValueBytes),
                           "the index answers as a scan of the text does, cut to 260 bytes");
                FUZZ_CHECK(reader.getWhole(section, key, fallback) == whole, "a whole value is the scanned value uncut");
            }
        };
        for (const auto& section : sections)
            for (const auto entries = entriesOf(lines, section, end); const auto& key : keys) check(section, entries, key);
        const auto config = entriesOf(lines, "CONFIG", end);  // everything a load asks
        for (const auto& setting : settingsCatalogue()) check("CONFIG", config, setting.key);
    }
    for (const auto& section : sections)
        FUZZ_CHECK(foldCase(section).size() == section.size() && foldCase(foldCase(section)) == foldCase(section), "folding is stable");
}

constexpr std::int32_t kUntouched = 7;  // no value a load gives: a field the load must leave alone shows

void checkLoad(const ConfigContent& loaded) {
    FUZZ_CHECK(loaded.memo.size() <= kMemoMaxBytes, "the memo holds at most 1024 bytes");
    for (const auto& ids : {loaded.ignoreMob, loaded.friends})
        for (const std::string& id : ids) {
            FUZZ_CHECK(!id.empty(), "an array token is never empty");
            for (std::size_t pos = 0; pos < id.size(); pos += charLength(id, pos))
                FUZZ_CHECK(charLength(id, pos) > 1 || std::string_view(" \t\r\n\v\f{,;}").find(id[pos]) == std::string_view::npos,
                           "items hold no blank, separator or brace");
        }
    for (const auto& setting : settingsCatalogue()) {
        const std::int32_t value = loaded.settings.*setting.member;
        if (setting.member == &AiSettings::FlagRotateInfinity && loaded.settings.FlagRotateFunction == 0)
            FUZZ_CHECK(value == kUntouched, "with rotation off FlagRotateInfinity keeps its value");
        else if (setting.kind == SettingKind::Flag || setting.kind == SettingKind::RotationFlag)
            FUZZ_CHECK(value == 0 || value == 1, "flags load as 0 or 1");
    }
}

void checkAnyBytes(std::string_view bytes) {
    checkLookups(bytes);
    AiSettings current = startupSettings();
    current.FlagRotateInfinity = kUntouched;
    const LoadOutcome ai = loadConfig(bytes, LoadKind::Ai, current), specified = loadConfig(bytes, LoadKind::Specified, current);
    FUZZ_CHECK(ai.failure == specified.failure, "whether a load fails does not depend on its kind");
    if (!ai) return;
    checkLoad(ai.loaded);
    checkLoad(specified.loaded);
    FUZZ_CHECK(ai.loaded.ignoreMob == specified.loaded.ignoreMob && ai.loaded.friends == specified.loaded.friends &&
                   ai.loaded.memo == specified.loaded.memo,
               "lists and memo do not depend on the kind of load");
    for (const auto& setting : settingsCatalogue())
        if (fallbackOf(setting, LoadKind::Ai) == fallbackOf(setting, LoadKind::Specified))
            FUZZ_CHECK(ai.loaded.settings.*setting.member == specified.loaded.settings.*setting.member,
                       "a key with one fallback loads alike in both kinds");
    const MemoBlock memo = findMemo(bytes);
    FUZZ_CHECK(memo.begin <= memo.end && memo.end <= bytes.size(), "the memo block lies inside the file");
    FUZZ_CHECK(memo.text.size() <= kMemoMaxBytes + 1, "the gathered memo holds at most 1024 bytes and a line end");
}

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

// A piece of a memo: a CP932 character (ASCII, a control character, a half-width katakana, any double-byte pair that
// is a character) or now and then a line like the memo's markers or the end of its Lua comment.
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

void checkRoundTrip(FuzzedDataProvider& input) {
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
        return;
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
    checkLookups(*file);  // the reader's index on a whole file of the tool's, whatever its line ends
    const ConfigContent& loaded = outcome.loaded;
    FUZZ_CHECK(loaded.settings == settings, "every setting loads as it was saved");
    FUZZ_CHECK(loaded.ignoreMob == ignoreMob && loaded.friends == friends, "the lists load as they were saved");
    // Through UTF-8, characters CP932 has twice come back in their usual form.
    FUZZ_CHECK(loaded.memo == (editor == 3 ? *utf8ToCp932(*cp932ToUtf8(memo)) : memo), "the memo loads as it was saved");
    FUZZ_CHECK(editor == 3 || writeConfigLua(loaded) == written, "saving what was loaded writes the same bytes");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    FuzzedDataProvider input(data + 1, size - 1);
    if (data[0] % 2 == 1) checkRoundTrip(input);
    else checkAnyBytes(std::string_view(reinterpret_cast<const char*>(data + 1), size - 1));
    return 0;
}
