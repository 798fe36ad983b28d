#pragma once
// Lines of a text file as the game's Lua reads them: LF, CR LF and a lone CR
// each end a line. No CP932 trail byte is CR or LF, so a byte scan is safe.

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

}  // namespace vellconf
