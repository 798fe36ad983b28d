// The CP932 conversions and cutToBytes on arbitrary bytes, read both as CP932
// and as UTF-8.
//
// Only UTF-8 -> CP932 -> UTF-8 must give the text back: CP932 has characters
// twice (the NEC and IBM rows), so CP932 -> UTF-8 -> CP932 may pick the other code.

#include <string>
#include <string_view>

#include "config/cp932.h"
#include "fuzz_support.h"

using namespace vellconf;

namespace {

void checkCut(std::string_view text, std::size_t maxBytes) {
    const std::string_view cut = cutToBytes(text, maxBytes);
    FUZZ_CHECK(cut.data() == text.data() && cut.size() <= text.size(), "a cut is a prefix");
    FUZZ_CHECK(cut.size() <= maxBytes, "a cut never exceeds its size");
    FUZZ_CHECK(fuzz::endsOnCharacter(text, cut.size()), "a cut never splits a character");
    FUZZ_CHECK(cut.size() == text.size() || cut.size() + charLength(text, cut.size()) > maxBytes,
               "a cut keeps every character that fits");
}

void checkAsCp932(std::string_view text) {
    const std::string lossy = cp932ToUtf8Lossy(text);
    FUZZ_CHECK(fuzz::isValidUtf8(lossy), "the lossy conversion always gives UTF-8");

    const auto utf8 = cp932ToUtf8(text);
    if (!utf8) return;
    FUZZ_CHECK(fuzz::isValidUtf8(*utf8), "a conversion to UTF-8 gives UTF-8");
    FUZZ_CHECK(lossy == *utf8, "text that converts whole is shown as converted");
    const auto back = utf8ToCp932(*utf8);
    FUZZ_CHECK(back.has_value(), "every character read from CP932 can be written as CP932");
    const auto again = cp932ToUtf8(*back);
    FUZZ_CHECK(again == utf8, "UTF-8 from CP932 survives a trip through CP932");
}

void checkAsUtf8(std::string_view text) {
    const auto cp932 = utf8ToCp932(text);
    if (!fuzz::isValidUtf8(text)) {
        FUZZ_CHECK(!cp932.has_value(), "malformed UTF-8 does not convert");
        return;
    }
    const auto lossy = utf8ToCp932Lossy(text);
    FUZZ_CHECK(lossy.has_value(), "the lossy conversion takes any UTF-8");
    if (!cp932) return;
    FUZZ_CHECK(*lossy == *cp932, "text that converts whole is written as converted");
    const auto utf8 = cp932ToUtf8(*cp932);
    FUZZ_CHECK(utf8.has_value(), "what utf8ToCp932 writes reads back");
    // Not always `text` itself: a few characters have a one-way mapping into
    // CP932. The CP932 written for them must still be the code that stays put.
    FUZZ_CHECK(utf8ToCp932(*utf8) == cp932, "converting to CP932 again changes nothing");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const std::size_t maxBytes = input.ConsumeIntegralInRange<std::size_t>(0, 300);
    const std::string text = input.ConsumeRemainingBytesAsString();

    checkCut(text, maxBytes);
    checkCut(text, text.size());
    checkAsCp932(text);
    checkAsUtf8(text);
    return 0;
}
