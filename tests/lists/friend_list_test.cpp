#include "lists/friend_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/cp932.h"
#include "lists/monster_table.h"
#include "test_support.h"

namespace vellconf {
namespace {

using Friends = std::vector<FriendRecord>;

// --- Reading Friend.ini ------------------------------------------------------

TEST(ParseFriendIni, TakesWordsTwoAtATime) {
    const std::string pochi = cp932("ポチ");
    const std::string tama = cp932("タマ");
    const std::string spaced = cp932("ポチ　二号");  // an ideographic space is no blank here
    const struct {
        const char* name;
        std::string input;
        Friends expected;
    } cases[] = {
        {"CR LF lines", "1234567 " + pochi + "\r\n7654321 " + tama + "\r\n", {{"1234567", pochi}, {"7654321", tama}}},
        {"LF lines", "1234567 " + pochi + "\n7654321 " + tama + "\n", {{"1234567", pochi}, {"7654321", tama}}},
        {"no line end at the end", "1 a\r\n2 b", {{"1", "a"}, {"2", "b"}}},
        {"empty file", "", {}},
        {"blanks only", "\r\n \t\r\n", {}},
        {"any blanks between the words", "\r\n\r\n  1\t\ta \v2\f\fb\r\n\r\n", {{"1", "a"}, {"2", "b"}}},
        {"pairs need not keep to lines", "1\r\na 2\r\nb", {{"1", "a"}, {"2", "b"}}},
        {"comment pair", "; note\r\n1 a\r\n", {{"1", "a"}}},
        {"comment pair in the middle", "1 a\r\n;x y\r\n2 b\r\n", {{"1", "a"}, {"2", "b"}}},
        // A one-word comment pairs with the next word, and every later pair shifts by one.
        {"one-word comment", ";note\r\n1 a\r\n2 b\r\n", {{"a", "2"}}},
        {"odd word count drops the last word", "1 a\r\n2\r\n", {{"1", "a"}}},
        {"a single word", "1", {}},
        {"a semicolon later in a word", "1 ;x\r\n2;3 b\r\n", {{"1", ";x"}, {"2;3", "b"}}},
        {"ideographic space inside a name", "1 " + spaced + "\r\n", {{"1", spaced}}},
    };
    for (const auto& c : cases) EXPECT_EQ(parseFriendIni(c.input), c.expected) << c.name;
}

TEST(ParseFriendIni, CutsOverlongWordsBetweenCharacters) {
    std::string longName;
    for (int i = 0; i < 150; ++i) longName += cp932("ア");  // 300 bytes
    const auto friends = parseFriendIni(std::string(300, '9') + " " + longName + "\r\n");
    EXPECT_EQ(friends, (Friends{{std::string(259, '9'), longName.substr(0, 258)}}));
}

// --- Writing Friend.ini ------------------------------------------------------

TEST(WriteFriendIni, OneLinePerFriendInListOrder) {
    std::string longName;
    for (int i = 0; i < 150; ++i) longName += cp932("ア");
    const struct {
        const char* name;
        Friends friends;
        std::string file;
    } cases[] = {
        {"no friends", {}, ""},
        {"list order", {{"2", "b"}, {"1", cp932("ポチ")}}, "2 b\r\n1 " + cp932("ポチ") + "\r\n"},
        {"fields cut to 259 bytes between characters",
         {{std::string(300, '9'), longName}},
         std::string(259, '9') + " " + longName.substr(0, 258) + "\r\n"},
    };
    for (const auto& c : cases) EXPECT_EQ(writeFriendIni(c.friends), c.file) << c.name;
}

TEST(WriteFriendIni, ReadsBackWhatItWrote) {
    const Friends friends{{"1234567", cp932("ポチ")}, {"42", "Tama"}, {"42", "Tama"}};
    EXPECT_EQ(parseFriendIni(writeFriendIni(friends)), friends);
}

TEST(WriteFriendIni, CommentPairsAreGoneAfterARewrite) {
    const auto friends = parseFriendIni("; kept?\r\n1 a\r\n");
    EXPECT_EQ(test::crlfLines(writeFriendIni(friends)), (std::vector<std::string>{"1 a"}));
}

// --- Registering -------------------------------------------------------------

TEST(RegisterFriend, NewestFirst) {
    const struct {
        std::string id, name;
        std::vector<std::string> lines;  // Friend.ini after the registration
    } steps[] = {
        {"1111", "first", {"1111 first"}},
        {"2222", "second", {"2222 second", "1111 first"}},
        {"1111", "again", {"1111 again", "2222 second", "1111 first"}},  // no duplicate check
    };
    Friends friends;
    for (const auto& step : steps) {
        EXPECT_EQ(registerFriend(friends, step.id, step.name), RegisterOutcome::Registered) << step.name;
        EXPECT_EQ(test::crlfLines(writeFriendIni(friends)), step.lines) << step.name;
    }
}

TEST(RegisterFriend, RefusesWhatTheFileCannotCarry) {
    const std::string ideographic = cp932("ポチ　二号");
    const struct {
        const char* name;
        std::string id, nameText;
        RegisterOutcome outcome;
    } cases[] = {
        {"empty ID", "", "a", RegisterOutcome::NothingToAdd},
        {"everything empty", "", "", RegisterOutcome::NothingToAdd},
        {"empty ID is checked before blanks", "", "a b", RegisterOutcome::NothingToAdd},
        {"blank in the ID", "12 34", "a", RegisterOutcome::HoldsBlank},
        {"blank in the name", "1", "a b", RegisterOutcome::HoldsBlank},
        {"tab", "1\t", "a", RegisterOutcome::HoldsBlank},
        {"carriage return", "1", "a\r", RegisterOutcome::HoldsBlank},
        {"line feed", "1", "\na", RegisterOutcome::HoldsBlank},
        {"vertical tab", "1", "a\vb", RegisterOutcome::HoldsBlank},
        {"form feed", "1\f2", "a", RegisterOutcome::HoldsBlank},
        {"blanks are checked before the empty name", "1 2", "", RegisterOutcome::HoldsBlank},
        {"empty name", "1", "", RegisterOutcome::EmptyName},
        {"an ID that would read back as a comment", ";1", "a", RegisterOutcome::StartsComment},
    };
    const Friends before{{"9", "old"}};
    for (const auto& c : cases) {
        auto friends = before;
        EXPECT_EQ(registerFriend(friends, c.id, c.nameText), c.outcome) << c.name;
        EXPECT_EQ(friends, before) << c.name;
    }

    auto friends = before;
    EXPECT_EQ(registerFriend(friends, "1", ideographic), RegisterOutcome::Registered);
    EXPECT_EQ(friends, (Friends{{"1", ideographic}, {"9", "old"}}));
}

// --- Deleting ----------------------------------------------------------------

TEST(RemoveFriends, RemovesTheSelectedRows) {
    const Friends all{{"1", "a"}, {"2", "b"}, {"3", "c"}};
    const struct {
        const char* name;
        std::vector<std::size_t> selected;
        Friends left;
    } cases[] = {
        {"nothing selected", {}, all},
        {"middle", {1}, {{"1", "a"}, {"3", "c"}}},
        {"several, any order, repeated", {2, 0, 2}, {{"2", "b"}}},
        {"out of range", {3}, all},
    };
    for (const auto& c : cases) {
        auto friends = all;
        removeRows(friends, std::span<const std::size_t>(c.selected));
        EXPECT_EQ(friends, c.left) << c.name;
    }
}

}  // namespace
}  // namespace vellconf
