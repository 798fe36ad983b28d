#pragma once
// Friend.ini, the friend list and the co-fight list.

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vellconf {

// One friend: identification number and name, CP932 texts without blanks.
struct FriendRecord {
    std::string id;
    std::string name;

    bool operator==(const FriendRecord&) const = default;
};

// Words separated by blanks, tabs and line ends, taken two at a time; a pair
// whose first word starts with ";" is a comment. A last word without a
// partner is dropped.
std::vector<FriendRecord> parseFriendIni(std::string_view bytes);

// One "ID name" line per friend, CR LF line ends, each field cut to 259 bytes.
std::string writeFriendIni(std::span<const FriendRecord> friends);

enum class RegisterOutcome {
    Registered,      // inserted at the top of the list
    NothingToAdd,    // empty ID: nothing happens, as before
    HoldsBlank,      // an ID or name with a blank would shift every later pair on the next read
    EmptyName,       // likewise an empty name
    StartsComment,   // an ID starting with ";" would make its pair a comment on the next read
};

// Checks and inserts a new friend at the top of `friends`.
RegisterOutcome registerFriend(std::vector<FriendRecord>& friends, std::string_view id, std::string_view name);

}  // namespace vellconf
