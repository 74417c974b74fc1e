#include "ArtFiles.h"

#include <algorithm>
#include <map>

namespace gameart {

namespace {

constexpr size_t PcxHeaderSize = 128;
constexpr size_t PaletteBytes = 768;
constexpr uint8_t PaletteMarker = 0x0C;
constexpr size_t GrpHeaderSize = 6;
constexpr size_t GrpEntrySize = 8;

void PutU16(Bytes& out, size_t at, uint32_t v) {
    out[at] = uint8_t(v), out[at + 1] = uint8_t(v >> 8);
}

uint32_t U16(const Bytes& b, size_t at) {
    return uint32_t{b[at]} | uint32_t{b[at + 1]} << 8;
}

Bytes GrpHeader(const std::vector<Canvas>& frames, int maxWidth, int maxHeight) {
    Bytes out(GrpHeaderSize + GrpEntrySize * frames.size(), 0);
    PutU16(out, 0, uint32_t(frames.size()));
    PutU16(out, 2, uint32_t(maxWidth));
    PutU16(out, 4, uint32_t(maxHeight));
    return out;
}

void PutEntry(Bytes& out, size_t frame, const Canvas& c, size_t offset) {
    const size_t at = GrpHeaderSize + GrpEntrySize * frame;
    out[at + 2] = uint8_t(c.Width), out[at + 3] = uint8_t(c.Height);
    PutU16(out, at + 4, uint32_t(offset)), PutU16(out, at + 6, uint32_t(offset >> 16));
}

// One row as commands: skips for transparent runs, repeats for three or more alike, copies
// for the rest.
Bytes RunLengthRow(const uint8_t* row, int width) {
    Bytes out;
    for (int x = 0; x < width;) {
        auto same = [&](int from, int limit) {
            int n = 1;
            while (from + n < width && n < limit && row[from + n] == row[from]) ++n;
            return n;
        };
        if (row[x] == 0) {
            const int n = same(x, 127);
            out.push_back(uint8_t(0x80 | n)), x += n;
        } else if (const int run = same(x, 63); run >= 3) {
            out.insert(out.end(), {uint8_t(0x40 | run), row[x]}), x += run;
        } else {
            int n = 0;
            while (x + n < width && n < 63 && row[x + n] != 0 && same(x + n, 3) < 3) ++n;
            n = std::max(n, 1);
            out.push_back(uint8_t(n));
            out.insert(out.end(), row + x, row + x + n);
            x += n;
        }
    }
    return out;
}

std::string FrameError(size_t frame, const std::string& why) {
    return "frame " + std::to_string(frame) + " " + why;
}

} // namespace

Canvas Canvas::Cut(int x, int y, int w, int h) const {
    Canvas part(w, h);
    for (int row = 0; row < h; ++row)
        for (int col = 0; col < w; ++col) part.At(col, row) = At(x + col, y + row);
    return part;
}

Bytes EncodePcx(const Canvas& picture, const Palette& palette) {
    const int lineBytes = picture.Width + picture.Width % 2;
    Bytes out(PcxHeaderSize, 0);
    out[0] = 10; // manufacturer
    out[1] = 5;  // version
    out[2] = 1;  // run-length encoded
    out[3] = 8;  // bits a pixel
    PutU16(out, 8, uint32_t(picture.Width - 1));
    PutU16(out, 10, uint32_t(picture.Height - 1));
    PutU16(out, 12, 72), PutU16(out, 14, 72);
    out[65] = 1; // planes
    PutU16(out, 66, uint32_t(lineBytes));
    out[68] = 1; // colour palette
    for (int y = 0; y < picture.Height; ++y) {
        auto at = [&](int x) { return x < picture.Width ? picture.At(x, y) : uint8_t{0}; };
        for (int x = 0; x < lineBytes;) {
            int n = 1;
            while (x + n < lineBytes && n < 63 && at(x + n) == at(x)) ++n;
            if (n > 1 || at(x) >= 0xC0) out.push_back(uint8_t(0xC0 | n));
            out.push_back(at(x));
            x += n;
        }
    }
    out.push_back(PaletteMarker);
    for (const gamedata::Rgb& c : palette) out.insert(out.end(), {c.R, c.G, c.B});
    return out;
}

Bytes EncodeRawGrp(const std::vector<Canvas>& frames, int maxWidth, int maxHeight) {
    Bytes out = GrpHeader(frames, maxWidth, maxHeight);
    std::map<std::vector<uint8_t>, size_t> stored; // pixels (with their size) -> offset
    for (size_t f = 0; f < frames.size(); ++f) {
        const Canvas& c = frames[f];
        std::vector<uint8_t> key = c.Pixels;
        key.insert(key.end(), {uint8_t(c.Width), uint8_t(c.Height)});
        auto [it, fresh] = stored.emplace(key, out.size());
        if (fresh) out.insert(out.end(), c.Pixels.begin(), c.Pixels.end());
        PutEntry(out, f, c, it->second);
    }
    return out;
}

Bytes EncodeRunLengthGrp(const std::vector<Canvas>& frames, int maxWidth, int maxHeight) {
    Bytes out = GrpHeader(frames, maxWidth, maxHeight);
    for (size_t f = 0; f < frames.size(); ++f) {
        const Canvas& c = frames[f];
        const size_t offset = out.size();
        PutEntry(out, f, c, offset);
        out.resize(out.size() + 2 * size_t(c.Height));
        for (int y = 0; y < c.Height; ++y) {
            PutU16(out, offset + 2 * size_t(y), uint32_t(out.size() - offset));
            const Bytes row = RunLengthRow(&c.Pixels[size_t(y) * c.Width], c.Width);
            out.insert(out.end(), row.begin(), row.end());
        }
    }
    return out;
}

std::string CheckPcx(const Bytes& file, int width, int height) {
    if (file.size() < PcxHeaderSize + PaletteBytes + 1) return "too short";
    if (int(U16(file, 8)) + 1 != width || int(U16(file, 10)) + 1 != height)
        return "the header names another size";
    const size_t lineBytes = U16(file, 66);
    if (lineBytes < size_t(width) || lineBytes % 2) return "bad bytes a line";
    const size_t dataEnd = file.size() - PaletteBytes - 1;
    size_t pos = PcxHeaderSize;
    for (int y = 0; y < height; ++y) {
        for (size_t filled = 0; filled < lineBytes;) {
            if (pos >= dataEnd) return "data ends in line " + std::to_string(y);
            const uint8_t b = file[pos++];
            const size_t n = b >= 0xC0 ? b & 0x3F : 1;
            if (b >= 0xC0) ++pos;
            if (n == 0 || filled + n > lineBytes) return "a run crosses line " + std::to_string(y);
            filled += n;
        }
    }
    if (pos != dataEnd || file[dataEnd] != PaletteMarker)
        return "the palette does not follow the last line";
    return {};
}

std::string CheckGrp(const Bytes& file, const std::vector<Canvas>& frames, bool runLength) {
    const size_t tableEnd = GrpHeaderSize + GrpEntrySize * frames.size();
    if (file.size() < tableEnd || U16(file, 0) != frames.size()) return "bad frame count";
    std::vector<bool> used(file.size(), false);
    auto use = [&](size_t from, size_t count) {
        if (from > file.size() || count > file.size() - from) return false;
        std::fill_n(used.begin() + std::ptrdiff_t(from), count, true);
        return true;
    };
    use(0, tableEnd);
    for (size_t f = 0; f < frames.size(); ++f) {
        const size_t at = GrpHeaderSize + GrpEntrySize * f;
        const size_t w = file[at + 2], h = file[at + 3];
        const size_t offset = U16(file, at + 4) | size_t{U16(file, at + 6)} << 16;
        if (int(w) != frames[f].Width || int(h) != frames[f].Height)
            return FrameError(f, "has the wrong size");
        if (!runLength) {
            if (!use(offset, w * h)) return FrameError(f, "lies outside the file");
            continue;
        }
        if (!use(offset, 2 * h)) return FrameError(f, "has its row table outside the file");
        for (size_t y = 0; y < h; ++y) {
            size_t pos = offset + U16(file, offset + 2 * y);
            for (size_t x = 0; x < w;) {
                if (pos >= file.size()) return FrameError(f, "runs past the file");
                const uint8_t b = file[pos];
                const size_t n = b & 0x80 ? b & 0x7F : b & 0x40 ? b & 0x3F : b;
                const size_t bytes = 1 + (b & 0x80 ? 0 : b & 0x40 ? 1 : n);
                if (n == 0 || x + n > w) return FrameError(f, "has a row not filling its width");
                if (!use(pos, bytes)) return FrameError(f, "runs past the file");
                pos += bytes, x += n;
            }
        }
    }
    if (std::find(used.begin(), used.end(), false) != used.end())
        return "holds bytes no frame uses";
    return {};
}

} // namespace gameart
