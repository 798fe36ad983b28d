#pragma once
// What the fuzz targets share: the core's headers, a check that aborts, and
// the words of a text.

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <random>

#include "config/config_io.h"
#include "config/config_loader.h"
#include "config/config_writer.h"
#include "config/cp932.h"
#include "config/decimal.h"
#include "config/memo.h"
#include "config/profile_reader.h"
#include "lists/friend_list.h"
#include "lists/monster_table.h"
#include "pages/field_rules.h"
#include "pages/page_tables.h"

// A broken invariant aborts, so that libFuzzer keeps the input and prints the stack.
#define FUZZ_CHECK(condition, what)                                                                     \
    do {                                                                                                \
        if (!(condition)) {                                                                             \
            std::fprintf(stderr, "%s:%d: %s\n  failed: %s\n", __FILE__, __LINE__, (what), #condition); \
            std::abort();                                                                               \
        }                                                                                               \
    } while (false)

using namespace vellconf;  // every target reads the core

namespace fuzz {

inline std::string_view bytesOf(const std::uint8_t* data, std::size_t size) { return {reinterpret_cast<const char*>(data), size}; }

// The words of a text between the blanks `blanks`, read plainly.
inline std::vector<std::string_view> wordsOf(std::string_view text, std::string_view blanks = " \t\r\n\v\f") {
    std::vector<std::string_view> words;
    for (std::size_t pos = text.find_first_not_of(blanks), end = 0; pos != std::string_view::npos; pos = text.find_first_not_of(blanks, end)) {
        end = std::min(text.find_first_of(blanks, pos), text.size());
        words.push_back(text.substr(pos, end - pos));
    }
    return words;
}

}  // namespace fuzz
