// Our profile lookup beside Windows' own. The Windows tool read Config.lua and
// VellConf.ini with GetPrivateProfileStringA; ProfileReader stands in for it.
// Both read the same files through the calls the loader makes (a setting cut
// to 260 bytes, as a 261-byte buffer cuts it; lists and folders whole), and
// every answer must agree.
//
// Where the two differ on purpose, or Wine has a quirk of its own, the
// difference is listed in kKnownDifferences as a change that makes our reader
// answer as Windows does; it counts as known only when that change reproduces
// Windows' answer exactly. Anything else fails, and so does a known difference
// that no longer shows anywhere.
//
// The corpus is tests/data/config/profile: each file names the sections and
// keys to ask for, then holds the lines, joined here with each kind of line
// end; Config.lua and VellConf.ini as the tool writes them are added. The
// comparison only means something under the Japanese ANSI code page (932):
// run it through tools/wine-session, which sets the locale.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <chrono>
#include <cstdio>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/config_loader.h"
#include "config/config_writer.h"
#include "config/decimal.h"
#include "config/profile_reader.h"
#include "config/settings_catalogue.h"
#include "config/text_lines.h"
#include "test_support.h"

namespace vellconf {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

constexpr DWORD kSettingBuffer = 261;  // the Windows tool's buffer for every setting
constexpr DWORD kWholeBuffer = 1 << 16;  // lists and folders: nothing in the corpus fills it
// Every buffer starts out filled with this byte, so that a byte Windows leaves
// unwritten inside the answer is recognised.
constexpr char kUnwritten = '\x7f';

enum class Call { Cut, Whole };

struct Query {
    std::string section, key, fallback;
};

// As the Windows tool saw it: a C string, up to the first NUL.
std::string windowsAnswer(const std::string& path, const Query& q, Call call) {
    const DWORD size = call == Call::Cut ? kSettingBuffer : kWholeBuffer;
    std::string buffer(size, kUnwritten);
    GetPrivateProfileStringA(q.section.c_str(), q.key.c_str(), q.fallback.c_str(), buffer.data(), size, path.c_str());
    return buffer.c_str();
}

bool isBlank(char c) { return c == ' ' || c == '\t'; }

// Rewrites each line of `text`, line ends kept as they are.
template <typename Rewrite>
std::string rewriteLines(const std::string& text, Rewrite rewrite) {
    std::string out;
    forEachLine(text, [&](const TextLine& line) {
        out += rewrite(std::string(line.text));
        out.append(text, line.begin + line.text.size(), line.end - line.begin - line.text.size());
        return true;
    });
    return out;
}

// Where the "[" and the last "]" of a section line are, as our reader finds
// them (on whole characters); nothing for any other line.
struct Brackets {
    std::size_t open, close;
};
std::optional<Brackets> sectionBrackets(const std::string& line) {
    const std::size_t open = line.find_first_not_of(" \t");
    if (open == std::string::npos || line[open] != '[') return std::nullopt;
    std::optional<std::size_t> close;
    for (std::size_t pos = open + 1; pos < line.size(); pos += charLength(line, pos))
        if (line[pos] == ']') close = pos;
    if (!close) return std::nullopt;
    return Brackets{open, *close};
}

// Printable, and short: a long text shows its start, its end and its length.
std::string escaped(std::string_view bytes) {
    if (bytes.size() > 40)
        return escaped(bytes.substr(0, 24)) + "..." + escaped(bytes.substr(bytes.size() - 8)) + " (" +
               std::to_string(bytes.size()) + " bytes)";
    std::string out;
    for (unsigned char c : bytes) {
        char hex[8];
        std::snprintf(hex, sizeof hex, "\\x%02X", c);
        out += c >= 0x20 && c < 0x7f && c != '\\' ? std::string(1, static_cast<char>(c)) : std::string(hex);
    }
    return out;
}

std::size_t characterCount(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t pos = 0; pos < text.size(); pos += charLength(text, pos)) ++count;
    return count;
}

