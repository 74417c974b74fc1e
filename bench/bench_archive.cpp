// Opening an archive in the editor: the listing done by the command-line tool in a child
// process, against the same listing in-process.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "archive/ArchiveClient.h"
#include "archive/ArchiveFiles.h"
#include "platform/ProgramFolder.h"

namespace fs = std::filesystem;

namespace {

// An archive shaped like the game's patch archive: every dialog of the name list, a few
// hundred other files and one large one, made with smpq.
const std::string& Archive() {
    static const std::string path = [] {
        tarrox::SetProgramFolder(fs::path(TARROX_CLI).parent_path().string());
        const fs::path dir =
            fs::temp_directory_path() / ("tarrox-bench-" + std::to_string(::getpid()));
        fs::create_directories(dir / "rez");
        std::ifstream names(tarrox::NameListPath());
        std::string files;
        unsigned seed = 1;
        auto fill = [&](const fs::path& p, size_t size) {
            std::string bytes(size, 0);
            for (char& c : bytes)
                c = static_cast<char>((seed = seed * 1103515245 + 12345) >> 24 & 15);
            std::ofstream(p, std::ios::binary) << bytes;
            files += " '" + fs::relative(p, dir).string() + "'";
        };
        for (std::string line; std::getline(names, line);) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (line.rfind("rez\\", 0) == 0) fill(dir / "rez" / line.substr(4), 3000);
        }
        for (int i = 0; i < 300; ++i)
            fill(dir / "rez" / (std::string("f").append(std::to_string(i)) + ".pcx"), 20000);
        fill(dir / "big.smk", 4 << 20);
        const std::string archive = (dir / "patch.mpq").string();
        const std::string command =
            "cd '" + dir.string() + "' && smpq -q -c -M 1 patch.mpq" + files;
        if (std::system(command.c_str()) != 0) std::abort();
        static struct Cleanup {
            fs::path dir;
            ~Cleanup() { fs::remove_all(dir); }
        } cleanup{dir};
        return archive;
    }();
    return path;
}

void BM_ListInChild(benchmark::State& state) {
    const std::string& archive = Archive();
    for (auto _ : state) {
        auto listing = tarrox::ListInChild(archive, 0);
        if (listing.How != tarrox::ArchiveListing::Kind::Listed) state.SkipWithError("not listed");
        benchmark::DoNotOptimize(listing);
    }
}
BENCHMARK(BM_ListInChild)->Unit(benchmark::kMillisecond);

void BM_ListInProcess(benchmark::State& state) {
    const std::string& archive = Archive();
    std::vector<tarrox::ArchiveLine> lines;
    for (auto _ : state)
        benchmark::DoNotOptimize(
            tarrox::ListDialogFiles(archive, tarrox::NameListPath(), 0, lines));
}
BENCHMARK(BM_ListInProcess)->Unit(benchmark::kMillisecond);

void BM_ExtractInChild(benchmark::State& state) {
    const std::string& archive = Archive();
    const std::string out = archive + ".out.bin";
    for (auto _ : state)
        benchmark::DoNotOptimize(tarrox::ExtractInChild(archive, {"rez\\glumain.bin", 0}, out));
}
BENCHMARK(BM_ExtractInChild)->Unit(benchmark::kMillisecond);

} // namespace
