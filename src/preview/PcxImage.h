// The PCX pictures of the game's art: 8 bits a pixel in one plane, run-length encoded, with
// the 256-colour palette after the image data.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "preview/Palette.h"

namespace tarrox {

struct PcxImage {
    IndexedImage Image;
    Palette Colors{};        // all black without a palette
    bool HasPalette = false; // the 0x0C marker and 768 bytes end the file
};

// Decodes a whole PCX picture of at most 4096 x 4096 pixels. False, with `image` unchanged and
// `error` saying what is wrong ("its pixel data ends after 12 of 480 lines"), for anything
// else. A missing palette is no error: the picture is drawn with its folder's.
bool DecodePcx(std::span<const uint8_t> bytes, PcxImage& image, std::string& error);

} // namespace tarrox
