// 8-bit pictures of the game's art and the 256-colour palettes that colour them.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace tarrox {

struct PaletteColor {
    uint8_t R = 0;
    uint8_t G = 0;
    uint8_t B = 0;
    bool operator==(const PaletteColor&) const = default;
};

using Palette = std::array<PaletteColor, 256>;

// Width x Height palette indices, row after row.
struct IndexedImage {
    int Width = 0;
    int Height = 0;
    std::vector<uint8_t> Pixels;
};

// The most pixels one decoded file may hold (a 4096 x 4096 picture, 16 MB), checked before
// anything is decoded; the game's largest pictures are 640 x 480.
inline constexpr int64_t ArtPixelLimit = int64_t{4096} * 4096;

// The Surface's 0x00BBGGRR form.
inline uint32_t ColorOf(PaletteColor c) {
    return uint32_t{c.R} | uint32_t{c.G} << 8 | uint32_t{c.B} << 16;
}

// 256 entries of `stride` bytes, red, green and blue first; bytes past the end read as 0.
Palette ReadPalette(std::span<const uint8_t> bytes, size_t stride);

// A tileset's `.wpe` palette: exactly 256 entries of 4 bytes (red, green, blue, unused). False,
// with `error` saying why, for anything else.
bool DecodeWpe(std::span<const uint8_t> bytes, Palette& palette, std::string& error);

// The index a folder's art marks as see-through shadow: the palette's darkest entry by
// brightness, the lowest such index on a tie. Index 0 is left out: it is transparent anyway
// and black in every game palette.
int TranslucentIndex(const Palette& palette);

} // namespace tarrox
