#include "config/profile_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/cp932.h"

namespace vellconf {
namespace {

constexpr std::string_view kFallback = "<fallback>";

struct Lookup {
    const char* what;
    std::string text;
    std::string section;
    std::string key;
    std::string expected;
};

void expectLookups(const std::vector<Lookup>& cases, SectionEnd end = SectionEnd::NextSectionLine) {
    for (const Lookup& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(ProfileReader(c.text, end).get(c.section, c.key, kFallback), c.expected);
    }
}

const std::string fb(kFallback);

TEST(ProfileReaderTest, SectionLines) {
    expectLookups({
        {"section name ignores case", "[Config]\nk=v", "config", "k", "v"},
        {"lookup name ignores case", "[config]\nk=v", "CONFIG", "k", "v"},
        {"blanks before [", " \t[s]\nk=v", "s", "k", "v"},
        {"text after ] ignored", "[s] ; note\nk=v", "s", "k", "v"},
        {"name runs to the last ]", "[a]b]\nk=v", "a]b", "k", "v"},
        {"name is not trimmed", "[ s ]\nk=v", "s", "k", fb},
        {"no ] is no section", "[s]\n[t\nk=v", "s", "k", "v"},
        {"lines before the first section", "k=v\n[s]\nj=w", "s", "k", fb},
        {"CP932 section name", cp932("[狩場]\nk=v"), cp932("狩場"), "k", "v"},
    });
}

TEST(ProfileReaderTest, SectionRunsToTheNextSectionLine) {
    const std::string text = cp932("[a]\nk=1\n[b]\nj=2\n[狩場]\nm=3\n");
    expectLookups({
        {"own key", text, "a", "k", "1"},
        {"key of the next section", text, "a", "j", fb},
        {"key of the previous section", text, "b", "k", fb},
        {"CP932 line ends the section", text, "b", "m", fb},
        {"CP932 section has its key", text, cp932("狩場"), "m", "3"},
    });
}

TEST(ProfileReaderTest, InConfigLuaASectionRunsToTheEndOfTheFile) {
    const std::string text = cp932("k=0\n[CONFIG]\n[狩場メモ]\nk=1\n[1002] = true,\nj=2\n[config]\nm=3\n");
    expectLookups({
        {"key after a bracketed note", text, "CONFIG", "k", "1"},
        {"key after a table line", text, "CONFIG", "j", "2"},
        {"key after the section line again", text, "CONFIG", "m", "3"},
        {"a later section runs to the end too", text, cp932("狩場メモ"), "m", "3"},
        {"but starts at its own line", text, "1002", "k", fb},
        {"a table line is no entry", text, "CONFIG", "[1002]", fb},
    }, SectionEnd::EndOfFile);
}

TEST(ProfileReaderTest, OnlyTheFirstSectionOfANameIsSearched) {
    const std::string text = "[s]\na=1\n[t]\nx=0\n[S]\na=2\nb=3\n";
    expectLookups({
        {"key in both", text, "s", "a", "1"},
        {"key only in the repeat", text, "s", "b", fb},
        {"other section unaffected", text, "t", "x", "0"},
    });
}

TEST(ProfileReaderTest, Entries) {
    expectLookups({
        {"CR LF line ends", "[s]\r\nk=v\r\n", "s", "k", "v"},
        {"key ignores case", "[s]\nAttack=v", "s", "ATTACK", "v"},
        {"blanks and tabs trimmed", "[s]\n \tk \t= \t v w \t", "s", "k", "v w"},
        {"split at the first =", "[s]\nk=a=b", "s", "k", "a=b"},
        {"first occurrence wins", "[s]\nk=1\nK=2", "s", "k", "1"},
        {"line without = is no entry", "[s]\nk\nk=v", "s", "k", "v"},
        {"empty key ignored", "[s]\n = v", "s", "", fb},
        {"comment kept", "[s]\nk = YES -- note", "s", "k", "YES -- note"},
    });
}

TEST(ProfileReaderTest, QuotesAreStripped) {
    expectLookups({
        {"double quotes", "[s]\nk=\"a b\"", "s", "k", "a b"},
        {"single quotes", "[s]\nk='a b'", "s", "k", "a b"},
        {"blanks inside kept", "[s]\nk = \" a \" ", "s", "k", " a "},
        {"mismatched", "[s]\nk=\"a'", "s", "k", "\"a'"},
        {"lone quote", "[s]\nk=\"", "s", "k", "\""},
        {"only the outer pair", "[s]\nk=\"\"a\"\"", "s", "k", "\"a\""},
    });
}

TEST(ProfileReaderTest, ValuesAreCutTo260Bytes) {
    const std::string a300(300, 'a');
    const std::string a260(260, 'a');
    const std::string a259(259, 'a');
    const std::string straddling = a259 + cp932("ア") + "b";
    expectLookups({
        {"long value", "[s]\nk=" + a300, "s", "k", a260},
        {"double-byte character at 260", "[s]\nk=" + straddling, "s", "k", a259},
        {"quotes stripped before the cut", "[s]\nk=\"" + a260 + "\"", "s", "k", a260},
    });
}

TEST(ProfileReaderTest, FallbackIsCutButNotUnquoted) {
    struct Case {
        const char* what;
        std::string fallback;
        std::string expected;
    };
    const std::string a259(259, 'a');
    const std::vector<Case> cases = {
        {"long", std::string(300, 'a'), std::string(260, 'a')},
        {"double-byte character at 260", a259 + cp932("ア"), a259},
        {"quoted", "\"q\"", "\"q\""},
    };
    const ProfileReader reader("[s]\nk=v");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(reader.get("s", "x", c.fallback), c.expected) << "missing key";
        EXPECT_EQ(reader.get("t", "k", c.fallback), c.expected) << "missing section";
    }
}

TEST(ProfileReaderTest, Cp932TrailBytes) {
    // ゾ is 0x83 0x5D ("]" as trail), ー is 0x81 0x5B ("[" as trail),
    // ソ is 0x83 0x5C ("\" as trail), ア/ヂ are 0x83 0x41/0x83 0x61 ("A"/"a").
    const std::string zone = cp932("ゾーン");
    expectLookups({
        {"] trail byte inside the name", cp932("[ゾーン]\nk=v"), zone, "k", "v"},
        {"] after the real one is a trail byte", cp932("[a]ゾ\nk=v"), "a", "k", "v"},
        {"] trail byte alone closes nothing", cp932("[s]\n[ゾ\nk=v"), "s", "k", "v"},
        {"[ trail byte opens nothing", cp932("[s]\nー[t]\nk=v"), "s", "k", "v"},
        {"[ trail byte in the name", cp932("[ーー]\nk=v"), cp932("ーー"), "k", "v"},
        {"ア key is not ヂ", cp932("[s]\nア=1"), "s", cp932("ヂ"), fb},
        {"ヂ key is not ア", cp932("[s]\nヂ=1"), "s", cp932("ア"), fb},
        {"ア section is not ヂ", cp932("[ア]\nk=1"), cp932("ヂ"), "k", fb},
        {"letters next to ア fold", cp932("[s]\nXア=1"), "s", cp932("xア"), "1"},
        {"ソ key with letters", cp932("[s]\nソA=1"), "s", cp932("ソa"), "1"},
        {"ソ value", cp932("[s]\nk=ソ"), "s", "k", cp932("ソ")},
    });
}

}  // namespace
}  // namespace vellconf
