#include <gtest/gtest.h>

#include <filesystem>

#include "PreviewSupport.h"
#include "platform/FileAccess.h"
#include "preview/ColorTables.h"
#include "preview/Shapes.h"

namespace tarrox {
namespace {

using Table = std::array<uint32_t, ColorRows * ColorsPerRow>;

// A PCX header for an image of w x h, then the data bytes; the palette is appended by the
// caller.
std::vector<uint8_t> Pcx(int16_t w, int16_t h, std::vector<uint8_t> data) {
    std::vector<uint8_t> out(128, 0);
    out[0] = 10, out[1] = 5, out[2] = 1, out[3] = 8;
    out[8] = uint8_t(w - 1), out[9] = uint8_t((w - 1) >> 8);
    out[10] = uint8_t(h - 1), out[11] = uint8_t((h - 1) >> 8);
    out.insert(out.end(), data.begin(), data.end());
    return out;
}

// Palette entry i is (i, 2i, 3i) modulo 256.
void AppendPalette(std::vector<uint8_t>& out, size_t entries = 256) {
    out.push_back(12);
    for (size_t i = 0; i < entries; ++i)
        out.insert(out.end(), {uint8_t(i), uint8_t(2 * i), uint8_t(3 * i)});
}

uint32_t PaletteColor(uint32_t i) {
    return (i & 255) | ((2 * i) & 255) << 8 | ((3 * i) & 255) << 16;
}

TEST(PcxDecoding, LiteralsAndRunsAreUnpackedInOrder) {
    // Runs of 3 (0xC3 0x05) and of 0 (0xC0 0x09, nothing), then literals 7 and 8.
    std::vector<uint8_t> bytes = Pcx(5, 1, {0xC3, 0x05, 0xC0, 0x09, 0x07, 0x08});
    AppendPalette(bytes);
    Table t{};
    ASSERT_TRUE(DecodeColorTable(bytes, t));
    EXPECT_EQ(t[0], PaletteColor(5));
    EXPECT_EQ(t[2], PaletteColor(5));
    EXPECT_EQ(t[3], PaletteColor(7));
    EXPECT_EQ(t[4], PaletteColor(8));
    EXPECT_EQ(t[5], 0u);
}

TEST(PcxDecoding, ARunIsTakenWholeAndThePaletteFollowsOneByteLater) {
    // 2 x 2 image, one run of eight 1s at 128-129; byte 130 is skipped, palette from 131.
    std::vector<uint8_t> bytes = Pcx(2, 2, {0xC8, 0x01, 0xEE});
    for (int i = 0; i < 256; ++i) bytes.insert(bytes.end(), {uint8_t(i), 0x40, uint8_t(255 - i)});
    Table t{};
    t.fill(0xABCDEF);
    ASSERT_TRUE(DecodeColorTable(bytes, t));
    for (int i = 0; i < 8; ++i) EXPECT_EQ(t[i], Rgb(1, 0x40, 254)) << i;
    for (int i = 8; i < 192; ++i) EXPECT_EQ(t[i], 0u) << i;
}

TEST(PcxDecoding, AnEightByTwentyFourImageGivesOneRowPerLine) {
    std::vector<uint8_t> data;
    for (int i = 0; i < 192; ++i) {
        if (i >= 0xC0) data.push_back(0xC1);
        data.push_back(uint8_t(i));
    }
    std::vector<uint8_t> bytes = Pcx(8, 24, data);
    AppendPalette(bytes);
    Table t{};
    ASSERT_TRUE(DecodeColorTable(bytes, t));
    for (uint32_t i = 0; i < 192; ++i) EXPECT_EQ(t[i], PaletteColor(i));
}

TEST(PcxDecoding, EmptyImagesReadThePaletteRightAfterTheHeader) {
    std::vector<uint8_t> bytes = Pcx(0, 1, {});
    AppendPalette(bytes);
    Table t{};
    t.fill(1);
    ASSERT_TRUE(DecodeColorTable(bytes, t));
    for (uint32_t c : t) EXPECT_EQ(c, 0u);
}

TEST(PcxDecoding, TruncatedFilesStopAtTheEndAndReadMissingPaletteBytesAsZero) {
    std::vector<uint8_t> full = Pcx(8, 24, std::vector<uint8_t>(192, 3));
    AppendPalette(full);
    for (size_t size : {size_t(0), size_t(13), size_t(14), size_t(100), size_t(200), size_t(330),
                        full.size() - 1}) {
        std::vector<uint8_t> cut(full.begin(), full.begin() + size);
        Table t{};
        t.fill(7);
        bool ok = DecodeColorTable(cut, t);
        EXPECT_EQ(ok, size >= 14) << size;
        if (!ok) EXPECT_EQ(t[0], 7u);
    }
    std::vector<uint8_t> almost(full.begin(), full.end() - 1);
    Table t{};
    ASSERT_TRUE(DecodeColorTable(almost, t));
    EXPECT_EQ(t[0], PaletteColor(3)); // entry 3 lies well inside the palette
}

TEST(PcxDecoding, AHugeHeaderCostsNoMemory) {
    // 32768 x 32768 claimed, a few runs present: decoding walks the file and stops.
    std::vector<uint8_t> bytes = Pcx(int16_t(-32768), int16_t(-32768), {0xFF, 0x04, 0xFF, 0x04});
    bytes[8] = bytes[10] = 0xFF, bytes[9] = bytes[11] = 0x7F;
    Table t{};
    ASSERT_TRUE(DecodeColorTable(bytes, t));
    EXPECT_EQ(t[0], 0u); // the palette lies past the end of the file
}

class ColorTableFiles : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() / "tarrox-colortables";
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    std::filesystem::path dir_;
};

TEST_F(ColorTableFiles, MissingOrUnknownTablesLeaveTheTableAsItWas) {
    TextDrawingState state;
    state.ColorTable.fill(42);
    EXPECT_FALSE(LoadColorTable(state, 0, dir_.string(), ""));
    EXPECT_FALSE(LoadColorTable(state, 3, dir_.string(), ""));
    EXPECT_FALSE(LoadColorTable(state, 3, dir_.string(), dir_.string())); // a folder
    EXPECT_FALSE(LoadColorTable(state, 4, test::SourceData(), ""));
    EXPECT_EQ(state.ColorTable[0], 42u);
}

TEST_F(ColorTableFiles, ACustomTableIsReadFromItsPath) {
    std::vector<uint8_t> bytes = Pcx(1, 1, {0x09});
    AppendPalette(bytes);
    const std::string path = (dir_ / "mine.pcx").string();
    ASSERT_TRUE(WriteFileAtomically(path, bytes));
    TextDrawingState state;
    EXPECT_TRUE(LoadColorTable(state, 3, "", path));
    EXPECT_EQ(state.ColorTable[0], PaletteColor(9));
}

TEST_F(ColorTableFiles, TablesFileFillSlotsOneToFiveAndLeaveSlotZero) {
    const std::string dir = dir_.string();
    ASSERT_TRUE(WriteFileAtomically(dir + "/fontwidth.dat",
                                    std::vector<uint8_t>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    std::vector<uint8_t> index(40);
    for (size_t i = 0; i < index.size(); ++i) index[i] = uint8_t(i);
    ASSERT_TRUE(WriteFileAtomically(dir + "/fontindex.dat", index));
    TextDrawingState state;
    EXPECT_TRUE(LoadTextTables(state, dir));
    EXPECT_EQ(state.LetterSpacing, (std::array<uint8_t, 6>{0, 1, 3, 5, 7, 9}));
    EXPECT_EQ(state.SpaceWidth, (std::array<uint8_t, 6>{0, 2, 4, 6, 8, 10}));
    EXPECT_EQ(state.CodeColorRows[31], 31);

    ASSERT_TRUE(WriteFileAtomically(dir + "/fontwidth.dat", std::vector<uint8_t>{1, 2, 3}));
    EXPECT_FALSE(LoadTextTables(state, dir)); // short: what is missing reads as 0
    EXPECT_EQ(state.LetterSpacing, (std::array<uint8_t, 6>{0, 1, 3, 0, 0, 0}));
    EXPECT_EQ(state.SpaceWidth, (std::array<uint8_t, 6>{0, 2, 0, 0, 0, 0}));
}

// The bundled tables make the formatting-codes card true: a listed code shows its colour's
// row, an unlisted one black.
TEST(BundledColorTables, ListedCodesHaveColourAndOthersAreBlack) {
    TextDrawingState state;
    ASSERT_TRUE(LoadTextTables(state, test::SourceData()));
    auto rowOf = [&](int code) { return state.RowOfCode(uint8_t(code)); };
    auto brightest = [&](int code) { return state.ColorTable[rowOf(code) * 8 + 6]; };
    auto red = [](uint32_t c) { return int(c & 255); };
    auto green = [](uint32_t c) { return int(c >> 8 & 255); };
    auto blue = [](uint32_t c) { return int(c >> 16 & 255); };

    ASSERT_TRUE(LoadColorTable(state, 1, test::SourceData(), ""));
    EXPECT_GT(green(brightest(3)), 2 * red(brightest(3))); // glue 3 green
    EXPECT_GT(green(brightest(4)), 200);                   // glue 4 light green
    EXPECT_GT(red(brightest(7)), 2 * green(brightest(7))); // glue 7 red
    EXPECT_EQ(brightest(8), 0u);                           // not listed for glue
    EXPECT_EQ(brightest(0), 0u);                           // codes 11 and 20
    ASSERT_TRUE(LoadColorTable(state, 0, test::SourceData(), ""));
    EXPECT_GT(red(brightest(3)), green(brightest(3))); // title 3 orange
    EXPECT_GT(green(brightest(3)), blue(brightest(3)));
    EXPECT_EQ(brightest(7), 0u);
    ASSERT_TRUE(LoadColorTable(state, 2, test::SourceData(), ""));
    EXPECT_GT(red(brightest(8)), 200);                      // in game 8 red
    EXPECT_GT(blue(brightest(14)), 2 * red(brightest(14))); // in game 14 blue
    for (int code :
         {2, 3, 4, 5, 6, 7, 8, 13, 14, 15, 16, 17, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31})
        EXPECT_NE(brightest(code), 0u) << code;
    for (int v = 1; v < 8; ++v) // shades run from shadow to highlight
        EXPECT_GE(green(state.ColorTable[rowOf(7) * 8 + v]),
                  green(state.ColorTable[rowOf(7) * 8 + v - 1]));
}

} // namespace
} // namespace tarrox
