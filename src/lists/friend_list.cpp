#include "lists/friend_list.h"

#include <algorithm>
#include <map>
#include <utility>

#include "config/config_writer.h"
#include "config/cp932.h"
#include "config/text_encoding.h"
#include "config/text_lines.h"
#include "lists/monster_table.h"  // kMaxCellBytes
#include "lists/row_index.h"

namespace vellconf {

namespace {

// Each field went through a 260-byte buffer, terminator included.
constexpr std::size_t kMaxFieldBytes = 259;

constexpr bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

bool holdsBlank(std::string_view text) { return std::any_of(text.begin(), text.end(), isBlank); }

std::vector<std::string_view> wordsOf(std::string_view line) {
    std::vector<std::string_view> words;
    forEachToken(line, isBlank, [&](std::string_view word) { words.push_back(word); });
    return words;
}

}  // namespace

std::vector<FriendRecord> parseFriendIni(std::string_view text) {
    std::vector<FriendRecord> friends;
    std::string_view pair[2];
    std::size_t filled = 0;
    const auto take = [&](std::string_view word) {
        pair[filled++] = word;
        if (filled < 2) return;
        filled = 0;
        // A comment counts as a pair, so a one-word comment takes the next word with it.
        if (pair[0].front() == ';') return;
        // Cut as the file is written, so that the list shows what the next rewrite keeps.
        friends.push_back({std::string(cutToBytes(pair[0], kMaxFieldBytes)),
                           std::string(cutToBytes(pair[1], kMaxFieldBytes))});
    };
    forEachLine(text, [&](const TextLine& line) {
        const std::vector<std::string_view> words = wordsOf(line.text);
        // A hand-written comment line goes whole, however many words it has,
        // so that it cannot shift the pairs after it.
        if (!words.empty() && words.front().front() != ';')
            for (const std::string_view word : words) take(word);
        return true;
    });
    // A last word without a partner is dropped.
    return friends;
}

std::vector<FriendRecord> parseFriendFile(std::string_view bytes) { return parseFriendIni(decodeText(bytes).text); }

ReadOutcome<std::vector<FriendRecord>> readFriendIni(const std::filesystem::path& path) {
    return readParsed(path, kMaxTextFileBytes, parseFriendFile);
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

RegisterOutcome checkNewFriend(std::string_view id, std::string_view name) {
    if (id.empty()) return RegisterOutcome::NothingToAdd;
    // The ID is saved into FRIENDS, and Friend.ini would take an ID with a
    // blank or a leading ";" apart: the rule of the list covers both.
    if (!isArrayItem(id)) return RegisterOutcome::IdNotLua;
    // The file separates words by blanks only, so either of these would pair
    // every later word with the wrong partner on the next read.
    if (holdsBlank(name)) return RegisterOutcome::HoldsBlank;
    if (name.empty()) return RegisterOutcome::EmptyName;
    return RegisterOutcome::Registered;
}

RegisterOutcome registerFriend(std::vector<FriendRecord>& friends, std::string_view id, std::string_view name) {
    const RegisterOutcome outcome = checkNewFriend(id, name);
    if (outcome == RegisterOutcome::Registered)
        friends.insert(friends.begin(), FriendRecord{std::string(id), std::string(name)});
    return outcome;
}

void removeFriends(std::vector<FriendRecord>& friends, std::span<const FriendRecord> removed) {
    // Counted once, so that removing many of many rows stays one pass.
    std::map<std::pair<std::string_view, std::string_view>, std::size_t> toRemove;
    for (const FriendRecord& record : removed) ++toRemove[{record.id, record.name}];
    std::erase_if(friends, [&](const FriendRecord& record) {
        const auto found = toRemove.find({record.id, record.name});
        if (found == toRemove.end() || found->second == 0) return false;
        --found->second;
        return true;
    });
}

std::vector<FriendRecord> coFightRowsFor(std::span<const std::string> ids, std::span<const FriendRecord> friends) {
    std::vector<FriendRecord> rows;
    if (ids.empty()) return rows;
    const auto index = firstRowById(friends, [](const FriendRecord& f) -> const std::string& { return f.id; });
    for (const auto& id : ids) {
        const auto found = index.find(foldCase(id));
        rows.push_back({id, found != index.end() ? std::string(cutToBytes(found->second->name, kMaxCellBytes))
                                                 : unknownFriendName()});
    }
    return rows;
}

const std::string& unknownFriendName() {
    static const std::string name = cp932("名前不明");
    return name;
}

std::vector<std::string> idsOf(std::span<const FriendRecord> rows) {
    std::vector<std::string> ids;
    ids.reserve(rows.size());
    for (const auto& row : rows) ids.push_back(row.id);
    return ids;
}

}  // namespace vellconf
