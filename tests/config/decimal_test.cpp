#include "config/decimal.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace vellconf {
namespace {

// Each number of the table is written back as plain decimal, as the file holds it.
TEST(LeadingInt, ReadsTheLeadingDecimalNumberAndWritesItBack) {
    for (const auto& c : test::cp932Rows("config/leading_int.tsv")) {
        EXPECT_EQ(leadingInt(c[0]), std::stoi(c[1])) << '"' << c[0] << '"';
        EXPECT_EQ(formatInt(std::stoi(c[1])), c[1]);
    }
}

}  // namespace
}  // namespace vellconf
