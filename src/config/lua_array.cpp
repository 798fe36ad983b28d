#include "config/lua_array.h"

#include "config/cp932.h"

namespace vellconf {

namespace {

// Where a comment that starts at `pos` (on "--") ends: at the end of its line,
// or after the "]]" (with as many "=" between as it opened with) of a long
// comment. Lua compares bytes here, so the search does too.
std::size_t commentEnd(std::string_view text, std::size_t pos) {
    const std::size_t open = pos + 2;
    if (open < text.size() && text[open] == '[') {
        const std::size_t level = text.find_first_not_of('=', open + 1);
        if (level != std::string_view::npos && text[level] == '[') {
            const std::string close = "]" + std::string(level - open - 1, '=') + "]";
            const std::size_t end = text.find(close, level + 1);
            return end == std::string_view::npos ? text.size() : end + close.size();
        }
    }
    return std::min(text.find_first_of("\r\n", open), text.size());
}

bool isLineEnd(char c) { return c == '\r' || c == '\n'; }

bool isSeparator(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == ',' || c == ';'; }

class ArrayScan {
public:
    void read(std::string_view text) {
        for (std::size_t pos = 0; pos < text.size() && !done_;) {
            const char c = text[pos];
            if (text.compare(pos, 2, "--") == 0) {
                endItem();
                pos = commentEnd(text, pos);
                continue;
            }
            if (isLineEnd(c)) {
                endItem();
                if (!opened_ && sawItem_) done_ = true;  // a value without "{" ends with its line
                lineEnded_ = true;
            } else if (isSeparator(c) || c == '{' || (c == '}' && !opened_)) {
                endItem();
                opened_ |= c == '{';
            } else if (c == '}') {
                endItem();
                done_ = true;
            } else if (lineEnded_ && !opened_) {
                done_ = true;  // the next statement: the value held no table
            } else {
                const std::size_t length = charLength(text, pos);
                item_.append(text.substr(pos, length));
                pos += length;
                continue;
            }
            ++pos;
        }
        endItem();
    }

    ArrayItems take() && { return std::move(result_); }

private:
    void endItem() {
        if (item_.empty()) return;
        sawItem_ = true;
        if (result_.items.size() == kMaxListItems) {
            result_.tooMany = done_ = true;
        } else {
            result_.items.push_back(std::move(item_));
        }
        item_.clear();
    }

    ArrayItems result_;
    std::string item_;
    bool opened_ = false;     // the table's "{" has been read
    bool sawItem_ = false;
    bool lineEnded_ = false;  // the value's own line is behind
    bool done_ = false;
};

}  // namespace

ArrayItems arrayItems(std::string_view text) {
    ArrayScan scan;
    scan.read(text);
    return std::move(scan).take();
}

}  // namespace vellconf
