#include <gtest/gtest.h>

#include <unistd.h>

#include <csignal>
#include <fstream>
#include <string>
#include <vector>

#include "platform/ChildProcess.h"
#include "support/TempDir.h"

namespace tarrox {
namespace {

using Ending = ChildResult::Ending;

ChildResult Shell(const std::string& script, ProcessLimits limits) {
    return RunChild("/bin/sh", {"-c", script}, limits);
}

TEST(ChildProcess, ReportsHowTheChildEndedWithinItsLimits) {
    const ProcessLimits loose{0, 0, 20}, small{64u << 20, 0, 20};
    const struct {
        std::string script;
        ProcessLimits limits;
        Ending how;
        int code, signal;
    } cases[] = {
        {"echo out; echo 'Error: bad' >&2; echo note >&2; exit 3", loose, Ending::Exited, 3, 0},
        {"kill -SEGV $$", loose, Ending::Signalled, -1, SIGSEGV},
        {"while :; do :; done", {0, 1, 20}, Ending::Signalled, -1, SIGXCPU},
        {"sleep 60; echo late", {0, 0, 1}, Ending::TimedOut, -1, 0},
        {"yes", loose, Ending::OutputTooLong, -1, 0},
        {"cat; exit 0", loose, Ending::Exited, 0, 0}, // stdin is empty
        // A long job that reports progress is not taken for a hung one.
        {"for i in 1 2 3 4 5 6; do echo $i; sleep 0.25; done", {0, 0, 1}, Ending::Exited, 0, 0},
        // Past its memory limit the shell dies instead of growing.
        {"x=$(head -c 300M /dev/zero | tr '\\0' a); echo late", small, Ending::Signalled, -1,
         SIGSEGV},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.script);
        const ChildResult r = Shell(c.script, c.limits);
        EXPECT_EQ(std::tuple(r.How, r.ExitCode, r.Signal), std::tuple(c.how, c.code, c.signal));
        EXPECT_EQ(r.Out.find("late"), std::string::npos);
    }
    const ChildResult exited = Shell(cases[0].script, loose);
    EXPECT_EQ(exited.Out + exited.ErrLines("Error: ").at(0), "out\nError: bad");
    EXPECT_EQ(RunChild("/nonexistent/tool", {}, loose).ExitCode, 127);
}

// Whatever a limited child started goes with it, whether stopped or ended by itself.
TEST(ChildProcess, WhatTheChildStartedEndsWithIt) {
    const std::string pidFile = test::UniqueTempPath("grandchild").string();
    const std::pair<std::string, Ending> cases[] = {
        {"sleep 60 & echo $! >" + pidFile + "; wait", Ending::TimedOut},
        {"sleep 60 & echo $! >" + pidFile, Ending::Exited},
    };
    for (const auto& [script, how] : cases) {
        SCOPED_TRACE(script);
        EXPECT_EQ(Shell(script, {0, 0, 1}).How, how);
        const pid_t grandchild = std::stoi(test::Contents(pidFile));
        // Killed, it may stay a zombie a moment until whoever adopted it reaps it.
        auto gone = [&] {
            std::ifstream stat("/proc/" + std::to_string(grandchild) + "/stat");
            std::string pid, name, state;
            return !(stat >> pid >> name >> state) || state == "Z";
        };
        for (int wait = 0; wait < 100 && !gone(); ++wait) ::usleep(20000);
        EXPECT_TRUE(gone());
        if (!gone()) ::kill(grandchild, SIGKILL);
    }
    std::filesystem::remove(pidFile);
}

} // namespace
} // namespace tarrox
