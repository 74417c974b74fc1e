#include "preview/Palette.h"

namespace tarrox {

Palette ReadPalette(std::span<const uint8_t> bytes, size_t stride) {
    Palette palette{};
    auto at = [&](size_t i) { return i < bytes.size() ? bytes[i] : uint8_t{0}; };
    for (size_t i = 0; i < palette.size(); ++i)
        palette[i] = {at(i * stride), at(i * stride + 1), at(i * stride + 2)};
    return palette;
}

bool DecodeWpe(std::span<const uint8_t> bytes, Palette& palette, std::string& error) {
    constexpr size_t WpeSize = 256 * 4;
    if (bytes.size() != WpeSize) {
        error = "it holds " + std::to_string(bytes.size()) + " bytes, not the 1024 of a palette";
        return false;
    }
    palette = ReadPalette(bytes, 4);
    return true;
}

int TranslucentIndex(const Palette& palette) {
    // Perceived brightness (ITU-R BT.601 weights): a dark blue is darker than a dark green.
    auto brightness = [](PaletteColor c) { return 299 * c.R + 587 * c.G + 114 * c.B; };
    int darkest = 1;
    for (int i = 2; i < int(palette.size()); ++i)
        if (brightness(palette[i]) < brightness(palette[darkest])) darkest = i;
    return darkest;
}

} // namespace tarrox
