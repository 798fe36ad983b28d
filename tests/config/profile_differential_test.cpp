// Our profile lookup beside GetPrivateProfileStringA (the Windows tool's reader, a setting cut by a 261-byte buffer) on
// tests/data/config/profile's files with profile_line_ends.tsv and profile_fallbacks.tsv: each answer that differs must
// be explained by up to three known differences, each of which must still show. Run it through tools/wine-session.

#include <windows.h>

#include <gtest/gtest.h>

#include <bit>
#include <chrono>

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

// As the Windows tool saw it: a C string, up to the first NUL.
std::string windowsAnswer(const fs::path& file, const Query& q, bool cut) {
    std::string buffer(cut ? kSettingBuffer : 1 << 16, kUnwritten);
    GetPrivateProfileStringA(q.section.c_str(), q.key.c_str(), q.fallback.c_str(), buffer.data(),
                             static_cast<DWORD>(buffer.size()), file.string().c_str());
    return buffer.c_str();
}

// Each line of `text` rewritten, its line end kept.
std::string eachLine(const std::string& text, std::string (*rewrite)(std::string)) {
    std::string out;
    forEachLine(text, [&](const TextLine& line) {
        out += rewrite(std::string(line.text)) + text.substr(line.begin + line.text.size(), line.end - line.begin - line.text.size());
        return true;
    });
    return out;
}

// The "[" and the last "]" of a section line, as our reader finds them (on whole characters).
std::optional<std::pair<std::size_t, std::size_t>> brackets(const std::string& line) {
    const std::size_t open = line.find_first_not_of(" \t");
    std::size_t close = 0;
    for (std::size_t pos = open + 1; open != npos && line[open] == '[' && pos < line.size(); pos += charLength(line, pos))
        if (line[pos] == ']') close = pos;
    return close ? std::optional(std::pair{open, close}) : std::nullopt;
}

constexpr std::string_view kEmptyKey = "\x01", kNoValue = "\x02";  // bytes no corpus file holds

// One lookup by our reader: the file's text, the query, our whole answer and the one cut to 260 bytes.
struct Lookup { std::string text; Query q; std::string whole, answer; };

