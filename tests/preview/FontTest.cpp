#include <gtest/gtest.h>

#include "PreviewSupport.h"
#include "platform/Surface.h"

namespace tarrox {
namespace {

using test::FontBytes;
using test::LoadFont;

// Colour table entry i is 0x010000 + i, so a pixel tells its row and index.
constexpr uint32_t Entry(int row, int v) {
    return 0x010000u + uint32_t(row * 8 + v);
}

TextDrawingState Numbered(uint8_t spacing = 0, uint8_t space = 5) {
    TextDrawingState s;
    for (size_t i = 0; i < s.ColorTable.size(); ++i) s.ColorTable[i] = Entry(0, int(i));
    for (int code = 0; code < 32; ++code) s.CodeColorRows[code] = uint8_t(code % 24);
    s.LetterSpacing[1] = spacing;
    s.SpaceWidth[1] = space;
    s.TextSizeSlot = 1;
    return s;
}

const test::TestLetter Dot{3, 1, 1, 1, {0x07}}; // index 7 at the pen
const GameFont DotFont = LoadFont(FontBytes(32, 90, 12, {{'A', Dot}}));

// The pixels the text sets, row by row, as "x,y:row.index".
std::string Drawn(const GameFont& font, const TextDrawingState& state, int x, int y,
                  std::string_view text, int area = 640) {
    Surface s;
    DrawGameText(s, font, state, x, y, text, area);
    std::string out;
    for (int py = 0; py < Surface::Height; ++py)
        for (int px = 0; px < Surface::Width; ++px)
            if (uint32_t c = s.Pixel(px, py) - Entry(0, 0); s.Pixel(px, py))
                out += (out.empty() ? "" : " ") + std::to_string(px) + "," + std::to_string(py) +
                       ":" + std::to_string(c / 8) + "." + std::to_string(c % 8);
    return out;
}

TEST(GameFontLetters, PixelBytesEndAtTheNextRecordOrTheFileEnd) {
    // 'A' has none (B's record follows at once), 'B' three, 'C' two up to D's record; 'D',
    // the last record, has width 0 and only moves the pen by the spacing.
    GameFont font = LoadFont(FontBytes(32, 90, 12,
                                       {{'A', {3, 1, 1, 1, {}}},
                                        {'B', {8, 1, 1, 1, {1, 1, 1}}},
                                        {'C', {8, 1, 1, 1, {2, 2}}},
                                        {'D', {0, 1, 1, 1, {1, 1}}}}));
    EXPECT_EQ(Drawn(font, Numbered(1), 0, 0, "ABDC"), "4,0:0.1 5,0:0.1 6,0:0.1 14,0:0.2 15,0:0.2");
}

TEST(GameFontLetters, PixelBytesStopBeingReadOnceTheyCannotReachTheSurface) {
    // Each byte of a 1-wide letter moves one row down: 4 MB of them per letter would take
    // hours for 2000 letters if the part below the surface were walked.
    const GameFont tall =
        LoadFont(FontBytes(32, 90, 12, {{'A', {1, 1, 1, 1, std::vector<uint8_t>(1 << 22, 0)}}}));
    const std::string letters(2000, 'A');
    Surface s;
    DrawGameText(s, tall, Numbered(), 1, -1, letters, 640);
    DrawGameText(s, tall, Numbered(), 700, 0, letters, 640);
    DrawGameText(s, tall, Numbered(), 1, 480, letters, 640);
    EXPECT_EQ(std::count(s.Pixels().begin(), s.Pixels().end(), Entry(0, 0)),
              Surface::Width * Surface::Height);
}

TEST(GameFontText, TextThatOnlyDrawsOverItselfEndsAndLooksAsDrawnOnce) {
    // A 200 x 100 letter walks 20000 pixel bytes. With a line height of 0 every line lands on
    // the first, and code 18 with a just-too-narrow area puts the pen back where it was: 1 MB
    // of either would walk billions of bytes if drawing went on to the end of the string.
    const GameFont flat = LoadFont(
        FontBytes(32, 90, 0, {{'A', {200, 100, 1, 1, std::vector<uint8_t>(200 * 100, 0x01)}}}));
    const TextDrawingState state = Numbered();
    Surface once;
    DrawGameText(once, flat, state, 10, 20, "A", 640);
    std::string lines, back;
    for (int i = 0; i < (1 << 19); ++i) lines += "A\n", back += "A\x12";
    const int64_t backArea = MeasureGameLine(flat, state, back) - 200;
    for (auto [text, area] : {std::pair{&lines, int64_t{640}}, std::pair{&back, backArea}}) {
        Surface s;
        DrawGameText(s, flat, state, 10, 20, *text, area);
        EXPECT_TRUE(s.Pixels() == once.Pixels()) << text->substr(0, 2);
    }
}

TEST(GameFontText, CodesMoveThePenAndSwitchRows) {
    TextDrawingState state = Numbered(2, 5);
    state.CodeColorRows[0] = 9;
    state.CodeColorRows[5] = 200; // beyond the 24 rows: row 0
    // Letter, letter; newline back to x at one line height; space and tab move 5; the row
    // of code 3 survives the newline; 1 resets, 11 draws nothing, 12 does nothing.
    EXPECT_EQ(Drawn(DotFont, state, 20, 30, CodesToText("AA<10><3>A A<9>A<1>A<11>A<5>A<12>A")),
              "20,30:0.7 25,30:0.7 20,42:3.7 30,42:3.7 40,42:3.7 45,42:0.7 55,42:0.7 "
              "60,42:0.7");
    EXPECT_EQ(Drawn(DotFont, state, 0, 0, std::string("A\0A", 3)), "0,0:0.7");
}

TEST(GameFontText, CentreRoundsHalvesToEvenAndRightAlignsTheFirstLineOnly) {
    // "<19>A" measures 3; an area of 6 leaves 3 to share.
    EXPECT_EQ(Drawn(DotFont, Numbered(), 5, 0, CodesToText("<19>A"), 6), "6,0:0.7");
    EXPECT_EQ(Drawn(DotFont, Numbered(), 6, 0, CodesToText("<19>A"), 6), "8,0:0.7");
    // Code 18 (0 + 1) and two letters (3 + 1 each) measure 9 in an area of 20.
    EXPECT_EQ(Drawn(DotFont, Numbered(1), 10, 0, CodesToText("<18>AA<10>A"), 20),
              "21,0:0.7 25,0:0.7 10,12:0.7");
}

TEST(GameFontText, MeasureCountsCodesAsLettersAndStopsAtNewlineOrZero) {
    TextDrawingState state = Numbered(2, 7);
    EXPECT_EQ(MeasureGameLine(DotFont, state, "A A"), 5 + 7 + 5);
    EXPECT_EQ(MeasureGameLine(DotFont, state, "A\tA"), 5 + 2 + 5);
    EXPECT_EQ(MeasureGameLine(DotFont, state, "A\nAAAA"), 5);
    EXPECT_EQ(MeasureGameLine(DotFont, state, std::string("A\0AAA", 5)), 5);
    state.LetterSpacing[0] = 1, state.SpaceWidth[0] = 4;
    state.TextSizeSlot = 6; // no such slot: slot 0's spacing
    EXPECT_EQ(MeasureGameLine(DotFont, state, "A A"), 4 + 4 + 4);
}

TEST(GameFontLoading, OnlyFontsLoadAndOnlyWholeLetterHeadersAreLetters) {
    std::vector<uint8_t> lower = FontBytes(32, 90, 12, {{'A', Dot}});
    std::copy_n("font", 4, lower.begin());
    GameFont font;
    EXPECT_FALSE(LoadGameFont(lower, font));
    EXPECT_FALSE(LoadGameFont(std::vector<uint8_t>{'F', 'O', 'N', 'T', 0, 255}, font));
    EXPECT_FALSE(LoadGameFont("/nonexistent/font10.fnt", font));
    EXPECT_EQ(LoadFont(FontBytes(31, 255, 12, {{32, Dot}})).Offsets[32], 12 + 4 * 224);
    // 0 (the game's "no letter"), into the header or the table, past the end, negative, and
    // a header cut short by the end of the 49-byte file.
    font = LoadFont(
        FontBytes(32, 40, 12, {{'!', Dot}},
                  {{'"', 0}, {'#', 8}, {'$', 20}, {'%', INT32_MAX}, {'&', -4}, {'\'', 47}}));
    for (char c : std::string("\"#$%&'")) EXPECT_EQ(font.Offsets[uint8_t(c)], -1) << c;
    EXPECT_EQ(Drawn(font, Numbered(), 0, 0, "\"#$%&'!"), "0,0:0.7");
}

TEST(GameFontLoading, TruncatedFontsKeepOnlyWholeLettersAndClosedFontsDrawNothing) {
    std::vector<uint8_t> bytes = FontBytes(32, 90, 12, {{'A', Dot}, {'Z', Dot}});
    for (size_t size = 0; size <= bytes.size(); ++size) {
        GameFont font = LoadFont(std::vector<uint8_t>(bytes.begin(), bytes.begin() + size));
        Drawn(font, Numbered(), 0, 0, "AZ\nAZ");
        for (int code = 0; code < 256; ++code) {
            if (font.Offsets[code] >= 0) {
                EXPECT_LE(font.PixelEnds[code], size);
            }
        }
    }
    GameFont font = LoadFont(bytes);
    CloseGameFont(font);
    EXPECT_EQ(Drawn(font, Numbered(), 0, 0, "AZ"), "");
}

} // namespace
} // namespace tarrox
