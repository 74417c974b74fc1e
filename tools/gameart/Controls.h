// The pictures of the bundled art: the dialog controls of a `dlg.grp` or `dlgs\<race>.grp`
// frame set, the 3 x 3 tile box and the glue background, as palette indices.
#pragma once

#include <vector>

#include "ArtFiles.h"
#include "Palettes.h"

namespace gameart {

inline constexpr int DialogFrameCount = 148;

// Every frame of a dialog set, at the game's sizes; frames of no known use are 1 x 1 and
// transparent. In-game sets have 16 x 18 frames where glue sets have 16 x 16.
std::vector<Canvas> DialogFrames(const ControlColors& colors, bool inGame);

// The nine 8 x 8 frames of a tile box: top-left, top, top-right, left, centre, right,
// bottom-left, bottom, bottom-right.
std::vector<Canvas> TileFrames(const Ramp& border, uint8_t fill);

// 640 x 480 in the background ramp: rows flat but for a thin frame, so it packs small.
Canvas GlueBackgroundPicture(const Ramp& background);

// Every palette entry once, 16 x 16: the in-game palette's carrier.
Canvas PaletteSwatch();

} // namespace gameart
