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
    const std::string a259(259, 'a'), a260(260, 'a');
    const struct {
        const char* what;
        std::string text;  // of the value, and the fallback
        std::string expected, expectedFallback;
    } cases[] = {
        {"long", std::string(300, 'a'), a260, a260},
        {"double-byte character at 260", a259 + cp932("ア") + "b", a259, a259},
        {"quoted", "\"" + a260 + "\"", a260, "\"" + std::string(259, 'a')},
        {"short and quoted", "\"q\"", "q", "\"q\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const ProfileReader reader("[s]\nk=" + c.text);
        EXPECT_EQ(reader.get("s", "k", "x"), c.expected);
        EXPECT_EQ(reader.getWhole("s", "k", "x"), c.text.front() == '"' ? c.text.substr(1, c.text.size() - 2) : c.text);
        EXPECT_EQ(reader.get("s", "missing", c.text), c.expectedFallback) << "missing key";
        EXPECT_EQ(reader.get("t", "k", c.text), c.expectedFallback) << "missing section";
        EXPECT_EQ(reader.getWhole("t", "k", c.text), c.text);
    }
    EXPECT_EQ(ProfileReader().get("s", "k", "fb"), "fb");
    EXPECT_EQ(ProfileReader("[s]\nk=v").find("s", "k")->valueBegin, 6u);
}

}  // namespace
}  // namespace vellconf
