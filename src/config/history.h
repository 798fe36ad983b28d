#pragma once
// The history of the files saves replaced. Before a save replaces a file with
// other bytes, the old bytes are kept in a folder beside the program, in a
// file named by the time and the file's own name (2026-12-08_113005_Config.lua,
// so that the names sort by time), and a line of index.txt (CP932) says the
// full path they came from. The newest 50 versions of each path are kept.
// A history that cannot be kept never stops the save: the reason is told once.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vellconf {

inline constexpr std::size_t kVersionsKept = 50;

struct HistoryVersion {
    std::string name;    // the file in the history folder, CP932
    std::string origin;  // the full path it came from, CP932 (a file inside the Wine prefix in its Windows form)
    std::string time;    // "2026-12-08 11:30:05", when it was replaced
    std::uint64_t size = 0;
};

// Why the old bytes of a file could not be kept.
enum class HistoryProblem {
    FolderUnusable,    // the history folder cannot be made (a read-only program folder)
    AccessDenied,      // the system forbids writing there
    WriteFailed,       // a full disk, or another failed write
    IndexUnreadable,   // index.txt is there but cannot be read; it is never replaced then
    OldFileUnreadable, // the file to be replaced cannot be read
    PathNotStorable,   // its path holds characters code page 932 lacks, or a line end
};

class History {
public:
    explicit History(std::filesystem::path folder = {}) : folder_(std::move(folder)) {}

    const std::filesystem::path& folder() const { return folder_; }
    void setFolder(std::filesystem::path folder) { folder_ = std::move(folder); }

    // Keeps `oldBytes`, what `target` holds before a save replaces it with
    // `newBytes`; nothing when they are the same, when the newest version of
    // the path holds them already, or when the target lies in the history
    // folder itself. The version is complete and flushed when this returns.
    void keep(const std::filesystem::path& target, std::string_view oldBytes, std::string_view newBytes);
    // The file to be replaced could not even be read.
    void cannotKeep(const std::filesystem::path& target, HistoryProblem problem);

    // Every kept version whose file is still there, oldest first; those of
    // one file only when `of` is given.
    std::vector<HistoryVersion> versions(const std::optional<std::filesystem::path>& of = std::nullopt) const;
    // The version of that name (the name as listed, or a path ending in it).
    std::optional<HistoryVersion> find(const std::filesystem::path& name) const;
    std::filesystem::path fileOf(const HistoryVersion& version) const;

    // Why the history could not be kept (UTF-8), the first time only: a
    // failure is told once per run, not at every save.
    std::optional<std::string> untoldFailure();

private:
    struct Failure {
        HistoryProblem problem;
        std::string subject;  // UTF-8: the folder or file concerned
    };
    void fail(HistoryProblem problem, const std::filesystem::path& subject);

    std::filesystem::path folder_;
    std::optional<Failure> failure_;
    bool told_ = false;
};

}  // namespace vellconf
