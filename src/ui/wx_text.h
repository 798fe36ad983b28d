#pragma once
// Text crossing between the core (CP932 bytes, UTF-8 literals) and wx strings.

#include <wx/string.h>

#include <filesystem>
#include <string>
#include <string_view>

namespace vellconf {

inline wxString fromUtf8(std::string_view utf8) { return wxString::FromUTF8(utf8.data(), utf8.size()); }

// CP932 bytes as the window shows them; stray bytes show as U+FFFD.
wxString fromCp932(std::string_view cp932);

// What the user typed, as CP932; characters CP932 lacks become "?" so that
// nothing typed is silently dropped as a whole.
std::string toCp932(const wxString& text);

// File names: UTF-16 on Windows; UTF-8 on Linux, whatever the C locale says
// (wx leaves it "C", where a conversion through it would lose every Japanese
// folder name).
inline wxString fromPath(const std::filesystem::path& path) {
#ifdef _WIN32
    return wxString(path.native());
#else
    return fromUtf8(path.native());
#endif
}
inline std::filesystem::path toPath(const wxString& text) {
#ifdef _WIN32
    return std::filesystem::path(text.ToStdWstring());
#else
    return std::filesystem::path(std::string(text.utf8_str()));
#endif
}

}  // namespace vellconf
