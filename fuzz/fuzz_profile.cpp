// ProfileReader on arbitrary text. The reader indexes the file once; every
// answer must be what a plain scan of the text for that one lookup gives (cut
// to 260 bytes between characters, or whole), and the fallback when the
// section or key is missing.

#include <algorithm>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/profile_reader.h"
#include "config/settings_catalogue.h"
#include "fuzz_support.h"

using namespace vellconf;

namespace {

constexpr std::size_t kMax = ProfileReader::kMaxValueBytes;

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// Where `wanted` stands as a character of its own, never as the trail byte of
// a double-byte one: its first or its last place.
std::size_t findChar(std::string_view text, char wanted, bool last) {
    std::size_t found = std::string_view::npos;
    for (std::size_t pos = 0; pos < text.size(); pos += charLength(text, pos)) {
        if (text[pos] != wanted) continue;
        found = pos;
        if (!last) break;
    }
    return found;
}

std::optional<std::string_view> sectionOf(std::string_view line) {
    const std::size_t open = line.find_first_not_of(" \t");
    if (open == std::string_view::npos || line[open] != '[') return std::nullopt;
    const std::string_view rest = line.substr(open + 1);
    const std::size_t close = findChar(rest, ']', true);
    if (close == std::string_view::npos) return std::nullopt;
    return rest.substr(0, close);
}

// A line as a lookup sees it: a section line, an entry, or neither. Names are kept folded.
struct Line {
    std::optional<std::string> section;
    std::optional<std::string> key;
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
        if (const auto name = sectionOf(raw)) {
            line.section = foldCase(*name);
            continue;
        }
        const std::size_t equals = findChar(raw, '=', false);
        if (equals == std::string_view::npos) continue;
        const std::string_view key = trimmed(raw.substr(0, equals));
        if (key.empty()) continue;
        line.key = foldCase(key);
        line.value = trimmed(raw.substr(equals + 1));
        if (line.value.size() >= 2 && (line.value.front() == '"' || line.value.front() == '\'') &&
            line.value.back() == line.value.front())
            line.value = line.value.substr(1, line.value.size() - 2);
    }
    return lines;
}

// What a plain scan finds in the first section of a name: its lines up to
// the next section line (or the end of the text), the first value of each key (folded).
std::map<std::string, std::string> entriesOf(const std::vector<Line>& lines, std::string_view section,
                                             SectionEnd end) {
    const std::string wanted = foldCase(section);
    std::map<std::string, std::string> entries;
    std::size_t i = 0;
    while (i < lines.size() && lines[i].section != wanted) ++i;
    for (++i; i < lines.size() && (end == SectionEnd::EndOfFile || !lines[i].section); ++i)
        if (lines[i].key) entries.try_emplace(*lines[i].key, lines[i].value);
    return entries;
}

// Section names and keys the input itself mentions, as written and with
// their letters in upper case, so that most lookups hit something.
void namesFrom(std::string_view text, std::vector<std::string>& sections, std::vector<std::string>& keys) {
    for (std::size_t pos = 0; pos < text.size() && (sections.size() < 4 || keys.size() < 4);) {
        const std::size_t lf = text.find('\n', pos);
        const std::size_t end = lf == std::string_view::npos ? text.size() : lf;
        const std::string_view line = text.substr(pos, end - pos);
        pos = end + 1;
        const auto open = line.find('[');
        const auto close = line.rfind(']');
        if (open != std::string_view::npos && close != std::string_view::npos && open < close && sections.size() < 4)
            sections.emplace_back(line.substr(open + 1, close - open - 1));
        if (const auto equals = line.find('='); equals != std::string_view::npos && keys.size() < 4)
            keys.emplace_back(trimmed(line.substr(0, equals)));
    }
    for (auto* list : {&sections, &keys}) {
        const std::size_t n = list->size();
        for (std::size_t i = 0; i < n; ++i) {
            std::string upper = (*list)[i];
            for (char& c : upper)
                if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
            list->push_back(std::move(upper));
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = fuzz::bytesOf(data, size);
    const std::vector<Line> lines = readLines(text);

    // A fallback longer than a value may be, with a double-byte character across the cut.
    static const std::string longFallback = std::string(259, 'f') + "\x82\xA0" + "tail";
    const std::string_view tailFallback = text.substr(text.size() > 300 ? text.size() - 300 : 0);

    std::vector<std::string> sections, keys;
    namesFrom(text, sections, keys);
    sections.insert(sections.end(), {"CONFIG", "PATH"});
    keys.insert(keys.end(), {"FlagDefaultState", "IGNORE_MOB", "SetPath"});

    for (const SectionEnd end : {SectionEnd::NextSectionLine, SectionEnd::EndOfFile}) {
        const ProfileReader reader(text, end);
        const auto check = [&](std::string_view section, const auto& entries, std::string_view key,
                               std::string_view fallback) {
            const auto found = entries.find(foldCase(key));
            const std::string got = reader.get(section, key, fallback);
            FUZZ_CHECK(got.size() <= kMax, "a lookup gives at most 260 bytes");
            const std::string_view whole = found != entries.end() ? std::string_view(found->second) : fallback;
            FUZZ_CHECK(got == cutToBytes(whole, kMax), "the index answers as a scan of the text does");
            FUZZ_CHECK(reader.getWhole(section, key, fallback) == whole, "a whole value is the scanned value uncut");
        };
        for (const auto& section : sections) {
            const auto entries = entriesOf(lines, section, end);
            for (const auto& key : keys) {
                check(section, entries, key, longFallback);
                check(section, entries, key, tailFallback);
            }
        }
        // Everything a load asks.
        const auto config = entriesOf(lines, "CONFIG", end);
        for (const auto& setting : settingsCatalogue()) check("CONFIG", config, setting.key, longFallback);
    }
    for (const auto& section : sections) {
        const std::string folded = foldCase(section);
        FUZZ_CHECK(folded.size() == section.size() && foldCase(folded) == folded, "folding is stable");
    }
    return 0;
}
