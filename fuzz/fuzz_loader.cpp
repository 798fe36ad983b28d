// loadConfig on arbitrary file bytes, with both kinds of load.

#include "fuzz_support.h"

namespace {

// Not a value a load can produce, so that a field the load must leave alone shows.
constexpr std::int32_t kUntouched = 7;

// Lists to look IDs up in: one ID twice and one differing from another only in case.
const std::vector<MonsterRecord> kMonsters = [] {
    std::vector<MonsterRecord> list;
    for (const char* id : {"1002", "1031", "abc", "1002", "ABD"}) {
        MonsterRecord& row = list.emplace_back();
        for (std::size_t c = 0; c < kMonsterColumns; ++c) row.cells[c] = std::string(id) + (c ? "-" + std::to_string(c + list.size()) : "");
    }
    return list;
}();
const std::vector<FriendRecord> kFriends{
    {"1234567", "Alice"}, {"42", "Bob"}, {"x9", "Carol"}, {"42", "Dave"}, {"X8", std::string(300, 'n')}};

void checkId(std::string_view id) {
    FUZZ_CHECK(!id.empty(), "an array token is never empty");
    for (std::size_t pos = 0; pos < id.size(); pos += charLength(id, pos))
        FUZZ_CHECK(charLength(id, pos) > 1 || std::string_view(" \t\r\n\v\f{,;}").find(id[pos]) == std::string_view::npos,
                   "items hold no blank, separator or brace");
}

void checkLoad(const ConfigContent& loaded) {
    FUZZ_CHECK(loaded.memo.size() <= kMemoMaxBytes, "the memo holds at most 1024 bytes");
    for (const MonsterRecord& row : ignoreRowsFor(loaded.ignoreMob, kMonsters)) {
        checkId(row.id());
        const auto source = std::ranges::find_if(kMonsters, [&](const auto& m) { return foldCase(m.id()) == foldCase(row.id()); });
        for (std::size_t c = 1; c < kMonsterColumns; ++c)
            FUZZ_CHECK(row.cells[c] == (source != kMonsters.end() ? source->cells[c] : std::string()),
                       "the other cells come from the first monster with that ID");
    }
    for (const FriendRecord& row : coFightRowsFor(loaded.friends, kFriends)) {
        checkId(row.id);
        const auto source = std::ranges::find_if(kFriends, [&](const auto& f) { return foldCase(f.id) == foldCase(row.id); });
        FUZZ_CHECK(row.name == (source != kFriends.end() ? cutToBytes(source->name, kMaxCellBytes) : unknownFriendName()),
                   "the name comes from the first friend with that ID");
    }
    for (const auto& setting : settingsCatalogue()) {
        const std::int32_t value = loaded.settings.*setting.member;
        if (setting.member == &AiSettings::FlagRotateInfinity && loaded.settings.FlagRotateFunction == 0)
            FUZZ_CHECK(value == kUntouched, "with rotation off FlagRotateInfinity keeps its value");
        else if (setting.kind == SettingKind::Flag || setting.kind == SettingKind::RotationFlag)
            FUZZ_CHECK(value == 0 || value == 1, "flags load as 0 or 1");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = fuzz::bytesOf(data, size);
    AiSettings current = startupSettings();
    current.FlagRotateInfinity = kUntouched;
    const LoadOutcome ai = loadConfig(bytes, LoadKind::Ai, current);
    const LoadOutcome specified = loadConfig(bytes, LoadKind::Specified, current);
    FUZZ_CHECK(ai.failure == specified.failure, "whether a load fails does not depend on its kind");
    if (!ai) return 0;
    checkLoad(ai.loaded);
    checkLoad(specified.loaded);
    // The two loads differ only where their fallbacks do.
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
    return 0;
}
