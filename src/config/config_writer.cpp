#include "config/config_writer.h"

#include <algorithm>
#include <array>
#include <stdexcept>

#include "config/config_layout.h"
#include "config/cp932.h"
#include "config/decimal.h"
#include "config/settings_catalogue.h"
#include "config/memo.h"

namespace vellconf {

namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kRule = "-------------------------------------------------";

std::string marker(std::string_view word) {
    return cp932(std::string(37, '-') + std::string(word) + "--");
}

std::string valueText(std::int32_t value, SettingKind kind) {
    switch (kind) {
        case SettingKind::Flag:
        case SettingKind::RotationFlag: return value == 1 ? "YES" : "NO";
        case SettingKind::Priority: return value == 1 ? "1" : "2";
        case SettingKind::RotationState: return value == 2 ? "2" : value == 1 ? "1" : "0";
        case SettingKind::Number: break;
    }
    return formatInt(value);
}

// "    Key" padded with blanks so that "=" stands after `column` characters.
std::string keyLinePrefix(std::string_view key, int column) {
    std::string line = "    " + std::string(key);
    line.resize(std::max<std::size_t>(line.size() + 1, static_cast<std::size_t>(column)), ' ');
    return line + "= ";
}

void replaceAll(std::string& text, std::string_view from, std::string_view to) {
    for (auto pos = text.find(from); pos != std::string::npos; pos = text.find(from, pos + to.size()))
        text.replace(pos, from.size(), to);
}

// The template compiled once into fixed CP932 bytes and the slots between them.
struct Piece {
    enum class Kind { Text, Setting, Memo, IgnoreMob, Friends } kind;
    std::string text;
    const SettingSpec* spec = nullptr;
};

class Compiler {
public:
    std::vector<Piece> compile() {
        addTemplate(layout::fileTemplate());
        return std::move(pieces_);
    }

private:
    void addTemplate(std::string_view text) {
        std::size_t start = 0;
        while (true) {
            const auto end = text.find('\n', start);
            addLine(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
            if (end == std::string_view::npos) break;
            start = end + 1;
        }
    }

    void addLine(std::string_view line) {
        if (line == "{RULE}") return addText(std::string(kRule) + std::string(kLineEnd));
        if (line == "{MEMO}") {
            addText(memoStartMarker() + std::string(kLineEnd));
            pieces_.push_back({Piece::Kind::Memo, {}});
            return addText(std::string(kLineEnd) + memoEndMarker() + std::string(kLineEnd));
        }
        if (line == "{SKILLS}") return addSkills();
        if (line == "{IGNORE_MOB}") return addArray("IGNORE_MOB", Piece::Kind::IgnoreMob);
        if (line == "{FRIENDS}") return addArray("FRIENDS", Piece::Kind::Friends);
        if (line.starts_with('{') && line.ends_with('}')) return addSetting(line.substr(1, line.size() - 2));
        std::string text(line);
        replaceAll(text, "{TAB}", "\t");
        addText(cp932(text) + std::string(kLineEnd));
    }

    void addSetting(std::string_view key) {
        const SettingSpec* spec = findSetting(key);
        if (!spec) throw std::logic_error("Config.lua layout names an unknown key: " + std::string(key));
        addText(keyLinePrefix(spec->key, spec->equalsColumn));
        pieces_.push_back({Piece::Kind::Setting, {}, spec});
        addText(std::string(kLineEnd));
    }

    void addArray(std::string_view key, Piece::Kind kind) {
        addText(keyLinePrefix(key, 28) + "{");
        pieces_.push_back({kind, {}});
        addText("}" + std::string(kLineEnd));
    }

    // Each phase lists the keys of its block that exist: the catalogue knows
    // that phase 3 has no HP/SP bounds and that only some skills have timing.
    void addSkills() {
        for (const auto& section : layout::skillSections()) {
            addLine(section.heading);
            for (const auto& mode : section.modes) {
                addLine(mode.comment);
                addSetting(mode.key);
            }
            for (int phase = 1; phase <= 3; ++phase) {
                addLine("");
                addLine(layout::phaseHeading(phase));
                addPhase(section.prefix, phase);
            }
            addTemplate(section.ending);
        }
    }

    void addPhase(std::string_view prefix, int phase) {
        const std::string digit = std::to_string(phase);
        for (const auto& line : layout::phaseLines()) {
            const std::string key = "Ph" + digit + std::string(prefix) + "_" + std::string(line.suffix);
            if (!findSetting(key)) continue;
            std::string comment(line.comment);
            replaceAll(comment, "{n}", digit);
            addLine(comment);
            addSetting(key);
        }
    }

    void addText(std::string text) {
        if (!pieces_.empty() && pieces_.back().kind == Piece::Kind::Text)
            pieces_.back().text += text;
        else
            pieces_.push_back({Piece::Kind::Text, std::move(text)});
    }

    std::vector<Piece> pieces_;
};

const std::vector<Piece>& compiledLayout() {
    static const std::vector<Piece> pieces = Compiler().compile();
    return pieces;
}

void appendArray(std::string& out, std::span<const std::string> items) {
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i) out += ',';
        out += items[i];
    }
}

}  // namespace

const std::string& memoStartMarker() {
    static const std::string text = marker("▼ここから");
    return text;
}

const std::string& memoEndMarker() {
    static const std::string text = marker("▲ここまで");
    return text;
}

std::string writeConfigLua(const AiSettings& settings, std::string_view memo,
                           std::span<const std::string> ignoreMob, std::span<const std::string> friends) {
    std::string out;
    out.reserve(24 * 1024 + memo.size() * 2);
    for (const auto& piece : compiledLayout()) {
        switch (piece.kind) {
            case Piece::Kind::Text: out += piece.text; break;
            case Piece::Kind::Setting: out += valueText(settings.*piece.spec->member, piece.spec->kind); break;
            case Piece::Kind::Memo: out += lfToCrlf(memo); break;
            case Piece::Kind::IgnoreMob: appendArray(out, ignoreMob); break;
            case Piece::Kind::Friends: appendArray(out, friends); break;
        }
    }
    return out;
}

bool isArrayItem(std::string_view item) {
    // Lua's own tests are locale-free in the C locale the game uses: ASCII only.
    const auto isLetter = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; };
    const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    const std::string_view digits = item.starts_with('-') ? item.substr(1) : item;
    if (!digits.empty() && std::all_of(digits.begin(), digits.end(), isDigit)) return true;
    static constexpr std::array<std::string_view, 22> kReserved{
        "and", "break", "do", "else", "elseif", "end", "false", "for", "function", "goto", "if",
        "in", "local", "nil", "not", "or", "repeat", "return", "then", "true", "until", "while"};
    return !item.empty() && isLetter(item.front()) &&
           std::all_of(item.begin(), item.end(), [&](char c) { return isLetter(c) || isDigit(c); }) &&
           std::find(kReserved.begin(), kReserved.end(), item) == kReserved.end();
}

std::string formatSettingValue(const AiSettings& settings, std::string_view key) {
    const SettingSpec* spec = findSetting(key);
    if (!spec) throw std::invalid_argument("unknown setting: " + std::string(key));
    return valueText(settings.*spec->member, spec->kind);
}

}  // namespace vellconf
