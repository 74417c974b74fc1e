#include "preview/GrpImage.h"

#include <algorithm>
#include <optional>

namespace tarrox {

namespace {

constexpr size_t HeaderSize = 6;
constexpr size_t EntrySize = 8;

uint32_t ReadU16(std::span<const uint8_t> b, size_t at) {
    return uint32_t{b[at]} | uint32_t{b[at + 1]} << 8;
}

struct FrameEntry {
    int X, Y, Width, Height;
    size_t Offset;
};

// Where a reading stopped fitting the file. `Depth` orders two misfits: the reading that got
// further into the file is the one the file was meant as, so its complaint is the one shown.
struct Misfit {
    size_t Depth;
    std::string Why;
};

std::string FrameName(size_t frame) {
    return "frame " + std::to_string(frame);
}

// Raw frames: width x height bytes at the offset.
std::optional<Misfit> ReadRaw(std::span<const uint8_t> bytes,
                              const std::vector<FrameEntry>& entries,
                              std::vector<GrpFrame>& frames) {
    for (size_t f = 0; f < entries.size(); ++f) {
        const FrameEntry& e = entries[f];
        const size_t size = size_t(e.Width) * size_t(e.Height);
        if (e.Offset > bytes.size() || size > bytes.size() - e.Offset)
            return Misfit{2 * f, FrameName(f) + " (" + std::to_string(e.Width) + " x " +
                                     std::to_string(e.Height) + " at byte " +
                                     std::to_string(e.Offset) + ") lies outside the file"};
        const auto start = bytes.begin() + std::ptrdiff_t(e.Offset);
        frames.push_back({e.X, e.Y, {e.Width, e.Height, {start, start + std::ptrdiff_t(size)}}});
    }
    return std::nullopt;
}

// Run-length frames: a table of `height` row offsets from the frame's offset, then each row
// as commands that must fill the width exactly. A command of no pixels is refused: no writer
// makes one, and allowing them would let one row take as long as the file to read.
std::optional<Misfit> ReadRunLength(std::span<const uint8_t> bytes,
                                    const std::vector<FrameEntry>& entries,
                                    std::vector<GrpFrame>& frames) {
    for (size_t f = 0; f < entries.size(); ++f) {
        const FrameEntry& e = entries[f];
        const size_t w = size_t(e.Width);
        if (e.Offset > bytes.size() || 2 * size_t(e.Height) > bytes.size() - e.Offset)
            return Misfit{2 * f, FrameName(f) + "'s row table lies outside the file"};
        std::vector<uint8_t> pixels(w * size_t(e.Height));
        for (size_t row = 0; row < size_t(e.Height); ++row) {
            const std::string where = FrameName(f) + ", row " + std::to_string(row);
            auto misfit = [&](const std::string& why) { return Misfit{2 * f + 1, where + why}; };
            size_t pos = e.Offset + ReadU16(bytes, e.Offset + 2 * row);
            uint8_t* out = pixels.data() + row * w;
            for (size_t x = 0; x < w;) {
                if (pos >= bytes.size()) return misfit(" runs past the end of the file");
                const uint8_t b = bytes[pos++];
                const size_t count = b & 0x80 ? b & 0x7F : b & 0x40 ? b & 0x3F : b;
                if (count == 0) return misfit(" holds a command of no pixels");
                if (count > w - x)
                    return misfit(" overflows the frame's width of " + std::to_string(w));
                const size_t needed = b & 0x80 ? 0 : b & 0x40 ? 1 : count;
                if (needed > bytes.size() - pos) return misfit(" runs past the end of the file");
                if (b & 0x40 && !(b & 0x80))
                    std::fill_n(out + x, count, bytes[pos]);
                else if (!(b & 0x80))
                    std::copy_n(bytes.begin() + std::ptrdiff_t(pos), count, out + x);
                pos += needed, x += count;
            }
        }
        frames.push_back({e.X, e.Y, {e.Width, e.Height, std::move(pixels)}});
    }
    return std::nullopt;
}

bool Fail(std::string& error, std::string why) {
    error = std::move(why);
    return false;
}

} // namespace

bool DecodeGrp(std::span<const uint8_t> bytes, GrpImage& image, std::string& error) {
    if (bytes.size() < HeaderSize) return Fail(error, "it is too short for a GRP header");
    const size_t count = ReadU16(bytes, 0);
    if (count == 0) return Fail(error, "it holds no frames");
    if (count > (bytes.size() - HeaderSize) / EntrySize)
        return Fail(error, "its table of " + std::to_string(count) +
                               " frames runs past the end "
                               "of the file");
    std::vector<FrameEntry> entries;
    int64_t pixels = 0;
    for (size_t f = 0; f < count; ++f) {
        const size_t at = HeaderSize + f * EntrySize;
        entries.push_back({bytes[at], bytes[at + 1], bytes[at + 2], bytes[at + 3],
                           ReadU16(bytes, at + 4) | size_t{ReadU16(bytes, at + 6)} << 16});
        pixels += int64_t{bytes[at + 2]} * bytes[at + 3];
    }
    // Frames may share their bytes, so a small file can name far more pixels than it holds.
    if (pixels > ArtPixelLimit)
        return Fail(error, "its frames hold " + std::to_string(pixels) +
                               " pixels, more than the 16777216 drawn");

    std::vector<GrpFrame> frames;
    const std::optional<Misfit> runLength = ReadRunLength(bytes, entries, frames);
    if (runLength) {
        frames.clear();
        const std::optional<Misfit> raw = ReadRaw(bytes, entries, frames);
        if (raw) return Fail(error, (raw->Depth >= runLength->Depth ? raw : runLength)->Why);
    }
    image = {int(ReadU16(bytes, 2)), int(ReadU16(bytes, 4)), !runLength, std::move(frames)};
    return true;
}

} // namespace tarrox
