#include <gtest/gtest.h>

#include <csignal>
#include <string>
#include <vector>

#include "platform/ChildProcess.h"

namespace tarrox {
namespace {

using Ending = ChildResult::Ending;

ChildResult Shell(const std::string& script, ProcessLimits limits, const ChildWatch& watch = {}) {
    return RunChild("/bin/sh", {"-c", script}, limits, watch);
}

TEST(ChildProcess, ReportsHowTheChildEnded) {
    ProcessLimits loose{0, 0, 20};
    struct Case {
        const char* name;
        std::string script;
        ProcessLimits limits;
        Ending how;
    } cases[] = {
        {"exit status", "echo out; echo 'Error: bad' >&2; echo note >&2; exit 3", loose,
         Ending::Exited},
        {"crash", "kill -SEGV $$", loose, Ending::Signalled},
        {"cpu limit", "while :; do :; done", {0, 1, 20}, Ending::Signalled},
        {"wall time, also of what it started", "sleep 60; echo late", {0, 0, 1}, Ending::TimedOut},
        {"endless output", "yes", loose, Ending::OutputTooLong},
        {"stdin is empty", "cat; exit 0", loose, Ending::Exited},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ChildResult r = Shell(c.script, c.limits);
        EXPECT_EQ(r.How, c.how);
        EXPECT_EQ(r.Out.find("late"), std::string::npos);
    }
    ChildResult exited = Shell(cases[0].script, loose);
    EXPECT_EQ(exited.ExitCode, 3);
    EXPECT_EQ(exited.Out, "out\n");
    EXPECT_EQ(exited.ErrLines("Error: "), std::vector<std::string>{"Error: bad"});
    EXPECT_EQ(Shell("kill -SEGV $$", loose).Signal, SIGSEGV);
    EXPECT_EQ(RunChild("/nonexistent/tool", {}, loose).ExitCode, 127);
}

TEST(ChildProcess, AChildPastItsMemoryLimitFailsInsteadOfGrowing) {
    ChildResult r =
        Shell("x=$(head -c 300000000 /dev/zero | tr '\\0' a); echo grew", {64u << 20, 0, 20});
    EXPECT_FALSE(r.Succeeded());
    EXPECT_EQ(r.Out.find("grew"), std::string::npos);
}

TEST(ChildProcess, LinesArriveAsWrittenAndKeepAQuietLimitAtBay) {
    std::vector<std::string> lines;
    int waits = 0;
    ChildResult r =
        Shell("for i in 1 2 3 4 5 6; do echo progress $i 6; sleep 0.25; done; printf tail",
              {0, 0, 1}, {[&](const std::string& l) { lines.push_back(l); }, [&] { ++waits; }});
    EXPECT_TRUE(r.Succeeded());
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines.front(), "progress 1 6");
    EXPECT_EQ(lines.back(), "progress 6 6");
    EXPECT_EQ(r.Out.substr(r.Out.size() - 4), "tail");
    EXPECT_GT(waits, 0);
}

} // namespace
} // namespace tarrox
