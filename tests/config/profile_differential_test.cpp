// Our profile lookup beside Windows' own. The Windows tool read Config.lua and
// VellConf.ini with GetPrivateProfileStringA; ProfileReader stands in for it.
// Here both read the same files, through the same calls the loader makes (a
// setting cut to 260 bytes, as a 261-byte buffer cuts it; lists and folders whole), and
// every answer must agree.
//
// Where the two differ on purpose, or Windows (as Wine implements it) has a
// quirk of its own, the difference is listed in kKnownDifferences as a change
// that makes our reader answer as Windows does: a difference counts as known
// only when that change reproduces Windows' answer exactly. Anything else
// fails, and so does a known difference that no longer shows anywhere.
//
// The comparison only means something under the Japanese ANSI code page (932):
// run it through tools/wine-session, which sets the locale.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/config_loader.h"
#include "config/config_writer.h"
#include "config/cp932.h"
#include "config/decimal.h"
#include "config/profile_reader.h"
#include "config/settings_catalogue.h"
#include "config/text_lines.h"
#include "config/tool_paths.h"

namespace vellconf {
namespace {

using namespace std::string_literals;

// The Windows tool read every setting into a buffer of 261 bytes: 260 and the terminator.
constexpr DWORD kSettingBuffer = 261;
// Lists and folders are read whole: a buffer nothing in the corpus fills.
constexpr DWORD kWholeBuffer = 1 << 16;
// Every buffer starts out filled with this byte, so that a byte Windows leaves
// unwritten inside the answer is recognised.
constexpr char kUnwritten = '\x7f';

enum class Call { Cut, Whole };

struct Query {
    std::string section;
    std::string key;
    std::string fallback;
};

std::string ourAnswer(const ProfileReader& reader, const Query& q, Call call) {
    return call == Call::Cut ? reader.get(q.section, q.key, q.fallback) : reader.getWhole(q.section, q.key, q.fallback);
}

// As the Windows tool saw it: a C string, up to the first NUL.
std::string windowsAnswer(const std::string& path, const Query& q, Call call) {
    const DWORD size = call == Call::Cut ? kSettingBuffer : kWholeBuffer;
    std::string buffer(size, kUnwritten);
    GetPrivateProfileStringA(q.section.c_str(), q.key.c_str(), q.fallback.c_str(), buffer.data(), size, path.c_str());
    return std::string(buffer.c_str());
}

// ---- Text helpers -------------------------------------------------------------

std::string repeat(std::string_view unit, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) text += unit;
    return text;
}

bool isBlank(char c) { return c == ' ' || c == '\t'; }

// Rewrites each line of `text` (line ends kept as they are).
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
    std::size_t open;
    std::size_t close;
};
std::optional<Brackets> sectionBrackets(const std::string& line) {
    std::size_t open = 0;
    while (open < line.size() && isBlank(line[open])) ++open;
    if (open == line.size() || line[open] != '[') return std::nullopt;
    std::optional<std::size_t> close;
    for (std::size_t pos = open + 1; pos < line.size(); pos += charLength(line, pos)) {
        if (line[pos] == ']') close = pos;
    }
    if (!close) return std::nullopt;
    return Brackets{open, *close};
}

// Printable, and short: a long text shows its start, its end and its length.
std::string escaped(std::string_view bytes) {
    if (bytes.size() > 40) {
        return escaped(bytes.substr(0, 24)) + "..." + escaped(bytes.substr(bytes.size() - 8)) + " (" +
               std::to_string(bytes.size()) + " bytes)";
    }
    std::string out;
    for (unsigned char c : bytes) {
        if (c >= 0x20 && c < 0x7f && c != '\\') {
            out += static_cast<char>(c);
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        }
    }
    return out;
}

// ---- Known differences --------------------------------------------------------
//
// Each is a change to the file, to the query or to our answer after which our
// reader answers exactly as Windows does. One difference may take up to three
// of them together (a section found only with its name trimmed, whose missing
// key then gives a fallback with trailing blanks, say).

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

std::size_t characterCount(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t pos = 0; pos < text.size(); pos += charLength(text, pos)) ++count;
    return count;
}

