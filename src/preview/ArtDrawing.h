// Draws the game's 8-bit art onto the preview's Surface.
#pragma once

#include <cstdint>

#include "preview/Palette.h"

namespace tarrox {

class Surface;
struct GrpFrame;

// Share of what lies underneath kept where art shows its translucent index. How the game
// blends is unknown; half keeps the screen behind a popup readable while the shadow still
// reads as one: a middle way between a near-black shadow and none at all.
inline constexpr int TranslucentKeptPercent = 50;

struct IndexedDrawing {
    bool ZeroTransparent = false;
    int TranslucentIndex = -1; // -1: none; else drawn as the darkened background
};

// Draws the picture with its top-left corner at (x, y), clipped to the surface.
void DrawIndexed(Surface& surface, const IndexedImage& image, const Palette& palette, int64_t x,
                 int64_t y, IndexedDrawing how = {});

// Draws a GRP frame of a set drawn at (x, y): at its offset inside the set, index 0 transparent.
void DrawGrpFrame(Surface& surface, const GrpFrame& frame, const Palette& palette, int64_t x,
                  int64_t y, int translucentIndex = -1);

} // namespace tarrox
