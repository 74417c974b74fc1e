// Lays out .fnt bytes by hand, for fonts whose every letter and pixel a test knows.
#pragma once

#include <algorithm>
#include <cstdint>
#include <map>
#include <vector>

namespace tarrox::test {

// Letter records (width, height, x and y offset, pixels) follow the offset table in code
// order; `raw` overrides table entries.
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
