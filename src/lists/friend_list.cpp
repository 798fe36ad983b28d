#include "lists/friend_list.h"

#include "config/cp932.h"

namespace vellconf {

namespace {

// Each field went through a 260-byte buffer, terminator included.
constexpr std::size_t kMaxFieldBytes = 259;

constexpr bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

bool holdsBlank(std::string_view text) {
    for (const char c : text) {
        if (isBlank(c)) return true;
    }
    return false;
}

}  // namespace

std::vector<FriendRecord> parseFriendIni(std::string_view bytes) {
    std::vector<FriendRecord> friends;
    std::string_view pair[2];
    std::size_t filled = 0;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        while (pos < bytes.size() && isBlank(bytes[pos])) ++pos;
        if (pos == bytes.size()) break;
        const std::size_t start = pos;
        while (pos < bytes.size() && !isBlank(bytes[pos])) ++pos;
        pair[filled++] = bytes.substr(start, pos - start);
        if (filled < 2) continue;
        filled = 0;
        // A comment counts as a pair, so a one-word comment takes the next word with it.
        if (pair[0].front() == ';') continue;
        // Cut as the file is written, so that the list shows what the next rewrite keeps.
        friends.push_back({std::string(cutToBytes(pair[0], kMaxFieldBytes)),
                           std::string(cutToBytes(pair[1], kMaxFieldBytes))});
    }
    // A last word without a partner is dropped.
    return friends;
}

std::string writeFriendIni(std::span<const FriendRecord> friends) {
    std::string out;
    for (const FriendRecord& record : friends) {
        out += cutToBytes(record.id, kMaxFieldBytes);
        out += ' ';
        out += cutToBytes(record.name, kMaxFieldBytes);
        out += "\r\n";
    }
    return out;
}

RegisterOutcome registerFriend(std::vector<FriendRecord>& friends, std::string_view id, std::string_view name) {
    if (id.empty()) return RegisterOutcome::NothingToAdd;
    // The file separates words by blanks only, so either of these would pair
    // every later word with the wrong partner on the next read.
    if (holdsBlank(id) || holdsBlank(name)) return RegisterOutcome::HoldsBlank;
    if (name.empty()) return RegisterOutcome::EmptyName;
    if (id.front() == ';') return RegisterOutcome::StartsComment;
    friends.insert(friends.begin(), FriendRecord{std::string(id), std::string(name)});
    return RegisterOutcome::Registered;
}

}  // namespace vellconf