// ---- Known differences --------------------------------------------------------
// Each is a change to the file, to the query or to our answer after which our
// reader answers exactly as Windows does; one difference may take up to three
// of them together. A lone CR needs none: Windows ends a line there as we do.

// Bytes no corpus file holds, standing in for what our reader never has.
constexpr std::string_view kEmptyKeyMark = "\x01";
constexpr std::string_view kNoValueMark = "\x02";

struct Context {
    const std::string& text;  // the file as changed
    const Query& query;       // the query as changed
};

struct KnownDifference {
    const char* name;
    const char* reason;
    // Any of these may be nullptr.
    std::string (*file)(const std::string& text);
    void (*query)(Query& query);
    void (*whole)(std::string& answer, const Context& c);                          // the whole answer
    void (*cut)(std::string& answer, const std::string& whole, const Context& c);  // a cut one
};

const KnownDifference kKnownDifferences[] = {
    {"lead byte without trail byte",
     "Windows decodes the whole file first: a lead byte followed by a byte no character continues with becomes "
     "\"・\" (81 45) and takes that byte, even a line end, with it; we keep every byte where it stands",
     [](const std::string& text) {
         std::string out;
         for (std::size_t pos = 0; pos < text.size(); ++pos) {
             if (!isLeadByte(static_cast<unsigned char>(text[pos]))) {
                 out += text[pos];
                 continue;
             }
             const unsigned char next = pos + 1 < text.size() ? static_cast<unsigned char>(text[pos + 1]) : 0;
             out += next >= 0x40 && next <= 0xFC && next != 0x7F ? text.substr(pos, 2) : "\x81\x45";
             ++pos;
         }
         return out;
     },
     nullptr, nullptr, nullptr},
    {"other control blanks",
     "Windows also trims \\v, \\f and ^Z (1A) around lines, keys and values; we trim blanks and tabs only, "
     "and the tool writes none of them",
     [](const std::string& text) {
         std::string out = text;
         for (char& c : out)
             if (c == '\v' || c == '\f' || c == '\x1a') c = ' ';  // none is ever a trail byte
         return out;
     },
     nullptr, nullptr, nullptr},
    {"blanks inside section brackets",
     "Windows trims the name inside \"[ CONFIG ]\" (Wine the full-width space 81 40 too); ours keeps the blanks, "
     "and only \"[CONFIG]\" as the tool writes it is CONFIG",
     [](const std::string& text) {
         return rewriteLines(text, [](std::string line) {
             const auto brackets = sectionBrackets(line);
             if (!brackets) return line;
             std::string name = line.substr(brackets->open + 1, brackets->close - brackets->open - 1);
             const std::string fullWidthSpace = cp932("　");
             for (std::size_t before = 0; before != name.size();) {
                 before = name.size();
                 if (!name.empty() && isBlank(name.front())) name.erase(0, 1);
                 if (!name.empty() && isBlank(name.back())) name.pop_back();
                 if (name.starts_with(fullWidthSpace)) name.erase(0, 2);
                 // At the end only when it is a whole character there.
                 if (name.ends_with(fullWidthSpace) && cutToBytes(name, name.size() - 2).size() == name.size() - 2)
                     name.resize(name.size() - 2);
             }
             return line.substr(0, brackets->open + 1) + name + line.substr(brackets->close);
         });
     },
     nullptr, nullptr, nullptr},
    {"lines before the first section",
     "Windows files the lines above the first section line under a section \"\", which then hides a later "
     "\"[]\"; we keep them in no section, and nothing the tool reads is there",
     [](const std::string& text) { return "[]\n" + text; }, nullptr, nullptr, nullptr},
    {"empty key",
     "Windows matches key \"\" to a line \"=v\"; we keep no entry without a name, and the tool never asks for \"\"",
     [](const std::string& text) {
         return rewriteLines(text, [](std::string line) {
             const std::size_t equals = line.find('=');  // "=" is never a trail byte
             if (sectionBrackets(line) || equals == std::string::npos || line.find_first_not_of(" \t") != equals)
                 return line;
             return std::string(kEmptyKeyMark) + line;
         });
     },
     [](Query& q) {
         if (q.key.empty()) q.key = kEmptyKeyMark;
     },
     nullptr, nullptr},
    {"line without =",
     "Wine keeps a line \"k\" without \"=\" as a key without a value and gives the fallback for k, never reaching "
     "a later \"k = v\"; Windows itself leaves such a line out (Wine's own tests show it), and so do we",
     [](const std::string& text) {
         return rewriteLines(text, [](std::string line) {
             if (sectionBrackets(line) || line.find('=') != std::string::npos ||
                 line.find_first_not_of(" \t") == std::string::npos)
                 return line;
             return line + "=" + std::string(kNoValueMark);
         });
     },
     nullptr,
     [](std::string& answer, const Context& c) {
         if (answer == kNoValueMark) answer = c.query.fallback;
     },
     nullptr},
    {"NUL in a value", "Windows' answer is a C string and ends at a NUL byte; ours keeps the rest of the line",
     nullptr, nullptr, [](std::string& answer, const Context&) { answer = answer.substr(0, answer.find('\0')); },
     nullptr},
    {"fallback trailing blanks",
     "Windows drops trailing blanks of the fallback (documented); we return it as passed, and no fallback of the "
     "tool ends in a blank",
     nullptr,
     [](Query& q) {
         while (q.fallback.ends_with(' ')) q.fallback.pop_back();
     },
     nullptr, nullptr},
    {"quoted fallback",
     "Wine strips a pair of quotes around the fallback as around a value; we return it as passed, and no fallback "
     "of the tool is quoted",
     nullptr,
     [](Query& q) {
         const std::string f = q.fallback;
         if (f.size() >= 2 && (f.front() == '"' || f.front() == '\'') && f.back() == f.front())
             q.fallback = f.substr(1, f.size() - 2);
     },
     nullptr, nullptr},
    {"byte never written",
     "when a double-byte character would straddle the end of the 261-byte buffer, Wine writes 259 bytes and the "
     "terminator at 260: the answer ends in the byte between, whatever the buffer held",
     nullptr, nullptr, nullptr,
     [](std::string& answer, const std::string& whole, const Context&) {
         const std::string_view cut = cutToBytes(whole, kSettingBuffer - 1);
         if (whole.size() >= kSettingBuffer && cut.size() == kSettingBuffer - 2) answer = std::string(cut) + kUnwritten;
     }},
    {"quoted value of 260 characters",
     "Wine copies at most 260 characters after the opening quote; when the quoted text is exactly that long, the "
     "closing quote is not among them and Wine drops the last character copied in its place",
     nullptr, nullptr, nullptr,
     [](std::string& answer, const std::string& whole, const Context& c) {
         if (characterCount(whole) != kSettingBuffer - 1) return;
         if (c.text.find('"' + whole + '"') == std::string::npos && c.text.find('\'' + whole + '\'') == std::string::npos)
             return;
         std::size_t last = 0;
         for (std::size_t pos = 0; pos < whole.size(); pos += charLength(whole, pos)) last = pos;
         if (last < kSettingBuffer) answer = whole.substr(0, last);
     }},
};
constexpr std::size_t kKnownCount = std::size(kKnownDifferences);