// A lone CR needs no entry: Windows ends a line there as we (and Lua) do.
const KnownDifference kKnownDifferences[] = {
    {"lead byte without trail byte",
     // Windows decodes the whole file first: a CP932 lead byte followed by a
     // byte no character continues with becomes "・" (81 45), and takes that
     // byte with it, even a line end. We keep every byte where it stands, so a
     // stray byte never joins two lines.
     "Windows turns a lead byte with no trail byte, and the byte after it, into \"・\"",
     [](const std::string& text) {
         std::string out;
         for (std::size_t pos = 0; pos < text.size(); ++pos) {
             if (!isLeadByte(static_cast<unsigned char>(text[pos]))) {
                 out += text[pos];
                 continue;
             }
             const unsigned char next = pos + 1 < text.size() ? static_cast<unsigned char>(text[pos + 1]) : 0;
             const bool trail = next >= 0x40 && next <= 0xFC && next != 0x7F;
             out += trail ? text.substr(pos, 2) : "\x81\x45";
             ++pos;
         }
         return out;
     },
     nullptr, nullptr, nullptr},

    {"other control blanks",
     // Windows also takes \v, \f and ^Z (1A) for blanks where it trims lines,
     // keys and values; we trim blanks and tabs only. The tool writes none of them.
     "Windows also trims \\v, \\f and ^Z; we trim blanks and tabs only",
     [](const std::string& text) {
         std::string out = text;
         for (char& c : out) {
             if (c == '\v' || c == '\f' || c == '\x1a') c = ' ';  // none is ever a trail byte
         }
         return out;
     },
     nullptr, nullptr, nullptr},

    {"blanks inside section brackets",
     // "[ CONFIG ]" is section CONFIG to Windows (Wine trims the full-width
     // space 81 40 there too); to us its name is " CONFIG ", blanks and all,
     // and only "[CONFIG]" as the tool writes it is CONFIG.
     "Windows trims the name inside \"[ CONFIG ]\"; ours keeps the blanks",
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
     // Windows files the lines above the first section line under a section
     // named "", which then hides a later "[]"; we keep those lines in no
     // section. Nothing the tool reads is there.
     "Windows answers section \"\" from the lines above the first section; we never do",
     [](const std::string& text) { return "[]\n" + text; }, nullptr, nullptr, nullptr},

    {"empty key",
     // Asked for key "", Windows answers from a line "=v", an entry with an
     // empty name; we keep no entry without a name. The tool never asks for "".
     "Windows matches key \"\" to a line \"=v\"; we keep no entry without a name",
     [](const std::string& text) {
         return rewriteLines(text, [](std::string line) {
             const std::size_t equals = line.find('=');  // "=" is never a trail byte
             if (sectionBrackets(line) || equals == std::string::npos) return line;
             if (line.find_first_not_of(" \t") != equals) return line;
             return std::string(kEmptyKeyMark) + line;
         });
     },
     [](Query& q) {
         if (q.key.empty()) q.key = kEmptyKeyMark;
     },
     nullptr, nullptr},

    {"line without =",
     // Wine keeps a line "k" without "=" as a key without a value: asked for
     // k, it stops there with the fallback and never reaches a later "k = v".
     // Windows itself leaves such a line out of the section's keys (as Wine's
     // tests, run on Windows too, show); we skip it and answer from the later
     // line.
     "Wine stops at a line \"k\" without \"=\" and gives the fallback; we skip that line",
     [](const std::string& text) {
         return rewriteLines(text, [](std::string line) {
             if (sectionBrackets(line) || line.find('=') != std::string::npos) return line;
             if (line.find_first_not_of(" \t") == std::string::npos) return line;
             return line + "=" + std::string(kNoValueMark);
         });
     },
     nullptr,
     [](std::string& answer, const Context& c) {
         if (answer == kNoValueMark) answer = c.query.fallback;
     },
     nullptr},

    {"NUL in a value",
     // The Windows answer is a C string and ends at a NUL byte; ours keeps the
     // rest of the line, as every stray byte stays inside its value.
     "Windows' value ends at a NUL byte; ours keeps the rest of the line",
     nullptr, nullptr, [](std::string& answer, const Context&) { answer = answer.substr(0, answer.find('\0')); },
     nullptr},

    {"fallback trailing blanks",
     // Windows drops trailing blanks of the fallback (documented); we return
     // the fallback as passed. No fallback of the tool ends in a blank.
     "Windows drops trailing blanks of the fallback; we return it as passed",
     nullptr,
     [](Query& q) {
         while (q.fallback.ends_with(' ')) q.fallback.pop_back();
     },
     nullptr, nullptr},

    {"quoted fallback",
     // Wine strips a pair of quotes around the fallback as around a value; we
     // return the fallback as passed. No fallback of the tool is quoted.
     "Wine strips quotes around the fallback; we return it as passed",
     nullptr,
     [](Query& q) {
         const std::string f = q.fallback;
         if (f.size() >= 2 && (f.front() == '"' || f.front() == '\'') && f.back() == f.front())
             q.fallback = f.substr(1, f.size() - 2);
     },
     nullptr, nullptr},

    {"byte never written",
     // When a double-byte character would straddle the end of the 261-byte
     // buffer, Wine writes 259 bytes and puts the terminator at 260, so the
     // answer ends in the one byte between that it never wrote: whatever the
     // buffer held there.
     "Wine's cut answer ends in a buffer byte it never wrote",
     nullptr, nullptr, nullptr,
     [](std::string& answer, const std::string& whole, const Context&) {
         const std::string_view cut = cutToBytes(whole, kSettingBuffer - 1);
         if (whole.size() >= kSettingBuffer && cut.size() == kSettingBuffer - 2) answer = std::string(cut) + kUnwritten;
     }},

    {"quoted value of 260 characters",
     // Wine copies at most 260 characters after the opening quote; when the
     // quoted text is exactly that long, the closing quote is not among them,
     // and Wine drops the last character copied in its place.
     "Wine drops the last character of a quoted value of exactly 260 characters",
     nullptr, nullptr, nullptr,
     [](std::string& answer, const std::string& whole, const Context& c) {
         if (characterCount(whole) != kSettingBuffer - 1) return;
         const bool quoted = c.text.find('"' + whole + '"') != std::string::npos ||
                             c.text.find('\'' + whole + '\'') != std::string::npos;
         if (!quoted) return;
         std::size_t last = 0;
         for (std::size_t pos = 0; pos < whole.size(); pos += charLength(whole, pos)) last = pos;
         if (last < kSettingBuffer) answer = whole.substr(0, last);
     }},
};
constexpr std::size_t kKnownCount = std::size(kKnownDifferences);

