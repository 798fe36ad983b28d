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

ProbeRun runProbe(const std::string& arguments) {
    ProbeRun run;
    FILE* pipe = ::popen((std::string(VELLCONF_APP_PROBE) + " " + arguments + " 2>&1").c_str(), "r");
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

}  // namespace