// Each known difference, why we differ, and the changes (any may be missing) after which our reader answers as Windows does.
struct KnownDifference {
    const char* why;
    void (*before)(Lookup&) = nullptr;                            // to the file and the query
    std::string (*line)(std::string) = nullptr;                   // to each line of the file, its end kept
    void (*whole)(Lookup&) = nullptr, (*cut)(Lookup&) = nullptr;  // to our whole answer; to the one cut to 260 bytes
};
const KnownDifference kKnown[] = {
    {.why = "lead byte without trail byte: Windows decodes the file first, and such a lead byte becomes \"・\" (81 45) "
            "taking the next byte, even a line end, with it; we keep every byte",
     .before = [](Lookup& l) {
         for (std::size_t pos = 0; pos < l.text.size(); pos += charLength(l.text, pos)) {
             const unsigned char next = l.text[pos + 1];  // NUL past the end
             if (isLeadByte(static_cast<unsigned char>(l.text[pos])) && (next < 0x40 || next > 0xFC || next == 0x7F)) l.text.replace(pos, 2, "\x81\x45");
         }
     }},
    {.why = "other control blanks: Windows also trims \\v, \\f and ^Z around lines, keys and values; the tool writes none",
     .before = [](Lookup& l) {  // none of them is ever a trail byte
         std::ranges::replace_if(l.text, [](char c) { return c == '\v' || c == '\f' || c == '\x1a'; }, ' ');
     }},
    {.why = "blanks inside section brackets: Windows trims \"[ CONFIG ]\" (Wine the full-width space too); we keep them",
     .line = [](std::string line) {
         const auto b = brackets(line);
         if (!b) return line;
         std::size_t first = b->second, end = first;  // the name from its first to past its last character that is no blank
         for (std::size_t pos = b->first + 1; pos < b->second; pos += charLength(line, pos))
             if (line[pos] != ' ' && line[pos] != '\t' && line.compare(pos, 2, cp932("　")) != 0)
                 std::tie(first, end) = std::pair{std::min(first, pos), pos + charLength(line, pos)};
         return line.substr(0, b->first + 1) + line.substr(first, end - first) + line.substr(b->second);
     }},
    {.why = "lines before the first section: Windows files them under a section \"\", hiding a later \"[]\"; we drop them",
     .before = [](Lookup& l) { l.text = "[]\n" + l.text; }},
    {.why = "empty key: Windows matches key \"\" to a line \"=v\"; we keep no entry without a name",
     .before = [](Lookup& l) { l.q.key = l.q.key.empty() ? std::string(kEmptyKey) : l.q.key; },
     .line = [](std::string line) {
         const std::size_t first = line.find_first_not_of(" \t");
         return first != npos && line[first] == '=' ? std::string(kEmptyKey) + line : line;
     }},
    {.why = "line without =: Wine keeps it as a key without a value and gives the fallback; Windows and we skip it",
     .line = [](std::string line) {
         return brackets(line) || line.find('=') != npos || line.find_first_not_of(" \t") == npos ? line : line + "=" + std::string(kNoValue);
     },
     .whole = [](Lookup& l) { l.whole = l.whole == kNoValue ? l.q.fallback : l.whole; }},
    {.why = "NUL in a value: Windows' answer is a C string; ours keeps the rest of the line",
     .whole = [](Lookup& l) { l.whole = l.whole.c_str(); }},
    {.why = "byte never written: a character straddling the buffer's end makes Wine write 259 bytes and the end at 260",
     .cut = [](Lookup& l) {
         const std::string_view cut = cutToBytes(l.whole, kSettingBuffer - 1);
         if (l.whole.size() >= kSettingBuffer && cut.size() == kSettingBuffer - 2) l.answer = std::string(cut) + kUnwritten;
     }},
    {.why = "quoted value of 260 characters: Wine copies 260 after the quote, and drops the last for the missing closing one",
     .cut = [](Lookup& l) {
         std::size_t characters = 0, last = 0;
         for (std::size_t pos = 0; pos < l.whole.size(); pos += charLength(l.whole, pos), ++characters) last = pos;
         if (characters == kSettingBuffer - 1 && last < kSettingBuffer &&
             (l.text.find('"' + l.whole + '"') != npos || l.text.find('\'' + l.whole + '\'') != npos))
             l.answer = l.whole.substr(0, last);
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

// The name as asked for and with its bytes upper- and lower-cased (a trail byte so changed is another character).
std::vector<std::string> caseVariants(std::string name) {
    std::vector<std::string> variants{name};
    for (const auto& [from, to] : {std::pair{'a', 'A'}, std::pair{'A', 'a'}}) {
        for (char& c : name) c = c >= from && c < from + 26 ? static_cast<char>(c - from + to) : c;
        if (std::ranges::find(variants, name) == variants.end()) variants.push_back(name);
    }
    return variants;
}

TEST(ProfileDifferentialTest, OurLookupAnswersAsWindowsDoes) {
    ASSERT_EQ(GetACP(), 932u) << "the comparison needs code page 932: run it through tools/wine-session";
    const auto fallbacks = test::cp932Rows("config/profile_fallbacks.tsv"), lineEnds = test::cp932Rows("config/profile_line_ends.tsv");
    std::vector<unsigned> masks;  // every set of one to three known differences, the smaller first
    for (unsigned m = 1; m < 1u << std::size(kKnown); ++m) if (std::popcount(m) <= 3) masks.push_back(m);
    std::ranges::stable_sort(masks, {}, [](unsigned m) { return std::popcount(m); });
    const test::ScratchDir folder;
    std::size_t compared = 0, agreed = 0, unexplained = 0, files = 0;
    std::vector<std::size_t> explainedBy(std::size(kKnown));
    for (const auto& entry : fs::directory_iterator(test::testDataDir() / "config/profile")) {
        const std::string data = test::testData(entry.path());  // "sections: a,b", "keys: k,j", then lines each ended by LF
        const std::size_t keysLine = data.find('\n') + 1, bodyStart = data.find('\n', keysLine) + 1;
        std::vector<Query> queries;  // each section and key in each case, with three fallbacks in turn
        for (const std::string& section : test::listItems(test::cp932Unescaped(data.substr(10, keysLine - 11))))
            for (const std::string& s : caseVariants(section))
                for (const std::string& key : test::listItems(test::cp932Unescaped(data.substr(keysLine + 6, bodyStart - keysLine - 7))))
                    for (const std::string& k : caseVariants(key))
                        for (int i = 0; i < 3; ++i) queries.push_back({s, k, fallbacks[queries.size() % fallbacks.size()][0]});
        const std::string body = test::cp932Unescaped(data.substr(bodyStart, data.size() - 1 - bodyStart));  // without the last LF
        for (const test::Fields& ends : lineEnds) {  // name, the ends between lines (in turn), the last line's end
            const std::vector<std::string> between = test::listItems(ends[1]);
            std::string text;
            for (std::size_t n = 0; const char c : body) text += c == '\n' ? between[n++ % between.size()] : std::string(1, c);
            text += ends[2];
            const fs::path path = folder / (std::to_string(files++) + ".ini");
            test::writeBytes(path, text);
            fs::last_write_time(path, fs::file_time_type::clock::now() - std::chrono::hours(1));  // Wine then keeps it parsed
            const ProfileReader reader(text);
            for (const Query& q : queries)
                for (const bool cut : {true, false}) {
                    const std::string ours = cut ? reader.get(q.section, q.key, q.fallback) : reader.getWhole(q.section, q.key, q.fallback);
                    const std::string theirs = windowsAnswer(path, q, cut);
                    if (++compared && ours == theirs && ++agreed) continue;
                    const auto found = std::ranges::find_if(masks, [&](unsigned m) { return reproduces(m, {text, q, {}, {}}, cut, theirs); });
                    if (found != masks.end()) for (std::size_t i = 0; i < std::size(kKnown); ++i) explainedBy[i] += *found >> i & 1;
                    else if (++unexplained <= 20) ADD_FAILURE() << "unexplained: " << testing::PrintToString(std::vector<std::string>{
                                  entry.path().stem().string(), ends[0], q.section, q.key, q.fallback, ours, theirs, cut ? "cut" : "whole"});
                }
        }
    }
    std::printf("%zu lookups in %zu files: %zu agreed, %zu known differences, %zu unexplained\n", compared, files, agreed,
                compared - agreed - unexplained, unexplained);
    for (std::size_t i = 0; i < std::size(kKnown); ++i) EXPECT_GT(explainedBy[i], 0u) << "no longer shows, drop it: " << kKnown[i].why;
}

}  // namespace
}  // namespace vellconf
