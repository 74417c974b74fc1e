// The art half of import-data: the game's backgrounds, pictures, control frames and palettes,
// copied as they are into the data folder's art/ folder, where the preview's art view reads them.
#include <filesystem>
#include <unordered_set>

#include "archive/ArchiveFiles.h"
#include "cli/ImportSource.h"
#include "document/BinReader.h"
#include "document/DialogDocument.h"
#include "platform/FileAccess.h"
#include "platform/Gdi.h"
#include "platform/ProgramFolder.h"
#include "preview/ArtCache.h"
#include "preview/GrpImage.h"
#include "preview/Palette.h"
#include "preview/PcxImage.h"

namespace tarrox::cli {

namespace {

namespace fs = std::filesystem;

// The in-game view has no palette of its own in the dialog's art; these stand in for the map's.
const char* const PaletteSources[] = {"game\\tfontgam.pcx", "game\\nconsole.pcx"};

// Names in the order first met, each once however it is spelt: archives ignore case.
class NameSet {
  public:
    void Add(const std::string& name) {
        const std::string lower = LowerCase(name);
        if (!ArtFileName(lower).empty() && seen_.insert(lower).second) names_.push_back(lower);
    }
    const std::vector<std::string>& Names() const { return names_; }

  private:
    std::vector<std::string> names_;
    std::unordered_set<std::string> seen_;
};

// The pictures the source's dialogs show: the text of every Image object naming a PCX. The
// dialogs are those of the name list and any other the source lists.
void AddPicturesOfDialogs(const Source& source, std::vector<std::string> dialogs, NameSet& names) {
    for (std::string& listed : source.Listed(NameListPath()))
        if (LowerCase(listed).ends_with(".bin")) dialogs.push_back(std::move(listed));
    auto doc = std::make_unique<DialogDocument>();
    std::unordered_set<std::string> read;
    for (const std::string& dialog : dialogs) {
        std::vector<uint8_t> bytes;
        std::string error;
        if (!read.insert(LowerCase(dialog)).second || source.Read(dialog, bytes) != Lookup::Found ||
            !ReadBinDocument(bytes, *doc, error))
            continue;
        for (int32_t i = 0; i < doc->ObjectCount; ++i) {
            const DialogObject& o = doc->ObjectTable[size_t(i)];
            if (o.ControlType != 5 || o.Text < 0 || o.Text >= doc->StringCount) continue;
            const std::string& text = doc->StringTable[size_t(o.Text)];
            if (LowerCase(text).ends_with(".pcx")) names.Add(text);
        }
    }
}

// Why the preview could not draw the file; empty when it can. Other kinds pass as they are.
std::string Undrawable(const std::string& name, const std::vector<uint8_t>& bytes) {
    std::string error;
    if (name.ends_with(".pcx")) {
        PcxImage image;
        if (!DecodePcx(bytes, image, error)) return error;
    } else if (name.ends_with(".grp")) {
        GrpImage image;
        if (!DecodeGrp(bytes, image, error)) return error;
    } else if (name.ends_with(".wpe")) {
        Palette palette;
        if (!DecodeWpe(bytes, palette, error)) return error;
    }
    return {};
}

} // namespace

ArtImported ImportArt(const Sources& sources, const std::string& to) {
    NameSet names;
    for (const std::string& name : mpq::NamesInList(DataFile("data/game-art-names.txt")))
        names.Add(name);
    for (const char* name : PaletteSources) names.Add(name);
    const std::vector<std::string> dialogs = mpq::NamesInList(NameListPath());
    for (const auto& source : sources)
        if (source->Usable()) AddPicturesOfDialogs(*source, dialogs, names);

    ArtImported result;
    result.PerSource.assign(sources.size(), 0);
    for (const std::string& name : names.Names()) {
        for (size_t s = 0; s < sources.size(); ++s) {
            const Source& source = *sources[s];
            std::vector<uint8_t> bytes;
            const Lookup found = source.Usable() ? source.Read(name, bytes) : Lookup::Missing;
            if (found == Lookup::Missing) continue;
            const std::string where = name + " in " + source.Label();
            if (found != Lookup::Found) {
                std::printf("%s %s\n", where.c_str(),
                            found == Lookup::Damaged ? "is damaged." : "could not be read.");
                continue;
            }
            if (const std::string why = Undrawable(name, bytes); !why.empty()) {
                std::printf("%s cannot be drawn: %s.\n", where.c_str(), why.c_str());
                continue;
            }
            const fs::path target = fs::path(to) / ArtFileName(name);
            std::error_code ec;
            fs::create_directories(target.parent_path(), ec);
            if (!WriteFileAtomically(target.string(), bytes)) {
                std::fprintf(stderr, "Error: Could not save %s.\n", target.string().c_str());
                result.WriteFailed = true;
            } else {
                ++result.PerSource[s];
            }
            break;
        }
    }
    return result;
}

} // namespace tarrox::cli
