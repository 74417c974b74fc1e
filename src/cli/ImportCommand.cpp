// import-data: the game's own fonts and colour tables, from its archives or from a folder of
// loose files, into the user's data folder, where the preview looks first.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>

#include "archive/ArchiveClient.h"
#include "archive/Mpq.h"
#include "cli/Commands.h"
#include "cli/ImportSource.h"
#include "platform/DataFolders.h"
#include "platform/FileAccess.h"
#include "platform/Gdi.h"
#include "preview/ColorTables.h"
#include "preview/SCFontRender.h"

namespace tarrox::cli {

namespace {

namespace fs = std::filesystem;

struct Wanted {
    std::string Target;              // the name in the data folder
    std::vector<std::string> Places; // where the game keeps it, first found first tried
    bool Font = false;
};

std::vector<Wanted> WantedFiles() {
    std::vector<Wanted> wanted;
    for (const char* font : ImportedFontNames) {
        const std::string name = font;
        // The installer's copies lie under files\ and setupdat\; the game's own are encrypted.
        wanted.push_back(
            {name,
             {"font\\" + name, "files\\font\\" + name, "setupdat\\font\\" + name, name},
             true});
    }
    wanted.push_back({"tfontgam.pcx", {"game\\tfontgam.pcx", "tfontgam.pcx"}, false});
    wanted.push_back({"tfontglu.pcx", {"glue\\palmm\\tfont.pcx", "tfontglu.pcx"}, false});
    wanted.push_back({"tfonttitle.pcx", {"glue\\title\\tfont.pcx", "tfonttitle.pcx"}, false});
    return wanted;
}

// Takes "--to DIR" out of the arguments; false when DIR is missing.
bool TakeTarget(Args& args, std::string& to) {
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] != "--to") continue;
        if (i + 1 == args.size()) return false;
        to = args[i + 1];
        args.erase(args.begin() + i, args.begin() + i + 2);
        return true;
    }
    return true;
}

struct Outcome {
    std::vector<uint8_t> Bytes; // empty when no usable copy was found
    std::string From;
    std::vector<std::string> Refused; // why copies that were found could not be taken
};

Outcome FindCopy(const Wanted& w, const Sources& sources) {
    Outcome o;
    for (const auto& source : sources) {
        if (!source->Usable()) continue;
        for (const std::string& place : w.Places) {
            std::vector<uint8_t> bytes;
            const Lookup found = source->Read(place, bytes);
            if (found == Lookup::Missing) continue;
            const std::string where = place + " in " + source->Label();
            GameFont font;
            if (found == Lookup::Failed)
                o.Refused.push_back(where + " could not be read.");
            else if (found == Lookup::Damaged)
                o.Refused.push_back(where + " is damaged.");
            else if (w.Font && !LoadGameFont(bytes, font))
                o.Refused.push_back(w.Target + " in " + source->Label() +
                                    " is encrypted; the copies on the game's CD, in install.exe, "
                                    "are not.");
            else if (!w.Font && !IsWholeColorTable(bytes))
                o.Refused.push_back(where + " is not a whole 256-colour PCX image.");
            else {
                o.Bytes = std::move(bytes);
                o.From = where;
                return o;
            }
        }
    }
    return o;
}

} // namespace

int ImportData(const Args& given) {
    Args args = given;
    std::string to;
    if (!TakeTarget(args, to) || args.empty())
        return Fail("Error: usage: tarrox2-cli import-data SOURCE... [--to DIR]");
    if (to.empty()) to = UserDataFolder();
    if (to.empty()) return Fail("Error: No user data folder is known; name one with --to DIR.");
    LimitSelf(ArchiveJob::Import);

    bool failed = false;
    Sources sources;
    for (const std::string& path : args) {
        sources.push_back(std::make_unique<Source>(path));
        if (sources.back()->Usable()) continue;
        const std::string why = sources.back()->Refusal();
        if (!PathExists(path))
            std::fprintf(stderr, "Error: %s does not exist.\n", path.c_str());
        else if (!why.empty())
            std::fprintf(stderr, "Error: %s\n", why.c_str());
        else
            std::fprintf(stderr, "Error: %s does not contain an MPQ archive.\n", path.c_str());
        failed = true;
    }
    if (std::none_of(sources.begin(), sources.end(), [](const auto& s) { return s->Usable(); }))
        return 1;
    int imported = 0;
    for (const Wanted& w : WantedFiles()) {
        const Outcome o = FindCopy(w, sources);
        const std::string target = (fs::path(to) / w.Target).string();
        std::error_code ec;
        if (!o.Bytes.empty()) fs::create_directories(to, ec);
        if (!o.Bytes.empty() && !WriteFileAtomically(target, o.Bytes)) {
            std::fprintf(stderr, "Error: Could not save %s.\n", target.c_str());
            failed = true;
        } else if (!o.Bytes.empty()) {
            std::printf("Imported %s from %s.\n", w.Target.c_str(), o.From.c_str());
            ++imported;
        } else {
            for (const std::string& why : o.Refused) std::printf("%s\n", why.c_str());
            if (o.Refused.empty()) std::printf("%s was not found.\n", w.Target.c_str());
        }
    }
    const ArtImported art = ImportArt(sources, to);
    for (size_t s = 0; s < sources.size(); ++s)
        if (art.PerSource[s] > 0)
            std::printf("Imported %d art file%s from %s.\n", art.PerSource[s],
                        art.PerSource[s] == 1 ? "" : "s", sources[s]->Label().c_str());
    for (const int count : art.PerSource) imported += count;
    failed = failed || art.WriteFailed;
    if (!StdoutWritten()) return 1;
    return imported > 0 && !failed ? 0 : 1;
}

} // namespace tarrox::cli
