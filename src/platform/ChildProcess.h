// Runs a program as a short-lived child under resource limits, so that code which may crash or
// run away on hostile input does it in a process of its own.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace tarrox {

struct ProcessLimits {
    uint64_t AddressSpaceBytes = 0; // 0: no limit
    unsigned CpuSeconds = 0;        // 0: no limit
    // How long the child may go without writing a line to stdout; 0: no limit. A child that
    // reports progress keeps itself alive, one that only answers at the end has this long.
    unsigned QuietSeconds = 0;
};

// Lowers this process's own limits to `limits` (a limit already lower stays). The wall time is
// not covered: only a parent can watch that.
void LimitThisProcess(const ProcessLimits& limits);

struct ChildWatch {
    // Each complete line the child writes to stdout, without its newline, as it arrives.
    std::function<void(const std::string& line)> OnLine;
    // Called every few milliseconds while waiting, so a window can stay painted.
    std::function<void()> KeepAlive;
};

struct ChildResult {
    enum class Ending { Exited, Signalled, TimedOut, OutputTooLong, NotStarted };
    Ending How = Ending::NotStarted;
    int ExitCode = -1; // for Exited
    int Signal = 0;    // for Signalled
    std::string Out;   // everything written to stdout
    std::string Err;   // everything written to stderr

    bool Succeeded() const { return How == Ending::Exited && ExitCode == 0; }
    // Lines of stderr that start with `prefix`.
    std::vector<std::string> ErrLines(const std::string& prefix) const;
};

// The non-empty lines of a program's output, without their "\n" or "\r\n".
std::vector<std::string> OutputLines(const std::string& text);

// Runs `program` with `args` (no shell), stdin from the null device. Output beyond a few
// megabytes ends the child: nothing this program runs has that much to say.
ChildResult RunChild(const std::string& program, const std::vector<std::string>& args,
                     const ProcessLimits& limits, const ChildWatch& watch = {});

} // namespace tarrox
