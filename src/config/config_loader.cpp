#include "config/config_loader.h"

#include <algorithm>
#include <optional>
#include <unordered_map>

#include "config/config_writer.h"
#include "config/cp932.h"
#include "config/decimal.h"
#include "config/lua_array.h"
#include "config/profile_reader.h"
#include "config/text_encoding.h"
#include "config/text_lines.h"
#include "config/memo.h"

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

// The record keeps the memo without the line end of its last line, so that a
// load followed by a save writes the memo back unchanged.
std::string recordMemo(std::string gathered) {
    if (gathered.ends_with('\n')) gathered.pop_back();
    return gathered;
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

// A UTF-8 file that an editor left with a stray byte (mojibake in a
// comment) is no valid UTF-8, but its memo markers give it away.
UnmarkedBytes unmarkedBytesOf(std::string_view bytes) {
    static const std::string utf8Start = *cp932ToUtf8(memoStartMarker());
    static const std::string utf8End = *cp932ToUtf8(memoEndMarker());
    const auto holds = [bytes](const std::string& text) { return bytes.find(text) != std::string_view::npos; };
    const bool utf8Markers = holds(utf8Start) || holds(utf8End);
    const bool cp932Markers = holds(memoStartMarker()) || holds(memoEndMarker());
    return utf8Markers && !cp932Markers ? UnmarkedBytes::BrokenUtf8 : UnmarkedBytes::Cp932;
}

// The lines the user is told of, as they now read.
std::vector<LossyLine> lossyLinesOf(const DecodedText& decoded) {
    constexpr std::size_t kShownBytes = 80;
    std::vector<LossyLine> lines;
    if (decoded.lossyLines.empty()) return lines;
    auto wanted = decoded.lossyLines.begin();
    std::size_t number = 0;
    forEachLine(decoded.text, [&](const TextLine& line) {
        if (++number == *wanted) {
            lines.push_back({number, std::string(cutToBytes(line.text, kShownBytes))});
            ++wanted;
        }
        return wanted != decoded.lossyLines.end() && lines.size() < kLossyLinesTold;
    });
    return lines;
}

}  // namespace

MemoBlock findMemo(std::string_view bytes) {
    MemoScan scan;
    forEachLine(bytes, [&](const TextLine& line) { return scan.visit(line); });
    return std::move(scan).result();
}

LoadOutcome loadConfig(std::string_view fileBytes, LoadKind kind, const AiSettings& current) {
    const DecodedText decoded = decodeText(fileBytes, unmarkedBytesOf(fileBytes));
    const std::string& bytes = decoded.text;
    const MemoBlock memo = findMemo(bytes);
    // Memo lines never count as settings: "FlagDefaultState = NO" in the memo
    // would shadow the real line below it.
    std::string settingsText = bytes.substr(0, memo.begin);
    settingsText.append(bytes, memo.end);
    const ProfileReader reader(settingsText, SectionEnd::EndOfFile);

    // A file that is no Config.lua, or none the tool can read, would load as
    // every fallback, which the next save writes over the user's settings.
    const auto inFile = [&](const SettingSpec& spec) { return reader.find(kSection, spec.key).has_value(); };
    if (!std::ranges::any_of(settingsCatalogue(), inFile)) return failedLoad(LoadFailure::NoSettings);
    const auto listOf = [&](std::string_view key) {
        const auto entry = reader.find(kSection, key);
        return entry ? arrayItems(std::string_view(settingsText).substr(entry->valueBegin)) : ArrayItems{};
    };
    ArrayItems ignore = listOf("IGNORE_MOB");
    if (ignore.tooMany) return failedLoad(LoadFailure::ListTooLong, "IGNORE_MOB");
    ArrayItems coFight = listOf("FRIENDS");
    if (coFight.tooMany) return failedLoad(LoadFailure::ListTooLong, "FRIENDS");

    LoadOutcome outcome;
    ConfigContent& loaded = outcome.loaded;
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

    loaded.ignoreMob = std::move(ignore.items);
    loaded.friends = std::move(coFight.items);
    loaded.memo = recordMemo(memo.text);
    outcome.lossyLines = lossyLinesOf(decoded);
    outcome.lossyLineCount = decoded.lossyLines.size();
    return outcome;
}

}  // namespace vellconf
