#include "config/memo.h"

#include "config/cp932.h"

namespace vellconf {

const std::string& memoPlaceholder() {
    static const std::string text = cp932(
        "設定に関するコメントを自由に入力してください。\r\n"
        "\r\n"
        "【例】\r\n"
        "作成日：2006/04/18\r\n"
        "対応ホム：フィーリル Lv30\r\n"
        "対応狩場：オークダンジョン２Ｆ\r\n");
    return text;
}

std::string startupMemo() { return crlfToLf(memoPlaceholder()); }

std::size_t memoFieldBytes(std::string_view text) {
    // No CP932 trail byte is CR or LF, so counting bytes is safe.
    std::size_t bytes = text.size();
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) ++bytes;
    }
    return bytes;
}

std::string crlfToLf(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        out += text[i];
    }
    return out;
}

std::string lfToCrlf(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

}  // namespace vellconf
