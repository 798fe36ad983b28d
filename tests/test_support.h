#pragma once
// Helpers shared by the tests: text in the encodings files come in, the files
// of tests/data, scratch folders, and running the built programs.

#ifdef _WIN32
#include <process.h>
#else
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "config/cp932.h"
#include "config/file_io.h"
#include "config/tool_paths.h"

namespace vellconf::test {

// Lines of a CR LF file, without their line ends.
inline std::vector<std::string> crlfLines(std::string_view bytes) {
    std::vector<std::string> lines;
    for (std::size_t start = 0, end = 0; start < bytes.size(); start = end + 2) {
        end = std::min(bytes.find("\r\n", start), bytes.size());
        lines.emplace_back(bytes.substr(start, end - start));
    }
    return lines;
}

inline void writeBytes(const std::filesystem::path& path, std::string_view bytes) { std::ofstream(path, std::ios::binary) << bytes; }

// A file's bytes, or nothing when it cannot be read.
inline std::optional<std::string> fileBytes(const std::filesystem::path& path) {
    if (FileRead file = readFile(path, kMaxMobDataBytes)) return std::move(file.bytes);
    return std::nullopt;
}

// Text as the case files write it, as CP932 bytes: UTF-8, with \n, \r and \t
// for line ends and tabs and \xNN for a byte of its own (one no character holds).
inline std::string cp932Unescaped(std::string_view text) {
    std::string out, run;
    for (std::size_t pos = 0; pos < text.size(); ++pos) {
        const std::size_t escape = std::string_view("nrtx").find(pos + 1 < text.size() ? text[pos + 1] : '\0');
        if (text[pos] != '\\' || escape == std::string_view::npos) {
            run += text[pos];
        } else {
            out += cp932(std::exchange(run, {}));
            out += escape == 3 ? static_cast<char>(std::stoi(std::string(text.substr(pos + 2, 2)), nullptr, 16)) : "\n\r\t"[escape];
            pos += escape == 3 ? 3 : 1;
        }
    }
    return out + cp932(run);
}

#ifdef VELLCONF_TEST_DATA
// tests/data: expected outputs, tables of tab-separated fields, folders of input files and their rows.
inline std::filesystem::path testDataDir() { return VELLCONF_TEST_DATA; }

// A file of tests/data, whole; one that cannot be read throws, failing the test.
inline std::string testData(const std::filesystem::path& name) { return fileBytes(testDataDir() / name).value(); }

using Fields = std::vector<std::string>;

// A file's lines split at their tabs; lines starting with "#" are notes. A file that cannot be read throws.
inline std::vector<Fields> tableRows(const std::filesystem::path& file) {
    std::vector<Fields> rows;
    const std::string text = fileBytes(file).value();
    for (std::size_t pos = 0, end = 0; pos < text.size(); pos = end + 1) {
        end = std::min(text.find('\n', pos), text.size());
        if (text[pos] == '#') continue;
        Fields& row = rows.emplace_back();
        for (std::size_t at = pos, tab = 0; at <= end; at = tab + 1) {
            tab = std::min(text.find('\t', at), end);
            row.push_back(text.substr(at, tab - at));
        }
    }
    return rows;
}

// Each NAME.ini of tests/data/FOLDER with the rows of NAME.rows.
inline std::vector<std::pair<std::filesystem::path, std::vector<Fields>>> readCases(const std::string& folder) {
    std::vector<std::pair<std::filesystem::path, std::vector<Fields>>> cases;
    for (const auto& entry : std::filesystem::directory_iterator(testDataDir() / folder))
        if (entry.path().extension() == ".ini")
            cases.emplace_back(entry.path(), tableRows(std::filesystem::path(entry.path()).replace_extension(".rows")));
    return cases;
}
// The rows of a table in tests/data (see tableRows), each field as CP932 bytes.
inline std::vector<Fields> cp932Rows(const std::filesystem::path& name) {
    std::vector<Fields> rows = tableRows(testDataDir() / name);
    for (Fields& row : rows)
        for (std::string& field : row) field = cp932Unescaped(field);
    return rows;
}

// The items of a field such as "a,b,c"; none for "".
inline std::vector<std::string> listItems(const std::string& field) {
    std::vector<std::string> items;
    for (std::size_t start = 0, end = 0; !field.empty() && end != std::string::npos; start = end + 1)
        items.push_back(field.substr(start, (end = field.find(',', start)) - start));
    return items;
}
#endif

// Per platform: a path that opens but reads as no file; a path as one word of the shell (cmd.exe
// takes double quotation marks, which no Windows file name holds); a program built with the tests,
// on Windows (built elsewhere, or run under Wine) from the tests' folder; a pipe from a command.
#ifdef _WIN32
inline int processId() { return ::_getpid(); }
inline const std::filesystem::path kUnreadableFile = R"(\\.\NUL)";
inline std::string shellQuoted(const std::filesystem::path& path) { return '"' + path.string() + '"'; }
inline std::filesystem::path builtProgram(std::string_view path) { return programFolder() / std::filesystem::path(path).filename(); }
// cmd.exe /c drops the first and the last quotation mark of a line that starts with one: a pair around the whole line then.
inline FILE* openPipe(const std::string& command) { return ::_popen(('"' + command + '"').c_str(), "rt"); }
inline int closePipe(FILE* pipe) { return ::_pclose(pipe); }
#else
inline int processId() { return ::getpid(); }
inline const std::filesystem::path kUnreadableFile = "/proc/self/mem";
inline std::string shellQuoted(const std::filesystem::path& path) {
    std::string quoted = "'";
    for (const char c : path.string()) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}
inline std::filesystem::path builtProgram(std::string_view path) { return path; }
inline FILE* openPipe(const std::string& command) { return ::popen(command.c_str(), "r"); }
inline int closePipe(FILE* pipe) {  // the exit code, or -1 for a signal
    const int status = ::pclose(pipe);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
#endif

// A fresh folder in the system's temporary folder, removed with the object whatever was made read-only in it.
class ScratchDir {
public:
    ScratchDir() { std::filesystem::remove_all(path_); std::filesystem::create_directories(path_); }
    // Each folder opened up before the walk goes into it (Windows deletes no read-only file, POSIX
    // nothing from a read-only folder); links, which may lead out, left alone.
    ~ScratchDir() {
        namespace fs = std::filesystem;
        std::error_code ignored, walk;
        fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
        for (auto entry = fs::recursive_directory_iterator(path_, walk); !walk && entry != fs::recursive_directory_iterator();
             entry.increment(walk))
            if (!entry->is_symlink(ignored)) fs::permissions(entry->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(path_, ignored);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(std::string_view name) const { return path_ / name; }

private:
    static inline int counter_ = 0;
    const std::filesystem::path path_ =
        std::filesystem::temp_directory_path() / ("vellconf-test-" + std::to_string(processId()) + "-" + std::to_string(++counter_));
};

// Runs a command line through the platform's shell: its exit code and what it prints, lines ended by "\n".
struct CommandOutput { int exitCode = -1; std::string text; };
inline CommandOutput runForOutput(const std::string& command) {
    CommandOutput output;
    FILE* pipe = openPipe(command);
    if (!pipe) return output;
    char buffer[4096];
    while (const std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) output.text.append(buffer, n);
    output.exitCode = closePipe(pipe);
    return output;
}

inline int runShell(const std::string& command) { return runForOutput(command).exitCode; }  // the same, its exit code alone

}  // namespace vellconf::test
