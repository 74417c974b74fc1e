// The game's art formats read from untrusted bytes: PCX pictures, GRP frame sets, palettes.
#include <gtest/gtest.h>

#include "preview/GrpImage.h"
#include "preview/PcxImage.h"
#include "support/ArtBuilder.h"

namespace tarrox {
namespace {

using test::PcxFile;
using Bytes = std::vector<uint8_t>;

// "WxH a,b,c/d,e,f" with the palette's presence, or the error.
std::string Pixels(const IndexedImage& image) {
    std::string out = std::to_string(image.Width) + "x" + std::to_string(image.Height);
    for (size_t i = 0; i < image.Pixels.size(); ++i)
        out.append(i == 0            ? " "
                   : i % image.Width ? ","
                                     : "/")
            .append(std::to_string(image.Pixels[i]));
    return out;
}

std::string DecodedPcx(const Bytes& bytes) {
    PcxImage image;
    std::string error;
    if (!DecodePcx(bytes, image, error)) return error;
    if (image.HasPalette && image.Colors != test::TestPalette()) return "wrong palette";
    return Pixels(image.Image) + (image.HasPalette ? " +palette" : "");
}

Bytes WithByte(Bytes b, size_t at, uint8_t value) {
    b[at] = value;
    return b;
}

TEST(PcxImage, DecodesLinesOfAnyLengthAndRefusesWhatIsNotAWholePicture) {
    const Palette palette = test::TestPalette();
    const Bytes plain = PcxFile(3, 2, 3, {1, 2, 3, 0xC3, 9}, &palette);
    const struct {
        Bytes File;
        std::string Expected;
    } cases[] = {
        {plain, "3x2 1,2,3/9,9,9 +palette"},
        // Padding bytes at each line's end are dropped; a literal >= 0xC0 needs a run of one.
        {PcxFile(3, 2, 5, {1, 2, 0xC1, 0xC8, 0xC2, 0, 0xC3, 4, 0xC2, 7}, &palette),
         "3x2 1,2,200/4,4,4 +palette"},
        // A run going on past a line's end into the next, and one past the last line, cut off.
        {PcxFile(3, 2, 4, {0xC6, 7, 1, 0xC9, 2}, &palette), "3x2 7,7,7/7,7,1 +palette"},
        // Data ending early; a run cut off by the end of the file.
        {PcxFile(3, 2, 3, {1, 2, 3, 4}, nullptr), "its pixel data ends after 1 of 2 lines"},
        {PcxFile(1, 1, 1, {0xC1}, nullptr), "its pixel data ends after 0 of 1 lines"},
        // No marker, or not where a palette ends the file: a picture without a palette.
        {PcxFile(3, 2, 3, {1, 2, 3, 0xC3, 9}, &palette, 0x0B), "3x2 1,2,3/9,9,9"},
        {PcxFile(3, 2, 3, {1, 2, 3, 0xC3, 9}, nullptr), "3x2 1,2,3/9,9,9"},
        // Bytes between the data and the palette, as some writers leave.
        {PcxFile(3, 2, 3, {1, 2, 3, 0xC3, 9, 0, 0}, &palette), "3x2 1,2,3/9,9,9 +palette"},
        {Bytes(plain.begin(), plain.end() - 1), "3x2 1,2,3/9,9,9"},
        {Bytes(plain.begin(), plain.begin() + 127), "it has no PCX header"},
        {WithByte(plain, 0, 11), "it has no PCX header"},
        {WithByte(plain, 2, 0), "its pixels are not run-length encoded"},
        {WithByte(plain, 3, 4), "it has 4 bits a pixel in 1 planes, not 8 in 1"},
        {WithByte(plain, 65, 3), "it has 8 bits a pixel in 3 planes, not 8 in 1"},
        {WithByte(plain, 4, 5), "its size is -2 x 2 pixels"},
        {PcxFile(4097, 1, 4097, {}, nullptr),
         "it is 4097 x 1 pixels, more than the 4096 x 4096 drawn"},
        {PcxFile(3, 2, 2, {}, nullptr), "its lines of 2 bytes cannot hold 3 pixels"},
        {PcxFile(4096, 4096, 4096, {0xFF, 1}, nullptr),
         "its pixel data is too short for 4096 x 4096 pixels"},
    };
    for (const auto& c : cases) EXPECT_EQ(DecodedPcx(c.File), c.Expected) << c.Expected;
}

std::string DecodedGrp(const Bytes& bytes) {
    GrpImage image;
    std::string error;
    if (!DecodeGrp(bytes, image, error)) return error;
    std::string out = image.RunLength ? "rle" : "raw";
    for (const GrpFrame& f : image.Frames)
        out += " (" + std::to_string(f.X) + "," + std::to_string(f.Y) + ") " + Pixels(f.Image);
    return out;
}

// Frames given by their table entries {x, y, w, h, offset} and the bytes after the table.
Bytes GrpLayout(const std::vector<std::array<uint32_t, 5>>& frames, const Bytes& data) {
    Bytes out(6 + 8 * frames.size());
    test::PutU16(out, 0, uint32_t(frames.size()));
    for (size_t f = 0; f < frames.size(); ++f) {
        const auto [x, y, w, h, offset] = frames[f];
        const size_t at = 6 + 8 * f;
        out[at] = uint8_t(x), out[at + 1] = uint8_t(y), out[at + 2] = uint8_t(w);
        out[at + 3] = uint8_t(h);
        test::PutU16(out, at + 4, offset), test::PutU16(out, at + 6, offset >> 16);
    }
    out.insert(out.end(), data.begin(), data.end());
    return out;
}

TEST(GrpImage, TakesTheReadingThatFitsEveryFrameAndNamesWhereNeitherDoes) {
    const std::vector<test::TestFrame> frames = {{1, 2, 3, 2, {0, 0, 5, 6, 6, 6}},
                                                 {0, 4, 4, 1, {7, 8, 9, 0}}};
    const std::string decoded = " (1,2) 3x2 0,0,5/6,6,6 (0,4) 4x1 7,8,9,0";
    const struct {
        Bytes File;
        std::string Expected;
    } cases[] = {
        {test::GrpFile(frames, false), "raw" + decoded},
        {test::GrpFile(frames, true), "rle" + decoded},
        // Two frames sharing their bytes.
        {GrpLayout({{0, 0, 2, 1, 22}, {3, 3, 1, 2, 22}}, {4, 5}),
         "raw (0,0) 2x1 4,5 (3,3) 1x2 4/5"},
        {GrpLayout({{0, 0, 1, 1, 14}}, {4}), "raw (0,0) 1x1 4"},
        {GrpLayout({{0, 0, 2, 2, 22}, {0, 0, 2, 1, 25}}, {1, 2, 3, 4}),
         "frame 1 (2 x 1 at byte 25) lies outside the file"},
        {GrpLayout({{0, 0, 1, 1, 0x10000}}, {}),
         "frame 0 (1 x 1 at byte 65536) lies outside the file"},
        // 20 x 1 frames too short for raw bytes: a row filling one pixel more than its frame,
        // a row off the end, a command of no pixels.
        {GrpLayout({{0, 0, 20, 1, 14}}, {2, 0, 0x8A, 0x4B, 5}),
         "frame 0, row 0 overflows the frame's width of 20"},
        {GrpLayout({{0, 0, 20, 1, 14}}, {2, 0, 0x8A}),
         "frame 0, row 0 runs past the end of the file"},
        {GrpLayout({{0, 0, 20, 1, 14}}, {2, 0, 0x80, 0x94}),
         "frame 0, row 0 holds a command of no pixels"},
        // Where both readings fit, the stricter one is meant.
        {GrpLayout({{0, 0, 3, 1, 14}}, {2, 0, 0x82, 1, 5}), "rle (0,0) 3x1 0,0,5"},
        {GrpLayout({}, {}), "it holds no frames"},
        {Bytes{1, 0, 0, 0, 0}, "it is too short for a GRP header"},
        {Bytes(13, 0x01), "its table of 257 frames runs past the end of the file"},
        // Every frame the largest, all on one byte: far more pixels than the file holds.
        {GrpLayout(std::vector<std::array<uint32_t, 5>>(259, {0, 0, 255, 255, 0}), {}),
         "its frames hold 16841475 pixels, more than the 16777216 drawn"},
    };
    for (const auto& c : cases) EXPECT_EQ(DecodedGrp(c.File), c.Expected) << c.Expected;
}

TEST(Palette, TheTranslucentIndexIsTheDarkestEntryButZero) {
    auto with = [](std::vector<std::pair<int, PaletteColor>> entries) {
        Palette p;
        p.fill({200, 200, 200});
        for (auto [i, c] : entries) p[i] = c;
        return p;
    };
    const struct {
        Palette Colors;
        int Expected;
    } cases[] = {
        {with({{0, {0, 0, 0}}, {254, {0, 0, 0}}, {255, {255, 255, 255}}}), 254},
        {with({{42, {10, 10, 10}}, {138, {10, 10, 10}}}), 42},
        // Blue weighs least: a blue of 60 is darker than a green of 30.
        {with({{9, {0, 30, 0}}, {95, {0, 0, 60}}}), 95},
        {with({}), 1},
    };
    for (const auto& c : cases) EXPECT_EQ(TranslucentIndex(c.Colors), c.Expected);

    Bytes wpe(1024);
    for (size_t i = 0; i < wpe.size(); ++i) wpe[i] = uint8_t(i % 4 == 3 ? 0xEE : i / 4 + i % 4);
    Palette read;
    std::string error;
    ASSERT_TRUE(DecodeWpe(wpe, read, error));
    EXPECT_EQ(read[0], (PaletteColor{0, 1, 2}));
    EXPECT_EQ(read[255], (PaletteColor{255, 0, 1}));
    wpe.pop_back();
    EXPECT_FALSE(DecodeWpe(wpe, read, error));
    EXPECT_EQ(error, "it holds 1023 bytes, not the 1024 of a palette");
    wpe.resize(1025); // a longer file is no palette either
    EXPECT_FALSE(DecodeWpe(wpe, read, error));
}

} // namespace
} // namespace tarrox
