// Writes the program's own art in the game's formats and sizes, so the art view has something
// to draw before the user imports the game's: per glue palette folder a background, a font
// colour table carrying the folder's palette, the dialog controls and a tile box; the three
// in-game control sets, their tile box and a picture carrying their palette. Every file is
// checked as it is written.
//
//   make_gameart DATA_DIR        (writes DATA_DIR/art/...)
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "ArtFiles.h"
#include "Controls.h"
#include "Palettes.h"

namespace {

using namespace gameart;
namespace fs = std::filesystem;

struct Writer {
    fs::path Root;
    uint64_t TotalBytes = 0;
    int Files = 0;
    bool Ok = true;

    // `check` is what reading the bytes back found wrong, empty when nothing.
    void Write(const std::string& name, const Bytes& bytes, const std::string& check) {
        if (!check.empty()) {
            std::fprintf(stderr, "make_gameart: %s: %s\n", name.c_str(), check.c_str());
            Ok = false;
            return;
        }
        const fs::path path = Root / name;
        fs::create_directories(path.parent_path());
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        if (!out) {
            std::fprintf(stderr, "make_gameart: cannot write %s\n", path.string().c_str());
            Ok = false;
        }
        TotalBytes += bytes.size(), ++Files;
    }

    void Pcx(const std::string& name, const Canvas& picture, const Palette& palette) {
        const Bytes bytes = EncodePcx(picture, palette);
        Write(name, bytes, CheckPcx(bytes, picture.Width, picture.Height));
    }

    void Grp(const std::string& name, const std::vector<Canvas>& frames, bool runLength,
             int maxWidth, int maxHeight) {
        const Bytes bytes = runLength ? EncodeRunLengthGrp(frames, maxWidth, maxHeight)
                                      : EncodeRawGrp(frames, maxWidth, maxHeight);
        Write(name, bytes, CheckGrp(bytes, frames, runLength));
    }
};

// The art view takes the darkest entry after 0 as the see-through one; it must be the one
// meant and have no rival.
bool DarkestIs(const Palette& p, int wanted, const std::string& name) {
    auto brightness = [](gamedata::Rgb c) { return 299 * c.R + 587 * c.G + 114 * c.B; };
    for (int i = 1; i < 256; ++i)
        if (i != wanted && brightness(p[i]) <= brightness(p[wanted])) {
            std::fprintf(stderr, "make_gameart: %s: entry %d is as dark as %d\n", name.c_str(), i,
                         wanted);
            return false;
        }
    return true;
}

std::string Lower(std::string s) {
    for (char& c : s) c = char(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_gameart DATA_DIR\n");
        return 2;
    }
    Writer out{fs::path(argv[1]) / "art"};
    // The game's dialog sets name 256 x 128 as their largest frame; the tile sets 8 x 8.
    constexpr int SetWidth = 256, SetHeight = 128, Tile = 8;

    const Canvas background = GlueBackgroundPicture(GlueBackground);
    const ControlColors glue = GlueControls();
    const std::vector<Canvas> glueFrames = DialogFrames(glue, false);
    const std::vector<Canvas> glueTile = TileFrames(glue.Face, glue.Face.At(0.1));
    for (const GlueFolder& folder : GlueFolders()) {
        const std::string dir = "glue/" + Lower(folder.Name) + "/";
        const Palette palette = GluePalette(folder);
        out.Ok = DarkestIs(palette, GlueSeeThrough, folder.Name) && out.Ok;
        out.Pcx(dir + "backgnd.pcx", background, palette);
        out.Pcx(dir + "tfont.pcx", GlueColorTable(), palette);
        out.Grp(dir + "dlg.grp", glueFrames, false, SetWidth, SetHeight);
        out.Grp(dir + "tile.grp", glueTile, true, Tile, Tile);
    }

    const Palette inGame = InGamePalette();
    out.Ok = DarkestIs(inGame, InGameSeeThrough, "in-game palette") && out.Ok;
    out.Pcx("game/nconsole.pcx", PaletteSwatch(), inGame);
    const char* raceFiles[] = {"dlgs/terran.grp", "dlgs/protoss.grp", "dlgs/zerg.grp"};
    for (Race race : {Race::Terran, Race::Protoss, Race::Zerg})
        out.Grp(raceFiles[int(race)], DialogFrames(InGameControls(race), true), false, SetWidth,
                SetHeight);
    const ControlColors box = InGameBox();
    out.Grp("dlgs/tile.grp", TileFrames(box.Face, box.Interior), true, Tile, Tile);

    if (!out.Ok) return 1;
    std::printf("make_gameart: wrote %d files, %llu bytes, under %s\n", out.Files,
                static_cast<unsigned long long>(out.TotalBytes), out.Root.string().c_str());
    return 0;
}
