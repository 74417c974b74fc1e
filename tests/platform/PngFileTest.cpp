#include <gtest/gtest.h>

#include <png.h>

#include "platform/PngFile.h"

namespace tarrox {
namespace {

TEST(PngFile, DecodesWhatItEncodesAndRefusesOtherKindsAndDamageWithoutTouchingTheImage) {
    const RgbImage image{3, 2, {0x010203, 0xFFFFFF, 0, 0x123456, 0xABCDEF, 0x00FF00}};
    const std::vector<uint8_t> png = EncodePng(image);
    RgbImage back;
    ASSERT_TRUE(DecodePng(png, back));
    EXPECT_EQ(std::tuple(back.Width, back.Height, back.Pixels), std::tuple(3, 2, image.Pixels));
    EXPECT_TRUE(EncodePng(RgbImage{2, 2, {1, 2, 3}}).empty()); // fewer pixels than its size

    png_image gray{}; // well-formed, of a kind the decoder does not read
    gray.version = PNG_IMAGE_VERSION, gray.width = gray.height = 2, gray.format = PNG_FORMAT_GRAY;
    std::vector<uint8_t> grayPng(200), badData = png, badCrc = png;
    png_alloc_size_t size = grayPng.size();
    const uint8_t pixels[4] = {0, 80, 160, 240};
    ASSERT_TRUE(png_image_write_to_memory(&gray, grayPng.data(), &size, 0, pixels, 0, nullptr));
    grayPng.resize(size);
    badData[png.size() - 20] ^= 0x40; // inside the image data
    badCrc[png.size() - 13] ^= 0x40;  // the image data's checksum, the data itself intact
    const std::vector<std::vector<uint8_t>> refused = {
        {},     {png.begin(), png.begin() + 40}, {png.begin() + 1, png.end()}, badData, badCrc,
        grayPng};
    for (size_t i = 0; i < refused.size(); ++i) {
        RgbImage kept{1, 1, {7}};
        EXPECT_FALSE(DecodePng(refused[i], kept)) << i;
        EXPECT_EQ(kept.Pixels, std::vector<uint32_t>{7}) << i;
    }
}

} // namespace
} // namespace tarrox
