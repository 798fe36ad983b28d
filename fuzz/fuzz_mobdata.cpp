// parseMobData on arbitrary bytes: the rows must be the file's tokens taken
// twenty at a time, comment groups dropped, each cell cut to 259 bytes.

#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = fuzz::bytesOf(data, size);
    const auto words = fuzz::wordsOf(bytes);
    std::vector<MonsterRecord> expected;
    for (std::size_t first = 0; first < words.size(); first += kMonsterColumns) {
        if (words[first].starts_with(';')) continue;
        MonsterRecord& row = expected.emplace_back();
        for (std::size_t c = 0; c < kMonsterColumns && first + c < words.size(); ++c) row.cells[c] = cutToBytes(words[first + c], kMaxCellBytes);
    }
    FUZZ_CHECK(parseMobData(bytes) == expected, "rows are the tokens in groups of twenty");
    return 0;
}
