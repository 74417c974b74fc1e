#include <charconv>
#include <cstdio>
#include <filesystem>
#include <optional>

#include "cli/Commands.h"
#include "document/BinFile.h"
#include "platform/DataFolders.h"
#include "platform/FileAccess.h"
#include "platform/PngFile.h"
#include "platform/Surface.h"
#include "preview/ArtCache.h"
#include "preview/ArtView.h"
#include "preview/ColorTables.h"
#include "preview/Renderer.h"

namespace tarrox::cli {

namespace {

constexpr const char* RenderUsage =
    "Error: usage: tarrox2-cli render IN.bin OUT.png [--data DIR] [--colors 0|1|2|3] "
    "[--custom FILE.pcx] [--scheme pink|red|blue] [--no-fill] [--no-hidden] [--select N] "
    "[--current] [--art] [--background FOLDER|none] [--race terran|protoss|zerg] "
    "[--compression 0-9]";

bool ParseInt(const std::string& text, int32_t& value) {
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size();
}

struct RenderOptions {
    std::string in, out, custom;
    // The user's imported files, then the bundled ones; --data names the only folder.
    DataFolders data = GameDataFolders();
    int32_t colors = 1, select = -1, compression = PngPacking{}.Level;
    PreviewSettings settings;
    bool art = false;
    std::optional<std::string> background; // the screen's own folder when not given
    Race race = Race::Terran;
};

bool ParseRenderArgs(const Args& args, RenderOptions& o) {
    std::vector<std::string> files;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        bool hasValue = i + 1 < args.size();
        if (a == "--no-fill") {
            o.settings.FillRects = false;
        } else if (a == "--art") {
            o.art = true;
        } else if (a == "--background" && hasValue) {
            const std::string& folder = args[++i];
            o.background = folder == "none" ? std::string() : folder;
        } else if (a == "--race" && hasValue) {
            const std::string& race = args[++i];
            if (race == "terran")
                o.race = Race::Terran;
            else if (race == "protoss")
                o.race = Race::Protoss;
            else if (race == "zerg")
                o.race = Race::Zerg;
            else
                return false;
        } else if (a == "--no-hidden") {
            o.settings.ShowHidden = false;
        } else if (a == "--current") {
            o.settings.ShowAll = false;
        } else if (a == "--data" && hasValue) {
            o.data = DataFolders(args[++i]);
        } else if (a == "--custom" && hasValue) {
            o.custom = args[++i];
        } else if (a == "--colors" && hasValue) {
            if (!ParseInt(args[++i], o.colors) || o.colors < 0 || o.colors > 3) return false;
        } else if (a == "--compression" && hasValue) {
            if (!ParseInt(args[++i], o.compression) || o.compression < 0 || o.compression > 9)
                return false;
        } else if (a == "--select" && hasValue) {
            if (!ParseInt(args[++i], o.select)) return false;
        } else if (a == "--scheme" && hasValue) {
            const std::string& s = args[++i];
            if (s == "pink")
                o.settings.Colors = PinkAndBlueScheme;
            else if (s == "red")
                o.settings.Colors = RedScheme;
            else if (s == "blue")
                o.settings.Colors = BlueScheme;
            else
                return false;
        } else if (a.rfind("--", 0) == 0) {
            return false;
        } else {
            files.push_back(a);
        }
    }
    if (files.size() != 2) return false;
    o.in = files[0];
    o.out = files[1];
    o.settings.FontColorSet = o.colors;
    return true;
}

} // namespace

int Render(const Args& args) {
    RenderOptions o;
    if (!ParseRenderArgs(args, o)) return Fail(RenderUsage);
    DialogDocument doc;
    std::string error;
    if (!LoadBinFile(o.in, doc, error, MissingFile::IsAnError)) return Fail(error);
    if (o.select < -1 || o.select >= doc.ObjectCount)
        return Fail("Error: the dialog has no object " + std::to_string(o.select) + ".");

    // As the editor starts: tables, then the chosen colour set, then the preview's fonts.
    TextDrawingState text;
    LoadTextTables(text, o.data);
    LoadColorTable(text, static_cast<uint8_t>(o.colors), o.data, o.custom);
    PreviewFonts fonts;
    LoadPreviewFonts(fonts, o.data);
    Surface surface;
    PreviewCanvas canvas{surface, o.settings, fonts, text};
    if (o.art) {
        const ArtChoice choice{o.background.value_or(DefaultArtFolder(DialogName(o.in))), o.race};
        ArtCache art(o.data);
        // Missing art is no failure: the picture shows outlines there, and the list says why.
        for (const std::string& missing : RedrawArtView(canvas, doc, o.select, art, choice))
            std::fprintf(stderr, "%s\n", missing.c_str());
    } else {
        RedrawPreview(canvas, doc, o.select);
    }

    if (IsReadOnlyFile(o.out)) return Fail("Error: " + o.out + " is read-only.");
    // The game's art is photo-like and packs smaller with filtered rows; outlines do not.
    const PngPacking packing{o.compression, o.art};
    if (!WriteFileAtomically(o.out,
                             EncodePng(Surface::Width, Surface::Height, surface.Pixels(), packing)))
        return Fail("Error: Could not write " + o.out + ".");
    return 0;
}

} // namespace tarrox::cli