// ---- The corpus ----------------------------------------------------------------

struct CorpusFile {
    std::string name;
    std::string bytes;
    std::vector<Query> queries;
};

// The name as asked for, and with every byte upper- and lower-cased. Byte by
// byte on purpose: a trail byte changed that way makes another character
// (ヂ 83 61 upper-cased is ア 83 41), which must then not match.
std::vector<std::string> caseVariants(const std::string& name) {
    std::vector<std::string> variants{name};
    std::string upper = name;
    std::string lower = name;
    for (char& c : upper) c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    for (char& c : lower) c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    for (const std::string& v : {upper, lower}) {
        if (std::find(variants.begin(), variants.end(), v) == variants.end()) variants.push_back(v);
    }
    return variants;
}

const std::vector<std::string>& fallbacks() {
    static const std::vector<std::string> list = {
        "", "fb", "NO", "fb  ", "\"fb\"", "\tfb\t", "  fb", cp932("既定値"),
        std::string(300, 'f'), repeat(cp932("既"), 150), "x" + repeat(cp932("既"), 150), "'q'",
    };
    return list;
}

// Lines (CP932, without line ends) and the names to ask for; each section and
// key also in other cases, each pair with a few fallbacks in turn.
struct Template {
    const char* name;
    std::vector<std::string> lines;
    std::vector<std::string> sections;
    std::vector<std::string> keys;
};

std::string J(const char* utf8) { return cp932(utf8); }

std::string idList(int first, int end) {
    std::string ids;
    for (int id = first; id < end; ++id) ids += std::to_string(id) + ", ";
    return ids;
}

