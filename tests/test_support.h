#pragma once
// Helpers shared by the tests: CP932 text from UTF-8 literals, lines of a
// written file, scratch folders.

#include <unistd.h>

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/cp932.h"
#include "config/file_io.h"

namespace vellconf::test {

// Lines of a CR LF file, without their line ends.
inline std::vector<std::string> crlfLines(std::string_view bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const auto end = bytes.find("\r\n", start);
        if (end == std::string_view::npos) {
            lines.emplace_back(bytes.substr(start));
            break;
        }
        lines.emplace_back(bytes.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

// A file's bytes, or nothing when it cannot be read.
inline std::optional<std::string> fileBytes(const std::filesystem::path& path) {
    FileRead file = readFile(path, kMaxMobDataBytes);
    if (!file) return std::nullopt;
    return std::move(file.bytes);
}

// A fresh folder under the system's temporary folder, removed with the object.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(std::string_view name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

inline ScratchDir::ScratchDir() {
    static int counter = 0;
    path_ = std::filesystem::temp_directory_path() /
            ("vellconf-test-" + std::to_string(::getpid()) + "-" + std::to_string(++counter));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
}

inline ScratchDir::~ScratchDir() {
    std::error_code ec;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(path_, ec);
}

}  // namespace vellconf::test
