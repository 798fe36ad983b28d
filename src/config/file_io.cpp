#include "config/file_io.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace vellconf {

std::optional<std::string> readFile(const std::filesystem::path& path) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string bytes;
    const auto size = std::filesystem::file_size(path, ec);
    if (!ec) bytes.reserve(static_cast<std::size_t>(size));
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (in.bad()) return std::nullopt;
    return bytes;
}

namespace {

// A target that exists but is not a regular file (a folder, a device) is
// refused as if it could not be opened: renaming over it would either fail
// late or replace something that is not ours.
// A read-only file is refused too, as opening it for writing would be.
bool isReplaceableTarget(const std::filesystem::path& path) {
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (!std::filesystem::exists(status)) return true;
    if (!std::filesystem::is_regular_file(status)) return false;
#ifdef _WIN32
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_READONLY);
#else
    return ::access(path.c_str(), W_OK) == 0;
#endif
}

#ifdef _WIN32
WriteResult writeTemporary(const std::filesystem::path& temp, std::string_view bytes) {
    HANDLE file = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return WriteResult::OpenFailed;
    bool ok = true;
    std::size_t done = 0;
    while (ok && done < bytes.size()) {
        DWORD written = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
        ok = WriteFile(file, bytes.data() + done, chunk, &written, nullptr) && written > 0;
        done += written;
    }
    ok = FlushFileBuffers(file) && ok;
    ok = CloseHandle(file) && ok;
    return ok ? WriteResult::Ok : WriteResult::WriteFailed;
}

bool replace(const std::filesystem::path& temp, const std::filesystem::path& target) {
    return MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

std::filesystem::path temporaryName(const std::filesystem::path& target) {
    return std::filesystem::path(target.native() + L".tmp" + std::to_wstring(GetCurrentProcessId()));
}
#else
WriteResult writeTemporary(const std::filesystem::path& temp, std::string_view bytes) {
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) return WriteResult::OpenFailed;
    bool ok = true;
    std::size_t done = 0;
    while (ok && done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        ok = n > 0;
        if (ok) done += static_cast<std::size_t>(n);
    }
    ok = ::fsync(fd) == 0 && ok;
    ok = ::close(fd) == 0 && ok;
    return ok ? WriteResult::Ok : WriteResult::WriteFailed;
}

bool replace(const std::filesystem::path& temp, const std::filesystem::path& target) {
    return std::rename(temp.c_str(), target.c_str()) == 0;
}

std::filesystem::path temporaryName(const std::filesystem::path& target) {
    return std::filesystem::path(target.native() + ".tmp" + std::to_string(::getpid()));
}
#endif

}  // namespace

WriteResult writeFileAtomically(const std::filesystem::path& path, std::string_view bytes) {
    if (path.empty() || !isReplaceableTarget(path)) return WriteResult::OpenFailed;
    const auto temp = temporaryName(path);
    std::error_code ec;
    std::filesystem::remove(temp, ec);  // a leftover of an earlier crash
    const WriteResult written = writeTemporary(temp, bytes);
    if (written == WriteResult::Ok && replace(temp, path)) return WriteResult::Ok;
    std::filesystem::remove(temp, ec);
    return written == WriteResult::OpenFailed ? WriteResult::OpenFailed : WriteResult::WriteFailed;
}

}  // namespace vellconf
