#include "config/cp932.h"

#include <gtest/gtest.h>

namespace vellconf {
namespace {

TEST(Cp932, ConvertsTheCharactersWhereTablesDiffer) {
    // Windows' table, not JIS X 0208's: these are the bytes the AI script's files hold.
    const std::pair<const char*, const char*> cases[] = {
        {"～", "\x81\x60"}, {"∞", "\x81\x87"}, {"　", "\x81\x40"}, {"－", "\x81\x7c"},
        {"①", "\x87\x40"},  {"ｱ", "\xb1"},     {"ソ", "\x83\x5c"}, {"表", "\x95\x5c"},
        {"A", "A"},          {"", ""},
    };
    for (const auto& [utf8, bytes] : cases) {
        EXPECT_EQ(utf8ToCp932(utf8), bytes) << utf8;
        EXPECT_EQ(cp932ToUtf8(bytes), utf8) << utf8;
    }
}

TEST(Cp932, ReportsWhatCannotBeConverted) {
    EXPECT_EQ(utf8ToCp932("emoji \xF0\x9F\x98\x80"), std::nullopt);
    EXPECT_EQ(utf8ToCp932("bad \xC3"), std::nullopt);
    EXPECT_EQ(cp932ToUtf8("lead byte at the end \x83"), std::nullopt);
    EXPECT_THROW(cp932("\xF0\x9F\x98\x80"), EncodingError);
}

TEST(Cp932, ExactlyOnlyWhatConvertsBackUnchanged) {
    // Folder names: "〜" (Linux's wave dash) and "－" would come back as other characters.
    const std::pair<const char*, std::optional<std::string>> cases[] = {
        {"C:\\ソース\\AI", cp932("C:\\ソース\\AI")}, {"～", "\x81\x60"}, {"〜", std::nullopt},
        {"게임", std::nullopt}, {"\xF0\x9F\x98\x80", std::nullopt}, {"", ""},
    };
    for (const auto& [utf8, bytes] : cases) EXPECT_EQ(utf8ToCp932Exactly(utf8), bytes) << utf8;
}

TEST(Cp932, CutsOnlyBetweenCharacters) {
    const std::string text = "a" + cp932("ソース");  // 1 + 3 x 2 bytes
    const std::pair<std::size_t, std::size_t> cases[] = {{0, 0}, {1, 1}, {2, 1}, {3, 3}, {6, 5}, {7, 7}, {100, 7}};
    for (const auto& [limit, kept] : cases) EXPECT_EQ(cutToBytes(text, limit).size(), kept) << limit;
    EXPECT_EQ(cutToBytes("ab\x83", 3), "ab\x83");  // a lone lead byte at the end is one byte
}

}  // namespace
}  // namespace vellconf
