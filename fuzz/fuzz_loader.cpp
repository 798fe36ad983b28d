// loadConfig on arbitrary file bytes, with both kinds of load.

#include <string>
#include <string_view>

#include "config/config_loader.h"
#include "config/profile_reader.h"
#include "config/settings_catalogue.h"
#include "fuzz_support.h"
#include "config/memo.h"

using namespace vellconf;

namespace {

// Not a value a load can produce, so that a field the load must leave alone shows.
constexpr std::int32_t kUntouched = 7;

bool holdsDelimiter(std::string_view id) {
    for (std::size_t pos = 0; pos < id.size(); pos += charLength(id, pos)) {
        if (charLength(id, pos) == 1 && std::string_view(" \t\r\n\v\f{,;}").find(id[pos]) != std::string_view::npos) return true;
    }
    return false;
}

void checkIds(std::string_view id) {
    FUZZ_CHECK(!id.empty(), "an array token is never empty");
    FUZZ_CHECK(!holdsDelimiter(id), "items hold no blank, separator or brace");
}

void checkLoad(const ConfigContent& loaded) {
    FUZZ_CHECK(loaded.memo.size() <= kMemoMaxBytes, "the memo holds at most 1024 bytes");

    const auto& monsters = fuzz::sampleMonsters();
    for (const MonsterRecord& row : ignoreRowsFor(loaded.ignoreMob, monsters)) {
        checkIds(row.id());
        const MonsterRecord* source = nullptr;
        for (const MonsterRecord& m : monsters) {
            if (foldCase(m.id()) == foldCase(row.id())) {
                source = &m;
                break;
            }
        }
        for (std::size_t c = 1; c < kMonsterColumns; ++c)
            FUZZ_CHECK(row.cells[c] == (source ? source->cells[c] : std::string()),
                       "the other cells come from the first monster with that ID");
    }

    const auto& friends = fuzz::sampleFriends();
    for (const FriendRecord& row : coFightRowsFor(loaded.friends, friends)) {
        checkIds(row.id);
        std::string expected = unknownFriendName();
        for (const FriendRecord& f : friends) {
            if (foldCase(f.id) == foldCase(row.id)) {
                expected = cutToBytes(f.name, kMaxCellBytes);
                break;
            }
        }
        FUZZ_CHECK(row.name == expected, "the name comes from the first friend with that ID");
    }

    const AiSettings& s = loaded.settings;
    for (const auto& setting : settingsCatalogue()) {
        const std::int32_t value = s.*setting.member;
        if (setting.member == &AiSettings::FlagRotateInfinity && s.FlagRotateFunction == 0) {
            FUZZ_CHECK(value == kUntouched, "with rotation off FlagRotateInfinity keeps its value");
        } else if (setting.kind == SettingKind::Flag || setting.kind == SettingKind::RotationFlag) {
            FUZZ_CHECK(value == 0 || value == 1, "flags load as 0 or 1");
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = fuzz::bytesOf(data, size);
    AiSettings current = startupSettings();
    current.FlagRotateInfinity = kUntouched;

    const LoadOutcome aiOutcome = loadConfig(bytes, LoadKind::Ai, current);
    const LoadOutcome specifiedOutcome = loadConfig(bytes, LoadKind::Specified, current);
    FUZZ_CHECK(aiOutcome.failure == specifiedOutcome.failure, "whether a load fails does not depend on its kind");
    if (!aiOutcome) return 0;
    const ConfigContent& ai = aiOutcome.loaded;
    const ConfigContent& specified = specifiedOutcome.loaded;
    checkLoad(ai);
    checkLoad(specified);

    // The two loads differ only where their fallbacks do.
    FUZZ_CHECK(ai.ignoreMob == specified.ignoreMob && ai.friends == specified.friends &&
                   ai.memo == specified.memo,
               "lists and memo do not depend on the kind of load");
    for (const auto& setting : settingsCatalogue()) {
        if (fallbackOf(setting, LoadKind::Ai) == fallbackOf(setting, LoadKind::Specified))
            FUZZ_CHECK(ai.settings.*setting.member == specified.settings.*setting.member,
                       "a key with one fallback loads alike in both kinds");
    }

    const MemoBlock memo = findMemo(bytes);
    FUZZ_CHECK(memo.begin <= memo.end && memo.end <= bytes.size(), "the memo block lies inside the file");
    FUZZ_CHECK(memo.text.size() <= kMemoMaxBytes + 1, "the gathered memo holds at most 1024 bytes and a line end");
    return 0;
}
