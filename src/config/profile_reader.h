#pragma once
// Section/key lookup in a text file of "[section]" lines and "key = value"
// lines, as the tool reads VellConf.ini and Config.lua. LF, CR LF and a lone
// CR each end a line. The text is parsed once and indexed; every lookup
// answers as a fresh scan of the file would.
//
// Text is CP932: brackets are found and letters compared on whole characters
// only, since the second byte of a double-byte character can equal "[", "]",
// "\" or an ASCII letter.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace vellconf {

// Where a section ends.
enum class SectionEnd {
    NextSectionLine,  // an ini file: at the next "[name]" line
    EndOfFile,        // Config.lua: Lua table lines such as "[1002] = true," and notes such as
                      // "[狩場メモ]" are no sections there, so a section runs to the end of the file
};

class ProfileReader {
public:
    // Values (and fallbacks) are cut to this many bytes, never inside a
    // double-byte character.
    static constexpr std::size_t kMaxValueBytes = 260;

    // An empty reader: every lookup gives its fallback.
    ProfileReader() = default;
    explicit ProfileReader(std::string_view text, SectionEnd end = SectionEnd::NextSectionLine);

    // The value of `key` in the first section named `section`, or `fallback`,
    // cut to kMaxValueBytes as every scalar setting is read.
    std::string get(std::string_view section, std::string_view key, std::string_view fallback) const;
    // The same, whole: lists of IDs and folder paths must never be cut, as a
    // cut ID or path is a different, valid one.
    std::string getWhole(std::string_view section, std::string_view key, std::string_view fallback) const;

    struct Entry {
        std::string value;           // whole
        std::size_t valueBegin = 0;  // where the value starts in the text, for one that continues below its line
    };
    // The entry itself, or nothing when the section or the key is missing.
    std::optional<Entry> find(std::string_view section, std::string_view key) const;

private:
    struct Section {
        std::size_t firstEntry = 0;  // its entries are entries_[firstEntry, endEntry)
        std::size_t endEntry = 0;
    };
    std::unordered_map<std::string, Section> sections_;               // by folded name
    std::vector<Entry> entries_;                                     // in file order
    std::unordered_map<std::string, std::vector<std::size_t>> byKey_;  // folded key -> entries, ascending
};

// Letters folded to lower case on single-byte characters only; two strings are
// equal without regard to case exactly when their folded forms are equal.
std::string foldCase(std::string_view text);

}  // namespace vellconf
