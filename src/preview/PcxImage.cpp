#include "preview/PcxImage.h"

#include <algorithm>

namespace tarrox {

namespace {

constexpr size_t HeaderSize = 128;
constexpr size_t PaletteBytes = 768;
constexpr uint8_t PaletteMarker = 0x0C;
constexpr int64_t SideLimit = 4096;

int64_t ReadI16(std::span<const uint8_t> b, size_t at) {
    return static_cast<int16_t>(uint16_t{b[at]} | uint16_t{b[at + 1]} << 8);
}

bool Fail(std::string& error, std::string why) {
    error = std::move(why);
    return false;
}

} // namespace

bool DecodePcx(std::span<const uint8_t> bytes, PcxImage& image, std::string& error) {
    if (bytes.size() < HeaderSize || bytes[0] != 10) return Fail(error, "it has no PCX header");
    if (bytes[2] != 1) return Fail(error, "its pixels are not run-length encoded");
    if (bytes[3] != 8 || bytes[65] != 1)
        return Fail(error, "it has " + std::to_string(bytes[3]) + " bits a pixel in " +
                               std::to_string(bytes[65]) + " planes, not 8 in 1");
    const int64_t width = ReadI16(bytes, 8) - ReadI16(bytes, 4) + 1;
    const int64_t height = ReadI16(bytes, 10) - ReadI16(bytes, 6) + 1;
    const int64_t lineBytes = uint16_t{bytes[66]} | uint16_t{bytes[67]} << 8;
    const std::string size = std::to_string(width) + " x " + std::to_string(height);
    if (width < 1 || height < 1) return Fail(error, "its size is " + size + " pixels");
    if (width > SideLimit || height > SideLimit)
        return Fail(error, "it is " + size + " pixels, more than the 4096 x 4096 drawn");
    if (lineBytes < width)
        return Fail(error, "its lines of " + std::to_string(lineBytes) + " bytes cannot hold " +
                               std::to_string(width) + " pixels");
    // A run gives at most 63 bytes: a short file cannot fill a large picture, so it is refused
    // before the picture's memory is taken.
    if (int64_t(bytes.size() - HeaderSize) * 63 < lineBytes * height)
        return Fail(error, "its pixel data is too short for " + size + " pixels");

    // The data is read as one stream of lineBytes x height bytes, cut into lines afterwards,
    // dropping each line's padding. Careful writers end every run at a line's end, but several
    // let a run go on into the next line; reading the stream as a whole draws both right. A
    // run past the last line is cut off there.
    std::vector<uint8_t> pixels(size_t(width * height));
    int64_t line = 0, column = 0;
    auto put = [&](uint8_t value, int64_t count) {
        while (count > 0 && line < height) {
            const int64_t n = std::min(count, lineBytes - column);
            if (column < width)
                std::fill_n(pixels.begin() + line * width + column, std::min(n, width - column),
                            value);
            column += n, count -= n;
            if (column == lineBytes) column = 0, ++line;
        }
    };
    size_t pos = HeaderSize;
    while (line < height && pos < bytes.size()) {
        const uint8_t b = bytes[pos++];
        if (b < 0xC0 && column < width - 1) // most of a painted picture: one pixel inside a line
            pixels[size_t(line * width + column++)] = b;
        else if (b < 0xC0)
            put(b, 1);
        else if (pos < bytes.size())
            put(bytes[pos++], b & 0x3F);
    }
    if (line < height)
        return Fail(error, "its pixel data ends after " + std::to_string(line) + " of " +
                               std::to_string(height) + " lines");

    image.Image = {int(width), int(height), std::move(pixels)};
    image.HasPalette = bytes.size() - pos >= PaletteBytes + 1 &&
                       bytes[bytes.size() - PaletteBytes - 1] == PaletteMarker;
    image.Colors = image.HasPalette ? ReadPalette(bytes.last(PaletteBytes), 3) : Palette{};
    return true;
}

} // namespace tarrox
