#include "platform/PngFile.h"

#include <algorithm>
#include <array>
#include <csetjmp>
#include <cstring>
#include <utility>

#include <png.h>

namespace tarrox {

namespace {

// Far larger than any preview; keeps a hostile header from asking for gigabytes.
constexpr int64_t MaxPixels = int64_t{1} << 26;

// libpng reports errors by longjmp back to the setjmp of the call that failed, so the frames
// holding a setjmp below run only C-like code: nothing with a destructor may be skipped.
[[noreturn]] void OnError(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

struct Input {
    const uint8_t* data;
    size_t size;
    size_t pos;
};

void ReadInput(png_structp png, png_bytep out, size_t count) {
    auto* in = static_cast<Input*>(png_get_io_ptr(png));
    if (count > in->size - in->pos) png_error(png, "truncated");
    std::memcpy(out, in->data + in->pos, count);
    in->pos += count;
}

void WriteOutput(png_structp png, png_bytep data, size_t count) {
    auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + count);
}

void FlushOutput(png_structp) {}

bool ReadHeader(png_structp png, png_infop info, Input* in, png_uint_32* width,
                png_uint_32* height) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_set_read_fn(png, in, ReadInput);
    png_read_info(png, info);
    int depth = 0, colorType = 0, interlace = 0;
    png_get_IHDR(png, info, width, height, &depth, &colorType, &interlace, nullptr, nullptr);
    if (depth != 8 || interlace != PNG_INTERLACE_NONE) return false;
    if (colorType == PNG_COLOR_TYPE_RGB) return true;
    // A palette without transparency reads as the R, G, B it stands for.
    if (colorType != PNG_COLOR_TYPE_PALETTE || png_get_valid(png, info, PNG_INFO_tRNS))
        return false;
    png_set_palette_to_rgb(png);
    png_read_update_info(png, info);
    return true;
}

bool ReadRows(png_structp png, png_bytepp rows) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_read_image(png, rows);
    return true;
}

// One row of 0x00BBGGRR pixels as packed R, G, B bytes.
void PackRow(const uint32_t* pixels, size_t width, uint8_t* out) {
    for (size_t x = 0; x < width; ++x) {
        out[x * 3] = uint8_t(pixels[x]);
        out[x * 3 + 1] = uint8_t(pixels[x] >> 8);
        out[x * 3 + 2] = uint8_t(pixels[x] >> 16);
    }
}

// A picture of at most 256 colours as indices into its palette: a third of the bytes of R, G,
// B, so it deflates about three times as fast, and smaller. The indices are made a row at a
// time as rows are written: a whole picture of them is a third of a megabyte of fresh memory,
// which costs a short run more to fault in than to work out twice.
class Palette {
  public:
    std::vector<png_color> Colors;

    // The colour's index, added when new; -1 when it would be the 257th.
    int IndexOf(uint32_t color) {
        size_t slot = (color * 2654435761u) >> 22;
        while (indices_[slot] >= 0 && colors_[slot] != color) slot = (slot + 1) % Slots;
        if (indices_[slot] < 0) {
            if (Colors.size() == 256) return -1;
            colors_[slot] = color;
            indices_[slot] = int16_t(Colors.size());
            Colors.push_back({uint8_t(color), uint8_t(color >> 8), uint8_t(color >> 16)});
        }
        return indices_[slot];
    }

  private:
    // Open addressing in a table four times the largest palette keeps probes short.
    static constexpr size_t Slots = 1024;
    std::array<uint32_t, Slots> colors_{};
    std::array<int16_t, Slots> indices_ = FilledWithNone();
    static std::array<int16_t, Slots> FilledWithNone() {
        std::array<int16_t, Slots> none;
        none.fill(-1);
        return none;
    }
};

constexpr uint32_t ColorBits = 0xFFFFFF;
// Pixels compared at once where a row runs in one colour.
constexpr size_t Block = 16;

// Whether the Block pixels at `pixels` all have colour `c`.
bool FlatBlock(const uint32_t* pixels, uint32_t c) {
    uint32_t differ = 0;
    for (size_t k = 0; k < Block; ++k) differ |= pixels[k] ^ c;
    return (differ & ColorBits) == 0;
}

// One row as indices into the palette, adding the colours it lacks; false when that would make
// more than 256. Most pixels repeat the one before: whole blocks of them are taken at once.
bool IndexRow(const uint32_t* pixels, size_t width, Palette& palette, uint8_t* out) {
    uint32_t last = pixels[0] & ColorBits;
    int index = palette.IndexOf(last);
    if (index < 0) return false;
    for (size_t x = 0; x < width;) {
        if (x + Block <= width && FlatBlock(pixels + x, last)) {
            std::memset(out + x, index, Block);
            x += Block;
            continue;
        }
        for (const size_t end = std::min(x + Block, width); x < end; ++x) {
            const uint32_t c = pixels[x] & ColorBits;
            if (c != last) {
                index = palette.IndexOf(c);
                if (index < 0) return false;
                last = c;
            }
            out[x] = uint8_t(index);
        }
    }
    return true;
}

