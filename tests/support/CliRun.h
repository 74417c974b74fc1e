// Runs tarrox2-cli as a script would and catches its exit status and both output streams.
#pragma once

#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "support/TempDir.h"

namespace tarrox::test {

struct CliRun {
    int status;
    std::string out;
    std::string err;
};

// `args` goes into a shell command line as it is, after `env` (variables set for the tool
// only); the streams pass through `scratch`.
inline CliRun RunCli(const std::string& args, const std::filesystem::path& scratch,
                     const std::string& env = "") {
    const auto out = scratch / "cli-stdout.txt", err = scratch / "cli-stderr.txt";
    const int raw = std::system(
        (env + " " TARROX_CLI " " + args + " >'" + out.string() + "' 2>'" + err.string() + "'")
            .c_str());
    CliRun r{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, Contents(out), Contents(err)};
    std::filesystem::remove(out), std::filesystem::remove(err);
    return r;
}

class CliTest : public TempDirTest {
  protected:
    CliRun Cli(const std::string& args) { return RunCli(args, dir_); }
};

} // namespace tarrox::test
