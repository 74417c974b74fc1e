// The palettes of the bundled art: one per glue palette folder, tinted so the folders are told
// apart, and one for the in-game sets. Each keeps index 0 black and has exactly one other
// black entry, the darkest, which the art view takes as the folder's see-through index.
#pragma once

#include <string>
#include <vector>

#include "ArtFiles.h"

namespace gameart {

// `Count` entries from `First`, dark to light.
struct Ramp {
    int First = 0;
    int Count = 1;
    uint8_t At(double t) const;
};

// What a set of controls is drawn with.
struct ControlColors {
    Ramp Face;        // normal and pressed pieces
    Ramp Disabled;    // greys
    Ramp Accent;      // marks: checks, option dots, arrows
    uint8_t Interior; // inside check boxes, option buttons, fields and tracks
};

struct GlueFolder {
    const char* Name; // as the game's archive names it
    gamedata::Rgb Tint;
    gamedata::Rgb Accent;
};

const std::vector<GlueFolder>& GlueFolders();

// Palette entries of a glue folder.
inline constexpr int GlueSeeThrough = 254; // the game's PalNl and PalCs use 254 too
inline constexpr Ramp GlueBackground{176, 64};

Palette GluePalette(const GlueFolder& folder);
ControlColors GlueControls();

// The folder's 48 x 1 font colour table: pixel i is i (entry 0 and every row's unused
// shade 0 black), so the palette holds the glue tables' rows of eight shades in order.
Canvas GlueColorTable();

// The in-game palette; every race's controls share it, each with a ramp of its own.
enum class Race { Terran, Protoss, Zerg };
inline constexpr int InGameSeeThrough = 41; // dialog boxes' fill
Palette InGamePalette();
ControlColors InGameControls(Race race);
ControlColors InGameBox(); // the race-neutral dialog box frame

} // namespace gameart