// Flat areas make most of a preview, so most rows repeat the one above; their bytes are made
// once.
bool SameAsRowAbove(const uint32_t* row, size_t width, size_t y) {
    return y > 0 && std::memcmp(row - width, row, width * sizeof *row) == 0;
}

// False when the picture has more than 256 colours. `row` is scratch for one row of indices.
bool CollectPalette(const uint32_t* pixels, size_t width, size_t height, Palette& palette,
                    uint8_t* row) {
    for (size_t y = 0; y < height; ++y)
        if (!SameAsRowAbove(pixels + y * width, width, y) &&
            !IndexRow(pixels + y * width, width, palette, row))
            return false;
    return true;
}

// Writes the picture through its palette when `palette` is given, else as R, G, B; a row at a
// time through `row`, so no copy of the whole picture is made.
bool WriteImage(png_structp png, png_infop info, png_uint_32 width, png_uint_32 height,
                const uint32_t* pixels, Palette* palette, PngPacking packing, uint8_t* row,
                std::vector<uint8_t>* out) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_set_write_fn(png, out, WriteOutput, FlushOutput);
    png_set_IHDR(png, info, width, height, 8, palette ? PNG_COLOR_TYPE_PALETTE : PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (palette) {
        png_set_PLTE(png, info, palette->Colors.data(), int(palette->Colors.size()));
        // Every index comes from the palette; libpng would check each byte again.
        png_set_check_for_invalid_index(png, 0);
    }
    png_set_compression_level(png, packing.Level);
    // Filters predict colour values; a palette's indices are no such values.
    if (palette || !packing.FilterRows) png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
    png_write_info(png, info);
    for (png_uint_32 y = 0; y < height; ++y) {
        const uint32_t* source = pixels + size_t(y) * width;
        // A row like the one above finds its bytes in `row` already.
        if (!SameAsRowAbove(source, width, y)) {
            if (palette)
                IndexRow(source, width, *palette, row);
            else
                PackRow(source, width, row);
        }
        png_write_row(png, row);
    }
    png_write_end(png, nullptr);
    return true;
}

// Rows of packed R, G, B bytes and the row pointers libpng wants over them.
struct RowBuffer {
    std::vector<uint8_t> bytes;
    std::vector<png_bytep> rows;

    RowBuffer(size_t width, size_t height) : bytes(width * height * 3), rows(height) {
        for (size_t y = 0; y < height; ++y) rows[y] = bytes.data() + y * width * 3;
    }
};

} // namespace

std::vector<uint8_t> EncodePng(int width, int height, std::span<const uint32_t> pixels,
                               PngPacking packing) {
    if (width <= 0 || height <= 0 || int64_t{width} * height > int64_t(pixels.size()) ||
        packing.Level < 0 || packing.Level > 9)
        return {};
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, OnError, OnWarning);
    if (!png) return {};
    png_infop info = png_create_info_struct(png);
    Palette palette;
    std::vector<uint8_t> row(size_t(width) * 3), out;
    const bool fewColors =
        CollectPalette(pixels.data(), size_t(width), size_t(height), palette, row.data());
    const bool written =
        info && WriteImage(png, info, png_uint_32(width), png_uint_32(height), pixels.data(),
                           fewColors ? &palette : nullptr, packing, row.data(), &out);
    png_destroy_write_struct(&png, &info);
    return written ? out : std::vector<uint8_t>{};
}

bool DecodePng(std::span<const uint8_t> bytes, RgbImage& image) {
    if (bytes.size() < 8 || png_sig_cmp(bytes.data(), 0, 8) != 0) return false;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, OnError, OnWarning);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    Input in{bytes.data(), bytes.size(), 0};
    png_uint_32 width = 0, height = 0;
    bool ok = info && ReadHeader(png, info, &in, &width, &height) && width > 0 && height > 0 &&
              int64_t{width} * height <= MaxPixels;
    // Built aside so damage found late leaves the caller's image as it was.
    RgbImage decoded;
    if (ok) {
        RowBuffer buffer(width, height);
        ok = ReadRows(png, buffer.rows.data());
        if (ok) {
            decoded = {int(width), int(height), std::vector<uint32_t>(size_t(width) * height)};
            for (size_t i = 0; i < decoded.Pixels.size(); ++i)
                decoded.Pixels[i] = uint32_t{buffer.bytes[i * 3]} |
                                    uint32_t{buffer.bytes[i * 3 + 1]} << 8 |
                                    uint32_t{buffer.bytes[i * 3 + 2]} << 16;
        }
    }
    png_destroy_read_struct(&png, &info, nullptr);
    if (ok) image = std::move(decoded);
    return ok;
}

} // namespace tarrox
