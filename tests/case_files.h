#pragma once
// Test cases kept as files under tests/data/ (VELLCONF_TEST_DATA, from the
// build): tables of tab-separated fields, and folders of input files each with
// the rows a read must give.

#include <filesystem>
#include <string>
#include <vector>

#include "test_support.h"

namespace vellconf::test {

using Fields = std::vector<std::string>;

// A file's lines split at their tabs; lines starting with "#" are notes.
inline std::vector<Fields> tableRows(const std::filesystem::path& file) {
    std::vector<Fields> rows;
    const std::string text = fileBytes(file).value_or("");
    for (std::size_t pos = 0, end = 0; pos < text.size(); pos = end + 1) {
        end = std::min(text.find('\n', pos), text.size());
        if (text[pos] == '#') continue;
        Fields& row = rows.emplace_back();
        for (std::size_t at = pos, tab = 0; at <= end; at = tab + 1) {
            tab = std::min(text.find('\t', at), end);
            row.push_back(text.substr(at, tab - at));
        }
    }
    return rows;
}

// Each NAME.ini of tests/data/FOLDER with the rows of NAME.rows.
inline std::vector<std::pair<std::filesystem::path, std::vector<Fields>>> readCases(const std::string& folder) {
    std::vector<std::pair<std::filesystem::path, std::vector<Fields>>> cases;
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(VELLCONF_TEST_DATA) / folder))
        if (entry.path().extension() == ".ini")
            cases.emplace_back(entry.path(), tableRows(std::filesystem::path(entry.path()).replace_extension(".rows")));
    return cases;
}

}  // namespace vellconf::test
