// 8-bit RGB PNG images to and from 0x00BBGGRR pixel arrays, through libpng.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace tarrox {

struct RgbImage {
    int Width = 0;
    int Height = 0;
    std::vector<uint32_t> Pixels; // row after row, 0x00BBGGRR
};

// How a picture is packed: zlib's level (0 stored .. 9 smallest and slowest), and whether rows
// are filtered first, which pays for photo-like pictures and only costs time on flat drawings.
struct PngPacking {
    int Level = 1;
    bool FilterRows = false;
};

// A picture of at most 256 colours is written with a palette, any other as R, G, B. Empty when
// the image cannot be written (no pixels, fewer pixels than its size, or a level outside
// 0 .. 9). `pixels` are row after row, 0x00BBGGRR.
std::vector<uint8_t> EncodePng(int width, int height, std::span<const uint32_t> pixels,
                               PngPacking packing = {});
inline std::vector<uint8_t> EncodePng(const RgbImage& image, PngPacking packing = {}) {
    return EncodePng(image.Width, image.Height, image.Pixels, packing);
}

// Reads 8-bit RGB and palette, non-interlaced PNGs (what EncodePng writes, with any row
// filter). False for anything else or any damage, leaving `image` as it was.
bool DecodePng(std::span<const uint8_t> bytes, RgbImage& image);

} // namespace tarrox
