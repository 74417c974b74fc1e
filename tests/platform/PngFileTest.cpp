#include <gtest/gtest.h>

#include "platform/PngFile.h"

namespace tarrox {
namespace {

TEST(PngFile, DecodesWhatItEncodesAndRefusesDamageWithoutTouchingTheImage) {
    const RgbImage image{3, 2, {0x010203, 0xFFFFFF, 0, 0x123456, 0xABCDEF, 0x00FF00}};
    // Up to 256 colours go through a palette, more as R, G, B: 256 and 257 sit either side.
    std::vector<RgbImage> images = {image};
    for (const uint32_t colors : {256u, 257u}) {
        RgbImage many{17, 16, std::vector<uint32_t>(17 * 16, 0x0000FF)};
        for (uint32_t i = 0; i < colors; ++i) many.Pixels[i] = (i & 0xFF) | (i >> 8) << 16;
        images.push_back(many);
    }
    for (const RgbImage& picture : images)
        for (const PngPacking packing :
             {PngPacking{0, false}, PngPacking{6, false}, PngPacking{9, true}}) {
            RgbImage back;
            ASSERT_TRUE(DecodePng(EncodePng(picture, packing), back)) << packing.Level;
            EXPECT_EQ(std::tuple(back.Width, back.Height, back.Pixels),
                      std::tuple(picture.Width, picture.Height, picture.Pixels));
        }
    EXPECT_TRUE(EncodePng(RgbImage{2, 2, {1, 2, 3}}).empty()); // fewer pixels than its size
    EXPECT_TRUE(EncodePng(image, {10, false}).empty());

    const std::vector<uint8_t> png = EncodePng(image);

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

TEST(PngFile, EveryPixelThatBreaksARunKeepsItsColour) {
    // Runs of one colour are scanned several pixels at a time and may go on into the next row:
    // lone pixels at every distance from the last, bits above the colour's 24 that do not count.
    RgbImage picture{13, 4, std::vector<uint32_t>(13 * 4, 0x102030)};
    uint32_t other = 0x405060;
    for (size_t at : {2, 3, 5, 8, 12, 17, 23, 30, 38, 47}) picture.Pixels[at] = other++;
    picture.Pixels[20] = 0xFF102030, picture.Pixels[51] = 0x01405060;
    RgbImage expected = picture, back;
    for (uint32_t& pixel : expected.Pixels) pixel &= 0xFFFFFF;
    ASSERT_TRUE(DecodePng(EncodePng(picture), back));
    EXPECT_EQ(back.Pixels, expected.Pixels);
}

} // namespace
} // namespace tarrox
