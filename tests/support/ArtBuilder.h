// Game art in the game's formats, made by hand for tests and benchmarks.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "preview/Palette.h"

namespace tarrox::test {

inline void PutU16(std::vector<uint8_t>& out, size_t at, uint32_t v) {
    out[at] = uint8_t(v), out[at + 1] = uint8_t(v >> 8);
}

// Palette entry i is (i, 255 - i, i / 2): every index its own colour.
inline Palette TestPalette() {
    Palette p;
    for (int i = 0; i < 256; ++i) p[i] = {uint8_t(i), uint8_t(255 - i), uint8_t(i / 2)};
    return p;
}

// A w x h PCX of `data` as given, then a palette behind `marker` unless `palette` is null.
inline std::vector<uint8_t> PcxFile(int w, int h, int lineBytes, const std::vector<uint8_t>& data,
                                    const Palette* palette, uint8_t marker = 0x0C) {
    std::vector<uint8_t> out(128, 0);
    out[0] = 10, out[1] = 5, out[2] = 1, out[3] = 8, out[65] = 1;
    PutU16(out, 8, uint32_t(w - 1)), PutU16(out, 10, uint32_t(h - 1));
    PutU16(out, 66, uint32_t(lineBytes));
    for (uint8_t b : data) out.push_back(b);
    if (palette) {
        out.push_back(marker);
        for (PaletteColor c : *palette) out.insert(out.end(), {c.R, c.G, c.B});
    }
    return out;
}

// The pixels run-length encoded a line at a time, each line padded to an even length.
inline std::vector<uint8_t> EncodePcx(int w, int h, std::span<const uint8_t> pixels,
                                      const Palette& palette) {
    const int lineBytes = w + w % 2;
    std::vector<uint8_t> data;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < lineBytes;) {
            auto at = [&](int i) { return i < w ? pixels[size_t(y) * w + i] : uint8_t{0}; };
            int n = 1;
            while (x + n < lineBytes && n < 63 && at(x + n) == at(x)) ++n;
            if (n > 1 || at(x) >= 0xC0) data.push_back(uint8_t(0xC0 | n));
            data.push_back(at(x));
            x += n;
        }
    }
    return PcxFile(w, h, lineBytes, data, &palette);
}

struct TestFrame {
    int X, Y, Width, Height;
    std::vector<uint8_t> Pixels; // index 0 transparent
};

// One row as commands: skips for 0, repeats for three or more alike, copies for the rest.
inline std::vector<uint8_t> GrpRow(std::span<const uint8_t> row) {
    std::vector<uint8_t> out;
    for (size_t x = 0; x < row.size();) {
        size_t n = 1;
        while (x + n < row.size() && row[x + n] == row[x] && n < (row[x] ? 63u : 127u)) ++n;
        if (row[x] == 0) {
            out.push_back(uint8_t(0x80 | n));
        } else if (n >= 3) {
            out.insert(out.end(), {uint8_t(0x40 | n), row[x]});
        } else {
            n = 0;
            while (x + n < row.size() && n < 63 && row[x + n] &&
                   !(x + n + 2 < row.size() && row[x + n] == row[x + n + 1] &&
                     row[x + n] == row[x + n + 2]))
                ++n;
            n = std::max<size_t>(n, 1);
            out.push_back(uint8_t(n));
            out.insert(out.end(), row.begin() + x, row.begin() + x + n);
        }
        x += n;
    }
    return out;
}

// A GRP file of the frames, raw or as run-length rows, each frame's data after the last.
inline std::vector<uint8_t> GrpFile(const std::vector<TestFrame>& frames, bool runLength,
                                    int maxWidth = 256, int maxHeight = 128) {
    std::vector<uint8_t> out(6 + 8 * frames.size());
    PutU16(out, 0, uint32_t(frames.size())), PutU16(out, 2, uint32_t(maxWidth));
    PutU16(out, 4, uint32_t(maxHeight));
    for (size_t f = 0; f < frames.size(); ++f) {
        const TestFrame& t = frames[f];
        const size_t entry = 6 + 8 * f, offset = out.size();
        out[entry] = uint8_t(t.X), out[entry + 1] = uint8_t(t.Y);
        out[entry + 2] = uint8_t(t.Width), out[entry + 3] = uint8_t(t.Height);
        PutU16(out, entry + 4, uint32_t(offset)), PutU16(out, entry + 6, uint32_t(offset >> 16));
        if (!runLength) {
            out.insert(out.end(), t.Pixels.begin(), t.Pixels.end());
            continue;
        }
        out.resize(out.size() + 2 * size_t(t.Height));
        for (int y = 0; y < t.Height; ++y) {
            PutU16(out, offset + 2 * size_t(y), uint32_t(out.size() - offset));
            const auto row = GrpRow({t.Pixels.data() + size_t(y) * t.Width, size_t(t.Width)});
            out.insert(out.end(), row.begin(), row.end());
        }
    }
    return out;
}

} // namespace tarrox::test
