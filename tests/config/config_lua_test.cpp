// The AI script reads Config.lua with Lua itself: run the written file through
// a real Lua 5.4 and compare every global with the record it came from.

#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "config/config_writer.h"
#include "config/decimal.h"
#include "config/settings_catalogue.h"
#include "config/memo.h"
#include "test_support.h"

namespace vellconf {
namespace {

// The globals the file defines, as Lua prints them.
std::map<std::string, std::string> globalsAfterRunning(const std::string& fileBytes) {
    test::ScratchDir dir;
    test::writeBytes(dir / "Config.lua", fileBytes);
    test::writeBytes(dir / "dump.lua", test::testData("config/dump.lua"));
    const std::string output = test::runForOutput(test::shellQuoted(test::builtProgram(LUA_EXECUTABLE)) + " " +
                                                  test::shellQuoted(dir / "dump.lua") + " " +
                                                  test::shellQuoted(dir / "Config.lua") + " 2>&1")
                                   .text;
    std::map<std::string, std::string> globals;
    std::istringstream lines(output);
    for (std::string line; std::getline(lines, line);) {
        const auto equals = line.find('=');
        if (equals != std::string::npos) globals[line.substr(0, equals)] = line.substr(equals + 1);
        else ADD_FAILURE() << "lua: " << line;
    }
    return globals;
}

void expectLuaSeesRecord(const AiSettings& settings, const std::string& memo, const std::vector<std::string>& ignore,
                         const std::vector<std::string>& friends) {
    auto globals = globalsAfterRunning(writeConfigLua(settings, memo, ignore, friends));
    for (const auto& spec : settingsCatalogue()) {  // flags are the globals YES = 1 and NO = 0
        const std::string written = formatSettingValue(settings, spec.key);
        EXPECT_EQ(globals[std::string(spec.key)], written == "YES" ? "1" : written == "NO" ? "0" : written) << spec.key;
    }
    EXPECT_EQ(test::listItems(globals["IGNORE_MOB"]), ignore);  // dump.lua joins the items with commas
    EXPECT_EQ(test::listItems(globals["FRIENDS"]), friends);
}

TEST(LuaReadsConfig, DefaultAndChangedRecords) {
    expectLuaSeesRecord(startupSettings(), startupMemo(), {}, {});
    AiSettings settings = startupSettings();
    std::int32_t next = -3;
    for (const auto& spec : settingsCatalogue()) settings.*spec.member = next++ % 7;  // every form, negatives too
    settings.RotatePeriod = 120000;
    settings.AttackDelay = -2147483647;
    const std::string memo = cp932("[狩場]\nFlagDefaultState = NO\n-- ]の前\n");
    expectLuaSeesRecord(settings, memo, {"1002", "1031", "1002"}, {"1234567", "7654321"});
}

}  // namespace
}  // namespace vellconf
