#pragma once
// Helpers shared by the fuzz targets, and the core's headers they read.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include <fuzzer/FuzzedDataProvider.h>

#include "config/config_io.h"
#include "config/config_loader.h"
#include "config/config_writer.h"
#include "config/cp932.h"
#include "config/decimal.h"
#include "config/memo.h"
#include "config/profile_reader.h"
#include "config/settings_catalogue.h"
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

// Every target reads the core.
using namespace vellconf;

namespace fuzz {

inline std::string_view bytesOf(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// The words of a text between the blanks `blanks`, read plainly.
inline std::vector<std::string_view> wordsOf(std::string_view text, std::string_view blanks = " \t\r\n\v\f") {
    std::vector<std::string_view> words;
    for (std::size_t pos = text.find_first_not_of(blanks); pos != std::string_view::npos;) {
        const std::size_t end = std::min(text.find_first_of(blanks, pos), text.size());
        words.push_back(text.substr(pos, end - pos));
        pos = text.find_first_not_of(blanks, end);
    }
    return words;
}

}  // namespace fuzz
