// The rules on text; the input's first byte chooses which. Even: cutToBytes, the CP932 conversions both ways (CP932
// has some characters twice, the NEC and IBM rows, so only UTF-8 -> CP932 -> UTF-8 must give the text back) and the
// numeric fields' rules against plain references. Odd: the list views' sort.

#include "fuzz_support.h"

namespace {

// Strict UTF-8, read plainly: shortest forms only, no surrogates, nothing above U+10FFFF.
bool isValidUtf8(std::string_view text) {
    for (std::size_t pos = 0; pos < text.size();) {
        const auto lead = static_cast<unsigned char>(text[pos]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xC2 ? 0 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : lead < 0xF5 ? 4 : 0;
        if (length == 0 || pos + length > text.size()) return false;
        std::uint32_t code = length == 1 ? lead : lead & (0x7Fu >> length);
        for (std::size_t i = 1; i < length; ++i) {
            if ((static_cast<unsigned char>(text[pos + i]) & 0xC0u) != 0x80u) return false;
            code = (code << 6) | (static_cast<unsigned char>(text[pos + i]) & 0x3Fu);
        }
        if ((length == 3 && code < 0x800) || (length == 4 && code < 0x10000) || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF)
            return false;
        pos += length;
    }
    return true;
}

void checkCut(std::string_view text, std::size_t maxBytes) {
    const std::string_view cut = cutToBytes(text, maxBytes);
    FUZZ_CHECK(cut.data() == text.data() && cut.size() <= std::min(text.size(), maxBytes), "a cut is a prefix of at most its size");
    std::size_t pos = 0;  // walked character by character, the text lands on the cut
    while (pos < cut.size()) pos += charLength(text, pos);
    FUZZ_CHECK(pos == cut.size(), "a cut never splits a character");
    FUZZ_CHECK(cut.size() == text.size() || cut.size() + charLength(text, cut.size()) > maxBytes,
               "a cut keeps every character that fits");
}

// Digits read into 64 bits (held far outside 32 bits once past them), then brought into the 32-bit range.
std::int32_t referenceLeadingInt(std::string_view text) {
    std::size_t pos = std::min(text.find_first_not_of(" \t\n\v\f\r"), text.size());
    const bool negative = text.substr(pos).starts_with('-');
    if (text.substr(pos).starts_with('+') || negative) ++pos;
    std::int64_t value = 0;
    for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos)
        value = std::min<std::int64_t>(value * 10 + (text[pos] - '0'), std::int64_t{1} << 40);
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(negative ? -value : value, INT32_MIN, INT32_MAX));
}

FieldBounds boundsFrom(FuzzedDataProvider& input) {
    const auto& catalogue = settingsCatalogue();
    const auto& setting = catalogue[input.ConsumeIntegralInRange<std::size_t>(0, std::size(catalogue) - 1)];
    if (input.ConsumeBool() && setting.bounds) return *setting.bounds;
    const auto [lower, upper] = std::minmax({input.ConsumeIntegral<std::int32_t>(), input.ConsumeIntegral<std::int32_t>()});
    const auto [spinLow, spinHigh] = std::minmax({input.ConsumeIntegral<std::int32_t>(), input.ConsumeIntegral<std::int32_t>()});
    return {lower, upper, spinLow, spinHigh};
}

void checkCp932(const std::string& text, std::size_t maxBytes) {
    checkCut(text, maxBytes);
    // As CP932.
    FUZZ_CHECK(isValidUtf8(cp932ToUtf8Lossy(text)), "the lossy conversion always gives UTF-8");
    if (const auto utf8 = cp932ToUtf8(text)) {
        FUZZ_CHECK(isValidUtf8(*utf8) && cp932ToUtf8Lossy(text) == *utf8, "text that converts whole is shown as converted");
        const auto back = utf8ToCp932(*utf8);
        FUZZ_CHECK(back && cp932ToUtf8(*back) == utf8, "UTF-8 from CP932 survives a trip through CP932");
    }
    // As UTF-8.
    const auto cp932 = utf8ToCp932(text);
    FUZZ_CHECK(isValidUtf8(text) || !cp932, "malformed UTF-8 does not convert");
    FUZZ_CHECK(!isValidUtf8(text) || utf8ToCp932Lossy(text), "the lossy conversion takes any UTF-8");
    if (!cp932) return;
    FUZZ_CHECK(utf8ToCp932Lossy(text) == cp932, "text that converts whole is written as converted");
    // Not always `text` itself (a few characters map one way into CP932), but the code written for them stays put.
    const auto utf8 = cp932ToUtf8(*cp932);
    FUZZ_CHECK(utf8 && utf8ToCp932(*utf8) == cp932, "what utf8ToCp932 writes reads back and converts the same again");
}

