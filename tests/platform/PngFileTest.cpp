#include <gtest/gtest.h>

#include <zlib.h>

#include "platform/PngFile.h"

namespace tarrox {
namespace {

TEST(PngFile, DecodesWhatItEncodesAndRefusesDamageWithoutTouchingTheImage) {
    RgbImage image{3, 2, {0x010203, 0xFFFFFF, 0, 0x123456, 0xABCDEF, 0x00FF00}};
    const std::vector<uint8_t> png = EncodePng(image);
    RgbImage back;
    ASSERT_TRUE(DecodePng(png, back));
    EXPECT_EQ(back.Width, 3);
    EXPECT_EQ(back.Height, 2);
    EXPECT_EQ(back.Pixels, image.Pixels);

    // The IDAT data starts after the signature, IHDR (25 bytes) and IDAT's length and type.
    auto withBadFilter = [&] {
        std::vector<uint8_t> raw(2 * (1 + 9), 0);
        raw[0] = 5; // no such row filter
        uLongf size = compressBound(uLong(raw.size()));
        std::vector<uint8_t> packed(size);
        compress(packed.data(), &size, raw.data(), uLong(raw.size()));
        packed.resize(size);
        std::vector<uint8_t> out(png.begin(), png.begin() + 33);
        for (int shift = 24; shift >= 0; shift -= 8) out.push_back(uint8_t(size >> shift));
        out.insert(out.end(), {'I', 'D', 'A', 'T'});
        out.insert(out.end(), packed.begin(), packed.end());
        out.insert(out.end(), 4, 0); // the CRC is not checked
        return out;
    };
    std::vector<uint8_t> palette = png;
    palette[25] = 3;
    const std::vector<std::vector<uint8_t>> damaged = {{},
                                                       {png.begin(), png.begin() + 40},
                                                       {png.begin() + 1, png.end()},
                                                       palette,
                                                       withBadFilter()};
    for (size_t i = 0; i < damaged.size(); ++i) {
        RgbImage kept{1, 1, {7}};
        EXPECT_FALSE(DecodePng(damaged[i], kept)) << i;
        EXPECT_EQ(kept.Pixels, std::vector<uint32_t>{7}) << i;
    }
}

} // namespace
} // namespace tarrox