// ---- The corpus ----------------------------------------------------------------

struct CorpusFile {
    std::string name, bytes;
    std::vector<Query> queries;
};

std::vector<std::string> split(std::string_view text, char separator) {
    std::vector<std::string> parts;
    for (std::size_t start = 0;;) {
        const std::size_t end = text.find(separator, start);
        parts.push_back(test::cp932Unescaped(text.substr(start, end - start)));
        if (end == std::string_view::npos) return parts;
        start = end + 1;
    }
}

// The name as asked for, and with every byte upper- and lower-cased. Byte by
// byte on purpose: a trail byte changed that way makes another character
// (ヂ 83 61 upper-cased is ア 83 41), which must then not match.
std::vector<std::string> caseVariants(const std::string& name) {
    std::vector<std::string> variants{name};
    std::string upper = name, lower = name;
    for (char& c : upper) c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    for (char& c : lower) c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    for (const std::string& v : {upper, lower})
        if (std::find(variants.begin(), variants.end(), v) == variants.end()) variants.push_back(v);
    return variants;
}

// Every section and key in every case variant, each pair with three of these fallbacks in turn.
std::vector<Query> queriesOf(const std::vector<std::string>& sections, const std::vector<std::string>& keys) {
    std::string kanji150;
    for (int i = 0; i < 150; ++i) kanji150 += cp932("既");
    const std::string fallbacks[] = {"",       "fb",   "NO", "fb  ", "\"fb\"", "\tfb\t", "  fb", cp932("既定値"),
                                     std::string(300, 'f'), kanji150, "x" + kanji150, "'q'"};
    std::vector<Query> queries;
    std::size_t turn = 0;
    for (const std::string& section : sections)
        for (const std::string& s : caseVariants(section))
            for (const std::string& key : keys)
                for (const std::string& k : caseVariants(key))
                    for (int i = 0; i < 3; ++i) queries.push_back({s, k, fallbacks[turn++ % std::size(fallbacks)]});
    return queries;
}

