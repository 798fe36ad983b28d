// parseMobData on arbitrary bytes: the rows must be the file's tokens taken
// twenty at a time, comment groups dropped, each cell cut to 259 bytes.

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_support.h"
#include "lists/monster_table.h"

using namespace vellconf;

namespace {

constexpr std::string_view kSeparators = " \t\r\n\v\f";

std::vector<std::string_view> tokens(std::string_view bytes) {
    std::vector<std::string_view> out;
    for (std::size_t pos = bytes.find_first_not_of(kSeparators); pos != std::string_view::npos;) {
        const std::size_t end = std::min(bytes.find_first_of(kSeparators, pos), bytes.size());
        out.push_back(bytes.substr(pos, end - pos));
        pos = bytes.find_first_not_of(kSeparators, end);
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = fuzz::bytesOf(data, size);
    const std::vector<MonsterRecord> rows = parseMobData(bytes);

    for (const MonsterRecord& row : rows) {
        FUZZ_CHECK(!row.id().empty() && row.id().front() != ';', "no comment row and no row without an ID");
        bool ended = false;  // only a short last group leaves cells empty, all at the end
        for (const std::string& cell : row.cells) {
            FUZZ_CHECK(cell.size() <= kMaxCellBytes, "a cell holds at most 259 bytes");
            FUZZ_CHECK(cell.find_first_of(" \t\r\n") == std::string::npos, "a cell holds no blank or line end");
            FUZZ_CHECK(!ended || cell.empty(), "empty cells come last");
            ended = ended || cell.empty();
        }
    }

    std::vector<MonsterRecord> expected;
    const auto all = tokens(bytes);
    for (std::size_t first = 0; first < all.size(); first += kMonsterColumns) {
        if (all[first].front() == ';') continue;
        MonsterRecord& row = expected.emplace_back();
        for (std::size_t c = 0; c < kMonsterColumns && first + c < all.size(); ++c)
            row.cells[c] = cutToBytes(all[first + c], kMaxCellBytes);
    }
    FUZZ_CHECK(rows == expected, "rows are the tokens in groups of twenty");
    return 0;
}
