#pragma once
// Whole-file reads and safe whole-file writes.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace vellconf {

// The bytes of a regular file; nothing when it cannot be opened or read.
std::optional<std::string> readFile(const std::filesystem::path& path);

enum class WriteResult {
    Ok,
    OpenFailed,   // the file could not be created (missing folder, no permission, a directory...)
    WriteFailed,  // created, but writing, flushing or replacing failed
};

// Replaces the file's content as a whole: the bytes go to a temporary file in
// the same folder, which then takes the target's place in one rename. On any
// failure the target keeps its old bytes and the temporary file is removed.
WriteResult writeFileAtomically(const std::filesystem::path& path, std::string_view bytes);

}  // namespace vellconf
