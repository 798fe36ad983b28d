#include "config/decimal.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace vellconf {
namespace {

TEST(LeadingInt, ReadsTheLeadingDecimalNumber) {
    for (const auto& c : test::cp932Rows("config/leading_int.tsv")) EXPECT_EQ(leadingInt(c[0]), std::stoi(c[1])) << '"' << c[0] << '"';
}

TEST(FormatInt, WritesPlainDecimal) {
    EXPECT_EQ(formatInt(0), "0");
    EXPECT_EQ(formatInt(-5), "-5");
    EXPECT_EQ(formatInt(120000), "120000");
    EXPECT_EQ(formatInt(INT32_MIN), "-2147483648");
}

}  // namespace
}  // namespace vellconf