std::vector<Template> templates() {
    const std::string a259(259, 'a');
    return {
        {"settings",
         {"-- a comment line", "[CONFIG]", "FlagDefaultState            = YES", "DistanceNotReturn=7",
          "  AutoSkillPriority\t=\t2\t", "TypeSearchEnemyLIF = 0 -- note", "Spaced Key = a b  c", "Empty =",
          "Eq = a=b=c", "IGNORE_MOB = {1002, 1031, 1063}", "FRIENDS = {}"},
         {"CONFIG", "Config", "CONFIGX", "CONF"},
         {"FlagDefaultState", "DistanceNotReturn", "AutoSkillPriority", "TypeSearchEnemyLIF", "Spaced Key", "Empty",
          "Eq", "IGNORE_MOB", "FRIENDS", "Missing"}},

        {"quotes",
         {"[q]", "dq = \"a b\"", "sq = 'a b'", "inner = a \"b\" c", "left = \"abc", "right = abc\"",
          "mixed = \"abc'", "lone = \"", "pair = \"\"", "spaced = \" a \"", "nested = \"\"a\"\"",
          "padded =   \"x\"   ", "single = 'x", "dqsq = \"'\"", J("jp = \"ソース\""),
          "q258 = \"" + std::string(258, 'q') + "\"", "q259 = \"" + std::string(259, 'q') + "\"",
          "q260 = \"" + std::string(260, 'q') + "\""},
         {"q"},
         {"dq", "sq", "inner", "left", "right", "mixed", "lone", "pair", "spaced", "nested", "padded", "single", "dqsq",
          "jp", "q258", "q259", "q260", "missing"}},

        {"duplicates",
         {"[dup]", "k=1", "K=2", "k = 3", "[other]", "k=o", "j=p", "[DUP]", "k=4", "j=5", "[dup]", "m=6", "[Other]",
          "m=7"},
         {"dup", "other", "missing"},
         {"k", "j", "m"}},

        {"section lines",
         {"[ CONFIG ]", "a=1", "[\ttabbed\t]", "b=2", "  [indented]", "c=3", "\t[tabindent]\t", "c2=3b",
          "[trailing] ; comment", "d=4", "[a]b]", "e=5", "[]", "f=6", "[noclose", "g=7", "[CONFIG]", "h=8", "[  ]",
          "i=9", "[x] y ]", "j=10"},
         {"CONFIG", "tabbed", "indented", "tabindent", "trailing", "a]b", "a", "", "noclose", "x] y", "x"},
         {"a", "b", "c", "c2", "d", "e", "f", "g", "h", "i", "j"}},

        {"CP932 trail bytes",
         {J("[ソ]"), "k=1", J("[ー]"), "k=2", J("[ゾ]"), "k=3", J("[ア]"), "k=4", J("[ヂ]"), "k=5",
          J("[ゾーン]"), J("ソ=a"), J("ア=b"), J("ヂ=c"), J("ーー=d"), J("ゾ=e"), J("Xア=f"), J("ソA=g"),
          J("表=h"), J("能力=i"), J("[a]ゾ"), "k=6", J("ー[t]"), "x=7", "[s]", J("[ゾ"), "y=8", J("ゾ]=9"),
          J("[表示]"), "k=10", J("[ｱｲｳ]"), "k=11", J("[ソ]"), "k=12", "z=13"},
         {J("ソ"), J("ー"), J("ゾ"), J("ア"), J("ヂ"), J("ゾーン"), "a", "s", "t", J("表示"), J("ｱｲｳ"), J("表")},
         {"k", J("ソ"), J("ア"), J("ヂ"), J("ーー"), J("ゾ"), J("xア"), J("ソa"), J("表"), J("能力"), "x", "y",
          J("ゾ]"), "z"}},

        {"Lua block comment",
         {"-- header", "--[[", "[CONFIG]", "--]]", "FlagDefaultState = YES", "--[[ [HIDDEN] ]]", "--[==[", "[OTHER]",
          "]==]", "AttackDelay = 100", "]]", "[after]", "k = 1"},
         {"CONFIG", "OTHER", "HIDDEN", "after"},
         {"FlagDefaultState", "AttackDelay", "k"}},

        {"keys before any section",
         {"k = 0", "FlagDefaultState = NO", "; comment", "[CONFIG]", "k = 1", "[]", "k = 2", "j = 3"},
         {"", "CONFIG"},
         {"k", "j", "FlagDefaultState"}},

        {"no = and empty keys",
         {"[s]", "k", "k = v", "= e", " = f", "j = w", "lonely", "  spaced out  ", "spaced out = x", "[t]", "=only",
          "[u]", "=first", "u = 1"},
         {"s", "t", "u"},
         {"k", "", "j", "lonely", "spaced out", "u"}},

        {"comments and empty values",
         {"[c]", ";k = commented", "; k = also", "k = real", "#k = hash", "-- k = lua", ";c = 1", "empty =",
          "blank =    ", "quoted empty = \"\"", "tab =\t"},
         {"c"},
         {"k", ";k", "; k", "#k", "-- k", ";c", "c", "empty", "blank", "quoted empty", "tab"}},

        {"long values",
         {"[long]", "a259 = " + a259, "a260 = " + std::string(260, 'a'), "a261 = " + std::string(261, 'a'),
          "a300 = " + std::string(300, 'a'), "k150 = " + repeat(J("ア"), 150), "x150 = x" + repeat(J("ア"), 150),
          "k129 = " + repeat(J("ア"), 129) + "zz", "hw300 = " + repeat(J("ｱ"), 300),
          "ids = {" + idList(1001, 1300) + "}",
          "tail = ok"},
         {"long"},
         {"a259", "a260", "a261", "a300", "k150", "x150", "k129", "hw300", "ids", "tail", "none"}},

        {"NUL bytes",
         {"[n]", "k = a\0b"s, "j = 2", "z = \0"s, "yes = YES\0junk"s, "last = 9"},
         {"n"},
         {"k", "j", "z", "yes", "last"}},

        {"other blanks",
         {"[w]", "\vk1\f = \fv1\v", "k2 = v2\x1a", "\x1ak3 = v3", J("k4 = v4　"), J("　k5 = v5"), J("[　fw　]"),
          "k = 1", "[\vvt\f]", "k = 2"},
         {"w", J("fw"), "vt"},
         {"k1", "k2", "k3", "k4", "k5", J("　k5"), "k"}},

        {"malformed CP932",
         {"[m]", "a = x\x83", "b = 2", "c = \x80\xa0\xfd\xfe\xff", "d = 4", "e = y\x83"},
         {"m"},
         {"a", "b", "c", "d", "e"}},

        {"case beyond ASCII",
         {"[MiXeD]", "KeY = 1", J("Ｋｅｙ = 5"), J("[Ａ]"), "k = 2", J("[Α]"), "k = 3", J("[Д]"), "k = 4"},
         {"mixed", J("Ａ"), J("ａ"), J("Α"), J("α"), J("Д"), J("д")},
         {"key", J("Ｋｅｙ"), J("ｋｅｙ"), "k"}},

        {"tool paths",
         {"[PATH]", J("SetPath = \"C:\\ソフト\\AI\\USER_AI\""), J("LibPath = C:\\表示\\LIB_AI\\")},
         {"PATH"},
         {"SetPath", "LibPath", "Other"}},

        {"empty file", {}, {"CONFIG", ""}, {"FlagDefaultState", ""}},
        {"blank lines only", {"", "  \t", ""}, {"CONFIG", ""}, {"FlagDefaultState"}},
    };
}

