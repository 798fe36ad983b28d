#include "config/history.h"

#include <algorithm>
#include <ctime>

#include "config/cp932.h"
#include "config/file_io.h"
#include "config/text_lines.h"
#include "config/tool_paths.h"
#include "config/messages.h"

namespace vellconf {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kIndexName = "index.txt";

// One line of index.txt: the version's name, a tab, the path it came from.
struct IndexLine {
    std::string name;
    std::string origin;
};

std::vector<IndexLine> parseIndex(std::string_view text) {
    std::vector<IndexLine> lines;
    forEachLine(text, [&](const TextLine& line) {
        // No CP932 trail byte is a tab, and no version name holds one.
        if (const auto tab = line.text.find('\t'); tab != std::string_view::npos)
            lines.push_back({std::string(line.text.substr(0, tab)), std::string(line.text.substr(tab + 1))});
        return true;
    });
    return lines;
}

std::string indexText(const std::vector<IndexLine>& lines) {
    std::string text;
    for (const IndexLine& line : lines) text += line.name + "\t" + line.origin + "\r\n";
    return text;
}

// "2026-12-08_113005", local time: names that sort by when they were kept.
std::string timeStamp() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d_%H%M%S", &local);
    return text;
}

// "2026-12-08 11:30:05" from a version's name.
std::string timeOf(std::string_view name) {
    constexpr std::size_t kStampLength = 17;
    if (name.size() < kStampLength || name[10] != '_') return {};
    const std::string_view clock = name.substr(11, 6);
    return std::string(name.substr(0, 10)) + " " + std::string(clock.substr(0, 2)) + ":" +
           std::string(clock.substr(2, 2)) + ":" + std::string(clock.substr(4, 2));
}

// A file name as a version's name may hold it: line ends, tabs and path
// separators (possible in a Linux name) become "_", whole characters only.
std::string storableName(std::string name) {
    for (std::size_t pos = 0; pos < name.size(); pos += charLength(name, pos)) {
        const char c = name[pos];
        if (charLength(name, pos) == 1 && (static_cast<unsigned char>(c) < 0x20 || c == '\\' || c == '/')) name[pos] = '_';
    }
    return name;
}

// The stamp and the file's name; a second version of the same name within
// the same second gets "~002" after the time, which sorts after the first.
std::string freeName(const std::vector<IndexLine>& lines, const fs::path& folder, const std::string& stamp,
                     const std::string& fileName) {
    const auto taken = [&](const std::string& name) {
        std::error_code ec;
        const auto file = resolvePath(name);
        return std::any_of(lines.begin(), lines.end(), [&](const IndexLine& l) { return l.name == name; }) ||
               (file && fs::exists(folder / *file, ec));
    };
    std::string name = stamp + "_" + fileName;
    for (int n = 2; taken(name); ++n) {
        const std::string number = std::to_string(n);
        name = stamp + "~" + std::string(number.size() < 3 ? 3 - number.size() : 0, '0') + number + "_" + fileName;
    }
    return name;
}

bool newestHolds(const std::vector<IndexLine>& lines, const fs::path& folder, const std::string& origin,
                 std::string_view bytes) {
    const auto newest = std::find_if(lines.rbegin(), lines.rend(), [&](const IndexLine& l) { return l.origin == origin; });
    if (newest == lines.rend()) return false;
    const auto file = resolvePath(newest->name);
    return file && readFile(folder / *file, kMaxMobDataBytes).bytes == bytes;
}

// The oldest versions of the path beyond the bound go, their files first.
void dropOldest(std::vector<IndexLine>& lines, const fs::path& folder, const std::string& origin) {
    auto count = static_cast<std::size_t>(
        std::count_if(lines.begin(), lines.end(), [&](const IndexLine& l) { return l.origin == origin; }));
    std::erase_if(lines, [&](const IndexLine& line) {
        if (count <= kVersionsKept || line.origin != origin) return false;
        std::error_code ignored;
        if (const auto file = resolvePath(line.name)) fs::remove(folder / *file, ignored);
        --count;
        return true;
    });
}

bool sameFile(const fs::path& a, const fs::path& b) {
    std::error_code ec1, ec2;
    return fs::weakly_canonical(fs::absolute(a, ec1), ec1) == fs::weakly_canonical(fs::absolute(b, ec2), ec2);
}

bool isInside(const fs::path& file, const fs::path& folder) {
    std::error_code ec1, ec2;
    const fs::path parent = fs::weakly_canonical(fs::absolute(file, ec1).parent_path(), ec1);
    const fs::path root = fs::weakly_canonical(fs::absolute(folder, ec2), ec2);
    return std::mismatch(root.begin(), root.end(), parent.begin(), parent.end()).first == root.end();
}

