#pragma once
// The setting memo. The record holds it with LF line ends (what is written to
// Config.lua); the memo page shows it with CR LF line ends.

#include <cstddef>
#include <string>
#include <string_view>

namespace vellconf {

// The text the memo page starts with, in CP932 with CR LF line ends, ending
// with a line end. It is ordinary memo text and is saved unless changed.
const std::string& memoPlaceholder();

// The memo as the record holds it right after start-up: the placeholder with LF.
std::string startupMemo();

// The memo field holds at most this many bytes of CP932, counted as the field
// shows the text: with CR LF line ends, so each line end takes two bytes.
inline constexpr std::size_t kMemoMaxBytes = 1024;

// The bytes `text` (CP932, with LF or CR LF line ends) takes in the memo field.
std::size_t memoFieldBytes(std::string_view text);

std::string crlfToLf(std::string_view text);
std::string lfToCrlf(std::string_view text);

}  // namespace vellconf
