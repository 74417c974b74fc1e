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

// Empty when the image cannot be written (no pixels, or fewer pixels than its size).
std::vector<uint8_t> EncodePng(const RgbImage& image);

// Reads 8-bit RGB, non-interlaced PNGs (what EncodePng writes, with any row filter). False
// for anything else or any damage, leaving `image` as it was.
bool DecodePng(std::span<const uint8_t> bytes, RgbImage& image);

} // namespace tarrox