// Every key the loader reads from Config.lua, with the AI load's fallback and
// the start-up value as fallbacks.
std::vector<Query> loaderQueries() {
    std::vector<Query> queries;
    for (const auto& setting : settingsCatalogue()) {
        const bool flag = setting.kind == SettingKind::Flag || setting.kind == SettingKind::RotationFlag;
        for (std::int32_t value : {fallbackOf(setting, LoadKind::Ai), setting.values.startup})
            queries.push_back({"CONFIG", std::string(setting.key), flag ? (value == 1 ? "YES" : "NO") : formatInt(value)});
        queries.push_back({"config", std::string(setting.key), "0"});
    }
    for (const char* list : {"IGNORE_MOB", "FRIENDS"}) queries.push_back({"CONFIG", list, "{}"});
    return queries;
}

std::vector<CorpusFile> corpus() {
    std::vector<CorpusFile> files;
    const struct {
        const char* name;
        std::vector<std::string> ends;  // used in turn
        bool finalEnd;
    } lineEnds[] = {{"LF", {"\n"}, true},         {"CR LF", {"\r\n"}, true},
                    {"CR", {"\r"}, true},         {"CR CR LF", {"\r\r\n"}, true},
                    {"mixed, no final line end", {"\r\n", "\r", "\n", "\n\r"}, false}};
    for (const auto& entry : fs::directory_iterator(test::testDataDir() / "config/profile")) {
        // "sections: a|b", "keys: k|j", then the lines, each ended by LF.
        const std::string text = test::testData(entry.path());
        const std::size_t keysLine = text.find('\n') + 1, body = text.find('\n', keysLine) + 1;
        const auto queries = queriesOf(split(text.substr(10, keysLine - 11), '|'),
                                       split(text.substr(keysLine + 6, body - keysLine - 7), '|'));
        std::vector<std::string> lines = split(text.substr(body), '\n');
        lines.pop_back();  // after the last LF
        for (const auto& ends : lineEnds) {
            std::string joined;
            for (std::size_t i = 0; i < lines.size(); ++i)
                joined += lines[i] + (i + 1 < lines.size() || ends.finalEnd ? ends.ends[i % ends.ends.size()] : "");
            files.push_back({entry.path().stem().string() + ", " + ends.name, joined, queries});
        }
    }

    // Config.lua as the tool writes it, with the lists past 260 bytes, and
    // with other line ends.
    AiSettings settings = startupSettings();
    settings.FlagDefaultState = 0;
    settings.AttackDelay = 12345;
    std::vector<std::string> ignoreMob;
    for (int id = 1001; id < 1200; ++id) ignoreMob.push_back(std::to_string(id));
    const std::vector<std::string> friends = {"123456", "abc", "Zed"};
    const std::string written =
        writeConfigLua(settings, cp932("狩場のメモ\nソース ゾーン 表示\n-- note = x\nk = v"), ignoreMob, friends);
    files.push_back({"Config.lua as written", written, loaderQueries()});
    for (const char* end : {"\n", "\r"}) {
        std::string text;
        forEachLine(written, [&](const TextLine& line) {
            text += std::string(line.text) + (line.ended ? end : "");
            return true;
        });
        files.push_back({"Config.lua, "s + (end[0] == '\n' ? "LF" : "CR"), text, loaderQueries()});
    }
    // A memo holding a section line and a setting line: the raw file, and the
    // text the loader hands the reader (the memo block left out).
    const std::string trapped = writeConfigLua(settings, cp932("[狩場]\nFlagDefaultState = NO\n[CONFIG]\nAttackDelay = 1"),
                                               ignoreMob, friends);
    const MemoBlock block = findMemo(trapped);
    files.push_back({"Config.lua with a section in the memo", trapped, loaderQueries()});
    files.push_back({"Config.lua with a section in the memo, as the loader reads it",
                     trapped.substr(0, block.begin) + trapped.substr(block.end), loaderQueries()});
    std::string withNul = written;
    withNul.insert(withNul.find("\r\n", withNul.find("FlagDefaultState")), "\0junk"s);
    files.push_back({"Config.lua with a NUL in a value", withNul, loaderQueries()});

    // VellConf.ini as the tool writes it.
    std::vector<Query> pathQueries;
    for (const char* key : {"SetPath", "LibPath", "setpath"})
        for (std::string_view fallback : {kDefaultSetPath, kDefaultLibPath})
            pathQueries.push_back({"PATH", key, std::string(fallback)});
    files.push_back({"VellConf.ini as written",
                     toolPathsText({cp932("C:\\ソフト\\表示\\USER_AI"), cp932("D:\\ゾーン\\" + std::string(300, 'L'))}),
                     pathQueries});
    return files;
}

