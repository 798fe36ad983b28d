#include "lists/friend_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/cp932.h"
#include "test_support.h"

namespace vellconf {
namespace {

using Friends = std::vector<FriendRecord>;

std::string longKatakana() {  // 300 bytes: byte 259 would end on a lead byte
    std::string text;
    for (int i = 0; i < 150; ++i) text += cp932("ア");
    return text;
}

TEST(ParseFriendIni, TakesWordsTwoAtATimeAndSkipsComments) {
    const std::string pochi = cp932("ポチ"), spaced = cp932("ポチ　二号"), longName = longKatakana();
    const struct {
        const char* name;
        std::string input;
        Friends expected;
    } cases[] = {
        {"CR LF lines", "1234567 " + pochi + "\r\n7 b\r\n", {{"1234567", pochi}, {"7", "b"}}},
        {"LF lines, no last line end", "1 a\n2 b", {{"1", "a"}, {"2", "b"}}},
        {"pairs need not keep to lines", "\r\n  1\t\ta \v2\f\fb\r\n", {{"1", "a"}, {"2", "b"}}},
        {"comment pair", "1 a\r\n;x y\r\n2 b\r\n", {{"1", "a"}, {"2", "b"}}},
        {"a comment line goes whole", ";note\r\n1 a\r\n; my friends\r\n2 b\r\n", {{"1", "a"}, {"2", "b"}}},
        {"lone CR ends a comment line", "; x y z\r1 a\r", {{"1", "a"}}},
        {"odd word count drops the last word", "1 a\r\n2\r\n", {{"1", "a"}}},
        {"only a leading semicolon counts", "1 ;x\r\n2;3 b\r\n", {{"1", ";x"}, {"2;3", "b"}}},
        {"ideographic space is no blank", "1 " + spaced + "\r\n", {{"1", spaced}}},
        {"words cut to 259 bytes between characters", std::string(300, '9') + " " + longName,
         {{std::string(259, '9'), longName.substr(0, 258)}}},
    };
    for (const auto& c : cases) EXPECT_EQ(parseFriendIni(c.input), c.expected) << c.name;
}

TEST(WriteFriendIni, OneCrLfLinePerFriendInListOrderFieldsCut) {
    const std::string longName = longKatakana();
    EXPECT_EQ(writeFriendIni(Friends{{"2", "b"}, {"1", cp932("ポチ")}}), "2 b\r\n1 " + cp932("ポチ") + "\r\n");
    EXPECT_EQ(writeFriendIni(Friends{{std::string(300, '9'), longName}}),
              std::string(259, '9') + " " + longName.substr(0, 258) + "\r\n");
}

TEST(RegisterFriend, InsertsNewestFirstWithoutDuplicateCheck) {
    Friends friends;
    for (const char* id : {"1111", "2222", "1111"})
        EXPECT_EQ(registerFriend(friends, id, "n"), RegisterOutcome::Registered);
    EXPECT_EQ(test::crlfLines(writeFriendIni(friends)), (std::vector<std::string>{"1111 n", "2222 n", "1111 n"}));
}

TEST(RegisterFriend, RefusesWhatWouldNotReadBackAndChangesNothing) {
    const struct {
        std::string id, name;
        RegisterOutcome outcome;
    } cases[] = {
        {"", "a b", RegisterOutcome::NothingToAdd},  // an empty ID goes before every other check
        // The ID must read back from FRIENDS as one Lua item (and from Friend.ini as one word).
        {"12 34", "a", RegisterOutcome::IdNotLua},
        {"1 2", "", RegisterOutcome::IdNotLua},  // the ID goes before the name
        {";1", "a", RegisterOutcome::IdNotLua},
        {"1)", "a", RegisterOutcome::IdNotLua},
        {"12,34", "a", RegisterOutcome::IdNotLua},
        {cp932("１２"), "a", RegisterOutcome::IdNotLua},
        {"1", "a\tb", RegisterOutcome::HoldsBlank},
        {"1", "\na", RegisterOutcome::HoldsBlank},
        {"1", "", RegisterOutcome::EmptyName},
        {"-12", "a", RegisterOutcome::Registered},
        {"_pochi2", "a", RegisterOutcome::Registered},
        {"1", cp932("ポチ　二号"), RegisterOutcome::Registered},
    };
    for (const auto& c : cases) {
        Friends friends{{"9", "old"}};
        EXPECT_EQ(registerFriend(friends, c.id, c.name), c.outcome) << c.id << "/" << c.name;
        const Friends expected = c.outcome == RegisterOutcome::Registered ? Friends{{c.id, c.name}, {"9", "old"}}
                                                                           : Friends{{"9", "old"}};
        EXPECT_EQ(friends, expected) << c.id << "/" << c.name;
    }
}

}  // namespace
}  // namespace vellconf
