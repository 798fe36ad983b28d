#pragma once
// Whole-file reads and safe whole-file writes.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace vellconf {

class History;

// Files larger than these are refused as unreadable: no real settings file,
// friend list or monster table comes near them, and a larger one (a sparse
// file, a device) would only exhaust memory.
inline constexpr std::uint64_t kMaxTextFileBytes = 64ull << 20;  // Config.lua, Friend.ini, VellConf.ini
inline constexpr std::uint64_t kMaxMobDataBytes = 256ull << 20;  // MobData.ini

enum class ReadStatus {
    Ok,
    Missing,     // no such file (or folder on its way)
    Unreadable,  // there, but not a regular file, not permitted, or a read failed part-way
    TooLarge,    // more than the caller's bound
};

// A file the user has but the tool could not read: worth a message, and never
// to be overwritten on the strength of what was (not) read.
constexpr bool existsButUnreadable(ReadStatus status) {
    return status == ReadStatus::Unreadable || status == ReadStatus::TooLarge;
}

struct FileRead {
    ReadStatus status = ReadStatus::Missing;
    std::string bytes;  // the whole file when status is Ok, else empty

    explicit operator bool() const { return status == ReadStatus::Ok; }
};

// The bytes of a regular file of at most maxBytes bytes. Never throws for
// anything the file system does, and never blocks on a FIFO or device.
FileRead readFile(const std::filesystem::path& path, std::uint64_t maxBytes);

// What a reader made of a file, and how reading it went.
template <typename T>
struct ReadOutcome {
    T value{};
    ReadStatus status = ReadStatus::Missing;
};

// Reads the file and parses its bytes; a file that cannot be read parses as an
// empty one (no rows, every default).
template <typename Parse>
auto readParsed(const std::filesystem::path& path, std::uint64_t maxBytes, Parse parse) {
    const FileRead file = readFile(path, maxBytes);
    using Value = decltype(parse(std::string_view()));
    return ReadOutcome<Value>{parse(std::string_view(file.bytes)), file.status};
}

enum class WriteResult {
    Ok,
    OpenFailed,    // the file could not be created or opened (missing folder, a read-only file, a directory...)
    AccessDenied,  // the system denied it: the folder takes no new file and the file cannot be rewritten in place
                   // (a game under "Program Files"), or the file may not be replaced
    WriteFailed,   // opened, but the space could not be reserved or writing, flushing or replacing failed
};

// Replaces the file's content as a whole, so that a failure at any point
// leaves the old bytes in place. A symbolic link is followed and the file it
// leads to is replaced (a dangling link's target is created); the file keeps
// its mode and, where the process may set them, its owner and group.
// Usually the bytes go to a temporary file with a short name in the same
// folder, which then takes the target's place in one rename. A file with
// several hard links, or one in a folder that refuses new files while the file
// itself is writable, is rewritten in place instead, but only after the space
// for the new content has been reserved. A file the process may not write
// (read-only) is never replaced, and on Windows neither is one that another
// program holds open without sharing it.
// With a history, the file's old bytes are kept there, complete and flushed,
// before anything replaces them; a history that cannot be kept never stops
// the write.
WriteResult writeFileSafely(const std::filesystem::path& path, std::string_view bytes, History* history = nullptr);

}  // namespace vellconf
