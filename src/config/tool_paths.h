#pragma once
// The tool's two folders (VellConf.ini) and how the CP932 paths the user types
// become file names on this platform.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "config/file_io.h"

namespace vellconf {

// CP932 texts exactly as read or typed; converted only when a file is opened.
struct ToolPaths {
    std::string setPath;  // the AI folder: AI load and AI save use its Config.lua
    std::string libPath;  // where the specified load and save dialogs open

    bool operator==(const ToolPaths&) const = default;
};

// Windows folders, also on Linux, so that VellConf.ini moves between platforms.
inline constexpr std::string_view kDefaultSetPath = R"(C:\Program Files\Gravity\RagnarokOnline\AI\USER_AI)";
inline constexpr std::string_view kDefaultLibPath = R"(C:\Program Files\Gravity\RagnarokOnline\AI\LIB_AI)";

// Section PATH of the file; a missing file or key gives the built-in default.
// Both paths are read whole, however long. The file is read in whichever
// encoding it was saved (see decodeText); it is written in CP932.
ToolPaths parseToolPaths(std::string_view iniText);
ReadOutcome<ToolPaths> readToolPaths(const std::filesystem::path& iniFile);

// The first of the two paths that no file could be opened through (the AI
// folder's Config.lua, or the dialogs' folder), as typed; nothing when both can.
std::optional<std::string> unusablePathOf(const ToolPaths& paths);

// "[PATH]", then both keys with their paths in double quotation marks, CR LF.
std::string toolPathsText(const ToolPaths& paths);
WriteResult writeToolPaths(const std::filesystem::path& iniFile, const ToolPaths& paths, History* history = nullptr);

// The folder of the running program, where the side files lie.
std::filesystem::path programFolder();

// `SetPath` with "\Config.lua" appended as is (no separator added or removed).
std::string aiConfigPath(std::string_view setPath);

// A CP932 path as a file name of this platform. On Linux the game runs under
// Wine: a path with a drive letter resolves inside the Wine prefix and every
// backslash separates folders. Nothing when the text does not convert or the
// result is longer than the system can open.
std::optional<std::filesystem::path> resolvePath(std::string_view cp932Path);

// The other way: a folder the platform handed us (the folder browser's answer)
// as CP932 text; nothing when CP932 cannot hold its name exactly.
std::optional<std::string> toCp932Path(const std::filesystem::path& path);

}  // namespace vellconf
