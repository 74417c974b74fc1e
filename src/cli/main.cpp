// tarrox2-cli: the editor's document, preview and archive code for scripts and tests.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "archive/StormLibrary.h"
#include "cli/Commands.h"
#include "platform/ProgramFolder.h"

namespace tarrox::cli {

int Fail(const std::string& message) {
    std::fprintf(stderr, "%s\n", message.c_str());
    return 1;
}

bool StdoutWritten() {
    return std::fflush(stdout) == 0 && !std::ferror(stdout);
}

namespace {

struct Command {
    const char* name;
    const char* usage;
    int (*run)(const Args&);
    bool opensArchives = false;
};

constexpr Command Commands[] = {
    {"dump", "dump FILE.bin                 print the dialog as JSON", Dump},
    {"resave", "resave IN.bin OUT.bin         write IN in the compact layout to OUT", Resave},
    {"load", "load IN.json OUT.bin          write the dialog that dump printed as IN to OUT",
     LoadJson},
    {"render",
     "render IN.bin OUT.png [--data DIR] [--colors 0|1|2|3] [--custom FILE.pcx]\n"
     "         [--scheme pink|red|blue] [--no-fill] [--select N] [--current]\n"
     "                                draw the preview of IN as a 640 x 480 PNG",
     Render},
    {"list", "list ARCHIVE [--locale N]     print the archive's dialog files (-1: all locales)",
     List, true},
    {"extract", "extract ARCHIVE NAME OUT.bin  copy an archived file to OUT", Extract, true},
    {"put",
     "put ARCHIVE NAME IN.bin [--progress]\n"
     "                                store IN in the archive under NAME, compacting it when\n"
     "                                it is small or an eighth unused; --progress prints\n"
     "                                \"progress DONE TOTAL\" lines",
     Put, true},
    {"compact", "compact ARCHIVE [--progress]  rewrite the archive without unused space", Compact,
     true},
    {"import-data",
     "import-data SOURCE... [--to DIR]\n"
     "                                copy the game's fonts and colour tables from archives or\n"
     "                                folders into DIR (default: the user's data folder)",
     ImportData, true},
};

int Usage() {
    std::fprintf(stderr, "Usage: tarrox2-cli COMMAND ARGS...\n");
    for (const Command& c : Commands) std::fprintf(stderr, "  %s\n", c.usage);
    return 2;
}

} // namespace

} // namespace tarrox::cli

int main(int argc, char** argv) {
    using namespace tarrox::cli;
    if (argc < 2) return Usage();
    // Game data and the archive name list lie beside the program.
    std::error_code ec;
    auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) self = std::filesystem::absolute(argv[0], ec);
    tarrox::SetProgramFolder(self.parent_path().string());
    Args args(argv + 2, argv + argc);
    for (const Command& c : Commands)
        if (std::strcmp(argv[1], c.name) == 0) {
            if (c.opensArchives)
                if (std::string error = tarrox::mpq::LoadStormLib(); !error.empty())
                    return Fail(error);
            return c.run(args);
        }
    return Usage();
}
