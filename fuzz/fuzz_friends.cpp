// Friend.ini: reading arbitrary bytes, writing the list back, and registering
// a friend as the friend page does. The input is an ID and a name (each ended
// by a lone backslash, FuzzedDataProvider's string form) followed by the file.

#include "fuzz_support.h"

namespace {

// Lines whose first word starts with ";" dropped, the other words in pairs,
// comment pairs skipped, a last lone word dropped, each word cut to 259 bytes.
std::vector<FriendRecord> expectedFriends(std::string_view bytes) {
    std::vector<std::string_view> words;
    for (std::string_view line : fuzz::wordsOf(bytes, "\r\n"))
        if (const auto lineWords = fuzz::wordsOf(line); !lineWords.empty() && !lineWords.front().starts_with(';'))
            words.insert(words.end(), lineWords.begin(), lineWords.end());
    std::vector<FriendRecord> out;
    for (std::size_t i = 0; i + 1 < words.size(); i += 2)
        if (!words[i].starts_with(';'))
            out.push_back({std::string(cutToBytes(words[i], kMaxCellBytes)), std::string(cutToBytes(words[i + 1], kMaxCellBytes))});
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    // The friend page cuts both entry texts to what a field of the file holds.
    const std::string typedId = input.ConsumeRandomLengthString(300), typedName = input.ConsumeRandomLengthString(300);
    const std::string id(cutToBytes(typedId, kMaxCellBytes)), name(cutToBytes(typedName, kMaxCellBytes));
    const std::string file = input.ConsumeRemainingBytesAsString();

    const std::vector<FriendRecord> friends = parseFriendIni(file);
    FUZZ_CHECK(friends == expectedFriends(file), "the file reads as words taken in pairs");
    FUZZ_CHECK(parseFriendIni(writeFriendIni(friends)) == friends, "the list reads back from its file unchanged");
    std::vector<FriendRecord> registered = friends;
    if (registerFriend(registered, id, name) != RegisterOutcome::Registered) {
        FUZZ_CHECK(registered == friends, "a refused friend leaves the list alone");
        FUZZ_CHECK(id.empty() || !isArrayItem(id) || name.find_first_of(" \t\r\n\v\f") != std::string::npos || name.empty(),
                   "only bad input is refused");
        return 0;
    }
    FUZZ_CHECK(registered.size() == friends.size() + 1 && registered.front() == (FriendRecord{id, name}) &&
                   std::equal(friends.begin(), friends.end(), registered.begin() + 1),
               "a new friend goes to the top");
    FUZZ_CHECK(parseFriendIni(writeFriendIni(registered)) == registered, "a registered friend reads back");
    return 0;
}
