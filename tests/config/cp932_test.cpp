// Text as bytes: code page 932 both ways, the encodings files come in, and decimal numbers.

#include "config/cp932.h"

#include <gtest/gtest.h>

#include "config/decimal.h"
#include "config/text_encoding.h"
#include "test_support.h"

namespace vellconf {
namespace {

// The cases of tests/data/config/cp932_characters.tsv: each converts both ways, and exactly only where it converts back.
TEST(Cp932, ConvertsTheCharactersWhereTablesDiffer) {
    const auto rows = test::tableRows(test::testDataDir() / "config/cp932_characters.tsv");
    ASSERT_FALSE(rows.empty());
    for (const auto& c : rows) {
        const std::optional<std::string> bytes = c[1] == "-" ? std::nullopt : std::optional(test::cp932Unescaped(c[1]));
        EXPECT_EQ(utf8ToCp932Exactly(c[0]), bytes) << c[0];
        if (!bytes) continue;
        EXPECT_EQ(utf8ToCp932(c[0]), bytes) << c[0];
        EXPECT_EQ(cp932ToUtf8(*bytes), c[0]) << c[0];
    }
}

TEST(Cp932, ReportsWhatCannotBeConverted) {
    EXPECT_EQ(utf8ToCp932("emoji \xF0\x9F\x98\x80"), std::nullopt);
    EXPECT_EQ(utf8ToCp932("bad \xC3"), std::nullopt);
    EXPECT_EQ(cp932ToUtf8("lead byte at the end \x83"), std::nullopt);
    EXPECT_THROW(cp932("\xF0\x9F\x98\x80"), EncodingError);
    // The lossy form: "?" for what CP932 lacks, nothing for what is not UTF-8 at all.
    EXPECT_EQ(utf8ToCp932Lossy("caf\xC3\xA9 \xE2\x98\x83"), "caf? ?");
    for (const char* notUtf8 : {"a\x80", "a\xBF", "a\xC1\x81", "a\xF5\x80\x80\x80"}) EXPECT_EQ(utf8ToCp932Lossy(notUtf8), std::nullopt) << notUtf8;
}

TEST(Cp932, CutsOnlyBetweenCharacters) {
    const std::string text = "a" + cp932("ソース");  // 1 + 3 x 2 bytes
    const std::pair<std::size_t, std::size_t> cases[] = {{0, 0}, {1, 1}, {2, 1}, {3, 3}, {6, 5}, {7, 7}, {100, 7}};
    for (const auto& [limit, kept] : cases) EXPECT_EQ(cutToBytes(text, limit).size(), kept) << limit;
    EXPECT_EQ(cutToBytes("ab\x83", 3), "ab\x83");  // a lone lead byte at the end is one byte
}

// Each number of the table is written back as plain decimal, as the file holds it.
TEST(LeadingInt, ReadsTheLeadingDecimalNumberAndWritesItBack) {
    for (const auto& c : test::cp932Rows("config/leading_int.tsv")) {
        EXPECT_EQ(leadingInt(c[0]), std::stoi(c[1])) << '"' << c[0] << '"';
        EXPECT_EQ(formatInt(std::stoi(c[1])), c[1]);
    }
}

// Each encoding becomes CP932, and the lines where a character CP932 lacks
// became "?" are told: the cases of tests/data/config/decoded_text.tsv.
TEST(DecodeText, EachEncodingBecomesCp932AndLossyLinesAreTold) {
    const auto rows = test::cp932Rows("config/decoded_text.tsv");
    ASSERT_GE(rows.size(), 20u);
    for (const auto& c : rows) {
        const DecodedText decoded = decodeText(c[1], c[2] == "broken" ? UnmarkedBytes::BrokenUtf8 : UnmarkedBytes::Cp932);
        std::string lossy;
        for (const std::size_t line : decoded.lossyLines) lossy += (lossy.empty() ? "" : ",") + std::to_string(line);
        EXPECT_EQ(decoded.text, c[3]) << c[0];
        EXPECT_EQ(lossy, c[4]) << c[0];
    }
}

}  // namespace
}  // namespace vellconf
