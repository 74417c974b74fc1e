// Lays out .fnt bytes by hand, for fonts whose every letter and pixel a test knows; and lists
// what was drawn.
#pragma once

#include <algorithm>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/Surface.h"

namespace tarrox::test {

// Row by row, "x,y" and the name `name` gives each pixel's colour, but for those named "-".
template <class Name> std::string PixelList(const Surface& s, Name name) {
    std::string out;
    for (int y = 0; y < Surface::Height; ++y)
        for (int x = 0; x < Surface::Width; ++x)
            if (const std::string n = name(s.Pixel(x, y)); n != "-")
                out += (out.empty() ? "" : " ") + std::to_string(x) + "," + std::to_string(y) + n;
    return out;
}

// Letter records (width, height, x, y, pixels) in code order; `raw` overrides table entries.
using Letter = std::vector<uint8_t>;
inline std::vector<uint8_t> FontBytes(uint8_t low, uint8_t high, uint8_t maxHeight,
                                      const std::map<uint8_t, Letter>& letters,
                                      const std::map<uint8_t, int32_t>& raw = {}) {
    std::vector<uint8_t> out = {'F', 'O', 'N', 'T', low, high, 0, maxHeight, 0, 0, 0, 0};
    out.resize(12 + 4 * size_t(std::max(high - low, 0)));
    auto put = [&](uint8_t code, uint32_t v) {
        for (int i = 0; i < 4; ++i) out[12 + 4 * (code - low - 1) + i] = uint8_t(v >> (8 * i));
    };
    for (auto& [code, l] : letters)
        put(code, uint32_t(out.size())), out.insert(out.end(), l.begin(), l.end());
    for (auto [code, v] : raw) put(code, uint32_t(v));
    return out;
}

} // namespace tarrox::test