// ---- The comparison ------------------------------------------------------------

struct Lookup {
    const CorpusFile* file;
    Query query;
    Call call;
    std::string ours, theirs;
};

std::string describe(const Lookup& l) {
    return "file \"" + l.file->name + "\" [" + escaped(l.query.section) + "] key \"" + escaped(l.query.key) +
           "\" fallback \"" + escaped(l.query.fallback) + "\" " + (l.call == Call::Cut ? "cut" : "whole") +
           ": ours \"" + escaped(l.ours) + "\", Windows \"" + escaped(l.theirs) + "\"";
}

// One file with some of the known changes made to it, and our reader of it,
// each made once.
class ChangedFiles {
public:
    explicit ChangedFiles(const std::string& text) : text_(text) {}
    struct Changed {
        std::string text;
        ProfileReader reader;
    };
    const Changed& with(unsigned mask) {
        unsigned fileMask = 0;
        for (std::size_t i = 0; i < kKnownCount; ++i)
            if ((mask & (1u << i)) && kKnownDifferences[i].file) fileMask |= 1u << i;
        auto& changed = files_[fileMask];
        if (!changed) {
            std::string text = text_;
            for (std::size_t i = 0; i < kKnownCount; ++i)
                if (fileMask & (1u << i)) text = kKnownDifferences[i].file(text);
            ProfileReader reader(text);
            changed = std::make_unique<Changed>(Changed{std::move(text), std::move(reader)});
        }
        return *changed;
    }

private:
    const std::string& text_;
    std::map<unsigned, std::unique_ptr<Changed>> files_;
};

