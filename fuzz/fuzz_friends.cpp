// Friend.ini: reading arbitrary bytes, writing the list back, and registering
// a friend as the friend page does. The input is an ID and a name (each ended
// by a lone backslash, FuzzedDataProvider's string form) followed by the file.

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "config/config_writer.h"
#include "fuzz_support.h"
#include "lists/friend_list.h"

using namespace vellconf;

namespace {

constexpr std::string_view kBlanks = " \t\r\n\v\f";

bool holdsBlank(std::string_view text) { return text.find_first_of(kBlanks) != std::string_view::npos; }

std::vector<std::string_view> wordsOf(std::string_view text) {
    std::vector<std::string_view> words;
    for (std::size_t pos = text.find_first_not_of(kBlanks); pos != std::string_view::npos;) {
        const std::size_t end = std::min(text.find_first_of(kBlanks, pos), text.size());
        words.push_back(text.substr(pos, end - pos));
        pos = text.find_first_not_of(kBlanks, end);
    }
    return words;
}

// Lines whose first word starts with ";" dropped, the other words in pairs,
// comment pairs skipped, a last lone word dropped.
std::vector<FriendRecord> expectedFriends(std::string_view bytes) {
    std::vector<std::string_view> words;
    for (std::size_t pos = 0; pos < bytes.size();) {
        const std::size_t end = std::min(bytes.find_first_of("\r\n", pos), bytes.size());
        const auto line = wordsOf(bytes.substr(pos, end - pos));
        if (!line.empty() && line.front().front() != ';') words.insert(words.end(), line.begin(), line.end());
        pos = end + 1;
    }
    std::vector<FriendRecord> out;
    for (std::size_t i = 0; i + 1 < words.size(); i += 2) {
        if (words[i].front() == ';') continue;
        out.push_back({std::string(cutToBytes(words[i], kMaxCellBytes)),
                       std::string(cutToBytes(words[i + 1], kMaxCellBytes))});
    }
    return out;
}

void checkRoundTrip(const std::vector<FriendRecord>& friends) {
    FUZZ_CHECK(parseFriendIni(writeFriendIni(friends)) == friends, "the list reads back from its file unchanged");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    // The friend page cuts both entry texts to what a field of the file holds.
    const std::string typedId = input.ConsumeRandomLengthString(300);
    const std::string typedName = input.ConsumeRandomLengthString(300);
    const std::string id(cutToBytes(typedId, kMaxCellBytes));
    const std::string name(cutToBytes(typedName, kMaxCellBytes));
    const std::string file = input.ConsumeRemainingBytesAsString();

    const std::vector<FriendRecord> friends = parseFriendIni(file);
    for (const FriendRecord& f : friends) {
        FUZZ_CHECK(!f.id.empty() && !f.name.empty(), "both words of a pair are there");
        FUZZ_CHECK(f.id.size() <= kMaxCellBytes && f.name.size() <= kMaxCellBytes, "fields are cut to 259 bytes");
        FUZZ_CHECK(!holdsBlank(f.id) && !holdsBlank(f.name), "words hold no blanks");
        FUZZ_CHECK(f.id.front() != ';', "comment pairs are skipped");
    }
    FUZZ_CHECK(friends == expectedFriends(file), "the file reads as words taken in pairs");
    checkRoundTrip(friends);

    std::vector<FriendRecord> registered = friends;
    const RegisterOutcome outcome = registerFriend(registered, id, name);
    if (outcome == RegisterOutcome::Registered) {
        FUZZ_CHECK(registered.size() == friends.size() + 1 && registered.front() == (FriendRecord{id, name}) &&
                       std::equal(friends.begin(), friends.end(), registered.begin() + 1),
                   "a new friend goes to the top");
        checkRoundTrip(registered);
    } else {
        FUZZ_CHECK(registered == friends, "a refused friend leaves the list alone");
        FUZZ_CHECK(id.empty() || !isArrayItem(id) || holdsBlank(name) || name.empty(), "only bad input is refused");
    }
    return 0;
}
