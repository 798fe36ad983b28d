#include "config/text_encoding.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace vellconf {
namespace {

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
