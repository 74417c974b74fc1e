#include <gtest/gtest.h>

#include <map>

#include "PreviewSupport.h"
#include "platform/Surface.h"

namespace tarrox {
namespace {

using test::FontBuilder;
using test::TestLetter;

constexpr uint32_t Entry(int row, int v) {
    return 0x010000u + uint32_t(row * 8 + v);
}

// Entry i of the colour table is 0x010000 + i, so a pixel tells its row and index.
TextDrawingState NumberedColors(int slot = 1, uint8_t spacing = 0, uint8_t space = 5) {
    TextDrawingState s;
    for (size_t i = 0; i < s.ColorTable.size(); ++i) s.ColorTable[i] = 0x010000u + uint32_t(i);
    for (int code = 0; code < 32; ++code) s.CodeColorRows[code] = uint8_t(code % 24);
    s.LetterSpacing[slot] = spacing;
    s.SpaceWidth[slot] = space;
    s.TextSizeSlot = uint8_t(slot);
    return s;
}

// The worked example: width 4, offsets (1, 1), pixel bytes 0x02 0x0B 0x10.
const TestLetter Sample{4, 2, 1, 1, {0x02, 0x0B, 0x10}};
// One pixel of index 7 at the pen.
const TestLetter Dot{3, 1, 1, 1, {0x07}};

std::map<std::pair<int, int>, uint32_t> SetPixels(const Surface& s) {
    std::map<std::pair<int, int>, uint32_t> out;
    for (int y = 0; y < Surface::Height; ++y)
        for (int x = 0; x < Surface::Width; ++x)
            if (s.Pixel(x, y)) out[{x, y}] = s.Pixel(x, y);
    return out;
}

using Pixels = std::map<std::pair<int, int>, uint32_t>;

TEST(GameFontDrawing, WorkedExampleSetsExactlyThreePixels) {
    GameFont font = FontBuilder(32, 90, 12).Letter('A', Sample).Load();
    TextDrawingState state = NumberedColors();
    Surface s;
    PenPosition pen{100, 50};
    DrawGameLetter(s, font, state, 'A', pen, 3);
    EXPECT_EQ(
        SetPixels(s),
        (Pixels{{{100, 50}, Entry(3, 2)}, {{102, 50}, Entry(3, 3)}, {{101, 51}, Entry(3, 0)}}));
    EXPECT_EQ(pen.X, 104);
    EXPECT_EQ(pen.Y, 50);
}

TEST(GameFontDrawing, PixelBytesSkipUpTo31AndIndexZeroIsDrawn) {
    GameFont font = FontBuilder(32, 90, 12).Letter('B', {10, 5, 1, 1, {0xFF, 0x00}}).Load();
    TextDrawingState state = NumberedColors();
    Surface s;
    PenPosition pen{10, 10};
    DrawGameLetter(s, font, state, 'B', pen, 0);
    // 0xFF: skip 31 -> position 32 in a 10-wide raster = column 2, line 3, drawn at x - 1.
    EXPECT_EQ(SetPixels(s), (Pixels{{{11, 13}, Entry(0, 7)}, {{12, 13}, Entry(0, 0)}}));
}

TEST(GameFontDrawing, StringsAdvanceByWidthAndSpacingAndNewlinesReturnToTheStart) {
    GameFont font = FontBuilder(32, 90, 12).Letter('A', Dot).Letter('B', Dot).Load();
    TextDrawingState state = NumberedColors(2, 2, 5);
    Surface s;
    DrawGameText(s, font, state, 20, 30, "AB\nA B\tA", 640);
    EXPECT_EQ(SetPixels(s), (Pixels{{{20, 30}, Entry(0, 7)},
                                    {{25, 30}, Entry(0, 7)},
                                    {{20, 42}, Entry(0, 7)},
                                    {{30, 42}, Entry(0, 7)},
                                    {{40, 42}, Entry(0, 7)}}));
}

TEST(GameFontDrawing, ColourCodesPickRowsAndTheRowSurvivesNewlines) {
    GameFont font = FontBuilder(32, 90, 12).Letter('A', Dot).Load();
    TextDrawingState state = NumberedColors();
    state.CodeColorRows[0] = 9;
    state.CodeColorRows[5] = 200; // beyond the 24 rows: row 0
    Surface s;
    DrawGameText(s, font, state, 0, 0,
                 "\x03"
                 "A\nA\x01"
                 "A\x0b"
                 "A\x05"
                 "A\x0c"
                 "A",
                 640);
    EXPECT_EQ(SetPixels(s), (Pixels{{{0, 0}, Entry(3, 7)},
                                    {{0, 12}, Entry(3, 7)},
                                    {{3, 12}, Entry(0, 7)},
                                    {{6, 12}, Entry(9, 7)},
                                    {{9, 12}, Entry(0, 7)},
                                    {{12, 12}, Entry(0, 7)}}));
}

TEST(GameFontDrawing, CentreCodeRoundsHalvesToEven) {
    GameFont font = FontBuilder(32, 90, 12).Letter('A', Dot).Load();
    TextDrawingState state = NumberedColors();
    // The line measures 3 (code 19 adds 0, the letter 3); area 6 leaves 3 to share.
    for (auto [x, expected] : {std::pair{5, 6}, std::pair{6, 8}}) {
        Surface s;
        DrawGameText(s, font, state, x, 0,
                     "\x13"
                     "A",
                     6);
        EXPECT_EQ(SetPixels(s), (Pixels{{{expected, 0}, Entry(0, 7)}})) << "pen x " << x;
    }
}

TEST(GameFontDrawing, RightCodeAlignsTheFirstLineOnly) {
    GameFont font = FontBuilder(32, 90, 12).Letter('A', Dot).Load();
    TextDrawingState state = NumberedColors(1, 1, 5);
    Surface s;
    // First line: code 18 (0 + 1) and two letters (3 + 1 each) measure 9.
    DrawGameText(s, font, state, 10, 0,
                 "\x12"
                 "AA\nA",
                 20);
    EXPECT_EQ(SetPixels(s),
              (Pixels{{{21, 0}, Entry(0, 7)}, {{25, 0}, Entry(0, 7)}, {{10, 12}, Entry(0, 7)}}));
}

TEST(GameFontMeasure, CountsCodesAsLettersAndStopsAtNewlineOrZero) {
    GameFont font = FontBuilder(32, 90, 12).Letter('A', Dot).Load();
    TextDrawingState state = NumberedColors(1, 2, 7);
    EXPECT_EQ(MeasureGameLine(font, state, "A A"), 5 + 7 + 5);
    EXPECT_EQ(MeasureGameLine(font, state, "A\tA"), 5 + 2 + 5); // a tab counts as a letter
    EXPECT_EQ(MeasureGameLine(font, state, "A\nAAAA"), 5);
    EXPECT_EQ(MeasureGameLine(font, state, std::string("A\0AAA", 5)), 5);
    Surface s;
    DrawGameText(s, font, state, 0, 0, std::string("A\0A", 3), 640);
    EXPECT_EQ(SetPixels(s).size(), 1u);
}

TEST(GameFontMeasure, OutOfRangeSlotUsesSlotZeroSpacing) {
    GameFont font = FontBuilder(32, 90, 12).Letter('A', Dot).Load();
    TextDrawingState state = NumberedColors(1, 4, 9);
    state.TextSizeSlot = 6;
    EXPECT_EQ(MeasureGameLine(font, state, "A A"), 6);
}

TEST(GameFontLetters, PixelBytesEndAtTheNextRecordOrTheFileEnd) {
    // 'A' has no pixel bytes (B's record follows at once), 'B' three, 'C' is the last record.
    GameFont font = FontBuilder(32, 90, 12)
                        .Letter('A', {3, 1, 1, 1, {}})
                        .Letter('B', {8, 1, 1, 1, {0x01, 0x01, 0x01}})
                        .Letter('C', {8, 1, 1, 1, {0x02, 0x02}})
                        .Load();
    TextDrawingState state = NumberedColors();
    Surface s;
    DrawGameText(s, font, state, 0, 0, "ABC", 640);
    EXPECT_EQ(SetPixels(s), (Pixels{{{3, 0}, Entry(0, 1)},
                                    {{4, 0}, Entry(0, 1)},
                                    {{5, 0}, Entry(0, 1)},
                                    {{11, 0}, Entry(0, 2)},
                                    {{12, 0}, Entry(0, 2)}}));
}

TEST(GameFontLetters, RecordsOutOfCodeOrderAreBoundedByTheNearestRecordAbove) {
    // 'B' is written before 'A'; each letter still ends where the next record in the file
    // begins.
    FontBuilder b(32, 90, 12);
    b.Letter('A', {4, 1, 1, 1, {0x01}}).Letter('B', {4, 1, 1, 1, {0x02, 0x02}});
    std::vector<uint8_t> bytes = b.Bytes();
    const size_t table = 12, a = table + 4 * ('A' - 33), bEntry = table + 4 * ('B' - 33);
    std::swap_ranges(bytes.begin() + a, bytes.begin() + a + 4, bytes.begin() + bEntry);
    GameFont font;
    ASSERT_EQ(LoadGameFont(bytes, font), 0);
    EXPECT_GT(font.Offsets['A'], font.Offsets['B']);
    EXPECT_EQ(font.PixelEnds['B'], uint32_t(font.Offsets['A']));
    EXPECT_EQ(font.PixelEnds['A'], bytes.size());
}

TEST(GameFontLetters, WidthZeroDrawsNothingAndMovesBySpacing) {
    GameFont font = FontBuilder(32, 90, 12).Letter('A', {0, 1, 1, 1, {0x01, 0x01}}).Load();
    TextDrawingState state = NumberedColors(1, 3, 5);
    Surface s;
    PenPosition pen{10, 10};
    DrawGameLetter(s, font, state, 'A', pen, 0);
    EXPECT_EQ(SetPixels(s).size(), 0u);
    EXPECT_EQ(pen.X, 13);
}

TEST(GameFontLoading, RejectsWhatIsNotAFont) {
    GameFont font;
    std::vector<uint8_t> lower = FontBuilder(32, 90, 12).Letter('A', Dot).Bytes();
    lower[0] = 'f', lower[1] = 'o', lower[2] = 'n', lower[3] = 't';
    EXPECT_EQ(LoadGameFont(lower, font), -1);
    EXPECT_EQ(LoadGameFont(std::vector<uint8_t>{'F', 'O', 'N', 'T', 0, 255}, font), -1);
    EXPECT_EQ(LoadGameFont("/nonexistent/font10.fnt", font), -1);
    EXPECT_EQ(font.Offsets['A'], -1);
}

TEST(GameFontLoading, TheTableStartsAtTheCodeAboveLowCode) {
    FontBuilder b(31, 255, 12);
    b.Letter(32, Dot).Letter(255, Dot);
    GameFont font = b.Load();
    EXPECT_EQ(font.Offsets[31], -1);
    std::vector<uint8_t> bytes = b.Bytes();
    EXPECT_EQ(font.Offsets[32], int32_t(bytes[12] | bytes[13] << 8));
    EXPECT_GE(font.Offsets[255], 12 + 4 * 224);
}

TEST(GameFontLoading, OffsetsThatDoNotPointAtALetterMeanNoLetter) {
    std::vector<uint8_t> bytes = FontBuilder(32, 40, 12)
                                     .Letter('!', Dot)
                                     .Offset('"', 0)          // the game's "no letter"
                                     .Offset('#', 8)          // inside the header
                                     .Offset('$', 20)         // inside the offset table
                                     .Offset('%', 0x7FFFFFFF) // past the end
                                     .Offset('&', -4)
                                     .Bytes();
    const int32_t lastHeader = int32_t(bytes.size()) - 2; // only two bytes of a header left
    for (int i = 0; i < 4; ++i) bytes[12 + 4 * ('\'' - 33) + i] = uint8_t(lastHeader >> (8 * i));
    GameFont font;
    ASSERT_EQ(LoadGameFont(bytes, font), 0);
    EXPECT_GE(font.Offsets['!'], 0);
    for (char c : std::string("\"#$%&'")) {
        EXPECT_EQ(font.Offsets[uint8_t(c)], -1) << c;
        EXPECT_EQ(font.Letters[uint8_t(c)].Width, 0) << c;
    }
    TextDrawingState state = NumberedColors();
    Surface s;
    DrawGameText(s, font, state, 0, 0, "\"#$%&'!", 640);
    EXPECT_EQ(SetPixels(s).size(), 1u);
}

TEST(GameFontLoading, TruncatedFontsKeepTheLettersThatAreWhole) {
    std::vector<uint8_t> bytes = FontBuilder(32, 90, 12).Letter('A', Dot).Letter('Z', Dot).Bytes();
    GameFont font;
    for (size_t size = 0; size <= bytes.size(); ++size) {
        std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + size);
        LoadGameFont(cut, font);
        Surface s;
        DrawGameText(s, font, NumberedColors(), 0, 0, "AZ\nAZ", 640);
        for (int code = 0; code < 256; ++code)
            if (font.Offsets[code] >= 0) EXPECT_LE(font.PixelEnds[code], size);
    }
    EXPECT_GE(font.Offsets['Z'], 0);
}

TEST(GameFontLoading, AClosedFontDrawsNothing) {
    GameFont font = FontBuilder(32, 90, 12).Letter('A', Dot).Load();
    CloseGameFont(font);
    Surface s;
    DrawGameText(s, font, NumberedColors(), 0, 0,
                 "AAA\x13\x12"
                 "A",
                 640);
    EXPECT_EQ(SetPixels(s).size(), 0u);
}

TEST(GameFontDrawing, TextFarOffTheSurfaceIsDropped) {
    GameFont font = FontBuilder(32, 90, 12).Letter('A', Dot).Load();
    Surface s;
    DrawGameText(s, font, NumberedColors(), -1000000, 5, std::string(1000, 'A'), 640);
    DrawGameText(s, font, NumberedColors(), 0, 479, "\n\n\nA", 640);
    EXPECT_EQ(SetPixels(s).size(), 0u);
}

} // namespace
} // namespace tarrox
