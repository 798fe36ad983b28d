#include "config/cp932.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <iconv.h>
#endif

namespace vellconf {

#ifdef _WIN32
namespace {
constexpr UINT kUtf8 = CP_UTF8;
constexpr UINT kCp932 = 932;

std::optional<std::wstring> toWide(std::string_view in, UINT codePage) {
    if (in.empty()) return std::wstring();
    const int size = static_cast<int>(in.size());
    const int n = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, in.data(), size, nullptr, 0);
    if (n <= 0) return std::nullopt;
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, in.data(), size, out.data(), n);
    return out;
}

std::optional<std::string> fromWide(const std::wstring& in, UINT codePage) {
    if (in.empty()) return std::string();
    const int size = static_cast<int>(in.size());
    BOOL lossy = FALSE;
    BOOL* lossyFlag = codePage == kUtf8 ? nullptr : &lossy;
    const DWORD flags = codePage == kUtf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
    const int n = WideCharToMultiByte(codePage, flags, in.data(), size, nullptr, 0, nullptr, lossyFlag);
    if (n <= 0 || lossy) return std::nullopt;
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(codePage, flags, in.data(), size, out.data(), n, nullptr, lossyFlag);
    return out;
}

std::optional<std::string> convert(std::string_view in, UINT from, UINT to) {
    auto wide = toWide(in, from);
    if (!wide) return std::nullopt;
    return fromWide(*wide, to);
}
}  // namespace

std::optional<std::string> utf8ToCp932(std::string_view utf8) { return convert(utf8, kUtf8, kCp932); }
std::optional<std::string> cp932ToUtf8(std::string_view text) { return convert(text, kCp932, kUtf8); }

#else
namespace {
// One converter per direction and thread, kept for the run: opening one loads
// its tables, which costs more than converting a line.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (usable()) iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    bool usable() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t get() const { return cd_; }

private:
    iconv_t cd_;
};

std::optional<std::string> convert(std::string_view in, const Converter& converter) {
    if (in.empty()) return std::string();
    if (!converter.usable()) return std::nullopt;
    const iconv_t cd = converter.get();
    iconv(cd, nullptr, nullptr, nullptr, nullptr);  // a failed conversion may have left it mid-character
    std::string out(in.size() * 2 + 16, '\0');
    char* inPtr = const_cast<char*>(in.data());
    std::size_t inLeft = in.size();
    std::size_t done = 0;
    while (inLeft > 0) {
        char* outPtr = out.data() + done;
        std::size_t outLeft = out.size() - done;
        const std::size_t r = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
        done = out.size() - outLeft;
        if (r != static_cast<std::size_t>(-1)) break;
        if (errno != E2BIG) return std::nullopt;
        out.resize(out.size() * 2);
    }
    out.resize(done);
    return out;
}
}  // namespace

// "CP932" rather than "SHIFT_JIS": only the Microsoft table maps characters
// such as "～" (0x81 0x60), "∞" and the NEC extensions the way Windows does.
std::optional<std::string> utf8ToCp932(std::string_view utf8) {
    thread_local const Converter converter("CP932", "UTF-8");
    return convert(utf8, converter);
}
std::optional<std::string> cp932ToUtf8(std::string_view text) {
    thread_local const Converter converter("UTF-8", "CP932");
    return convert(text, converter);
}
#endif

std::optional<std::string> utf8ToCp932Exactly(std::string_view utf8) {
    auto converted = utf8ToCp932(utf8);
    if (!converted || cp932ToUtf8(*converted) != utf8) return std::nullopt;
    return converted;
}

std::string cp932(std::string_view utf8) {
    auto converted = utf8ToCp932(utf8);
    if (!converted) throw EncodingError("text not representable in code page 932: " + std::string(utf8));
    return *converted;
}

std::string cp932ToUtf8Lossy(std::string_view text) {
    if (auto whole = cp932ToUtf8(text)) return *whole;
    std::string out;
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t len = charLength(text, pos);
        const auto converted = cp932ToUtf8(text.substr(pos, len));
        out += converted ? *converted : "\xEF\xBF\xBD";
        pos += len;
    }
    return out;
}

namespace {
// Length of the UTF-8 sequence a lead byte starts; 0 for a byte no sequence starts with.
std::size_t utf8Length(unsigned char lead) {
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) return 2;
    if (lead >= 0xE0 && lead <= 0xEF) return 3;
    if (lead >= 0xF0 && lead <= 0xF4) return 4;
    return 0;
}
}  // namespace

std::optional<std::string> utf8ToCp932Lossy(std::string_view utf8) {
    if (auto whole = utf8ToCp932(utf8)) return whole;
    std::string out;
    for (std::size_t pos = 0; pos < utf8.size();) {
        const std::size_t len = utf8Length(static_cast<unsigned char>(utf8[pos]));
        if (len == 0 || pos + len > utf8.size()) return std::nullopt;
        // ASCII is the same in both: a long line costs no conversion per character.
        const std::string_view character = utf8.substr(pos, len);
        const auto converted = len == 1 ? std::optional<std::string>(character) : utf8ToCp932(character);
        out += converted ? *converted : "?";
        pos += len;
    }
    return out;
}

std::string_view cutToBytes(std::string_view text, std::size_t maxBytes) {
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t len = charLength(text, pos);
        if (pos + len > maxBytes) break;
        pos += len;
    }
    return text.substr(0, pos);
}

}  // namespace vellconf
