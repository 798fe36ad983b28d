// Our profile lookup beside GetPrivateProfileStringA (the Windows tool's reader; a setting cut by a 261-byte buffer) on
// tests/data/config/profile: every difference must be explained by up to three known differences, each still showing.

#include <windows.h>

#include <gtest/gtest.h>

#include <bit>
#include <chrono>
#include <set>

#include "config/profile_reader.h"
#include "config/text_lines.h"
#include "test_support.h"

namespace vellconf {
namespace {

namespace fs = std::filesystem;

constexpr DWORD kSettingBuffer = 261;  // the Windows tool's buffer for every setting
constexpr char kUnwritten = '\x7f';    // every buffer starts full of it: a byte Windows leaves unwritten shows

struct Query { std::string section, key, fallback; };
constexpr std::size_t npos = std::string::npos;

constexpr std::string_view kEmptyKey = "\x01", kNoValue = "\x02";  // bytes no corpus file holds

// One lookup by our reader: the file's text, the query, our whole answer and the one cut to 260 bytes.
struct Lookup { std::string text; Query q; std::string whole, answer; };

using Change = void (*)(Lookup&);
using LineChange = std::string (*)(std::string);

// Each line of `text` rewritten, its line end kept.
std::string eachLine(const std::string& text, LineChange rewrite) {
    std::string out;
    forEachLine(text, [&](const TextLine& line) {
        out += rewrite(std::string(line.text)) + text.substr(line.begin + line.text.size(), line.end - line.begin - line.text.size());
        return true;
    });
    return out;
}

// Each known difference: why we differ, and the changes (any may be missing) after which our reader answers as Windows does,
// to the file and the query, to each line of the file (its end kept), to our whole answer, and to the one cut to 260 bytes.
struct KnownDifference { const char* why; Change before = nullptr; LineChange line = nullptr; Change whole = nullptr, cut = nullptr; };
const KnownDifference kKnown[] = {
    {.why = "lead byte without trail byte: Windows decodes the file first, and such a lead byte becomes \"・\" (81 45) "
            "taking the next byte, even a line end, with it; we keep every byte",
     .before = [](Lookup& l) {
         for (std::size_t pos = 0; pos < l.text.size(); pos += charLength(l.text, pos)) {
             const unsigned char next = l.text[pos + 1];  // NUL past the end
             if (isLeadByte(static_cast<unsigned char>(l.text[pos])) && (next < 0x40 || next > 0xFC || next == 0x7F))
                 l.text.replace(pos, 2, "\x81\x45");
         }
     }},
    {.why = "other control blanks (never trail bytes): Windows also trims \\v, \\f and ^Z around lines, keys and values; the tool writes none",
     .before = [](Lookup& l) { std::ranges::replace_if(l.text, [](char c) { return c == '\v' || c == '\f' || c == '\x1a'; }, ' '); }},
    {.why = "blanks inside section brackets: Windows trims \"[ CONFIG ]\" (Wine the full-width space too); we keep them",
     .line = [](std::string line) {  // "[" first but for blanks, and the last "]", found on whole characters as our reader does
         const std::size_t open = line.find_first_not_of(" \t");
         std::size_t close = 0;
         for (std::size_t pos = open + 1; open != npos && line[open] == '[' && pos < line.size(); pos += charLength(line, pos))
             if (line[pos] == ']') close = pos;
         std::size_t first = close, end = close;  // the name from its first to past its last character that is no blank
         for (std::size_t pos = open + 1; pos < close; pos += charLength(line, pos))
             if (line[pos] != ' ' && line[pos] != '\t' && line.compare(pos, 2, cp932("　")) != 0)
                 std::tie(first, end) = std::pair{std::min(first, pos), pos + charLength(line, pos)};
         return close ? line.substr(0, open + 1) + line.substr(first, end - first) + line.substr(close) : line;
     }},
    {.why = "lines before the first section: Windows files them under a section \"\", hiding a later \"[]\"; we drop them",
     .before = [](Lookup& l) { l.text = "[]\n" + l.text; }},
    {.why = "empty key: Windows matches key \"\" to a line \"=v\"; we keep no entry without a name",
     .before = [](Lookup& l) { l.q.key = l.q.key.empty() ? std::string(kEmptyKey) : l.q.key; },
     .line = [](std::string line) {  // the key of a line whose first character that is no blank is "="
         return line.find('=') != npos && line.find('=') == line.find_first_not_of(" \t") ? std::string(kEmptyKey) + line : line;
     }},
    {.why = "line without =: Wine keeps it as a key without a value and gives the fallback; Windows and we skip it",
     .line = [](std::string line) {  // no blank line, no section line (no key starts with "[")
         const std::size_t first = line.find_first_not_of(" \t");
         return first == npos || line[first] == '[' || line.find('=') != npos ? line : line + "=" + std::string(kNoValue);
     },
     .whole = [](Lookup& l) { l.whole = l.whole == kNoValue ? l.q.fallback : l.whole; }},
    {.why = "NUL in a value: Windows' answer is a C string; ours keeps the rest of the line",
     .whole = [](Lookup& l) { l.whole = l.whole.c_str(); }},
    {.why = "byte never written: a character straddling the buffer's end makes Wine write 259 bytes and the end at 260",
     .cut = [](Lookup& l) { if (l.whole.size() >= kSettingBuffer && l.answer.size() == kSettingBuffer - 2) l.answer += kUnwritten; }},
    {.why = "quoted value of 260 characters: Wine copies 260 after the quote, and drops the last for the missing closing one",
     .cut = [](Lookup& l) {
         std::size_t characters = 0, last = 0;
         for (std::size_t pos = 0; pos < l.whole.size(); pos += charLength(l.whole, pos), ++characters) last = pos;
         const bool quoted = l.text.find('"' + l.whole + '"') != npos || l.text.find('\'' + l.whole + '\'') != npos;
         if (characters == kSettingBuffer - 1 && last < kSettingBuffer && quoted) l.answer = l.whole.substr(0, last);
     }},
};

// Whether the known differences in `mask` together turn our answer into Windows'.
bool reproduces(unsigned mask, Lookup l, bool cut, const std::string& theirs) {
    const auto each = [&](auto change) { for (std::size_t i = 0; i < std::size(kKnown); ++i) if (mask >> i & 1) change(kKnown[i]); };
    each([&](const KnownDifference& k) { if (k.before) k.before(l); if (k.line) l.text = eachLine(l.text, k.line); });
    l.whole = ProfileReader(l.text).getWhole(l.q.section, l.q.key, l.q.fallback);
    each([&](const KnownDifference& k) { if (k.whole) k.whole(l); });
    l.answer = cut ? std::string(cutToBytes(l.whole, ProfileReader::kMaxValueBytes)) : l.whole;  // as get() cuts it
    each([&](const KnownDifference& k) { if (cut && k.cut) k.cut(l); });
    return l.answer == theirs;
}

TEST(ProfileDifferentialTest, OurLookupAnswersAsWindowsDoes) {
    ASSERT_EQ(GetACP(), 932u) << "the comparison needs code page 932: run it through tools/wine-session";
    const auto fallbacks = test::cp932Rows("config/profile_fallbacks.tsv"), lineEnds = test::cp932Rows("config/profile_line_ends.tsv");
    std::vector<unsigned> masks;  // every set of one to three known differences, the smaller first
    for (int size = 1; size <= 3; ++size)
        for (unsigned m = 1; m < 1u << std::size(kKnown); ++m) if (std::popcount(m) == size) masks.push_back(m);
    const auto cased = [](std::string name, char from) { for (char& c : name) c ^= c >= from && c < from + 26 ? 0x20 : 0; return name; };
    const test::ScratchDir folder;
    std::size_t compared = 0, agreed = 0, unexplained = 0, files = 0, shown = 0;  // shown: the known differences that explained one
    for (const auto& entry : fs::directory_iterator(test::testDataDir() / "config/profile")) {
        const std::string data = test::cp932Unescaped(test::testData(entry.path()));  // "sections: a,b", "keys: k,j", lines
        const std::size_t keysLine = data.find('\n') + 1, bodyStart = data.find('\n', keysLine) + 1;
        // Each section and key as written, upper- and lower-cased (a trail byte so changed is another character), 3 fallbacks each
        std::vector<Query> queries;
        for (const std::string& section : test::listItems(data.substr(10, keysLine - 11)))
            for (const std::string& s : std::set{section, cased(section, 'a'), cased(section, 'A')})
                for (const std::string& key : test::listItems(data.substr(keysLine + 6, bodyStart - keysLine - 7)))
                    for (const std::string& k : std::set{key, cased(key, 'a'), cased(key, 'A')})
                        for (int i = 0; i < 3; ++i) queries.push_back({s, k, fallbacks[queries.size() % fallbacks.size()][0]});
        const std::string body = data.substr(bodyStart, data.size() - 1 - bodyStart);  // without the last LF
        for (const test::Fields& ends : lineEnds) {  // name, the last line's end, the ends between lines (in turn)
            std::string text;
            for (std::size_t n = 0; const char c : body) text += c == '\n' ? ends[2 + n++ % (ends.size() - 2)] : std::string(1, c);
            text += ends[1];
            const std::string path = (folder / (std::to_string(files++) + ".ini")).string();
            test::writeBytes(path, text);
            fs::last_write_time(path, fs::file_time_type::clock::now() - std::chrono::hours(1));  // Wine then keeps it parsed
            const ProfileReader reader(text);
            for (const Query& q : queries)
                for (const bool cut : {true, false}) {
                    const std::string ours = cut ? reader.get(q.section, q.key, q.fallback) : reader.getWhole(q.section, q.key, q.fallback);
                    std::string theirs(cut ? kSettingBuffer : 1 << 16, kUnwritten);  // read as the Windows tool did: a C string
                    GetPrivateProfileStringA(q.section.c_str(), q.key.c_str(), q.fallback.c_str(), theirs.data(), theirs.size(), path.c_str());
                    theirs = theirs.c_str();
                    if (++compared && ours == theirs && ++agreed) continue;
                    const auto found = std::ranges::find_if(masks, [&](unsigned m) { return reproduces(m, {text, q, {}, {}}, cut, theirs); });
                    if (found != masks.end()) shown |= *found;
                    else if (++unexplained <= 20) ADD_FAILURE() << "unexplained: " << testing::PrintToString(std::vector<std::string>{
                                  entry.path().stem().string(), ends[0], q.section, q.key, q.fallback, ours, theirs, cut ? "cut" : "whole"});
                }
        }
    }
    std::printf("%zu lookups: %zu agreed, %zu known, %zu unexplained\n", compared, agreed, compared - agreed - unexplained, unexplained);
    for (std::size_t i = 0; i < std::size(kKnown); ++i) EXPECT_TRUE(shown >> i & 1) << "no longer shows, drop it: " << kKnown[i].why;
}

}  // namespace
}  // namespace vellconf
