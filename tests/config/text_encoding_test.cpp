#include "config/text_encoding.h"

#include <gtest/gtest.h>

#include "config/cp932.h"
#include "test_support.h"

using namespace std::string_literals;

namespace vellconf {
namespace {

TEST(DecodeText, EachEncodingBecomesCp932AndLossyLinesAreTold) {
    const std::string utf8 = *cp932ToUtf8(cp932("狩場\r\nオーク"));
    const std::string emoji = "\xF0\x9F\x98\x80";
    const struct {
        const char* name;
        std::string bytes;
        UnmarkedBytes unmarked;
        std::string text;
        std::vector<std::size_t> lossyLines;
    } cases[] = {
        {"CP932 stays", cp932("狩場：オーク"), UnmarkedBytes::Cp932, cp932("狩場：オーク"), {}},
        {"half-width katakana stays", cp932("ｱｸﾃｨﾌﾞ"), UnmarkedBytes::Cp932, cp932("ｱｸﾃｨﾌﾞ"), {}},
        {"ASCII stays", "a = 1", UnmarkedBytes::Cp932, "a = 1", {}},
        {"UTF-8 converts", utf8, UnmarkedBytes::Cp932, cp932("狩場\r\nオーク"), {}},
        {"UTF-8 with a byte-order mark", "\xEF\xBB\xBF" + utf8, UnmarkedBytes::Cp932, cp932("狩場\r\nオーク"), {}},
        {"a character CP932 lacks", "a\n" + emoji + "\rb", UnmarkedBytes::Cp932, "a\n?\rb", {2}},
        // Each lead byte at the limits of its length: § (C2), U+07FF, U+0800, ｱ (EF), U+10000, U+10FFFF.
        {"UTF-8 lead bytes at their limits", "\xC2\xA7\xDF\xBF\xE0\xA0\x80\xEF\xBD\xB1\xF0\x90\x80\x80\xF4\x8F\xBF\xBF",
         UnmarkedBytes::Cp932, cp932("§??ｱ??"), {1}},
        {"stray bytes in known UTF-8", utf8 + "\r\nx\xFFy\xE3\x81z\xE7\x8B", UnmarkedBytes::BrokenUtf8,
         cp932("狩場\r\nオーク\r\nx?y??z??"), {3}},
        {"stray bytes after a byte-order mark", "\xEF\xBB\xBF\xFF", UnmarkedBytes::Cp932, "?", {1}},
        {"UTF-16 LE", test::utf16(utf8, false), UnmarkedBytes::Cp932, cp932("狩場\r\nオーク"), {}},
        {"UTF-16 BE", test::utf16(utf8, true), UnmarkedBytes::Cp932, cp932("狩場\r\nオーク"), {}},
        {"UTF-16 surrogate pair", test::utf16("a\n" + emoji, false), UnmarkedBytes::Cp932, "a\n?", {2}},
        {"UTF-16 lone surrogate and odd last byte", "\xFF\xFE" "a\0\x00\xD8\n\0b"s "\0c", UnmarkedBytes::Cp932,
         "a?\nb?", {1, 2}},
    };
    for (const auto& c : cases) {
        const DecodedText decoded = decodeText(c.bytes, c.unmarked);
        EXPECT_EQ(decoded.text, c.text) << c.name;
        EXPECT_EQ(decoded.lossyLines, c.lossyLines) << c.name;
    }
    // No UTF-8, so kept as CP932: overlong forms, a surrogate, past U+10FFFF, bad or missing continuation bytes.
    for (const std::string bytes : {"\xC0\xAF", "\xC1\xBF", "\xE0\x9F\xBF", "\xED\xA0\x80", "\xF0\x8F\xBF\xBF",
                                    "\xF4\x90\x80\x80", "\xF5\x80\x80\x80", "\xE3\x81\x7F", "\xE3\x81\xC0", "\xE7\x8B"}) {
        const DecodedText decoded = decodeText("a" + bytes, UnmarkedBytes::Cp932);
        EXPECT_EQ(decoded.text, "a" + bytes);
        EXPECT_TRUE(decoded.lossyLines.empty());
    }
}

}  // namespace
}  // namespace vellconf
