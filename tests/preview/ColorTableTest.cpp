#include <gtest/gtest.h>

#include "PreviewSupport.h"
#include "platform/FileAccess.h"
#include "preview/ColorTables.h"

namespace tarrox {
namespace {

using Table = std::array<uint32_t, ColorRows * ColorsPerRow>;

// A w x h PCX header, the data, then (when asked) the marker and a palette whose entry i is
// (i, 2i, 3i).
std::vector<uint8_t> Pcx(int w, int h, std::vector<uint8_t> data, bool palette = true) {
    std::vector<uint8_t> out(128, 0);
    out[8] = uint8_t(w - 1), out[9] = uint8_t((w - 1) >> 8);
    out[10] = uint8_t(h - 1), out[11] = uint8_t((h - 1) >> 8);
    for (uint8_t b : data) out.push_back(b); // insert() trips a false -Warray-bounds in g++ 12
    if (palette) {
        out.push_back(12);
        for (int i = 0; i < 256; ++i)
            out.insert(out.end(), {uint8_t(i), uint8_t(2 * i), uint8_t(3 * i)});
    }
    return out;
}
uint32_t Color(uint32_t i) {
    return (i & 255) | ((2 * i) & 255) << 8 | ((3 * i) & 255) << 16;
}

TEST(PcxDecoding, RunsAndLiteralsUnpackInOrderAndTheRestIsBlack) {
    // A run of three 5s, a run of none, literals 7 and 8.
    Table t{};
    ASSERT_TRUE(DecodeColorTable(Pcx(5, 1, {0xC3, 0x05, 0xC0, 0x09, 0x07, 0x08}), t));
    EXPECT_EQ((std::vector<uint32_t>(t.begin(), t.begin() + 6)),
              (std::vector<uint32_t>{Color(5), Color(5), Color(5), Color(7), Color(8), 0}));
}

TEST(PcxDecoding, ARunIsTakenWholeAndThePaletteStartsOneByteAfterTheData) {
    // 2 x 2 image, one run of eight 1s at 128-129; byte 130 is skipped, palette from 131.
    std::vector<uint8_t> bytes = Pcx(2, 2, {0xC8, 0x01, 0xEE}, false);
    for (int i = 0; i < 256; ++i) bytes.insert(bytes.end(), {uint8_t(i), 0x40, uint8_t(255 - i)});
    Table t;
    t.fill(0xABCDEF);
    ASSERT_TRUE(DecodeColorTable(bytes, t));
    for (int i = 0; i < 192; ++i) EXPECT_EQ(t[i], i < 8 ? 0xFE4001u : 0u) << i;
}

TEST(PcxDecoding, TruncatedFilesAndHugeHeadersStayInsideTheFile) {
    const std::vector<uint8_t> full = Pcx(8, 24, std::vector<uint8_t>(192, 3));
    for (size_t size :
         {size_t(0), size_t(13), size_t(14), size_t(200), size_t(330), full.size() - 1}) {
        Table t;
        t.fill(7);
        EXPECT_EQ(DecodeColorTable(std::span(full.data(), size), t), size >= 14) << size;
        EXPECT_EQ(t[0], size < 14 ? 7u : size == full.size() - 1 ? Color(3) : 0u) << size;
    }
    // 32768 x 32768 claimed and a few runs given: the walk ends with the file.
    std::vector<uint8_t> huge = Pcx(1, 1, {0xFF, 0x04, 0xFF, 0x04}, false);
    huge[8] = huge[10] = 0xFF, huge[9] = huge[11] = 0x7F;
    Table t{};
    EXPECT_TRUE(DecodeColorTable(huge, t));
    EXPECT_EQ(t[0], 0u);
}

TEST(ColorTableFiles, MissingOrUnknownTablesChangeNothingAndCustomOnesAreRead) {
    TextDrawingState state;
    state.ColorTable.fill(42);
    EXPECT_FALSE(LoadColorTable(state, 0, "/nonexistent", ""));
    EXPECT_FALSE(LoadColorTable(state, 3, test::SourceData(), ""));
    EXPECT_FALSE(LoadColorTable(state, 3, "", test::SourceData())); // a folder
    EXPECT_FALSE(LoadColorTable(state, 4, test::SourceData(), ""));
    EXPECT_EQ(state.ColorTable[0], 42u);
    EXPECT_TRUE(LoadColorTable(state, 3, "", test::SourceData() + "/tfontgam.pcx"));
    EXPECT_NE(state.ColorTable[0], 42u);
}

// The bundled tables make the formatting-codes card true.
TEST(BundledGameData, ListedCodesShowTheirColoursAndOthersBlack) {
    TextDrawingState state;
    ASSERT_TRUE(LoadTextTables(state, test::SourceData()));
    EXPECT_GT(state.SpaceWidth[0], 0); // small in-game text has visible spaces
    auto shade = [&](int code, int v = 6) {
        return state.ColorTable[state.RowOfCode(uint8_t(code)) * 8 + v];
    };
    auto r = [&](int code) { return int(shade(code) & 255); };
    auto g = [&](int code) { return int(shade(code) >> 8 & 255); };
    auto b = [&](int code) { return int(shade(code) >> 16 & 255); };

    ASSERT_TRUE(LoadColorTable(state, 1, test::SourceData(), ""));
    EXPECT_GT(g(3), 2 * r(3)); // glue 3 green
    EXPECT_GT(g(4), 200);      // glue 4 light green
    EXPECT_GT(r(7), 2 * g(7)); // glue 7 red
    EXPECT_EQ(shade(8), 0u);   // not listed for glue
    ASSERT_TRUE(LoadColorTable(state, 0, test::SourceData(), ""));
    EXPECT_TRUE(r(3) > g(3) && g(3) > b(3)); // title 3 orange
    EXPECT_EQ(shade(7), 0u);
    ASSERT_TRUE(LoadColorTable(state, 2, test::SourceData(), ""));
    EXPECT_GT(r(8), 200);        // in game 8 red
    EXPECT_GT(b(14), 2 * r(14)); // in game 14 blue
    for (int code : {2, 3, 4, 5, 6, 7, 13, 15, 16, 17, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31})
        EXPECT_NE(shade(code), 0u) << code;
    for (int v = 1; v < 8; ++v) EXPECT_GE(shade(7, v) >> 8 & 255, shade(7, v - 1) >> 8 & 255);
}

} // namespace
} // namespace tarrox
