#include "cli/standard_streams.h"

#include <algorithm>
#include <cstdio>

#include "config/cp932.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace vellconf {

namespace {

bool writeBytes(StandardStream stream, std::string_view bytes) {
    std::FILE* file = stream == StandardStream::Output ? stdout : stderr;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return written && std::fflush(file) == 0 && !std::ferror(file);
}

#ifdef _WIN32

// The stream's console, or nothing when it goes to a file, a pipe or nowhere.
HANDLE consoleOf(StandardStream stream) {
    const HANDLE handle = GetStdHandle(stream == StandardStream::Output ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
    DWORD mode = 0;
    return handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode) ? handle : nullptr;
}

bool writeConsole(HANDLE console, std::string_view utf8) {
    const std::wstring text = utf8ToUtf16(utf8);
    // Consoles before Windows 8 fail a write of more than about 64 KB; a
    // piece never ends between the two halves of a surrogate pair.
    constexpr std::size_t kPiece = 8192;
    for (std::size_t done = 0; done < text.size();) {
        DWORD count = static_cast<DWORD>(std::min(kPiece, text.size() - done));
        if (count > 1 && IS_HIGH_SURROGATE(text[done + count - 1])) --count;
        DWORD written = 0;
        if (!WriteConsoleW(console, text.data() + done, count, &written, nullptr) || written == 0) return false;
        done += written;
    }
    return true;
}

#endif

}  // namespace

#ifdef _WIN32

std::wstring utf8ToUtf16(std::string_view utf8) {
    if (utf8.empty()) return {};
    const int size = static_cast<int>(utf8.size());
    std::wstring wide(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), static_cast<int>(wide.size()));
    return wide;
}

#endif

// Elsewhere a terminal takes the bytes as they are, whatever their encoding.
bool writeStandard(StandardStream stream, std::string_view text, [[maybe_unused]] TextEncoding encoding) {
#ifdef _WIN32
    if (const HANDLE console = consoleOf(stream))
        return writeConsole(console, encoding == TextEncoding::Cp932 ? cp932ToUtf8Lossy(text) : std::string(text));
#endif
    return writeBytes(stream, text);
}

}  // namespace vellconf
