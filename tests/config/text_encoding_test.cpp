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
        {"overlong form is no UTF-8", "\xC0\xAF", UnmarkedBytes::Cp932, "\xC0\xAF", {}},
        {"surrogate is no UTF-8", "\xED\xA0\x80", UnmarkedBytes::Cp932, "\xED\xA0\x80", {}},
        {"cut sequence is no UTF-8", "\xE7\x8B", UnmarkedBytes::Cp932, "\xE7\x8B", {}},
        {"stray bytes in known UTF-8", utf8 + "\r\nx\xFFy\xE7\x8B", UnmarkedBytes::BrokenUtf8,
         cp932("狩場\r\nオーク\r\nx?y??"), {3}},
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
}

}  // namespace
}  // namespace vellconf