struct LineEnds {
    const char* name;
    std::vector<std::string> ends;  // used in turn
    bool finalEnd;
};

const std::vector<LineEnds>& lineEnds() {
    static const std::vector<LineEnds> list = {
        {"LF", {"\n"}, true},
        {"CR LF", {"\r\n"}, true},
        {"CR", {"\r"}, true},
        {"CR CR LF", {"\r\r\n"}, true},
        {"mixed, no final line end", {"\r\n", "\r", "\n", "\n\r"}, false},
    };
    return list;
}

std::string joined(const std::vector<std::string>& lines, const LineEnds& ends) {
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        text += lines[i];
        if (i + 1 < lines.size() || ends.finalEnd) text += ends.ends[i % ends.ends.size()];
    }
    return text;
}

std::vector<Query> queriesOf(const Template& t) {
    std::vector<Query> queries;
    std::size_t turn = 0;
    for (const std::string& section : t.sections) {
        for (const std::string& s : caseVariants(section)) {
            for (const std::string& key : t.keys) {
                for (const std::string& k : caseVariants(key)) {
                    for (int i = 0; i < 3; ++i) queries.push_back({s, k, fallbacks()[turn++ % fallbacks().size()]});
                }
            }
        }
    }
    return queries;
}

// Every key the loader reads from Config.lua, with the AI load's fallback and
// the start-up value as fallbacks.
std::vector<Query> loaderQueries() {
    std::vector<Query> queries;
    for (const auto& setting : settingsCatalogue()) {
        const std::string key(setting.key);
        const bool flag = setting.kind == SettingKind::Flag || setting.kind == SettingKind::RotationFlag;
        for (std::int32_t value : {fallbackOf(setting, LoadKind::Ai), setting.values.startup})
            queries.push_back({"CONFIG", key, flag ? (value == 1 ? "YES" : "NO") : formatInt(value)});
        queries.push_back({"config", key, "0"});
    }
    for (const char* list : {"IGNORE_MOB", "FRIENDS"}) queries.push_back({"CONFIG", list, "{}"});
    return queries;
}

