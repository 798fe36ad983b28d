#pragma once
// Helpers shared by the fuzz targets.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include <fuzzer/FuzzedDataProvider.h>

#include "config/cp932.h"
#include "lists/friend_list.h"
#include "lists/monster_table.h"

// A broken invariant aborts, so that libFuzzer keeps the input and prints the stack.
#define FUZZ_CHECK(condition, what)                                                        \
    do {                                                                                   \
        if (!(condition)) {                                                                \
            std::fprintf(stderr, "%s:%d: %s\n  failed: %s\n", __FILE__, __LINE__, (what), \
                         #condition);                                                      \
            std::abort();                                                                  \
        }                                                                                  \
    } while (false)

namespace fuzz {

inline std::string_view bytesOf(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// Whether `length` bytes of `text` end between two characters: walking the
// text character by character lands on it exactly.
inline bool endsOnCharacter(std::string_view text, std::size_t length) {
    std::size_t pos = 0;
    while (pos < length && pos < text.size()) pos += vellconf::charLength(text, pos);
    return pos == length;
}

// Strict UTF-8: shortest forms only, no surrogates, nothing above U+10FFFF.
inline bool isValidUtf8(std::string_view text) {
    for (std::size_t pos = 0; pos < text.size();) {
        const auto lead = static_cast<unsigned char>(text[pos]);
        std::size_t length = 0;
        std::uint32_t code = 0;
        if (lead < 0x80) { length = 1; code = lead; }
        else if (lead >= 0xC2 && lead <= 0xDF) { length = 2; code = lead & 0x1Fu; }
        else if (lead >= 0xE0 && lead <= 0xEF) { length = 3; code = lead & 0x0Fu; }
        else if (lead >= 0xF0 && lead <= 0xF4) { length = 4; code = lead & 0x07u; }
        else return false;
        if (pos + length > text.size()) return false;
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

// A monster list and a friend list for the loads to look IDs up in: a few
// rows, one ID twice and one differing from another only in case.
inline const std::vector<vellconf::MonsterRecord>& sampleMonsters() {
    static const std::vector<vellconf::MonsterRecord> rows = [] {
        std::vector<vellconf::MonsterRecord> list;
        for (const char* id : {"1002", "1031", "abc", "1002", "ABD"}) {
            vellconf::MonsterRecord& row = list.emplace_back();
            row.cells[0] = id;
            for (std::size_t c = 1; c < vellconf::kMonsterColumns; ++c)
                row.cells[c] = std::string(id) + "-" + std::to_string(c + list.size());
        }
        return list;
    }();
    return rows;
}

inline const std::vector<vellconf::FriendRecord>& sampleFriends() {
    static const std::vector<vellconf::FriendRecord> rows{
        {"1234567", "Alice"}, {"42", "Bob"}, {"x9", "Carol"}, {"42", "Dave"}, {"X8", std::string(300, 'n')}};
    return rows;
}

}  // namespace fuzz