// Whether the known differences in `mask` together turn our answer into Windows'.
bool reproduces(ChangedFiles& files, unsigned mask, const Lookup& l) {
    const auto chosen = [mask](std::size_t i) { return (mask & (1u << i)) != 0; };
    Query query = l.query;
    for (std::size_t i = 0; i < kKnownCount; ++i)
        if (chosen(i) && kKnownDifferences[i].query) kKnownDifferences[i].query(query);
    const auto& changed = files.with(mask);
    const Context context{changed.text, query};
    std::string whole = changed.reader.getWhole(query.section, query.key, query.fallback);
    for (std::size_t i = 0; i < kKnownCount; ++i)
        if (chosen(i) && kKnownDifferences[i].whole) kKnownDifferences[i].whole(whole, context);
    if (l.call == Call::Whole) return whole == l.theirs;
    std::string answer(cutToBytes(whole, ProfileReader::kMaxValueBytes));  // as get() cuts it
    for (std::size_t i = 0; i < kKnownCount; ++i)
        if (chosen(i) && kKnownDifferences[i].cut) kKnownDifferences[i].cut(answer, whole, context);
    return answer == l.theirs;
}

// The fewest known differences (at most three) that together explain a
// difference; 0 when none do.
unsigned explanation(ChangedFiles& files, const Lookup& l) {
    for (int size = 1; size <= 3; ++size)
        for (unsigned mask = 1; mask < (1u << kKnownCount); ++mask)
            if (std::popcount(mask) == size && reproduces(files, mask, l)) return mask;
    return 0;
}

TEST(ProfileDifferentialTest, OurLookupAnswersAsWindowsDoes) {
    ASSERT_EQ(GetACP(), 932u) << "the ANSI code page must be 932 (Japanese) for the comparison to mean anything; "
                                 "run the test through tools/wine-session";
    const std::vector<CorpusFile> files = corpus();
    const test::ScratchDir folder;
    std::size_t compared = 0, agreed = 0;
    std::vector<std::size_t> explainedBy(kKnownCount, 0);
    std::vector<std::string> exampleOf(kKnownCount), unexplained;
    for (std::size_t index = 0; index < files.size(); ++index) {
        const CorpusFile& file = files[index];
        // Written with a time in the past, so that Wine keeps the parsed file
        // between lookups instead of reading it again for each.
        const fs::path path = folder / (std::to_string(index) + ".ini");
        test::writeBytes(path, file.bytes);
        fs::last_write_time(path, fs::file_time_type::clock::now() - std::chrono::hours(1));
        const ProfileReader reader(file.bytes);
        ChangedFiles changed(file.bytes);
        for (const Query& q : file.queries) {
            for (Call call : {Call::Cut, Call::Whole}) {
                Lookup l{&file, q, call,
                         call == Call::Cut ? reader.get(q.section, q.key, q.fallback)
                                           : reader.getWhole(q.section, q.key, q.fallback),
                         windowsAnswer(path.string(), q, call)};
                ++compared;
                if (l.ours == l.theirs) {
                    ++agreed;
                    continue;
                }
                const unsigned mask = explanation(changed, l);
                if (!mask) unexplained.push_back(describe(l));
                for (std::size_t i = 0; i < kKnownCount; ++i) {
                    if (!(mask & (1u << i))) continue;
                    ++explainedBy[i];
                    if (exampleOf[i].empty()) exampleOf[i] = describe(l);
                }
            }
        }
    }

    std::printf("%zu lookups in %zu files: %zu agreed, %zu known differences, %zu unexplained\n", compared,
                files.size(), agreed, compared - agreed - unexplained.size(), unexplained.size());
    for (std::size_t i = 0; i < kKnownCount; ++i) {
        std::printf("  %-32s %6zu  %s\n", kKnownDifferences[i].name, explainedBy[i], kKnownDifferences[i].reason);
        if (!exampleOf[i].empty()) std::printf("      e.g. %s\n", exampleOf[i].c_str());
    }
    for (std::size_t i = 0; i < unexplained.size() && i < 20; ++i)
        ADD_FAILURE() << "unexplained difference: " << unexplained[i];
    EXPECT_TRUE(unexplained.empty()) << unexplained.size() << " differences no known one explains";
    for (std::size_t i = 0; i < kKnownCount; ++i)
        EXPECT_GT(explainedBy[i], 0u) << "known difference \"" << kKnownDifferences[i].name
                                      << "\" no longer shows: drop it from the list";
}

}  // namespace
}  // namespace vellconf
