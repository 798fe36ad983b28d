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
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace vellconf {

class ProfileReader {
public:
    // Values (and fallbacks) are cut to this many bytes, never inside a
    // double-byte character.
    static constexpr std::size_t kMaxValueBytes = 260;

    // An empty reader: every lookup gives its fallback.
    ProfileReader() = default;
    explicit ProfileReader(std::string_view text);

    // The value of `key` in the first section named `section`, or `fallback`,
    // cut to kMaxValueBytes as every scalar setting is read.
    std::string get(std::string_view section, std::string_view key, std::string_view fallback) const;
    // The same, whole: lists of IDs and folder paths must never be cut, as a
    // cut ID or path is a different, valid one.
    std::string getWhole(std::string_view section, std::string_view key, std::string_view fallback) const;

private:
    struct Section {
        std::string foldedName;
        std::unordered_map<std::string, std::string> values;  // folded key -> first value, whole
    };
    std::vector<Section> sections_;
};

// Letters folded to lower case on single-byte characters only; two strings are
// equal without regard to case exactly when their folded forms are equal.
std::string foldCase(std::string_view text);

}  // namespace vellconf
