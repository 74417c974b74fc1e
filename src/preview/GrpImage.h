// GRP frame sets of the game's art (dialog controls, tiles, cursors): small 8-bit frames
// without a palette, each placed at an offset inside the set's largest size.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "preview/Palette.h"

namespace tarrox {

struct GrpFrame {
    int X = 0; // drawn at (left + X, top + Y)
    int Y = 0;
    IndexedImage Image; // index 0 is transparent
};

struct GrpImage {
    int MaxWidth = 0;
    int MaxHeight = 0;
    bool RunLength = false; // rows of commands; else width x height bytes a frame
    std::vector<GrpFrame> Frames;
};

// Decodes every frame of a GRP file. Files store their frames either raw or as run-length
// rows and do not say which; the reading that fits every frame is taken. False, with `image`
// unchanged and `error` naming the frame and what is wrong, when neither fits.
bool DecodeGrp(std::span<const uint8_t> bytes, GrpImage& image, std::string& error);

} // namespace tarrox
