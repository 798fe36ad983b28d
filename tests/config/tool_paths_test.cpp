#include "config/tool_paths.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "config/file_io.h"
#include "test_support.h"

namespace vellconf {
namespace {

TEST(ToolPaths, ReadsSectionPathWithDefaults) {
    const std::string longPath = "C:\\" + std::string(300, 'a') + "\\" + cp932("ソ");
    std::vector<test::Fields> cases = test::cp932Rows("config/tool_paths.tsv");
    cases.push_back({"read whole, however long", "[PATH]\r\nSetPath = \"" + longPath + "\"\rLibPath = " + longPath + "\n",
                     longPath, longPath});
    for (const auto& c : cases) {
        test::ScratchDir dir;
        test::writeBytes(dir / "VellConf.ini", c[1]);
        EXPECT_EQ(readToolPaths(dir / "VellConf.ini").value, (ToolPaths{c[2], c[3]})) << c[0];
    }
    test::ScratchDir dir;
    EXPECT_EQ(readToolPaths(dir / "VellConf.ini").value, (ToolPaths{std::string(kDefaultSetPath), std::string(kDefaultLibPath)}));
    EXPECT_FALSE(std::filesystem::exists(dir / "VellConf.ini"));
}

TEST(ToolPaths, WritesTheThreeLineFormAndReadsItBack) {
    test::ScratchDir dir;
    const ToolPaths paths{cp932("C:\\ソ\\"), ""};
    ASSERT_EQ(writeToolPaths(dir / "VellConf.ini", paths), WriteResult::Ok);
    EXPECT_EQ(test::fileBytes(dir / "VellConf.ini"),
              "[PATH]\r\nSetPath = \"" + cp932("C:\\ソ\\") + "\"\r\nLibPath = \"\"\r\n");
    EXPECT_EQ(readToolPaths(dir / "VellConf.ini").value, paths);
}

TEST(ToolPaths, AiConfigPathAppendsAsIs) {
    EXPECT_EQ(aiConfigPath("C:\\AI"), "C:\\AI\\Config.lua");
    EXPECT_EQ(aiConfigPath("C:\\AI\\"), "C:\\AI\\\\Config.lua");
    EXPECT_EQ(aiConfigPath(""), "\\Config.lua");
}

TEST(ToolPaths, PathsLongerThanThePlatformAllowsAreUnusable) {
    test::ScratchDir dir;
    const std::string setPath = (dir.path() / std::string(300, 'a')).string();  // one name past NAME_MAX
    const std::string deep = dir.path().string() + "/" + std::string(2500, 'b') + "/" + std::string(2500, 'c');
    for (const std::string& path : {setPath, deep}) {
        EXPECT_EQ(resolvePath(aiConfigPath(path)), std::nullopt);
        EXPECT_EQ(unusablePathOf({path, ""}), path);
        EXPECT_EQ(unusablePathOf({"", path}), path);
    }
    EXPECT_EQ(unusablePathOf({dir.path().string(), dir.path().string()}), std::nullopt);
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

#ifndef _WIN32
TEST(ToolPaths, WindowsPathsResolveInsideTheWinePrefix) {
    ::setenv("WINEPREFIX", "/tmp/prefix", 1);
    const std::pair<std::string, std::string> cases[] = {
        {"C:\\Program Files\\AI\\Config.lua", "/tmp/prefix/dosdevices/c:/Program Files/AI/Config.lua"},
        {"d:\\x", "/tmp/prefix/dosdevices/d:/x"},
        // The trail bytes of ソ and 表 are backslashes; they stay inside their characters.
        {cp932("C:\\ソース\\表\\Config.lua"), "/tmp/prefix/dosdevices/c:/ソース/表/Config.lua"},
        {"/home/user/AI\\Config.lua", "/home/user/AI/Config.lua"},
        {"relative\\Config.lua", "relative/Config.lua"},
    };
    for (const auto& [typed, resolved] : cases) EXPECT_EQ(resolvePath(typed), std::filesystem::path(resolved)) << typed;
    for (const std::string& unusable : {std::string("bad \x83"), cp932("C:\\ラ?ク"), std::string("C:\\*")})
        EXPECT_EQ(resolvePath(unusable), std::nullopt) << unusable;
    // A folder chosen inside the prefix is kept in its Windows form.
    const std::pair<std::string, std::string> chosen[] = {
        {"/tmp/prefix/dosdevices/c:/Program Files/AI", "C:\\Program Files\\AI"},
        {"/tmp/prefix/dosdevices/d:", "D:\\"},
        {"/tmp/prefix/dosdevices/c:/ソース", cp932("C:\\ソース")},
        {"/home/user/AI", "/home/user/AI"},
    };
    for (const auto& [path, text] : chosen) EXPECT_EQ(toCp932Path(path), text) << path;
    ::unsetenv("WINEPREFIX");
    const char* home = std::getenv("HOME");
    EXPECT_EQ(resolvePath("C:\\a"), std::filesystem::path(home ? home : "/") / ".wine/dosdevices/c:/a");
}
#endif

}  // namespace
}  // namespace vellconf
