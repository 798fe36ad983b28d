#pragma once
// Lines and tokens of a text file. Lines end as the game's Lua reads them: LF,
// CR LF and a lone CR each end a line. Separators are ASCII and no CP932 trail
// byte is below 0x40, so byte scans never split a double-byte character.

#include <cstddef>
#include <string_view>

namespace vellconf {

struct TextLine {
    std::size_t begin = 0;  // the line's bytes in the text, line end included: [begin, end)
    std::size_t end = 0;
    std::string_view text;  // without the line end
    bool ended = false;     // false only for a last line without a line end
};

// The line that starts at `begin` (which must be below text.size()).
inline TextLine lineAt(std::string_view text, std::size_t begin) {
    const std::size_t stop = text.find_first_of("\r\n", begin);
    if (stop == std::string_view::npos) return {begin, text.size(), text.substr(begin), false};
    const bool crlf = text[stop] == '\r' && stop + 1 < text.size() && text[stop + 1] == '\n';
    return {begin, stop + (crlf ? 2 : 1), text.substr(begin, stop - begin), true};
}

// Calls visit(line) for every line, first to last, and stops early when it returns false.
template <typename Visit>
void forEachLine(std::string_view text, Visit visit) {
    for (std::size_t pos = 0; pos < text.size();) {
        const TextLine line = lineAt(text, pos);
        if (!visit(line)) return;
        pos = line.end;
    }
}

// Calls visit(token) for every run of bytes between separators, first to last.
template <typename IsSeparator, typename Visit>
void forEachToken(std::string_view text, IsSeparator isSeparator, Visit visit) {
    std::size_t pos = 0;
    while (pos < text.size()) {
        while (pos < text.size() && isSeparator(text[pos])) ++pos;
        if (pos == text.size()) break;
        const std::size_t start = pos;
        while (pos < text.size() && !isSeparator(text[pos])) ++pos;
        visit(text.substr(start, pos - start));
    }
}

}  // namespace vellconf
