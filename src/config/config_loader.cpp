#include "config/config_loader.h"

#include <optional>
#include <unordered_map>

#include "config/config_writer.h"
#include "config/cp932.h"
#include "config/decimal.h"
#include "config/profile_reader.h"
#include "config/text_lines.h"
#include "lists/memo.h"

namespace vellconf {

namespace {

constexpr std::string_view kSection = "CONFIG";

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

// The memo pass over the file's lines. It stops at the end marker; without
// one, the block ends before the first "--]]" after the start marker (the end
// of the Lua comment that holds the memo), so that a damaged end marker never
// hides the settings below it.
class MemoScan {
public:
    // False once the pass has stopped.
    bool visit(const TextLine& line) {
        // A marker is a whole line with its line end.
        const bool isStart = line.ended && line.text == memoStartMarker();
        const bool isEnd = line.ended && line.text == memoEndMarker();
        if (isStart && !afterStart_) {
            if (!inMemo_) memo_.begin = line.begin;
            inMemo_ = afterStart_ = true;
            return true;
        }
        afterStart_ = false;  // the line after a start marker is memo text even if it is one
        if (isEnd) {
            memo_.end = inMemo_ ? line.end : memo_.begin;
            ended_ = true;
            return false;
        }
        if (!inMemo_) return true;
        if (line.text == kLuaCommentEnd && !commentEnd_) commentEnd_ = CommentEnd{line.begin, memo_.text};
        append(line.text);
        return true;
    }

    MemoBlock result() && {
        if (inMemo_ && !ended_) {
            if (commentEnd_) {
                memo_.text = std::move(commentEnd_->text);
                memo_.end = commentEnd_->begin;
            } else {
                // Neither end marker nor comment end: the memo runs to the end
                // of the file, but every line stays visible to the lookup.
                memo_.end = memo_.begin;
            }
        }
        return std::move(memo_);
    }

private:
    static constexpr std::string_view kLuaCommentEnd = "--]]";

    // The field counts a line end as two bytes, the record as one, so a record
    // of kMemoMaxBytes holds every memo the field takes. A longer memo from a
    // hand-edited file loses the lines that do not fit; later, shorter lines
    // are still taken.
    void append(std::string_view line) {
        if (memo_.text.size() + line.size() > kMemoMaxBytes) return;
        memo_.text.append(line);
        memo_.text += '\n';
    }

    struct CommentEnd {
        std::size_t begin;
        std::string text;  // the memo as gathered before that line
    };

    MemoBlock memo_;
    bool inMemo_ = false;
    bool afterStart_ = false;
    bool ended_ = false;
    std::optional<CommentEnd> commentEnd_;
};

// Strictly valid UTF-8 (no overlong forms, surrogates or values past U+10FFFF)
// that holds at least one multi-byte sequence. Japanese CP932 text practically
// never passes: its lead bytes 0x81-0x9F are UTF-8 continuation bytes.
bool isMultibyteUtf8(std::string_view bytes) {
    bool multibyte = false;
    for (std::size_t i = 0; i < bytes.size();) {
        const auto byte = [&](std::size_t at) { return static_cast<unsigned char>(bytes[at]); };
        const unsigned char lead = byte(i);
        if (lead < 0x80) {
            ++i;
            continue;
        }
        std::size_t length = 0;
        unsigned char low = 0x80, high = 0xBF;  // the allowed range of the second byte
        if (lead >= 0xC2 && lead <= 0xDF) length = 2;
        else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            if (lead == 0xE0) low = 0xA0;
            if (lead == 0xED) high = 0x9F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            if (lead == 0xF0) low = 0x90;
            if (lead == 0xF4) high = 0x8F;
        } else {
            return false;
        }
        if (i + length > bytes.size() || byte(i + 1) < low || byte(i + 1) > high) return false;
        for (std::size_t k = 2; k < length; ++k)
            if (byte(i + k) < 0x80 || byte(i + k) > 0xBF) return false;
        multibyte = true;
        i += length;
    }
    return multibyte;
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
    MemoScan scan;
    forEachLine(bytes, [&](const TextLine& line) { return scan.visit(line); });
    return std::move(scan).result();
}

std::string asCp932(std::string_view fileBytes) {
    constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
    const bool bom = fileBytes.starts_with(kUtf8Bom);
    if (bom) fileBytes.remove_prefix(kUtf8Bom.size());
    if (!bom && !isMultibyteUtf8(fileBytes)) return std::string(fileBytes);
    const auto converted = utf8ToCp932Lossy(fileBytes);
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

    // The writer writes lists of any length, so they are read whole.
    loaded.ignoreRows = ignoreRowsFor(arrayTokens(reader.getWhole(kSection, "IGNORE_MOB", "{}")), monsters);
    loaded.coFightRows = coFightRowsFor(arrayTokens(reader.getWhole(kSection, "FRIENDS", "{}")), friends);
    loaded.memo = recordMemo(memo.text);
    return loaded;
}

}  // namespace vellconf
