#include "config/config_loader.h"

#include <unordered_map>

#include "config/config_writer.h"
#include "config/cp932.h"
#include "config/decimal.h"
#include "config/profile_reader.h"

namespace vellconf {

namespace {

constexpr std::string_view kSection = "CONFIG";
// The memo is read as the C library's line reader with a 1024-byte buffer
// would: at most 1023 bytes per piece, and the memo stays below 1024 bytes.
constexpr std::size_t kMemoPieceBytes = 1023;
constexpr std::size_t kMemoLimitBytes = 1024;

// One line of the file: its bytes in the file and its text with CR LF read as LF.
struct TextLine {
    std::size_t begin;
    std::size_t end;
    std::string text;
};

TextLine nextLine(std::string_view bytes, std::size_t begin) {
    const auto lf = bytes.find('\n', begin);
    const std::size_t end = lf == std::string_view::npos ? bytes.size() : lf + 1;
    std::string text(bytes.substr(begin, end - begin));
    if (text.ends_with("\r\n")) text.erase(text.size() - 2, 1);
    return {begin, end, std::move(text)};
}

// The pieces in which a line reaches the memo pass; only the last one can end in LF.
std::vector<std::string_view> pieces(const std::string& line) {
    std::vector<std::string_view> out;
    const std::string_view text(line);
    for (std::size_t pos = 0; pos < text.size(); pos += kMemoPieceBytes)
        out.push_back(text.substr(pos, kMemoPieceBytes));
    return out;
}

std::string fallbackText(const SettingSpec& spec, LoadKind kind) {
    const std::int32_t value = fallbackOf(spec, kind);
    if (spec.kind == SettingKind::Flag || spec.kind == SettingKind::RotationFlag) return value == 1 ? "YES" : "NO";
    return formatInt(value);
}

std::int32_t convert(const SettingSpec& spec, std::string_view value) {
    switch (spec.kind) {
        case SettingKind::Flag: return value == "YES" ? 1 : 0;
        case SettingKind::RotationFlag: return value == "NO" ? 0 : 1;  // anything but exactly NO is on
        default: return leadingInt(value);
    }
}

// Tokens of an array value: runs of characters other than " {,}", found on
// whole characters.
std::vector<std::string> arrayTokens(std::string_view value) {
    std::vector<std::string> tokens;
    std::string token;
    for (std::size_t pos = 0; pos < value.size();) {
        const std::size_t len = charLength(value, pos);
        const char c = value[pos];
        if (len == 1 && (c == ' ' || c == '{' || c == ',' || c == '}')) {
            if (!token.empty()) tokens.push_back(std::move(token));
            token.clear();
        } else {
            token.append(value.substr(pos, len));
        }
        pos += len;
    }
    if (!token.empty()) tokens.push_back(std::move(token));
    return tokens;
}

// The record keeps the memo without the line end of its last line, so that a
// load followed by a save writes the memo back unchanged.
std::string recordMemo(std::string gathered) {
    if (gathered.ends_with('\n')) gathered.pop_back();
    return gathered;
}

// The first row of each ID, compared without regard to case.
template <typename Row, typename IdOf>
std::unordered_map<std::string, const Row*> firstRowById(std::span<const Row> rows, IdOf idOf) {
    std::unordered_map<std::string, const Row*> index;
    index.reserve(rows.size());
    for (const Row& row : rows) index.try_emplace(foldCase(idOf(row)), &row);
    return index;
}

}  // namespace

std::vector<MonsterRecord> ignoreRowsFor(std::span<const std::string> ids, std::span<const MonsterRecord> monsters) {
    std::vector<MonsterRecord> rows;
    if (ids.empty()) return rows;
    const auto index = firstRowById(monsters, [](const MonsterRecord& m) -> const std::string& { return m.id(); });
    for (const auto& id : ids) {
        MonsterRecord row;
        if (const auto found = index.find(foldCase(id)); found != index.end()) row = *found->second;
        row.cells[0] = id;
        rows.push_back(std::move(row));
    }
    return rows;
}

std::vector<FriendRecord> coFightRowsFor(std::span<const std::string> ids, std::span<const FriendRecord> friends) {
    std::vector<FriendRecord> rows;
    if (ids.empty()) return rows;
    const auto index = firstRowById(friends, [](const FriendRecord& f) -> const std::string& { return f.id; });
    for (const auto& id : ids) {
        const auto found = index.find(foldCase(id));
        rows.push_back({id, found != index.end() ? std::string(cutToBytes(found->second->name, kMaxCellBytes))
                                                 : unknownFriendName()});
    }
    return rows;
}

const std::string& unknownFriendName() {
    static const std::string name = cp932("名前不明");
    return name;
}

MemoBlock findMemo(std::string_view bytes) {
    const std::string start = memoStartMarker() + "\n";
    const std::string end = memoEndMarker() + "\n";
    MemoBlock memo;
    bool inMemo = false;
    bool afterStart = false;  // the line right after a start marker is memo text even if it is one
    for (std::size_t pos = 0; pos < bytes.size();) {
        const TextLine line = nextLine(bytes, pos);
        pos = line.end;
        for (std::string_view piece : pieces(line.text)) {
            if (piece == start && !afterStart) {
                if (!inMemo) memo.begin = line.begin;
                inMemo = afterStart = true;
                continue;
            }
            afterStart = false;
            if (piece == end) {
                memo.end = inMemo ? line.end : memo.begin;
                return memo;
            }
            if (inMemo && piece.size() + memo.text.size() < kMemoLimitBytes) memo.text += piece;
        }
    }
    memo.end = inMemo ? bytes.size() : memo.begin;
    return memo;
}

std::string asCp932(std::string_view fileBytes) {
    constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
    if (!fileBytes.starts_with(kUtf8Bom)) return std::string(fileBytes);
    const auto converted = utf8ToCp932Lossy(fileBytes.substr(kUtf8Bom.size()));
    return converted ? *converted : std::string(fileBytes);
}

LoadedConfig loadConfig(std::string_view fileBytes, LoadKind kind, const AiSettings& current,
                        std::span<const MonsterRecord> monsters, std::span<const FriendRecord> friends) {
    const std::string bytes = asCp932(fileBytes);
    const MemoBlock memo = findMemo(bytes);
    // Memo lines never count as settings: a memo line "[狩場]" would otherwise
    // end the CONFIG section, and "FlagDefaultState = NO" shadow the real line.
    std::string settingsText = bytes.substr(0, memo.begin);
    settingsText.append(bytes, memo.end);
    const ProfileReader reader(settingsText);

    LoadedConfig loaded;
    loaded.settings = current;
    const auto read = [&](const SettingSpec& spec) {
        loaded.settings.*spec.member = convert(spec, reader.get(kSection, spec.key, fallbackText(spec, kind)));
    };
    for (const auto& spec : settingsCatalogue()) {
        // With rotation off the file's FlagRotateInfinity is not read; the record keeps its own.
        if (spec.member == &AiSettings::FlagRotateInfinity) continue;
        read(spec);
    }
    if (loaded.settings.FlagRotateFunction == 1) read(*findSetting("FlagRotateInfinity"));

    loaded.ignoreRows = ignoreRowsFor(arrayTokens(reader.get(kSection, "IGNORE_MOB", "{}")), monsters);
    loaded.coFightRows = coFightRowsFor(arrayTokens(reader.get(kSection, "FRIENDS", "{}")), friends);
    loaded.memo = recordMemo(memo.text);
    return loaded;
}

}  // namespace vellconf
