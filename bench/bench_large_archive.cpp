// The command-line tool on an 80 MB archive, each against its floor in the same run: `list`
// with the archive out of the page cache against smpq's listing of it, and `put` of one dialog
// against one copy of the archive put on disk (cp, then fsync).
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

extern char** environ;

namespace fs = std::filesystem;

namespace {

// Runs the program to its end with its output dropped; false unless it exited with 0.
bool Run(std::vector<std::string> args) {
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    ::posix_spawn_file_actions_init(&actions);
    ::posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    ::posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int spawned = ::posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    ::posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    return spawned == 0 && ::waitpid(pid, &status, 0) == pid && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
}

// Out of the page cache, as after a reboot: its pages are written back, then dropped.
void DropFromCache(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0) return;
    ::fdatasync(fd);
    ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
    ::close(fd);
}

struct Folder {
    fs::path dir = fs::temp_directory_path() / ("tarrox-bench-large-" + std::to_string(::getpid()));
    std::string archive = (dir / "patch.mpq").string();
    std::string dialog = (dir / "rez" / "glumain.bin").string();

    // Every dialog of the name list and 300 pictures of noise, 80 MB in all, made with smpq.
    Folder() {
        fs::create_directories(dir / "rez");
        std::ifstream names(fs::path(TARROX_CLI).parent_path() / "data" / "binlist.txt");
        std::vector<std::string> files;
        unsigned seed = 1;
        auto fill = [&](const std::string& name, size_t size) {
            std::string bytes(size, 0);
            for (char& c : bytes) c = static_cast<char>((seed = seed * 1103515245 + 12345) >> 24);
            std::ofstream(dir / name, std::ios::binary) << bytes;
            files.push_back(name);
        };
        for (std::string line; std::getline(names, line);) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (line.rfind("rez\\", 0) == 0) fill("rez/" + line.substr(4), 3000);
        }
        for (int i = 0; i < 300; ++i) fill("rez/f" + std::to_string(i) + ".pcx", 270000);
        std::vector<std::string> command = {"smpq", "-q", "-c", "-M", "1", archive};
        command.insert(command.end(), files.begin(), files.end());
        const fs::path here = fs::current_path();
        fs::current_path(dir);
        const bool made = Run(command);
        fs::current_path(here);
        if (!made) std::abort();
    }
    ~Folder() { fs::remove_all(dir); }
};

const Folder& TheFolder() {
    static const Folder folder;
    return folder;
}

// Times `program` listing the archive, read from the disk each time.
void ListCold(benchmark::State& state, const std::string& program, const std::string& command) {
    const Folder& f = TheFolder();
    for (auto _ : state) {
        state.PauseTiming();
        DropFromCache(f.archive);
        state.ResumeTiming();
        if (!Run({program, command, f.archive})) state.SkipWithError("listing failed");
    }
}

void BM_ListCold(benchmark::State& state) {
    ListCold(state, TARROX_CLI, "list");
}
BENCHMARK(BM_ListCold)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Floor_SmpqListCold(benchmark::State& state) {
    ListCold(state, "smpq", "-l");
}
BENCHMARK(BM_Floor_SmpqListCold)->Unit(benchmark::kMillisecond)->UseRealTime();

// Each save leaves the replaced copy's few kilobytes unused; the archive stays far from the
// eighth that makes a save compact it.
void BM_Put(benchmark::State& state) {
    const Folder& f = TheFolder();
    for (auto _ : state)
        if (!Run({TARROX_CLI, "put", f.archive, "rez\\glumain.bin", f.dialog}))
            state.SkipWithError("put failed");
}
BENCHMARK(BM_Put)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Floor_CopyAndFsync(benchmark::State& state) {
    const Folder& f = TheFolder();
    const std::string copy = f.archive + ".copy";
    for (auto _ : state) {
        if (!Run({"cp", f.archive, copy})) state.SkipWithError("cp failed");
        const int fd = ::open(copy.c_str(), O_RDONLY);
        if (fd < 0 || ::fsync(fd) != 0) state.SkipWithError("fsync failed");
        ::close(fd);
        state.PauseTiming();
        fs::remove(copy);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_Floor_CopyAndFsync)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
