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
    // Runs are taken a block of pixels at a time: lone pixels at every distance from the last
    // and at either end of a row, on black, and a row that starts with a block of black.
    RgbImage picture{40, 3, std::vector<uint32_t>(40 * 3, 0)};
    uint32_t other = 0x405060;
    for (size_t at : {0, 2, 3, 5, 8, 12, 15, 17, 23, 30, 38, 39, 47, 56, 66, 77, 111, 119})
        picture.Pixels[at] = other++;
    picture.Pixels[100] = 0xFF000000; // bits above the colour's 24 do not count
    RgbImage expected = picture, back;
    expected.Pixels[100] = 0;
    ASSERT_TRUE(DecodePng(EncodePng(picture), back));
    EXPECT_EQ(back.Pixels, expected.Pixels);
}

TEST(PngFile, RowsLikeTheOneAboveAndOnesThatDifferByAPixelKeepTheirColours) {
    // Row 1 repeats row 0; rows 2 and 3 differ from the one above in their last pixel, row 4 in
    // bits above the colour's 24 only, which do not count; row 5 is new.
    const uint32_t a = 0x102030, b = 0x405060;
    const std::vector<uint32_t> first = {a, b, b, a, a};
    RgbImage picture{5, 6, {}};
    for (const std::vector<uint32_t>& row : {first,
                                             first,
                                             {a, b, b, a, b},
                                             {a, b, b, a, 0x708090},
                                             {a, b, b, a, 0xFF708090},
                                             {b, b, b, b, b}})
        picture.Pixels.insert(picture.Pixels.end(), row.begin(), row.end());
    for (const bool manyColors : {false, true}) {
        // 300 colours in a row of their own force R, G, B.
        RgbImage image = picture;
        if (manyColors) {
            image.Width = 300;
            image.Pixels.clear();
            for (size_t i = 0; i < picture.Pixels.size(); ++i)
                image.Pixels.insert(image.Pixels.end(), i % 5 ? 1 : 296, picture.Pixels[i]);
            for (uint32_t c = 0; c < 300; ++c) image.Pixels.push_back(c);
            image.Height = 7;
        }
        RgbImage expected = image, back;
        for (uint32_t& pixel : expected.Pixels) pixel &= 0xFFFFFF;
        ASSERT_TRUE(DecodePng(EncodePng(image), back)) << manyColors;
        EXPECT_EQ(back.Pixels, expected.Pixels) << manyColors;
    }
}

} // namespace
} // namespace tarrox
