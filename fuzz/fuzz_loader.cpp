// loadConfig on arbitrary file bytes, with both kinds of load. (How the lists'
// IDs find their rows is the unit tests' to check.)

#include "fuzz_support.h"

namespace {

constexpr std::int32_t kUntouched = 7;  // no value a load gives: a field the load must leave alone shows

void checkId(std::string_view id) {
    FUZZ_CHECK(!id.empty(), "an array token is never empty");
    for (std::size_t pos = 0; pos < id.size(); pos += charLength(id, pos))
        FUZZ_CHECK(charLength(id, pos) > 1 || std::string_view(" \t\r\n\v\f{,;}").find(id[pos]) == std::string_view::npos,
                   "items hold no blank, separator or brace");
}

void checkLoad(const ConfigContent& loaded) {
    FUZZ_CHECK(loaded.memo.size() <= kMemoMaxBytes, "the memo holds at most 1024 bytes");
    for (const auto& ids : {loaded.ignoreMob, loaded.friends})
        for (const std::string& id : ids) checkId(id);
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
    const LoadOutcome ai = loadConfig(bytes, LoadKind::Ai, current), specified = loadConfig(bytes, LoadKind::Specified, current);
    FUZZ_CHECK(ai.failure == specified.failure, "whether a load fails does not depend on its kind");
    if (!ai) return 0;
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
    return 0;
}
