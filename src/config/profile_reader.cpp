#include "config/profile_reader.h"

#include <algorithm>
#include <cstdint>
#include <optional>

#include "config/cp932.h"
#include "config/text_lines.h"

namespace vellconf {

namespace {
bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

// Positions of `wanted` that start a character, so a trail byte that happens to
// equal it is never taken for it.
std::optional<std::size_t> findFirstChar(std::string_view text, char wanted) {
    for (std::size_t pos = 0; pos < text.size(); pos += charLength(text, pos)) {
        if (text[pos] == wanted) return pos;
    }
    return std::nullopt;
}

std::optional<std::size_t> findLastChar(std::string_view text, char wanted) {
    std::optional<std::size_t> found;
    for (std::size_t pos = 0; pos < text.size(); pos += charLength(text, pos)) {
        if (text[pos] == wanted) found = pos;
    }
    return found;
}

// The name of a "[name]" line; anything after the last "]" is ignored.
std::optional<std::string_view> sectionName(std::string_view line) {
    const std::size_t start = line.find_first_not_of(" \t");
    if (start == std::string_view::npos || line[start] != '[') return std::nullopt;
    const std::string_view rest = line.substr(start + 1);
    const auto close = findLastChar(rest, ']');
    if (!close) return std::nullopt;
    return rest.substr(0, *close);
}

struct Entry {
    std::string_view key;
    std::string_view value;
};

std::optional<Entry> parseEntry(std::string_view line) {
    const auto equals = findFirstChar(line, '=');
    if (!equals) return std::nullopt;
    const Entry entry{trimBlanks(line.substr(0, *equals)), trimBlanks(line.substr(*equals + 1))};
    if (entry.key.empty()) return std::nullopt;
    return entry;
}

std::string_view stripQuotes(std::string_view value) {
    const bool quoted = value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                        value.back() == value.front();
    return quoted ? value.substr(1, value.size() - 2) : value;
}

std::string limited(std::string_view text) {
    return std::string(cutToBytes(text, ProfileReader::kMaxValueBytes));
}
}  // namespace

ProfileReader::ProfileReader(std::string_view text, SectionEnd end) {
    Section* open = nullptr;  // the section the next entry belongs to, if one can answer
    forEachLine(text, [&](const TextLine& textLine) {
        const std::string_view line = textLine.text;
        if (const auto name = sectionName(line)) {
            if (end == SectionEnd::NextSectionLine && open) open->endEntry = entries_.size();
            // A repeated section never answers: a scan stops at the first section of a name.
            const auto [section, added] = sections_.try_emplace(foldCase(*name), Section{entries_.size(), SIZE_MAX});
            if (added || end == SectionEnd::NextSectionLine) open = added ? &section->second : nullptr;
        } else if (open) {
            if (const auto entry = parseEntry(line)) {
                byKey_[foldCase(entry->key)].push_back(entries_.size());
                const auto valueBegin = static_cast<std::size_t>(entry->value.data() - text.data());
                entries_.push_back({std::string(stripQuotes(entry->value)), valueBegin});
            }
        }
        return true;
    });
}

std::optional<ProfileReader::Entry> ProfileReader::find(std::string_view section, std::string_view key) const {
    const auto found = sections_.find(foldCase(section));
    if (found == sections_.end()) return std::nullopt;
    const auto positions = byKey_.find(foldCase(key));
    if (positions == byKey_.end()) return std::nullopt;
    // The first occurrence within the section wins.
    const Section& range = found->second;
    const auto first = std::lower_bound(positions->second.begin(), positions->second.end(), range.firstEntry);
    if (first == positions->second.end() || *first >= range.endEntry) return std::nullopt;
    return entries_[*first];
}

std::string ProfileReader::get(std::string_view section, std::string_view key, std::string_view fallback) const {
    return limited(getWhole(section, key, fallback));
}

std::string ProfileReader::getWhole(std::string_view section, std::string_view key, std::string_view fallback) const {
    auto entry = find(section, key);
    return entry ? std::move(entry->value) : std::string(fallback);
}

std::string foldCase(std::string_view text) {
    std::string folded(text);
    for (std::size_t pos = 0; pos < folded.size(); pos += charLength(folded, pos)) {
        const char c = folded[pos];
        if (charLength(folded, pos) == 1 && c >= 'A' && c <= 'Z') folded[pos] = static_cast<char>(c - 'A' + 'a');
    }
    return folded;
}

}  // namespace vellconf
