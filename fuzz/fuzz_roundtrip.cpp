// Save then load: a record the pages can produce, two ID lists and a memo are
// written with writeConfigLua and read back with loadConfig. Everything must
// come back (FlagRotateInfinity only while rotation is on: with rotation off a
// load keeps the value the record had), and saving what was loaded must give
// the same bytes again.

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/ai_settings.h"
#include "config/config_loader.h"
#include "config/config_writer.h"
#include "config/cp932.h"
#include "config/profile_reader.h"
#include "config/settings_catalogue.h"
#include "fuzz_support.h"
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

// IDs of letters and digits whose array value "{a,b,...}" fits the 260 bytes a
// load reads of it.
std::vector<std::string> randomIds(FuzzedDataProvider& input) {
    static constexpr std::string_view kLetters = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    std::vector<std::string> ids;
    std::size_t valueBytes = 2;
    const auto count = input.ConsumeIntegralInRange<std::size_t>(0, 40);
    for (std::size_t i = 0; i < count; ++i) {
        std::string id(input.ConsumeIntegralInRange<std::size_t>(1, 12), '0');
        for (char& c : id) c = kLetters[input.ConsumeIntegralInRange<std::size_t>(0, kLetters.size() - 1)];
        valueBytes += id.size() + (ids.empty() ? 0 : 1);
        if (valueBytes > ProfileReader::kMaxValueBytes) break;
        ids.push_back(std::move(id));
    }
    return ids;
}

// One CP932 character: ASCII, a control character the memo may hold, a
// half-width katakana or a double-byte character; nothing when the bytes
// drawn are no character.
std::string randomCharacter(FuzzedDataProvider& input) {
    switch (input.ConsumeIntegralInRange<int>(0, 9)) {
        case 0: return "\n";
        case 1: return input.PickValueInArray({"\t", "\r", "[", "]", "="});
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

// A memo the loader can take back whole: well below its 1024 bytes, no "]]"
// that would end the Lua comment around it, and no line that is a marker.
std::optional<std::string> randomMemo(FuzzedDataProvider& input) {
    std::string memo;
    const auto length = input.ConsumeIntegralInRange<std::size_t>(0, 880);
    while (memo.size() < length && input.remaining_bytes() > 0) {
        const std::string c = randomCharacter(input);
        if ((memo + c).find("]]", memo.size() > 0 ? memo.size() - 1 : 0) == std::string::npos) memo += c;
    }
    for (std::size_t pos = 0; pos <= memo.size();) {
        const std::size_t lf = std::min(memo.find('\n', pos), memo.size());
        const std::string_view line = std::string_view(memo).substr(pos, lf - pos);
        if (line == memoStartMarker() || line == memoEndMarker()) return std::nullopt;
        pos = lf + 1;
    }
    return memo;
}

std::vector<std::string> idsOf(const std::vector<MonsterRecord>& rows) {
    std::vector<std::string> ids;
    for (const auto& row : rows) ids.push_back(row.id());
    return ids;
}

std::vector<std::string> idsOf(const std::vector<FriendRecord>& rows) {
    std::vector<std::string> ids;
    for (const auto& row : rows) ids.push_back(row.id);
    return ids;
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
    const auto memo = randomMemo(input);
    if (!memo) return -1;

    const std::string written = writeConfigLua(settings, *memo, ignoreMob, friends);

    AiSettings current = startupSettings();
    current.FlagRotateInfinity = settings.FlagRotateInfinity;
    const LoadedConfig loaded =
        loadConfig(written, LoadKind::Ai, current, fuzz::sampleMonsters(), fuzz::sampleFriends());
    checkSettings(loaded.settings, settings);
    FUZZ_CHECK(idsOf(loaded.ignoreRows) == ignoreMob, "IGNORE_MOB loads as it was saved");
    FUZZ_CHECK(idsOf(loaded.coFightRows) == friends, "FRIENDS loads as it was saved");
    FUZZ_CHECK(loaded.memo == *memo, "the memo loads as it was saved");
    FUZZ_CHECK(writeConfigLua(loaded.settings, loaded.memo, idsOf(loaded.ignoreRows), idsOf(loaded.coFightRows)) ==
                   written,
               "saving what was loaded writes the same bytes");

    // A record that held the other FlagRotateInfinity keeps it when the file turns rotation off.
    current.FlagRotateInfinity = 1 - settings.FlagRotateInfinity;
    AiSettings expected = settings;
    if (settings.FlagRotateFunction == 0) expected.FlagRotateInfinity = current.FlagRotateInfinity;
    const LoadedConfig other =
        loadConfig(written, LoadKind::Specified, current, fuzz::sampleMonsters(), fuzz::sampleFriends());
    checkSettings(other.settings, expected);
    return 0;
}
