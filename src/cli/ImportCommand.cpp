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
#include "platform/DataFolders.h"
#include "platform/FileAccess.h"
#include "platform/Gdi.h"
#include "preview/ColorTables.h"
#include "preview/SCFontRender.h"

namespace tarrox::cli {

namespace {

namespace fs = std::filesystem;

// The game's largest font is about 100 KB and its tables a few KB.
constexpr uint32_t MaxGameDataFileSize = 4u << 20;
// A folder that holds more entries than this is not a copy of the game's files.
constexpr size_t MaxFolderEntries = 100000;

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

// An archived name under a folder of loose files, each part matched without regard to case as
// the archives match names.
std::optional<fs::path> FindLoose(const fs::path& root, const std::string& name) {
    fs::path at = root;
    size_t start = 0;
    while (start <= name.size()) {
        const size_t cut = std::min(name.find('\\', start), name.size());
        const std::string part = LowerCase(name.substr(start, cut - start));
        start = cut + 1;
        std::error_code ec;
        fs::directory_iterator it(at, ec), end;
        bool found = false;
        for (size_t seen = 0; !ec && it != end && seen < MaxFolderEntries; it.increment(ec), ++seen)
            if (LowerCase(it->path().filename().string()) == part) {
                at = it->path();
                found = true;
                break;
            }
        if (!found) return std::nullopt;
    }
    return at;
}

enum class Lookup { Found, Missing, Damaged, Failed };

// An archive or a folder of loose files.
class Source {
  public:
    explicit Source(const std::string& path) : path_(path), label_(fs::path(path).filename()) {
        std::error_code ec;
        if (fs::is_directory(path, ec)) return;
        // Import reads many of its files: the whole archive is checked once, and damage
        // anywhere in it refuses it.
        archive_ = std::make_unique<mpq::ReadArchive>(path, MpqCheckDepth::EveryFile);
    }
    bool Usable() const { return !archive_ || archive_->IsOpen(); }
    // Why an archive could not be used, in a user's words; empty when not known.
    std::string Refusal() const {
        return archive_ ? DescribeMpqProblem(archive_->Refusal(), path_) : std::string();
    }
    const std::string& Path() const { return path_; }
    const std::string& Label() const { return label_; }

    Lookup Read(const std::string& name, std::vector<uint8_t>& bytes) const {
        if (archive_) {
            switch (archive_->ReadFile({name, 0}, MaxGameDataFileSize, bytes)) {
            case mpq::ReadArchive::ReadStatus::Ok:
                return Lookup::Found;
            case mpq::ReadArchive::ReadStatus::Missing:
                return Lookup::Missing;
            case mpq::ReadArchive::ReadStatus::Damaged:
            case mpq::ReadArchive::ReadStatus::Refused:
                return Lookup::Damaged;
            case mpq::ReadArchive::ReadStatus::Failed:
                return Lookup::Failed;
            }
        }
        const auto loose = FindLoose(path_, name);
        if (!loose) return Lookup::Missing;
        return ReadFileBytes(loose->string(), bytes, MaxGameDataFileSize) == ReadStatus::Ok
                   ? Lookup::Found
                   : Lookup::Failed;
    }

  private:
    std::string path_, label_;
    std::unique_ptr<mpq::ReadArchive> archive_;
};

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

Outcome FindCopy(const Wanted& w, const std::vector<std::unique_ptr<Source>>& sources) {
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
    std::vector<std::unique_ptr<Source>> sources;
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
    if (!StdoutWritten()) return 1;
    return imported > 0 && !failed ? 0 : 1;
}

} // namespace tarrox::cli