// The comparison sees only this much of a cell, as the list views do.
std::int32_t valueOf(std::string_view cell) { return leadingInt(cell.substr(0, 511)); }

void checkSort(FuzzedDataProvider& input) {
    const int column = input.ConsumeIntegralInRange<int>(-2, static_cast<int>(kMonsterColumns) + 1);
    const bool ascending = input.ConsumeBool();
    const bool inRange = column >= 0 && column < static_cast<int>(kMonsterColumns);
    const auto c = static_cast<std::size_t>(inRange ? column : 0);
    std::vector<MonsterRecord> rows;
    for (std::size_t i = 0, count = input.ConsumeIntegralInRange<std::size_t>(0, 64); i < count && input.remaining_bytes() > 0; ++i) {
        MonsterRecord& row = rows.emplace_back();
        row.cells[(c + 1) % kMonsterColumns] = std::to_string(i);  // tells equal cells' rows apart
        if (inRange) row.cells[c] = input.ConsumeRandomLengthString(600);
    }
    // A cell starting with a nonzero number compares as numbers and never equal; texts compare as bytes.
    for (std::size_t i = 1; i < rows.size(); ++i) {
        const std::string_view a = rows[i - 1].cells[c], b = rows[i].cells[c];
        const int result = compareCells(a, b);
        if (valueOf(a) != 0) FUZZ_CHECK(result == (valueOf(a) <= valueOf(b) ? -1 : 1), "a number compares as a number");
        if (valueOf(a) == 0 && valueOf(b) == 0)
            FUZZ_CHECK(result == std::clamp(a.substr(0, 511).compare(b.substr(0, 511)), -1, 1), "texts compare as bytes");
    }
    std::vector<MonsterRecord> sorted = rows;
    sortRows(sorted, column, ascending);
    FUZZ_CHECK(inRange || sorted == rows, "a column outside the table leaves the rows alone");
    FUZZ_CHECK(std::ranges::is_permutation(sorted, rows), "the sorted rows are the same rows, each once");
    // Where the comparison is consistent (all numbers, or all texts) the result is in order.
    const auto numbers = std::ranges::count_if(rows, [&](const auto& row) { return valueOf(row.cells[c]) != 0; });
    for (std::size_t i = 1; i < sorted.size(); ++i) {
        const std::string &before = sorted[i - 1].cells[c], &after = sorted[i].cells[c];
        if (numbers == std::ssize(rows))
            FUZZ_CHECK(ascending ? valueOf(before) <= valueOf(after) : valueOf(before) >= valueOf(after), "numbers come out in order");
        if (numbers == 0)
            FUZZ_CHECK(ascending ? compareCells(before, after) <= 0 : compareCells(before, after) >= 0, "texts come out in order");
    }
}

// The text both ways, then the numeric fields' rules on it, with the catalogue's bounds or random ones.
void checkRules(FuzzedDataProvider& input) {
    const std::size_t maxBytes = input.ConsumeIntegralInRange<std::size_t>(0, 300);
    const FieldBounds bounds = boundsFrom(input);
    const auto number = input.ConsumeIntegral<std::int32_t>();
    const std::string text = input.ConsumeRemainingBytesAsString();
    checkCp932(text, maxBytes);

    const std::int32_t read = leadingInt(text);
    FUZZ_CHECK(read == referenceLeadingInt(text), "leadingInt reads as the reference does");
    FUZZ_CHECK(leadingInt(formatInt(number)) == number, "formatInt reads back");
    // Text within bounds stays as typed, other text becomes the nearer bound, and the record gets what the field shows.
    const FieldCommit commit = commitField(text, bounds);
    FUZZ_CHECK(commit.text == (read < bounds.lower ? formatInt(bounds.lower) : read > bounds.upper ? formatInt(bounds.upper) : text),
               "text out of bounds becomes the nearer bound");
    FUZZ_CHECK(commit.value == std::clamp(read, bounds.lower, bounds.upper), "the record gets the value within bounds");
    // Up steps down towards spinLow, down steps up towards spinHigh, from the value held within the spin range.
    const std::int32_t position = std::clamp(read, bounds.spinLow, bounds.spinHigh);
    const std::int32_t up = position > bounds.spinLow ? position - 1 : position, down = position < bounds.spinHigh ? position + 1 : position;
    FUZZ_CHECK(spinStep(text, bounds, SpinArrow::Up).value_or(text) == formatInt(up), "up writes its target in plain digits");
    FUZZ_CHECK(spinStep(text, bounds, SpinArrow::Down).value_or(text) == formatInt(down), "down writes its target in plain digits");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    FuzzedDataProvider input(data + 1, size - 1);
    if (data[0] % 2 == 1) checkSort(input);
    else checkRules(input);
    return 0;
}
