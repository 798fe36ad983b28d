#include "config/text_encoding.h"

#include <algorithm>

#include "config/cp932.h"
#include "config/text_lines.h"

namespace vellconf {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";  // neither 0xFF nor 0xFE starts a CP932 character
constexpr std::string_view kUtf16BeBom = "\xFE\xFF";
constexpr char32_t kReplacement = 0xFFFD;  // CP932 lacks it, so it becomes "?" and marks its line

// The length of the strictly valid UTF-8 sequence at `pos` (no overlong forms,
// surrogates or values past U+10FFFF); 0 when none starts there.
std::size_t utf8SequenceAt(std::string_view bytes, std::size_t pos) {
    const auto byte = [&](std::size_t at) { return static_cast<unsigned char>(bytes[at]); };
    const unsigned char lead = byte(pos);
    if (lead < 0x80) return 1;
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;  // the allowed range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (pos + length > bytes.size() || byte(pos + 1) < low || byte(pos + 1) > high) return 0;
    for (std::size_t k = 2; k < length; ++k)
        if (byte(pos + k) < 0x80 || byte(pos + k) > 0xBF) return 0;
    return length;
}

bool isMultibyteUtf8(std::string_view bytes) {
    bool multibyte = false;
    for (std::size_t pos = 0; pos < bytes.size();) {
        const std::size_t length = utf8SequenceAt(bytes, pos);
        if (length == 0) return false;
        multibyte |= length > 1;
        pos += length;
    }
    return multibyte;
}

void appendUtf8(std::string& out, char32_t c) {
    const auto put = [&](unsigned value) { out += static_cast<char>(value); };
    if (c < 0x80) {
        put(c);
    } else if (c < 0x800) {
        put(0xC0 | (c >> 6));
        put(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        put(0xE0 | (c >> 12));
        put(0x80 | ((c >> 6) & 0x3F));
        put(0x80 | (c & 0x3F));
    } else {
        put(0xF0 | (c >> 18));
        put(0x80 | ((c >> 12) & 0x3F));
        put(0x80 | ((c >> 6) & 0x3F));
        put(0x80 | (c & 0x3F));
    }
}

std::string withStrayBytesReplaced(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (std::size_t pos = 0; pos < bytes.size();) {
        const std::size_t length = utf8SequenceAt(bytes, pos);
        if (length == 0) {
            appendUtf8(out, kReplacement);
            ++pos;
        } else {
            out.append(bytes.substr(pos, length));
            pos += length;
        }
    }
    return out;
}

// A lone surrogate, and an odd byte at the end, become U+FFFD.
std::string utf16ToUtf8(std::string_view bytes, bool bigEndian) {
    const auto unitAt = [&](std::size_t pos) -> char32_t {
        const auto first = static_cast<unsigned char>(bytes[pos]), second = static_cast<unsigned char>(bytes[pos + 1]);
        return bigEndian ? (first << 8) | second : (second << 8) | first;
    };
    const auto isHigh = [](char32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; };
    const auto isLow = [](char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; };
    std::string out;
    out.reserve(bytes.size());
    std::size_t pos = 0;
    for (; pos + 1 < bytes.size(); pos += 2) {
        const char32_t unit = unitAt(pos);
        if (isHigh(unit) && pos + 3 < bytes.size() && isLow(unitAt(pos + 2))) {
            appendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (unitAt(pos + 2) - 0xDC00));
            pos += 2;
        } else {
            appendUtf8(out, isHigh(unit) || isLow(unit) ? kReplacement : unit);
        }
    }
    if (pos < bytes.size()) appendUtf8(out, kReplacement);
    return out;
}

// A line as CP932 exactly: each character that does not come back as itself is "?".
std::string exactlyOrLost(std::string_view utf8) {
    std::string out;
    for (std::size_t pos = 0; pos < utf8.size();) {
        const std::size_t length = std::max<std::size_t>(utf8SequenceAt(utf8, pos), 1);
        out += utf8ToCp932Exactly(utf8.substr(pos, length)).value_or("?");
        pos += length;
    }
    return out;
}

// Valid UTF-8 as CP932. Line ends are ASCII in both, so a line keeps its number.
DecodedText fromUtf8(std::string_view utf8, LookAlikes lookAlikes) {
    const auto convert = [lookAlikes](std::string_view text) {
        return lookAlikes == LookAlikes::Taken ? utf8ToCp932(text) : utf8ToCp932Exactly(text);
    };
    DecodedText decoded;
    if (auto whole = convert(utf8)) {
        decoded.text = std::move(*whole);
        return decoded;
    }
    std::size_t number = 0;
    forEachLine(utf8, [&](const TextLine& line) {
        ++number;
        auto converted = convert(line.text);
        if (!converted) {
            converted = lookAlikes == LookAlikes::Taken ? utf8ToCp932Lossy(line.text) : exactlyOrLost(line.text);
            decoded.lossyLines.push_back(number);
        }
        decoded.text += converted.value_or("");
        decoded.text += utf8.substr(line.begin + line.text.size(), line.end - line.begin - line.text.size());
        return true;
    });
    return decoded;
}

}  // namespace

DecodedText decodeText(std::string_view bytes, UnmarkedBytes unmarked, LookAlikes lookAlikes) {
    if (bytes.starts_with(kUtf16LeBom))
        return fromUtf8(utf16ToUtf8(bytes.substr(kUtf16LeBom.size()), false), lookAlikes);
    if (bytes.starts_with(kUtf16BeBom))
        return fromUtf8(utf16ToUtf8(bytes.substr(kUtf16BeBom.size()), true), lookAlikes);
    const bool marked = bytes.starts_with(kUtf8Bom);
    if (marked) bytes.remove_prefix(kUtf8Bom.size());
    if (marked || unmarked == UnmarkedBytes::BrokenUtf8 || isMultibyteUtf8(bytes))
        return fromUtf8(withStrayBytesReplaced(bytes), lookAlikes);
    return {std::string(bytes), {}};
}

}  // namespace vellconf
