#include "lists/friend_list.h"

#include <gtest/gtest.h>

#include <map>
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

// New friends go first, with no check for one already listed; what would not
// read back is refused and changes nothing: the cases of tests/data/lists/register_friend.tsv.
TEST(RegisterFriend, InsertsNewestFirstAndRefusesWhatWouldNotReadBack) {
    Friends friends;
    for (const char* id : {"1111", "2222", "1111"}) EXPECT_EQ(registerFriend(friends, id, "n"), RegisterOutcome::Registered);
    EXPECT_EQ(friends, (Friends{{"1111", "n"}, {"2222", "n"}, {"1111", "n"}}));
    const std::map<std::string, RegisterOutcome> outcomes{
        {"Registered", RegisterOutcome::Registered}, {"NothingToAdd", RegisterOutcome::NothingToAdd},
        {"IdNotLua", RegisterOutcome::IdNotLua},     {"HoldsBlank", RegisterOutcome::HoldsBlank},
        {"EmptyName", RegisterOutcome::EmptyName}};
    const auto rows = test::tableRows(test::testDataDir() / "lists/register_friend.tsv");
    ASSERT_EQ(rows.size(), 13u);
    for (const auto& row : rows) {
        const std::string id = test::cp932Unescaped(row.at(0)), name = test::cp932Unescaped(row.at(1));
        Friends list{{"9", "old"}};
        EXPECT_EQ(registerFriend(list, id, name), outcomes.at(row.at(2))) << row[0] << "/" << row[1];
        const bool added = row[2] == "Registered";
        EXPECT_EQ(list, (added ? Friends{{id, name}, {"9", "old"}} : Friends{{"9", "old"}})) << row[0] << "/" << row[1];
    }
}

// A co-fight row takes the name of the first friend whose ID matches without
// regard to case, cut to what a cell holds.
TEST(CoFightRows, TakeTheNameOfTheFirstMatchingFriendCutToACell) {
    EXPECT_EQ(coFightRowsFor(std::vector<std::string>{"x1"}, Friends{{"X1", std::string(300, 'n')}, {"x1", "b"}}),
              (Friends{{"x1", std::string(259, 'n')}}));
}

// Each removed row takes one equal row away, the first one, whatever the order.
TEST(RemoveFriends, TakesOneEqualRowForEachRemovedOne) {
    Friends friends{{"1", "a"}, {"2", "b"}, {"1", "a"}, {"1", "x"}, {"1", "a"}};
    removeFriends(friends, Friends{{"1", "a"}, {"9", "z"}, {"1", "a"}});
    EXPECT_EQ(friends, (Friends{{"2", "b"}, {"1", "x"}, {"1", "a"}}));
}

}  // namespace
}  // namespace vellconf
