#pragma once
// Standard output and standard error as the user meets them. A Windows
// console shows characters, whatever its code page: text bound for one goes
// through its Unicode interface. Redirected (and on every other system) the
// bytes go out as they are, so that files and pipes get them exactly.

#include <string>
#include <string_view>

namespace vellconf {

enum class StandardStream { Output, Error };
enum class TextEncoding { Utf8, Cp932 };

// Writes the text, of the given encoding; false when not all of it was written.
bool writeStandard(StandardStream stream, std::string_view text, TextEncoding encoding = TextEncoding::Utf8);

#ifdef _WIN32
// UTF-8 as Windows' wide interfaces take it; a malformed sequence becomes U+FFFD.
std::wstring utf8ToUtf16(std::string_view utf8);
#endif

}  // namespace vellconf
