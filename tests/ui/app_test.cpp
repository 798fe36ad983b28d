// The program as a desktop starts it: with or without arguments, the window
// opens, and closing it ends the process with status 0.

#include <gtest/gtest.h>

#include <string>

#include "test_support.h"

namespace {

using vellconf::test::CommandOutput;

// Runs the probe with `environment` ("NAME=value ...") added to this one's:
// its exit code and what it printed on either stream.
CommandOutput runProbe(const std::string& arguments, const std::string& environment = "") {
    return vellconf::test::runForOutput("env " + environment + " " + VELLCONF_APP_PROBE + " " + arguments + " 2>&1");
}

TEST(Application, OpensWhateverTheArgumentsAndEndsWithStatusZero) {
    for (const char* arguments : {"", "Config.lua", "--help", "-x '/tmp/a b.lua' --"}) {
        const CommandOutput run = runProbe(arguments);
        EXPECT_EQ(run.exitCode, 0) << "arguments: " << arguments << "\n" << run.text;
        EXPECT_EQ(run.text.find("Usage"), std::string::npos) << run.text;
    }
}

TEST(Application, SpeaksJapaneseWhateverTheLocale) {
    for (const char* locale : {"C", "en_US.UTF-8", "ja_JP.UTF-8"}) {
        const CommandOutput run = runProbe("", std::string("LC_ALL=") + locale + " LANGUAGE= LANG=" + locale);
        EXPECT_NE(run.text.find("キャンセル (&C)\n"), std::string::npos) << locale << "\n" << run.text;  // wx's
        EXPECT_NE(run.text.find("キャンセル(_C)\n"), std::string::npos) << locale << "\n" << run.text;  // GTK's
    }
}

}  // namespace
