#include <gtest/gtest.h>

#include "platform/PngFile.h"

namespace tarrox {
namespace {

// Pictures for each way the encoder takes. Up to 256 colours go through a palette, more as
// R, G, B: 256 and 257 sit either side. Runs are taken a block of pixels at a time, also where
// a row ends inside a block. Bits above the colour's 24 do not count.
const RgbImage Small{3, 2, {0x010203, 0xFFFFFF, 0, 0x123456, 0xABCDEF, 0x00FF00}};

std::vector<RgbImage> Pictures() {
    std::vector<RgbImage> out = {Small};
    for (const uint32_t colors : {256u, 257u}) {
        RgbImage many{17, 16, std::vector<uint32_t>(17 * 16, 0x0000FF)};
        for (uint32_t i = 0; i < colors; ++i) many.Pixels[i] = (i & 0xFF) | (i >> 8) << 16;
        out.push_back(many);
    }
    // Lone pixels at every distance from the last and at either end of a row, on black, and a
    // row that starts with a block of black.
    RgbImage runs{40, 3, std::vector<uint32_t>(40 * 3, 0)};
    uint32_t other = 0x405060;
    for (size_t at : {0, 2, 3, 5, 8, 12, 15, 17, 23, 30, 38, 39, 47, 56, 66, 77, 111, 119})
        runs.Pixels[at] = other++;
    runs.Pixels[100] = 0xFF000000;
    out.push_back(runs);
    return out;
}

TEST(PngFile, EveryPixelComesBackWithItsColourWhateverThePacking) {
    for (const RgbImage& picture : Pictures())
        for (const PngPacking packing :
             {PngPacking{0, false}, PngPacking{6, false}, PngPacking{9, true}}) {
            RgbImage expected = picture, back;
            for (uint32_t& pixel : expected.Pixels) pixel &= 0xFFFFFF;
            ASSERT_TRUE(DecodePng(EncodePng(picture, packing), back)) << packing.Level;
            EXPECT_EQ(std::tuple(back.Width, back.Height, back.Pixels),
                      std::tuple(picture.Width, picture.Height, expected.Pixels))
                << picture.Width << " wide, level " << packing.Level;
        }
}

TEST(PngFile, RefusesWhatItCannotWriteAndDamageWithoutTouchingTheImage) {
    EXPECT_TRUE(EncodePng(RgbImage{2, 2, {1, 2, 3}}).empty()); // fewer pixels than its size
    EXPECT_TRUE(EncodePng(Small, {10, false}).empty());
    const std::vector<uint8_t> png = EncodePng(Small);
    std::vector<uint8_t> badData = png, badCrc = png;
    badData[png.size() - 20] ^= 0x40; // inside the image data
    badCrc[png.size() - 13] ^= 0x40;  // the image data's checksum, the data itself intact
    const std::vector<std::vector<uint8_t>> refused = {
        {}, {png.begin(), png.begin() + 40}, {png.begin() + 1, png.end()}, badData, badCrc};
    for (size_t i = 0; i < refused.size(); ++i) {
        RgbImage kept{1, 1, {7}};
        EXPECT_FALSE(DecodePng(refused[i], kept)) << i;
        EXPECT_EQ(kept.Pixels, std::vector<uint32_t>{7}) << i;
    }
}

} // namespace
} // namespace tarrox