std::vector<CorpusFile> corpus() {
    std::vector<CorpusFile> files;
    for (const Template& t : templates()) {
        const std::vector<Query> queries = queriesOf(t);
        for (const LineEnds& ends : lineEnds())
            files.push_back({t.name + ", "s + ends.name, joined(t.lines, ends), queries});
    }

    // Config.lua as the tool writes it, with the lists past 260 bytes.
    AiSettings settings = startupSettings();
    settings.FlagDefaultState = 0;
    settings.AttackDelay = 12345;
    std::vector<std::string> ignoreMob;
    for (int id = 1001; id < 1200; ++id) ignoreMob.push_back(std::to_string(id));
    const std::vector<std::string> friends = {"123456", "abc", "Zed"};
    const std::string memo = cp932("狩場のメモ\nソース ゾーン 表示\n-- note = x\nk = v");
    const std::string written = writeConfigLua(settings, memo, ignoreMob, friends);
    const auto withEnds = [&](std::string_view end) {
        std::string text;
        forEachLine(written, [&](const TextLine& line) {
            text.append(line.text);
            if (line.ended) text += end;
            return true;
        });
        return text;
    };
    files.push_back({"Config.lua as written", written, loaderQueries()});
    files.push_back({"Config.lua, LF", withEnds("\n"), loaderQueries()});
    files.push_back({"Config.lua, CR", withEnds("\r"), loaderQueries()});

    // A memo holding a section line and a setting line: the raw file, and the
    // text the loader hands the reader (the memo block left out).
    const std::string trapMemo = cp932("[狩場]\nFlagDefaultState = NO\n[CONFIG]\nAttackDelay = 1");
    const std::string trapped = writeConfigLua(settings, trapMemo, ignoreMob, friends);
    const MemoBlock block = findMemo(trapped);
    files.push_back({"Config.lua with a section in the memo", trapped, loaderQueries()});
    files.push_back({"Config.lua with a section in the memo, as the loader reads it",
                     trapped.substr(0, block.begin) + trapped.substr(block.end), loaderQueries()});

    // A NUL in one value of a whole Config.lua.
    std::string withNul = written;
    const std::size_t at = withNul.find("FlagDefaultState");
    withNul.insert(withNul.find("\r\n", at), "\0junk"s);
    files.push_back({"Config.lua with a NUL in a value", withNul, loaderQueries()});

    // VellConf.ini as the tool writes it.
    const std::string iniText =
        toolPathsText({cp932("C:\\ソフト\\表示\\USER_AI"), cp932("D:\\ゾーン\\" + std::string(300, 'L'))});
    std::vector<Query> pathQueries;
    for (const char* key : {"SetPath", "LibPath", "setpath"}) {
        for (std::string_view fallback : {kDefaultSetPath, kDefaultLibPath})
            pathQueries.push_back({"PATH", key, std::string(fallback)});
    }
    files.push_back({"VellConf.ini as written", iniText, pathQueries});
    return files;
}

// ---- The comparison ------------------------------------------------------------

struct Lookup {
    const CorpusFile* file;
    Query query;
    Call call;
    std::string ours;
    std::string theirs;
};

std::string describe(const Lookup& l) {
    return "file \"" + l.file->name + "\" [" + escaped(l.query.section) + "] key \"" + escaped(l.query.key) +
           "\" fallback \"" + escaped(l.query.fallback) + "\" " + (l.call == Call::Cut ? "cut" : "whole") +
           ": ours \"" + escaped(l.ours) + "\", Windows \"" + escaped(l.theirs) + "\"";
}

