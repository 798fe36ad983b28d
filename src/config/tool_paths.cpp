#include "config/tool_paths.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdlib>

#include "config/cp932.h"
#include "config/profile_reader.h"
#include "config/text_encoding.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace vellconf {

ToolPaths parseToolPaths(std::string_view iniText) {
    // Read whole: a path cut short is another folder, whose Config.lua the next AI save would replace.
    const ProfileReader reader(iniText);
    return {reader.getWhole("PATH", "SetPath", kDefaultSetPath), reader.getWhole("PATH", "LibPath", kDefaultLibPath)};
}

ReadOutcome<ToolPaths> readToolPaths(const std::filesystem::path& iniFile) {
    // Saved from Notepad as UTF-8, "[PATH]" would hide behind the byte-order
    // mark and a Japanese path would come back garbled. A folder name CP932
    // holds only as a look-alike is another folder: it becomes "?", which no
    // save takes (resolvePath).
    return readParsed(iniFile, kMaxTextFileBytes, [](std::string_view bytes) {
        return parseToolPaths(decodeText(bytes, UnmarkedBytes::Cp932, LookAlikes::Lost).text);
    });
}

std::optional<std::string> unusablePathOf(const ToolPaths& paths) {
    if (!resolvePath(aiConfigPath(paths.setPath))) return paths.setPath;
    if (!resolvePath(paths.libPath)) return paths.libPath;
    return std::nullopt;
}

std::string toolPathsText(const ToolPaths& paths) {
    return "[PATH]\r\nSetPath = \"" + paths.setPath + "\"\r\nLibPath = \"" + paths.libPath + "\"\r\n";
}

WriteResult writeToolPaths(const std::filesystem::path& iniFile, const ToolPaths& paths, History* history) {
    return writeFileSafely(iniFile, toolPathsText(paths), history);
}

std::string aiConfigPath(std::string_view setPath) { return std::string(setPath) + "\\Config.lua"; }

namespace {

// "?" and "*" name no file on Windows. A "?" is what stands for a character
// that a folder's name held and CP932 does not: that folder is not this one.
// Neither byte is a second byte of a CP932 character, so a plain search finds them.
bool holdsWildcard(std::string_view cp932Path) { return cp932Path.find_first_of("?*") != std::string_view::npos; }

}  // namespace

#ifdef _WIN32

std::filesystem::path programFolder() {
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0) return {};
        if (n < buffer.size()) {
            buffer.resize(n);
            break;
        }
        buffer.resize(buffer.size() * 2);
    }
    return std::filesystem::path(buffer).parent_path();
}

std::optional<std::filesystem::path> resolvePath(std::string_view cp932Path) {
    if (cp932Path.empty()) return std::filesystem::path();
    if (holdsWildcard(cp932Path)) return std::nullopt;
    const int size = static_cast<int>(cp932Path.size());
    const int n = MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, cp932Path.data(), size, nullptr, 0);
    if (n <= 0) return std::nullopt;
    // Without the long-path prefix the file functions refuse longer paths.
    if (n >= MAX_PATH) return std::nullopt;
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, cp932Path.data(), size, wide.data(), n);
    return std::filesystem::path(wide);
}

std::optional<std::string> toCp932Path(const std::filesystem::path& path) {
    return utf8ToCp932Exactly(reinterpret_cast<const char*>(path.u8string().c_str()));
}

#else

std::filesystem::path programFolder() {
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::current_path(ec) : exe.parent_path();
}

namespace {

std::filesystem::path winePrefix() {
    if (const char* prefix = std::getenv("WINEPREFIX"); prefix && *prefix) return prefix;
    const char* home = std::getenv("HOME");
    return std::filesystem::path(home && *home ? home : "/") / ".wine";
}

// A path the system would refuse to open: too long, a name past the limit of
// one folder entry, or a NUL byte that would end it early.
bool fitsPathLimits(const std::filesystem::path& path) {
    const std::string& text = path.native();
    if (text.size() >= PATH_MAX || text.find('\0') != std::string::npos) return false;
    return std::all_of(path.begin(), path.end(), [](const std::filesystem::path& part) {
        return part.native().size() <= NAME_MAX;
    });
}

bool hasDriveLetter(std::string_view path) {
    return path.size() >= 2 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':';
}

}  // namespace

std::optional<std::filesystem::path> resolvePath(std::string_view cp932Path) {
    if (holdsWildcard(cp932Path)) return std::nullopt;
    // Separators are looked at only after conversion: in CP932 the second byte
    // of "ソ" or "表" is a backslash.
    auto utf8 = cp932ToUtf8(cp932Path);
    if (!utf8) return std::nullopt;
    std::string path = std::move(*utf8);
    for (char& c : path)
        if (c == '\\') c = '/';
    std::filesystem::path resolved(path);
    if (hasDriveLetter(path)) {
        const char drive = static_cast<char>(std::tolower(static_cast<unsigned char>(path[0])));
        resolved = winePrefix() / "dosdevices" / (std::string(1, drive) + ":" + path.substr(2));
    }
    if (!fitsPathLimits(resolved)) return std::nullopt;
    return resolved;
}

// A folder inside the Wine prefix goes back to its Windows form, so that
// VellConf.ini keeps paths the Windows build reads as well.
std::optional<std::string> toCp932Path(const std::filesystem::path& path) {
    const std::string devices = (winePrefix() / "dosdevices").string() + "/";
    std::string text = path.string();
    if (text.starts_with(devices) && hasDriveLetter(std::string_view(text).substr(devices.size()))) {
        text = text.substr(devices.size());
        text[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
        for (char& c : text)
            if (c == '/') c = '\\';
        if (text.size() == 2) text += '\\';
    }
    return utf8ToCp932Exactly(text);
}

#endif

}  // namespace vellconf
