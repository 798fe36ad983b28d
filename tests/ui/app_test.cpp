// The program as a desktop starts it: with or without arguments, the window
// opens, and closing it ends the process with status 0.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <string>

namespace {

struct ProbeRun {
    int status = -1;
    std::string output;  // standard output and standard error
};

// Runs the probe with `environment` ("NAME=value ...") added to this one's.
ProbeRun runProbe(const std::string& arguments, const std::string& environment = "") {
    ProbeRun run;
    const std::string command = "env " + environment + " " + VELLCONF_APP_PROBE + " " + arguments + " 2>&1";
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return run;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) run.output.append(buffer, n);
    run.status = ::pclose(pipe);
    return run;
}

TEST(Application, OpensWhateverTheArgumentsAndEndsWithStatusZero) {
    for (const char* arguments : {"", "Config.lua", "--help", "-x '/tmp/a b.lua' --"}) {
        const ProbeRun run = runProbe(arguments);
        EXPECT_TRUE(WIFEXITED(run.status) && WEXITSTATUS(run.status) == 0)
            << "arguments: " << arguments << "\n" << run.output;
        EXPECT_EQ(run.output.find("Usage"), std::string::npos) << run.output;
    }
}

TEST(Application, SpeaksJapaneseWhateverTheLocale) {
    for (const char* locale : {"C", "en_US.UTF-8", "ja_JP.UTF-8"}) {
        const ProbeRun run = runProbe("", std::string("LC_ALL=") + locale + " LANGUAGE= LANG=" + locale);
        EXPECT_NE(run.output.find("キャンセル (&C)\n"), std::string::npos) << locale << "\n" << run.output;  // wx's
        EXPECT_NE(run.output.find("キャンセル(_C)\n"), std::string::npos) << locale << "\n" << run.output;  // GTK's
    }
}

}  // namespace
