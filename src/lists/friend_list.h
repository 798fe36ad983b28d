#pragma once
// Friend.ini, the friend list and the co-fight list.

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "config/file_io.h"

namespace vellconf {

// One friend: identification number and name, CP932 texts without blanks.
struct FriendRecord {
    std::string id;
    std::string name;

    bool operator==(const FriendRecord&) const = default;
};

// Words separated by blanks, tabs and line ends, taken two at a time. A line
// whose first word starts with ";" is a comment and skipped whole; so is a
// pair whose first word starts with ";". A last word without a partner is
// dropped.
std::vector<FriendRecord> parseFriendIni(std::string_view text);
// The file's bytes in whichever encoding it was saved (see decodeText); it is written in CP932.
std::vector<FriendRecord> parseFriendFile(std::string_view bytes);
ReadOutcome<std::vector<FriendRecord>> readFriendIni(const std::filesystem::path& path);

// One "ID name" line per friend, CR LF line ends, each field cut to 259 bytes.
std::string writeFriendIni(std::span<const FriendRecord> friends);

enum class RegisterOutcome {
    Registered,      // inserted at the top of the list
    NothingToAdd,    // empty ID: nothing happens, as before
    IdNotLua,        // not an item Lua reads back from FRIENDS (see isArrayItem)
    HoldsBlank,      // a name with a blank would shift every later pair on the next read
    EmptyName,       // likewise an empty name
};

// Whether a new friend may be registered: Registered, or why not.
RegisterOutcome checkNewFriend(std::string_view id, std::string_view name);
// Checks and inserts a new friend at the top of `friends`.
RegisterOutcome registerFriend(std::vector<FriendRecord>& friends, std::string_view id, std::string_view name);

// Removes, for each of `removed`, the first row equal to it that is left;
// rows no longer there are passed over. A list read again from a file that
// changed has other row numbers, so rows are told by what they hold.
void removeFriends(std::vector<FriendRecord>& friends, std::span<const FriendRecord> removed);

// The rows a load puts into the co-fight list for the IDs of FRIENDS: each ID
// as read, the name of the first friend with that ID (letters compared
// without regard to case), or "名前不明".
std::vector<FriendRecord> coFightRowsFor(std::span<const std::string> ids, std::span<const FriendRecord> friends);

// The name a co-fight row shows when its ID is not in the friend list (CP932).
const std::string& unknownFriendName();

// The IDs of the first column, top to bottom, as a save writes them.
std::vector<std::string> idsOf(std::span<const FriendRecord> rows);

}  // namespace vellconf
