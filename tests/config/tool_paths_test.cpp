#include "config/tool_paths.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "config/file_io.h"
#include "test_support.h"

namespace vellconf {
namespace {

TEST(ToolPaths, ReadsSectionPathWithDefaults) {
    struct Case {
        const char* name;
        std::string ini;
        ToolPaths paths;
    };
    const std::string d1(kDefaultSetPath), d2(kDefaultLibPath);
    const std::string longPath = "C:\\" + std::string(300, 'a') + "\\" + cp932("ソ");
    const Case cases[] = {
        {"quoted", "[PATH]\r\nSetPath = \"D:\\AI\"\r\nLibPath = \"E:\\Lib\"\r\n", {"D:\\AI", "E:\\Lib"}},
        {"unquoted", "[PATH]\nSetPath = D:\\AI\nLibPath = E:\\Lib\n", {"D:\\AI", "E:\\Lib"}},
        {"one key only", "[path]\nlibpath = \"x\"\n", {d1, "x"}},
        {"empty values", "[PATH]\nSetPath = \"\"\nLibPath = \n", {"", ""}},
        {"no section", "SetPath = x\n", {d1, d2}},
        {"CP932 path", "[PATH]\nSetPath = \"" + cp932("C:\\ソース\\表") + "\"\n", {cp932("C:\\ソース\\表"), d2}},
        // Saved as UTF-8: a name CP932 holds only as a look-alike, or not at
        // all, would name another folder; it becomes "?", which no save takes.
        {"UTF-8 names CP932 cannot hold", "[PATH]\nSetPath = \"C:\\ラ〜ク\"\nLibPath = \"C:\\게임\"\n",
         {cp932("C:\\ラ?ク"), "C:\\??"}},
        {"read whole, however long", "[PATH]\r\nSetPath = \"" + longPath + "\"\rLibPath = " + longPath + "\n",
         {longPath, longPath}},
    };
    for (const auto& c : cases) {
        test::ScratchDir dir;
        std::ofstream(dir / "VellConf.ini", std::ios::binary) << c.ini;
        EXPECT_EQ(readToolPaths(dir / "VellConf.ini").value, c.paths) << c.name;
    }
    test::ScratchDir dir;
    EXPECT_EQ(readToolPaths(dir / "VellConf.ini").value, (ToolPaths{d1, d2}));
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
