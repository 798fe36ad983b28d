#include "config/tool_paths.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "config/file_io.h"
#include "test_support.h"

namespace vellconf {
namespace {

TEST(ToolPaths, ReadsSectionPathWithDefaults) {
    for (const auto& c : test::cp932Rows("config/tool_paths.tsv")) {
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
    const auto rows = test::tableRows(test::testDataDir() / "config/wine_paths.tsv");
    ASSERT_FALSE(rows.empty());
    for (const auto& c : rows) {
        if (c[0] == "typed")
            EXPECT_EQ(resolvePath(test::cp932Unescaped(c[1])), c[2] == "-" ? std::nullopt : std::optional<std::filesystem::path>(c[2])) << c[1];
        else
            EXPECT_EQ(toCp932Path(c[1]), test::cp932Unescaped(c[2])) << c[1];
    }
    ::unsetenv("WINEPREFIX");
    const char* home = std::getenv("HOME");
    EXPECT_EQ(resolvePath("C:\\a"), std::filesystem::path(home ? home : "/") / ".wine/dosdevices/c:/a");
}
#endif

}  // namespace
}  // namespace vellconf
