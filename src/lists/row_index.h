#pragma once
// Finding a list's row by its ID, as a load finds the rows of the IDs it reads.

#include <span>
#include <string>
#include <unordered_map>

#include "config/profile_reader.h"

namespace vellconf {

// The first row of each ID, letters compared without regard to case.
template <typename Row, typename IdOf>
std::unordered_map<std::string, const Row*> firstRowById(std::span<const Row> rows, IdOf idOf) {
    std::unordered_map<std::string, const Row*> index;
    index.reserve(rows.size());
    for (const Row& row : rows) index.try_emplace(foldCase(idOf(row)), &row);
    return index;
}

}  // namespace vellconf
