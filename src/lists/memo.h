#pragma once
// The setting memo. The record holds it with LF line ends (what is written to
// Config.lua); the memo page shows it with CR LF line ends.

#include <string>
#include <string_view>

namespace vellconf {

// The text the memo page starts with, in CP932 with CR LF line ends, ending
// with a line end. It is ordinary memo text and is saved unless changed.
const std::string& memoPlaceholder();

// The memo as the record holds it right after start-up: the placeholder with LF.
std::string startupMemo();

std::string crlfToLf(std::string_view text);
std::string lfToCrlf(std::string_view text);

}  // namespace vellconf
