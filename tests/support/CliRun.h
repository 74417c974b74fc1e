// Runs tarrox2-cli as a script would and catches its exit status and both output streams.
#pragma once

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/FileAccess.h"

namespace tarrox::test {

struct CliRun {
    int status;
    std::string out;
    std::string err;
};

// `args` goes into a shell command line as it is: quote what needs it. The streams pass
// through files in `scratch`, removed again afterwards.
inline CliRun RunCli(const std::string& args, const std::filesystem::path& scratch) {
    const auto out = scratch / "cli-stdout.txt", err = scratch / "cli-stderr.txt";
    const std::string command =
        std::string(TARROX_CLI) + " " + args + " >'" + out.string() + "' 2>'" + err.string() + "'";
    const int raw = std::system(command.c_str());
    auto take = [](const std::filesystem::path& path) {
        std::vector<uint8_t> bytes;
        ReadFileBytes(path.string(), bytes);
        std::filesystem::remove(path);
        return std::string(bytes.begin(), bytes.end());
    };
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, take(out), take(err)};
}

} // namespace tarrox::test
