#include "config/profile_reader.h"

#include <gtest/gtest.h>

#include <sstream>

#include "test_support.h"

namespace vellconf {
namespace {

constexpr std::string_view kFallback = "<fallback>";

// The cases of tests/data/config/profile_lookups.txt; its head says how they are written.
TEST(ProfileReader, AnswersEachLookupOfTheCaseFile) {
    std::istringstream file(test::testData("config/profile_lookups.txt"));
    int count = 0;
    for (std::string line; std::getline(file, line);) {
        if (line.empty() || line.starts_with('#')) continue;
        std::vector<std::string> fields;
        for (std::size_t start = 0, end = 0; end != std::string::npos; start = end + 3) {
            end = line.find(" | ", start);
            fields.push_back(test::cp932Unescaped(line.substr(start, end - start)));
        }
        ASSERT_EQ(fields.size(), 6u) << line;
        SCOPED_TRACE(line);
        const ProfileReader reader(fields[1], fields[0] == "lua" ? SectionEnd::EndOfFile : SectionEnd::NextSectionLine);
        EXPECT_EQ(reader.get(fields[2], fields[3], kFallback), fields[4]);
        EXPECT_EQ(reader.find(fields[2], fields[3]).has_value(), fields[4] != kFallback);
        ++count;
    }
    EXPECT_GE(count, 50);  // the file was read
}

TEST(ProfileReader, ValuesAndFallbacksAreCutTo260BytesFallbacksNeverUnquoted) {
    for (const auto& c : test::cp932Rows("config/cut_values.tsv")) {
        SCOPED_TRACE(c[0]);
        const std::string& text = c[1];
        const ProfileReader reader("[s]\nk=" + text);
        EXPECT_EQ(reader.get("s", "k", "x"), c[2]);
        EXPECT_EQ(reader.getWhole("s", "k", "x"), text.front() == '"' ? text.substr(1, text.size() - 2) : text);
        EXPECT_EQ(reader.get("s", "missing", text), c[3]) << "missing key";
        EXPECT_EQ(reader.get("t", "k", text), c[3]) << "missing section";
        EXPECT_EQ(reader.getWhole("t", "k", text), text);
    }
    EXPECT_EQ(ProfileReader().get("s", "k", "fb"), "fb");
    EXPECT_EQ(ProfileReader("[s]\nk=v").find("s", "k")->valueBegin, 6u);
}

}  // namespace
}  // namespace vellconf