// One file with some of the known changes made to it, and our reader of it.
class ChangedFiles {
public:
    explicit ChangedFiles(const std::string& text) : text_(text) {}

    struct Changed {
        std::string text;
        ProfileReader reader;
    };

    const Changed& with(unsigned mask) {
        unsigned fileMask = 0;
        for (std::size_t i = 0; i < kKnownCount; ++i) {
            if ((mask & (1u << i)) && kKnownDifferences[i].file) fileMask |= 1u << i;
        }
        auto& changed = files_[fileMask];
        if (!changed) {
            std::string text = text_;
            for (std::size_t i = 0; i < kKnownCount; ++i) {
                if (fileMask & (1u << i)) text = kKnownDifferences[i].file(text);
            }
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
    for (std::size_t i = 0; i < kKnownCount; ++i) {
        if (chosen(i) && kKnownDifferences[i].query) kKnownDifferences[i].query(query);
    }
    const auto& changed = files.with(mask);
    const Context context{changed.text, query};
    std::string whole = changed.reader.getWhole(query.section, query.key, query.fallback);
    for (std::size_t i = 0; i < kKnownCount; ++i) {
        if (chosen(i) && kKnownDifferences[i].whole) kKnownDifferences[i].whole(whole, context);
    }
    if (l.call == Call::Whole) return whole == l.theirs;
    // Cut as get() cuts its whole answer.
    std::string answer(cutToBytes(whole, ProfileReader::kMaxValueBytes));
    for (std::size_t i = 0; i < kKnownCount; ++i) {
        if (chosen(i) && kKnownDifferences[i].cut) kKnownDifferences[i].cut(answer, whole, context);
    }
    return answer == l.theirs;
}

// The fewest known differences (at most three) that together explain a
// difference; 0 when none do.
unsigned explanation(ChangedFiles& files, const Lookup& l) {
    const unsigned all = 1u << kKnownCount;
    for (int size = 1; size <= 3; ++size) {
        for (unsigned mask = 1; mask < all; ++mask) {
            if (std::popcount(mask) == size && reproduces(files, mask, l)) return mask;
        }
    }
    return 0;
}

class TempFolder {
public:
    TempFolder() {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        path_ = std::string(temp) + "vellconf-profile-diff-" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(path_.c_str(), nullptr);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    // Written with a time in the past, so that Wine keeps the parsed file
    // between lookups instead of reading it again for each.
    std::string write(std::size_t index, const std::string& bytes) const {
        const std::string file = path_ + "\\" + std::to_string(index) + ".ini";
        std::ofstream(file, std::ios::binary) << bytes;
        std::filesystem::last_write_time(file, std::filesystem::file_time_type::clock::now() - std::chrono::hours(1));
        return file;
    }

private:
    std::string path_;
};

TEST(ProfileDifferentialTest, OurLookupAnswersAsWindowsDoes) {
    ASSERT_EQ(GetACP(), 932u) << "the ANSI code page must be 932 (Japanese) for the comparison to mean anything; "
                                 "run the test through tools/wine-session";

    const std::vector<CorpusFile> files = corpus();
    const TempFolder folder;
    std::size_t compared = 0;
    std::size_t agreed = 0;
    std::vector<std::size_t> explainedBy(kKnownCount, 0);
    std::vector<std::string> exampleOf(kKnownCount);
    std::vector<std::string> unexplained;

    for (std::size_t index = 0; index < files.size(); ++index) {
        const CorpusFile& file = files[index];
        const std::string path = folder.write(index, file.bytes);
        const ProfileReader reader(file.bytes);
        ChangedFiles changed(file.bytes);
        for (const Query& query : file.queries) {
            for (Call call : {Call::Cut, Call::Whole}) {
                Lookup l{&file, query, call, ourAnswer(reader, query, call), windowsAnswer(path, query, call)};
                ++compared;
                if (l.ours == l.theirs) {
                    ++agreed;
                    continue;
                }
                const unsigned mask = explanation(changed, l);
                if (!mask) {
                    unexplained.push_back(describe(l));
                    continue;
                }
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
    for (std::size_t i = 0; i < kKnownCount; ++i) {
        EXPECT_GT(explainedBy[i], 0u) << "known difference \"" << kKnownDifferences[i].name
                                      << "\" no longer shows: drop it from the list";
    }
}

}  // namespace
}  // namespace vellconf
