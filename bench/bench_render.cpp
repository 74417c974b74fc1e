// `tarrox2-cli render` as a script runs it, the whole process from start to exit, against a
// process that does nothing.
#include <benchmark/benchmark.h>

#include <spawn.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

extern char** environ;

namespace {

// Runs the program to its end; false when it could not start or did not exit with 0.
bool Run(std::vector<std::string> args) {
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (::posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return false;
    int status = 0;
    return ::waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void BM_Floor_TrueProcess(benchmark::State& state) {
    for (auto _ : state)
        if (!Run({"/bin/true"})) state.SkipWithError("/bin/true failed");
}
BENCHMARK(BM_Floor_TrueProcess)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_RenderProcess(benchmark::State& state) {
    const std::string out =
        (std::filesystem::temp_directory_path() / "tarrox-bench-render.png").string();
    for (auto _ : state)
        if (!Run({TARROX_CLI, "render", TARROX_SOURCE_DIR "/samples/mainmenu.bin", out, "--data",
                  TARROX_SOURCE_DIR "/data"}))
            state.SkipWithError("render failed");
    std::filesystem::remove(out);
}
BENCHMARK(BM_RenderProcess)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
