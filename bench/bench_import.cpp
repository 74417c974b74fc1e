// Import Game Data as the editor runs it: the tool in a child process, reading the fonts and
// tables out of a 200 MB archive shaped like the game's CD installer.
#include <benchmark/benchmark.h>

#include <StormLib.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "archive/ArchiveClient.h"
#include "platform/DataFolders.h"
#include "platform/FileAccess.h"
#include "platform/ProgramFolder.h"

namespace fs = std::filesystem;

namespace {

constexpr int FillerFiles = 200;
constexpr size_t FillerSize = 1 << 20;

bool Store(HANDLE archive, const std::string& name, const std::vector<uint8_t>& bytes) {
    HANDLE file = nullptr;
    return ::SFileCreateFile(archive, name.c_str(), 0, DWORD(bytes.size()), 0,
                             MPQ_FILE_COMPRESS | MPQ_FILE_REPLACEEXISTING, &file) &&
           ::SFileWriteFile(file, bytes.data(), DWORD(bytes.size()), MPQ_COMPRESSION_ZLIB) &&
           ::SFileFinishFile(file);
}

// 200 files of 1 MB that do not compress, then the bundled fonts and tables where the game
// keeps them, and every art file the game has, each a copy of the bundled file of its kind
// (backgrounds 640 x 480).
const fs::path& Folder() {
    static const fs::path dir = [] {
        tarrox::SetProgramFolder(fs::path(TARROX_CLI).parent_path().string());
        const fs::path d =
            fs::temp_directory_path() / ("tarrox-import-" + std::to_string(::getpid()));
        fs::create_directories(d);
        HANDLE archive = nullptr;
        SFILE_CREATE_MPQ create{};
        create.cbSize = sizeof create;
        create.dwMpqVersion = MPQ_FORMAT_VERSION_1;
        create.dwStreamFlags = STREAM_PROVIDER_FLAT | BASE_PROVIDER_FILE;
        create.dwFileFlags1 = MPQ_FILE_EXISTS | MPQ_FILE_COMPRESS;
        create.dwSectorSize = 0x1000;
        create.dwMaxFileCount = 1024;
        if (!::SFileCreateArchive2((d / "install.exe").c_str(), &create, &archive)) std::abort();
        std::vector<uint8_t> filler(FillerSize);
        unsigned seed = 1;
        bool ok = true;
        for (int i = 0; i < FillerFiles; ++i) {
            for (uint8_t& b : filler) b = uint8_t((seed = seed * 1103515245 + 12345) >> 23);
            ok = ok && Store(archive, "files\\data\\filler" + std::to_string(i) + ".dat", filler);
        }
        const std::string data = tarrox::DataFile("data");
        auto bundled = [&](const std::string& name) {
            std::vector<uint8_t> bytes;
            ok = ok && tarrox::ReadFileBytes(data + "/" + name, bytes) == tarrox::ReadStatus::Ok;
            return bytes;
        };
        for (const char* font : tarrox::ImportedFontNames)
            ok = ok && Store(archive, std::string("files\\font\\") + font, bundled(font));
        ok = ok && Store(archive, "game\\tfontgam.pcx", bundled("tfontgam.pcx")) &&
             Store(archive, "glue\\palmm\\tfont.pcx", bundled("tfontglu.pcx")) &&
             Store(archive, "glue\\title\\tfont.pcx", bundled("tfonttitle.pcx"));
        const std::vector<uint8_t> background = bundled("art/glue/palnl/backgnd.pcx"),
                                   picture = bundled("art/glue/palnl/tfont.pcx"),
                                   frames = bundled("art/glue/palnl/dlg.grp"), palette(1024, 9);
        std::vector<uint8_t> names;
        ok = ok &&
             tarrox::ReadFileBytes(data + "/game-art-names.txt", names) == tarrox::ReadStatus::Ok;
        std::string name;
        for (const uint8_t c : names) {
            if (c != '\n' && c != '\r') {
                name += char(c);
                continue;
            }
            if (name.empty()) continue;
            const std::string kind = name.substr(name.size() - 4);
            ok = ok && Store(archive, name,
                             kind == ".grp"                              ? frames
                             : kind == ".wpe"                            ? palette
                             : name.find("backgnd") != std::string::npos ? background
                                                                         : picture);
            name.clear();
        }
        if (!::SFileCloseArchive(archive) || !ok) std::abort();
        static struct Cleanup {
            fs::path dir;
            ~Cleanup() { fs::remove_all(dir); }
        } cleanup{d};
        return d;
    }();
    return dir;
}

void BM_ImportFrom200MbArchive(benchmark::State& state) {
    const fs::path& dir = Folder();
    state.counters["archive_MB"] = double(fs::file_size(dir / "install.exe")) / (1 << 20);
    size_t art = 0;
    for (auto _ : state) {
        fs::remove_all(dir / "user");
        auto outcome =
            tarrox::ImportInChild({(dir / "install.exe").string()}, (dir / "user").string());
        if (!outcome.Done || outcome.Message.find("not found") != std::string::npos)
            state.SkipWithError(outcome.Message.c_str());
        art = std::distance(fs::recursive_directory_iterator(dir / "user" / "art"),
                            fs::recursive_directory_iterator());
    }
    state.counters["art_entries"] = double(art);
}
BENCHMARK(BM_ImportFrom200MbArchive)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace
