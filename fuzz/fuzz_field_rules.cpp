// The numeric fields' rules: leadingInt against a plain 64-bit reading, the
// focus-loss clamp and the spin step, with the catalogue's bounds or random ones.

#include "fuzz_support.h"

namespace {

// Digits read into 64 bits (held far outside 32 bits once past them), then
// brought into the 32-bit range.
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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const FieldBounds bounds = boundsFrom(input);
    const auto number = input.ConsumeIntegral<std::int32_t>();
    const std::string text = input.ConsumeRemainingBytesAsString();

    const std::int32_t read = leadingInt(text);
    FUZZ_CHECK(read == referenceLeadingInt(text), "leadingInt reads as the reference does");
    FUZZ_CHECK(leadingInt(formatInt(number)) == number, "formatInt reads back");

    // Text within bounds stays as typed, other text becomes the nearer bound.
    const FieldCommit commit = commitField(text, bounds);
    FUZZ_CHECK(commit.value == leadingInt(commit.text), "the record gets what the field shows");
    FUZZ_CHECK(commit.text == clampFieldText(text, bounds.lower, bounds.upper), "commit clamps as the field does");
    FUZZ_CHECK(commit.text == (read < bounds.lower ? formatInt(bounds.lower) : read > bounds.upper ? formatInt(bounds.upper) : text),
               "text out of bounds becomes the nearer bound");

    // Up steps down towards spinLow, down steps up towards spinHigh, from the value held within the spin range.
    const std::int32_t position = std::clamp(read, bounds.spinLow, bounds.spinHigh);
    const std::int32_t up = position > bounds.spinLow ? position - 1 : position, down = position < bounds.spinHigh ? position + 1 : position;
    FUZZ_CHECK(spinStep(text, bounds, SpinArrow::Up).value_or(text) == formatInt(up), "up writes its target in plain digits");
    FUZZ_CHECK(spinStep(text, bounds, SpinArrow::Down).value_or(text) == formatInt(down), "down writes its target in plain digits");
    return 0;
}
