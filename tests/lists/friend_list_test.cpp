#include "lists/friend_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/cp932.h"
#include "test_support.h"

namespace vellconf {
namespace {

using Friends = std::vector<FriendRecord>;


// Words taken two at a time, comments skipped: the cases of tests/data/lists/friends/.
TEST(ParseFriendIni, TakesWordsTwoAtATimeAndSkipsComments) {
    const auto cases = test::readCases("lists/friends");
    ASSERT_EQ(cases.size(), 10u);
    for (const auto& [file, rows] : cases) {
        Friends expected;
        for (const auto& row : rows) expected.push_back({row.at(0), row.at(1)});
        EXPECT_EQ(parseFriendIni(*test::fileBytes(file)), expected) << file.filename();
    }
}

TEST(WriteFriendIni, OneCrLfLinePerFriendInListOrderFieldsCut) {
    std::string longName;  // 300 bytes: byte 259 would end on a lead byte
    for (int i = 0; i < 150; ++i) longName += cp932("ア");
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

// Each removed row takes one equal row away, the first one, whatever the order.
TEST(RemoveFriends, TakesOneEqualRowForEachRemovedOne) {
    Friends friends{{"1", "a"}, {"2", "b"}, {"1", "a"}, {"1", "x"}, {"1", "a"}};
    removeFriends(friends, Friends{{"1", "a"}, {"9", "z"}, {"1", "a"}});
    EXPECT_EQ(friends, (Friends{{"2", "b"}, {"1", "x"}, {"1", "a"}}));
}

}  // namespace
}  // namespace vellconf