std::string utf8Of(const fs::path& path) {
    const auto text = path.u8string();
    return {reinterpret_cast<const char*>(text.data()), text.size()};
}

HistoryProblem problemOf(WriteResult written) {
    return written == WriteResult::AccessDenied ? HistoryProblem::AccessDenied : HistoryProblem::WriteFailed;
}

std::string_view reasonOf(HistoryProblem problem) {
    switch (problem) {
        case HistoryProblem::FolderUnusable: return messages::kHistoryFolderUnusable;
        case HistoryProblem::AccessDenied: return messages::kHistoryAccessDenied;
        case HistoryProblem::WriteFailed: return messages::kHistoryWriteFailed;
        case HistoryProblem::IndexUnreadable: return messages::kHistoryIndexUnreadable;
        case HistoryProblem::OldFileUnreadable: return messages::kHistoryOldFileUnreadable;
        case HistoryProblem::PathNotStorable: return messages::kHistoryPathNotStorable;
    }
    return {};
}

}  // namespace

void History::keep(const fs::path& target, std::string_view oldBytes, std::string_view newBytes) {
    // The history's own files are never kept again.
    if (folder_.empty() || oldBytes == newBytes || isInside(target, folder_)) return;
    std::error_code ec;
    const auto origin = toCp932Path(fs::absolute(target, ec));
    const auto fileName = toCp932Path(target.filename());
    if (!origin || !fileName || origin->find_first_of("\r\n") != std::string::npos)
        return fail(HistoryProblem::PathNotStorable, target);
    fs::create_directories(folder_, ec);
    if (!fs::is_directory(folder_, ec)) return fail(HistoryProblem::FolderUnusable, folder_);
    const fs::path indexFile = folder_ / kIndexName;
    const FileRead index = readFile(indexFile, kMaxTextFileBytes);
    if (existsButUnreadable(index.status)) return fail(HistoryProblem::IndexUnreadable, indexFile);
    std::vector<IndexLine> lines = parseIndex(index.bytes);
    // A save that failed after keeping the file, then tried again, keeps it once.
    if (newestHolds(lines, folder_, *origin, oldBytes)) return;

    const std::string name = freeName(lines, folder_, timeStamp(), storableName(*fileName));
    const auto file = resolvePath(name);
    if (!file) return fail(HistoryProblem::PathNotStorable, target);
    if (const WriteResult written = writeFileSafely(folder_ / *file, oldBytes); written != WriteResult::Ok)
        return fail(problemOf(written), folder_);
    lines.push_back({name, *origin});
    dropOldest(lines, folder_, *origin);
    if (const WriteResult written = writeFileSafely(indexFile, indexText(lines)); written != WriteResult::Ok)
        return fail(problemOf(written), indexFile);
}

void History::cannotKeep(const fs::path& target, HistoryProblem problem) {
    if (!folder_.empty()) fail(problem, target);
}

std::vector<HistoryVersion> History::versions(const std::optional<fs::path>& of) const {
    std::vector<HistoryVersion> found;
    if (folder_.empty()) return found;
    for (IndexLine& line : parseIndex(readFile(folder_ / kIndexName, kMaxTextFileBytes).bytes)) {
        const auto file = resolvePath(line.name);
        const auto origin = resolvePath(line.origin);
        if (!file || (of && !(origin && sameFile(*origin, *of)))) continue;
        std::error_code ec;
        const std::uint64_t size = fs::file_size(folder_ / *file, ec);
        if (ec) continue;  // removed by hand
        std::string time = timeOf(line.name);
        found.push_back({std::move(line.name), std::move(line.origin), std::move(time), size});
    }
    return found;
}

std::optional<HistoryVersion> History::find(const fs::path& name) const {
    const auto wanted = toCp932Path(name.filename());
    if (!wanted) return std::nullopt;
    for (HistoryVersion& version : versions())
        if (version.name == *wanted) return std::move(version);
    return std::nullopt;
}

fs::path History::fileOf(const HistoryVersion& version) const {
    return folder_ / resolvePath(version.name).value_or(fs::path());
}

std::optional<std::string> History::untoldFailure() {
    if (!failure_ || told_) return std::nullopt;
    told_ = true;
    return messages::withArgs(messages::kHistoryNotKept, {reasonOf(failure_->problem), failure_->subject});
}

void History::fail(HistoryProblem problem, const fs::path& subject) {
    if (!failure_) failure_ = Failure{problem, utf8Of(subject)};
}

}  // namespace vellconf
