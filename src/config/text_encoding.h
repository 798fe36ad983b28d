#pragma once
// Text files as other editors save them: code page 932 (the tool's own),
// UTF-8 with or without a byte-order mark, UTF-16 with one (Notepad's
// "Unicode"). Each becomes CP932 text; a character CP932 lacks becomes "?",
// and the lines where that happened are told, so that the user hears of it
// before a save writes the "?".

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vellconf {

struct DecodedText {
    std::string text;                     // CP932
    std::vector<std::size_t> lossyLines;  // numbers (from 1) of the lines where a character became "?"
};

// How bytes that carry no byte-order mark and are not valid UTF-8 are read.
enum class UnmarkedBytes {
    Cp932,       // as they stand
    BrokenUtf8,  // the file is known to be UTF-8 all the same: each stray byte becomes "?"
};

// How a character that CP932 holds only as a look-alike is taken: as the
// look-alike (Linux's "〜" as "～"), or as lost, where a name must stay the
// same name (a folder in VellConf.ini).
enum class LookAlikes { Taken, Lost };

// A byte-order mark decides; without one, valid UTF-8 that holds a
// multi-byte character is UTF-8 (CP932 Japanese text practically never is:
// its lead bytes 0x81-0x9F are UTF-8 continuation bytes); anything else as
// `unmarked` says.
DecodedText decodeText(std::string_view bytes, UnmarkedBytes unmarked = UnmarkedBytes::Cp932,
                       LookAlikes lookAlikes = LookAlikes::Taken);

}  // namespace vellconf
