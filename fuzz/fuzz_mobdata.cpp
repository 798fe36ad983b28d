// parseMobData on arbitrary bytes: the rows must be the file's tokens taken
// twenty at a time, comment groups dropped, each cell cut to 259 bytes.

#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = fuzz::bytesOf(data, size);
    const std::vector<MonsterRecord> rows = parseMobData(bytes);
    std::vector<MonsterRecord> expected;
    const auto all = fuzz::wordsOf(bytes);
    for (std::size_t first = 0; first < all.size(); first += kMonsterColumns) {
        if (all[first].front() == ';') continue;
        MonsterRecord& row = expected.emplace_back();
        for (std::size_t c = 0; c < kMonsterColumns && first + c < all.size(); ++c)
            row.cells[c] = cutToBytes(all[first + c], kMaxCellBytes);
    }
    FUZZ_CHECK(rows == expected, "rows are the tokens in groups of twenty");
    return 0;
}
