#pragma once
// Conversion between UTF-8 and Windows code page 932 (Shift-JIS with the
// Microsoft extensions). Every file this tool reads or writes is CP932, so the
// core keeps text as CP932 bytes and converts only at the edges (the window,
// the command line's JSON, file names).

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace vellconf {

// Both return nothing when the input holds a character the other side cannot
// represent (or a malformed byte sequence); never a partial or empty string.
std::optional<std::string> utf8ToCp932(std::string_view utf8);
std::optional<std::string> cp932ToUtf8(std::string_view cp932);

struct EncodingError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// UTF-8 as CP932 only when it converts back to the very same text: a folder
// name must name the same folder after a trip through VellConf.ini. Linux's
// "〜" (U+301C) becomes CP932's "～" (0x8160), which reads back as U+FF5E,
// another folder.
std::optional<std::string> utf8ToCp932Exactly(std::string_view utf8);

// For showing text that may hold stray bytes (a hand-edited file): every
// character that does not convert becomes U+FFFD.
std::string cp932ToUtf8Lossy(std::string_view cp932);

// UTF-8 as CP932 with every character CP932 lacks as "?"; nothing when the
// input is not UTF-8 at all.
std::optional<std::string> utf8ToCp932Lossy(std::string_view utf8);

// For the program's own fixed texts, which must always convert: a failure is a
// programming error and throws.
std::string cp932(std::string_view utf8);

// CP932 lead bytes start a double-byte character whose second byte may be any
// of 0x40..0xFC, including ASCII letters, "[", "]" and "\".
constexpr bool isLeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// Length in bytes of the character starting at text[pos]; a lead byte at the
// very end counts as one byte so that scanning always advances and stays in range.
inline std::size_t charLength(std::string_view text, std::size_t pos) {
    return isLeadByte(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size() ? 2 : 1;
}

// The longest prefix of at most maxBytes bytes that does not split a
// double-byte character.
std::string_view cutToBytes(std::string_view text, std::size_t maxBytes);

}  // namespace vellconf
