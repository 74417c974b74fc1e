// The game's art formats as the generator writes them: 8-bit run-length PCX pictures with a
// 256-colour palette, and GRP frame sets raw or as run-length rows. Each writer has a check
// that walks the written bytes the way a reader must, so a file that would not read back is
// caught before it is committed.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "GameColors.h"

namespace gameart {

using Bytes = std::vector<uint8_t>;
using Palette = std::array<gamedata::Rgb, 256>;

// Width x Height palette indices, row after row; index 0 is transparent in GRP frames.
struct Canvas {
    int Width = 0;
    int Height = 0;
    std::vector<uint8_t> Pixels;

    Canvas(int width, int height) : Width(width), Height(height), Pixels(size_t(width) * height) {}
    uint8_t& At(int x, int y) { return Pixels[size_t(y) * Width + x]; }
    uint8_t At(int x, int y) const { return Pixels[size_t(y) * Width + x]; }
    // The w x h part at (x, y).
    Canvas Cut(int x, int y, int w, int h) const;
};

// Lines of an even number of bytes, runs never crossing a line, the palette after 0x0C.
Bytes EncodePcx(const Canvas& picture, const Palette& palette);

// Frames at offset (0, 0) in a set whose header names maxWidth x maxHeight. Raw frames with
// the same pixels share their bytes.
Bytes EncodeRawGrp(const std::vector<Canvas>& frames, int maxWidth, int maxHeight);
Bytes EncodeRunLengthGrp(const std::vector<Canvas>& frames, int maxWidth, int maxHeight);

// Empty when the bytes are the PCX of a width x height picture whose data fills exactly its
// lines and is followed by exactly the palette; else what is wrong.
std::string CheckPcx(const Bytes& file, int width, int height);

// Empty when the bytes are a GRP of exactly these frame sizes whose frames (raw: width x
// height bytes; run-length: rows that fill the width exactly) lie in the file and together
// use every byte after the header; else what is wrong.
std::string CheckGrp(const Bytes& file, const std::vector<Canvas>& frames, bool runLength);

} // namespace gameart
