#pragma once
// The items of IGNORE_MOB and FRIENDS as the game's Lua reads the table
// constructor: blanks, tabs and line ends around items, "," or ";" between
// them, a trailing separator, comments ("-- ..." to the end of the line,
// "--[[ ... ]]" anywhere), and a table that runs over several lines.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vellconf {

// More items than any real list holds; a longer one (megabytes of IDs) would
// cost the window and the command line gigabytes of rows.
inline constexpr std::size_t kMaxListItems = 100'000;

struct ArrayItems {
    std::vector<std::string> items;  // as written (CP932), in file order
    bool tooMany = false;            // more than kMaxListItems: `items` stops there
};

// `text` starts where the value after "KEY =" starts and runs to the end of
// the file. A value that opens "{" runs to its "}" over as many lines as it
// takes (or to the end of the text); one that holds nothing but a comment
// takes the "{" of the lines below. A value without "{" is its own line.
ArrayItems arrayItems(std::string_view text);

}  // namespace vellconf
