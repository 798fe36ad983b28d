#include "config/decimal.h"

#include <gtest/gtest.h>

namespace vellconf {
namespace {

TEST(LeadingInt, ReadsTheLeadingDecimalNumber) {
    const std::pair<const char*, std::int32_t> cases[] = {
        {"12abc", 12},   {"abc", 0},        {"-3", -3},           {"007", 7},
        {"", 0},         {" \t\n\v\f\r+4", 4}, {"+", 0},          {"-", 0},
        {"- 4", 0},      {"1 000", 1},      {"1,000", 1},         {"3.9", 3},
        {"\xef\xbc\x95", 0},  // full-width digit five
        {"2147483647", 2147483647},        {"2147483648", 2147483647},
        {"99999999999999999999", 2147483647}, {"-2147483648", INT32_MIN},
        {"-99999999999999999999", INT32_MIN},
    };
    for (const auto& [text, value] : cases) EXPECT_EQ(leadingInt(text), value) << '"' << text << '"';
}

TEST(FormatInt, WritesPlainDecimal) {
    EXPECT_EQ(formatInt(0), "0");
    EXPECT_EQ(formatInt(-5), "-5");
    EXPECT_EQ(formatInt(120000), "120000");
    EXPECT_EQ(formatInt(INT32_MIN), "-2147483648");
}

}  // namespace
}  // namespace vellconf
