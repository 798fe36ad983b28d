#include "config/file_io.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <string_view>
#include <system_error>
#include <utility>

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "config/history.h"

namespace vellconf {

namespace fs = std::filesystem;

namespace {

// Bytes asked of the system per read or write call: small enough for every
// platform's count type, large enough to make the calls few.
constexpr std::size_t kChunkBytes = 1u << 20;

// The state of a file about to be replaced.
struct Target {
    fs::path path;        // with every symbolic link resolved
    bool exists = false;  // a regular file is there
    bool writable = true;  // the process may write the file (read-only files are refused, never replaced)
    bool manyLinks = false;
#ifndef _WIN32
    struct stat info {};
#endif
};

// How the temporary file for a replace went.
enum class TempResult { Ok, FolderRefuses, Failed };

// Whether the system call that just failed was refused for lack of permission.
bool accessWasDenied() {
#ifdef _WIN32
    return GetLastError() == ERROR_ACCESS_DENIED;
#else
    return errno == EACCES || errno == EPERM;
#endif
}

// A platform file handle that closes itself; `release` hands over the close
// when its result matters.
#ifdef _WIN32
using NativeHandle = HANDLE;
const NativeHandle kNoHandle = INVALID_HANDLE_VALUE;
bool closeNative(NativeHandle handle) { return CloseHandle(handle) != 0; }
#else
using NativeHandle = int;
constexpr NativeHandle kNoHandle = -1;
bool closeNative(NativeHandle handle) { return ::close(handle) == 0; }
#endif

class Handle {
public:
    explicit Handle(NativeHandle handle = kNoHandle) : handle_(handle) {}
    ~Handle() {
        if (*this) closeNative(handle_);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    Handle(Handle&& other) noexcept : handle_(std::exchange(other.handle_, kNoHandle)) {}
    Handle& operator=(Handle&& other) noexcept {
        std::swap(handle_, other.handle_);
        return *this;
    }
    explicit operator bool() const { return handle_ != kNoHandle; }
    NativeHandle get() const { return handle_; }
    bool close() { return closeNative(std::exchange(handle_, kNoHandle)); }

private:
    NativeHandle handle_;
};

#ifdef _WIN32
using ProcessId = DWORD;
ProcessId currentProcess() { return GetCurrentProcessId(); }

bool processIsGone(ProcessId pid) {
    const HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
    if (!process) return GetLastError() == ERROR_INVALID_PARAMETER;
    DWORD code = 0;
    const bool exited = GetExitCodeProcess(process, &code) && code != STILL_ACTIVE;
    CloseHandle(process);
    return exited;
}
#else
using ProcessId = pid_t;
ProcessId currentProcess() { return ::getpid(); }
bool processIsGone(ProcessId pid) { return ::kill(pid, 0) != 0 && errno == ESRCH; }
#endif

constexpr std::string_view kTemporaryPrefix = ".vellconf-";
constexpr std::string_view kTemporarySuffix = ".tmp";

// The name of the n-th temporary file in a folder: short, so that it fits
// wherever the target's own name does. It names the process that writes it.
fs::path temporaryPath(const fs::path& folder, unsigned n) {
    return folder / (std::string(kTemporaryPrefix) + std::to_string(currentProcess()) + "-" + std::to_string(n) +
                     std::string(kTemporarySuffix));
}

fs::path folderOf(const fs::path& path) {
    return path.has_parent_path() ? path.parent_path() : fs::path(".");
}

template <typename Number>
bool readWhole(std::string_view text, Number& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

// The process a temporary file of ours was written by, read from its name.
std::optional<ProcessId> writerOf(const fs::path& file) {
    const fs::path filename = file.filename();
    std::string name;
    for (const auto c : filename.native()) {
        if (static_cast<unsigned long>(c) > 0x7F) return std::nullopt;  // ours are ASCII
        name += static_cast<char>(c);
    }
    if (!name.starts_with(kTemporaryPrefix) || !name.ends_with(kTemporarySuffix)) return std::nullopt;
    const std::string_view middle = std::string_view(name).substr(
        kTemporaryPrefix.size(), name.size() - kTemporaryPrefix.size() - kTemporarySuffix.size());
    const std::size_t dash = middle.find('-');
    ProcessId pid{};
    unsigned n = 0;
    if (dash == std::string_view::npos || !readWhole(middle.substr(0, dash), pid) || !readWhole(middle.substr(dash + 1), n))
        return std::nullopt;
    return pid;
}

// A save that was killed leaves its temporary file behind (as large as the
// file it was writing); the next save into the folder removes those whose
// process is gone. A live process's file is never touched.
void removeStaleTemporaries(const fs::path& folder) {
    std::error_code walk, ignored;
    for (fs::directory_iterator entry(folder, walk), end; !walk && entry != end; entry.increment(walk)) {
        const auto pid = writerOf(entry->path());
        if (pid && *pid != currentProcess() && processIsGone(*pid)) fs::remove(entry->path(), ignored);
    }
}

#ifdef _WIN32

FileRead readHandle(HANDLE file, std::uint64_t maxBytes) {
    LARGE_INTEGER size{};
    if (GetFileType(file) != FILE_TYPE_DISK || !GetFileSizeEx(file, &size)) return {ReadStatus::Unreadable, {}};
    if (static_cast<std::uint64_t>(size.QuadPart) > maxBytes) return {ReadStatus::TooLarge, {}};
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    std::size_t done = 0;
    for (;;) {
        if (done == bytes.size()) {
            if (bytes.size() > maxBytes) return {ReadStatus::TooLarge, {}};
            bytes.resize(bytes.size() + std::min<std::uint64_t>(kChunkBytes, maxBytes + 1 - bytes.size()));
        }
        DWORD got = 0;
        if (!ReadFile(file, bytes.data() + done, static_cast<DWORD>(std::min(bytes.size() - done, kChunkBytes)), &got,
                      nullptr)) {
            return {ReadStatus::Unreadable, {}};
        }
        if (got == 0) break;
        done += got;
    }
    bytes.resize(done);
    return {ReadStatus::Ok, std::move(bytes)};
}

bool writeAll(HANDLE file, std::string_view bytes) {
    LARGE_INTEGER start{};
    if (!SetFilePointerEx(file, start, nullptr, FILE_BEGIN)) return false;
    while (!bytes.empty()) {
        DWORD written = 0;
        const DWORD chunk = static_cast<DWORD>(std::min(bytes.size(), kChunkBytes));
        if (!WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
        bytes.remove_prefix(written);
    }
    return true;
}

bool setLength(HANDLE file, std::uint64_t size) {
    LARGE_INTEGER end{};
    end.QuadPart = static_cast<LONGLONG>(size);
    return SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && SetEndOfFile(file);
}

// Only space past the file's end is reserved: an allocation size below the
// end would cut the file. File systems that take no allocation size (network
// shares, Wine) get the end itself moved, which allocates the space on
// Windows' own file systems.
bool reserve(HANDLE file, std::uint64_t size) {
    LARGE_INTEGER current{};
    if (!GetFileSizeEx(file, &current)) return false;
    if (size <= static_cast<std::uint64_t>(current.QuadPart)) return true;
    FILE_ALLOCATION_INFO allocation{};
    allocation.AllocationSize.QuadPart = static_cast<LONGLONG>(size);
    return SetFileInformationByHandle(file, FileAllocationInfo, &allocation, sizeof allocation) ||
           setLength(file, size);
}

bool flush(HANDLE file) { return FlushFileBuffers(file) != 0; }

Handle openForReplace(const fs::path& path) {
    return Handle(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
}

// Another program holding the file open without sharing it (an editor, the
// game) would make the replace fail only after the new content is written,
// and Wine's ReplaceFileW leaves a file of its own behind when it does.
bool heldWithoutSharing(const fs::path& path) {
    const Handle file(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file) return false;
    const DWORD error = GetLastError();
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
}

// Windows resolves links when it opens a file; the final path names the file
// they lead to. A dangling link is refused, as Windows cannot open it, and so
// is anything but a file on a disk (a folder, NUL, a console).
std::optional<Target> inspectTarget(const fs::path& path) {
    Target target{path};
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return target;
    if (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE) || heldWithoutSharing(path)) {
        return std::nullopt;
    }
    Handle file(CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    BY_HANDLE_FILE_INFORMATION info{};
    if (!file || GetFileType(file.get()) != FILE_TYPE_DISK || !GetFileInformationByHandle(file.get(), &info)) {
        return std::nullopt;
    }
    std::wstring final(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetFinalPathNameByHandleW(file.get(), final.data(), static_cast<DWORD>(final.size()),
                                                       FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (length == 0) return std::nullopt;
        if (length < final.size()) {
            final.resize(length);
            break;
        }
        final.resize(length);
    }
    target.path = final;
    target.exists = true;
    target.writable = !(attributes & FILE_ATTRIBUTE_READONLY);
    target.manyLinks = info.nNumberOfLinks > 1;
    return target;
}

TempResult createTemporary(const Target& target, fs::path& tempPath, Handle& temp) {
    const fs::path folder = folderOf(target.path);
    for (unsigned n = 0; n < 100; ++n) {
        tempPath = temporaryPath(folder, n);
        temp = Handle(CreateFileW(tempPath.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
        if (temp) return TempResult::Ok;
        if (accessWasDenied()) return TempResult::FolderRefuses;
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) return TempResult::Failed;
    }
    return TempResult::Failed;
}

// ReplaceFileW gives the new file the old one's attributes, security and
// creation time.
bool replaceWithTemporary(const fs::path& tempPath, const Target& target) {
    if (target.exists) {
        return ReplaceFileW(target.path.c_str(), tempPath.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                            nullptr) != 0;
    }
    return MoveFileExW(tempPath.c_str(), target.path.c_str(), MOVEFILE_WRITE_THROUGH) != 0;
}

void removeTemporary(const fs::path& tempPath) { DeleteFileW(tempPath.c_str()); }

void syncFolder(const fs::path&) {}  // MOVEFILE_WRITE_THROUGH and ReplaceFileW flush the folder

#else

FileRead readHandle(int fd, std::uint64_t maxBytes) {
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) return {ReadStatus::Unreadable, {}};
    if (static_cast<std::uint64_t>(info.st_size) > maxBytes) return {ReadStatus::TooLarge, {}};
    // Files of /proc and the like claim a size of 0 and still hold bytes: the
    // size is where reading starts, the bound is where it ends.
    std::string bytes(static_cast<std::size_t>(info.st_size), '\0');
    std::size_t done = 0;
    for (;;) {
        if (done == bytes.size()) {
            if (bytes.size() > maxBytes) return {ReadStatus::TooLarge, {}};
            bytes.resize(bytes.size() + std::min<std::uint64_t>(kChunkBytes, maxBytes + 1 - bytes.size()));
        }
        const ssize_t got = ::read(fd, bytes.data() + done, std::min(bytes.size() - done, kChunkBytes));
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return {ReadStatus::Unreadable, {}};
        if (got == 0) break;
        done += static_cast<std::size_t>(got);
    }
    bytes.resize(done);
    return {ReadStatus::Ok, std::move(bytes)};
}

bool writeAll(int fd, std::string_view bytes) {
    off_t offset = 0;
    while (!bytes.empty()) {
        const ssize_t written = ::pwrite(fd, bytes.data(), std::min(bytes.size(), kChunkBytes), offset);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(written));
        offset += written;
    }
    return true;
}

bool setLength(int fd, std::uint64_t size) { return ::ftruncate(fd, static_cast<off_t>(size)) == 0; }

bool reserve(int fd, std::uint64_t size) {
    return size == 0 || ::posix_fallocate(fd, 0, static_cast<off_t>(size)) == 0;
}

bool flush(int fd) { return ::fsync(fd) == 0; }

// Read access as well: reserving space on a file system without native
// support reads the file to find the blocks still to allocate.
Handle openForReplace(const fs::path& path) { return Handle(::open(path.c_str(), O_RDWR | O_NOFOLLOW | O_CLOEXEC)); }

// The symbolic links at the end of the path, followed one by one so that a
// dangling link gives the path of the file it is meant to lead to.
std::optional<fs::path> followLinks(fs::path path) {
    for (int hop = 0; hop < 40; ++hop) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(path, ec))) return path;
        const fs::path next = fs::read_symlink(path, ec);
        if (ec) return std::nullopt;
        path = next.is_absolute() ? next : folderOf(path) / next;
    }
    return std::nullopt;  // a loop, or a chain no system would follow
}

// A target that exists but is not a regular file (a folder, a device) is
// refused as if it could not be opened: replacing it would fail late.
std::optional<Target> inspectTarget(const fs::path& path) {
    const auto resolved = followLinks(path);
    if (!resolved) return std::nullopt;
    Target target{*resolved};
    if (::lstat(target.path.c_str(), &target.info) != 0) {
        if (errno == ENOENT) return target;
        return std::nullopt;
    }
    if (!S_ISREG(target.info.st_mode)) return std::nullopt;
    target.exists = true;
    target.writable = ::access(target.path.c_str(), W_OK) == 0;
    target.manyLinks = target.info.st_nlink > 1;
    return target;
}

// The new file takes the old one's owner and group where the process may
// set them (the group alone when only that is allowed) and its mode.
bool takeOwnershipAndMode(int fd, const struct stat& old) {
    if (::fchown(fd, old.st_uid, old.st_gid) != 0) (void)::fchown(fd, static_cast<uid_t>(-1), old.st_gid);
    return ::fchmod(fd, old.st_mode & 07777) == 0;
}

TempResult createTemporary(const Target& target, fs::path& tempPath, Handle& temp) {
    const fs::path folder = folderOf(target.path);
    // Private until it holds the old file's mode, so that no one reads the
    // new content of a file they could not read before.
    const mode_t mode = target.exists ? 0600 : 0666;
    for (unsigned n = 0; n < 100; ++n) {
        tempPath = temporaryPath(folder, n);
        temp = Handle(::open(tempPath.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, mode));
        if (temp) {
            if (!target.exists || takeOwnershipAndMode(temp.get(), target.info)) return TempResult::Ok;
            temp.close();
            ::unlink(tempPath.c_str());
            return TempResult::Failed;
        }
        if (accessWasDenied()) return TempResult::FolderRefuses;
        if (errno != EEXIST) return TempResult::Failed;
    }
    return TempResult::Failed;
}

bool replaceWithTemporary(const fs::path& tempPath, const Target& target) {
    return ::rename(tempPath.c_str(), target.path.c_str()) == 0;
}

void removeTemporary(const fs::path& tempPath) { ::unlink(tempPath.c_str()); }

// Makes the rename itself durable; a folder that cannot be synced is no
// reason to report a failure, the file's bytes are already on disk.
void syncFolder(const fs::path& path) {
    Handle folder(::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder) ::fsync(folder.get());
}

#endif

Handle openForRead(const fs::path& path, ReadStatus& failure) {
#ifdef _WIN32
    Handle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    const DWORD error = file ? ERROR_SUCCESS : GetLastError();
    const bool missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
#else
    // Non-blocking, so that opening a FIFO returns at once; it is refused as
    // not regular right after.
    Handle file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    const bool missing = !file && (errno == ENOENT || errno == ENOTDIR);
#endif
    failure = missing ? ReadStatus::Missing : ReadStatus::Unreadable;
    return file;
}

// Rewrites the file where it is: the space for the new content is reserved
// first, so that a full disk fails before a byte of the old content changes;
// a write that fails all the same puts the old bytes back as far as it can.
WriteResult writeInPlace(const fs::path& path, std::string_view bytes, const FileRead& old) {
    Handle file = openForReplace(path);
    if (!file) return accessWasDenied() ? WriteResult::AccessDenied : WriteResult::OpenFailed;
    if (!reserve(file.get(), bytes.size())) {
        if (old) setLength(file.get(), old.bytes.size());
        return WriteResult::WriteFailed;
    }
    if (writeAll(file.get(), bytes) && setLength(file.get(), bytes.size()) && flush(file.get()) && file.close()) {
        return WriteResult::Ok;
    }
    if (old && writeAll(file.get(), old.bytes) && setLength(file.get(), old.bytes.size())) flush(file.get());
    return WriteResult::WriteFailed;
}

WriteResult writeViaTemporary(const Target& target, const fs::path& tempPath, Handle& temp, std::string_view bytes) {
    const bool written = writeAll(temp.get(), bytes) && flush(temp.get());
    if (temp.close() && written) {
        if (replaceWithTemporary(tempPath, target)) {
            syncFolder(target.path);
            return WriteResult::Ok;
        }
        const WriteResult failure = accessWasDenied() ? WriteResult::AccessDenied : WriteResult::WriteFailed;
        removeTemporary(tempPath);
        return failure;
    }
    removeTemporary(tempPath);
    return WriteResult::WriteFailed;
}

// Before anything touches the file; a history that cannot be kept stops nothing.
void keepInHistory(History& history, const fs::path& path, const FileRead& old, std::string_view bytes) {
    if (old) {
        history.keep(path, old.bytes, bytes);
    } else {
        history.cannotKeep(path, HistoryProblem::OldFileUnreadable);
    }
}

}  // namespace

FileRead readFile(const fs::path& path, std::uint64_t maxBytes) {
    ReadStatus failure = ReadStatus::Unreadable;
    const Handle file = openForRead(path, failure);
    if (!file) return {failure, {}};
    return readHandle(file.get(), maxBytes);
}

WriteResult writeFileSafely(const fs::path& path, std::string_view bytes, History* history) {
    if (path.empty()) return WriteResult::OpenFailed;
    const auto target = inspectTarget(path);
    if (!target) return WriteResult::OpenFailed;
    removeStaleTemporaries(folderOf(target->path));
    const FileRead old = target->exists ? readFile(target->path, kMaxMobDataBytes) : FileRead{};
    if (history && target->exists && target->writable) keepInHistory(*history, path, old, bytes);
    // A rename would split a hard-linked file from its other names.
    if (target->manyLinks && target->writable) return writeInPlace(target->path, bytes, old);
    fs::path tempPath;
    Handle temp;
    switch (createTemporary(*target, tempPath, temp)) {
        case TempResult::Ok:
            break;
        case TempResult::FolderRefuses:
            return target->exists && target->writable ? writeInPlace(target->path, bytes, old) : WriteResult::AccessDenied;
        case TempResult::Failed:
            return WriteResult::OpenFailed;
    }
    // A read-only file is refused only now: in a folder that takes no new
    // file either, the reason to report is the folder's.
    if (!target->writable) {
        temp.close();
        removeTemporary(tempPath);
        return WriteResult::OpenFailed;
    }
    return writeViaTemporary(*target, tempPath, temp, bytes);
}

}  // namespace vellconf
