#pragma once
// Numbers as the tool reads and writes them in files and fields.

#include <cstdint>
#include <string>
#include <string_view>

namespace vellconf {

// The leading-integer rule: white space (space, tab, LF, VT, FF, CR) skipped,
// one optional sign, then ASCII digits up to the first other character; no
// digits give 0. "12abc" is 12, "abc" 0, "-3" -3, "007" 7. Digits beyond the
// signed 32-bit range saturate at its ends.
std::int32_t leadingInt(std::string_view text);

// "%d": no leading zeros, no plus sign, "-" before negative values.
std::string formatInt(std::int32_t value);

}  // namespace vellconf
