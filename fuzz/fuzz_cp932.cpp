// The CP932 conversions and cutToBytes on arbitrary bytes, read both as CP932
// and as UTF-8. Only UTF-8 -> CP932 -> UTF-8 must give the text back: CP932
// has characters twice (the NEC and IBM rows), so CP932 -> UTF-8 -> CP932 may
// pick the other code.

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
            const auto next = static_cast<unsigned char>(text[pos + i]);
            if ((next & 0xC0u) != 0x80u) return false;
            code = (code << 6) | (next & 0x3Fu);
        }
        if ((length == 3 && code < 0x800) || (length == 4 && code < 0x10000)) return false;
        if ((code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) return false;
        pos += length;
    }
    return true;
}

void checkCut(std::string_view text, std::size_t maxBytes) {
    const std::string_view cut = cutToBytes(text, maxBytes);
    FUZZ_CHECK(cut.data() == text.data() && cut.size() <= text.size() && cut.size() <= maxBytes,
               "a cut is a prefix of at most its size");
    std::size_t pos = 0;  // walked character by character, the text lands on the cut
    while (pos < cut.size()) pos += charLength(text, pos);
    FUZZ_CHECK(pos == cut.size(), "a cut never splits a character");
    FUZZ_CHECK(cut.size() == text.size() || cut.size() + charLength(text, cut.size()) > maxBytes,
               "a cut keeps every character that fits");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const std::size_t maxBytes = input.ConsumeIntegralInRange<std::size_t>(0, 300);
    const std::string text = input.ConsumeRemainingBytesAsString();
    checkCut(text, maxBytes);
    checkCut(text, text.size());

    // As CP932.
    const std::string lossy = cp932ToUtf8Lossy(text);
    FUZZ_CHECK(isValidUtf8(lossy), "the lossy conversion always gives UTF-8");
    if (const auto utf8 = cp932ToUtf8(text)) {
        FUZZ_CHECK(isValidUtf8(*utf8) && lossy == *utf8, "text that converts whole is shown as converted");
        const auto back = utf8ToCp932(*utf8);
        FUZZ_CHECK(back.has_value(), "every character read from CP932 can be written as CP932");
        FUZZ_CHECK(cp932ToUtf8(*back) == utf8, "UTF-8 from CP932 survives a trip through CP932");
    }

    // As UTF-8.
    const auto cp932 = utf8ToCp932(text);
    if (!isValidUtf8(text)) {
        FUZZ_CHECK(!cp932.has_value(), "malformed UTF-8 does not convert");
        return 0;
    }
    const auto lossyCp932 = utf8ToCp932Lossy(text);
    FUZZ_CHECK(lossyCp932.has_value(), "the lossy conversion takes any UTF-8");
    if (!cp932) return 0;
    FUZZ_CHECK(*lossyCp932 == *cp932, "text that converts whole is written as converted");
    const auto utf8 = cp932ToUtf8(*cp932);
    FUZZ_CHECK(utf8.has_value(), "what utf8ToCp932 writes reads back");
    // Not always `text` itself: a few characters have a one-way mapping into
    // CP932. The CP932 written for them must still be the code that stays put.
    FUZZ_CHECK(utf8ToCp932(*utf8) == cp932, "converting to CP932 again changes nothing");
    return 0;
}
