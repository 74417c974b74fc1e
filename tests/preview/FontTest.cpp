#include <gtest/gtest.h>

#include "PreviewSupport.h"
#include "platform/Surface.h"

namespace tarrox {
namespace {

using test::FontBytes;
using test::LoadFont;

// Colour table entry i is 0x010000 + i, so a pixel tells its row and index. Code 0's row is
// never the starting row; code 5's is past the 24 rows, so row 0.
TextDrawingState Numbered(uint8_t spacing = 0, uint8_t space = 5) {
    TextDrawingState s;
    for (size_t i = 0; i < s.ColorTable.size(); ++i) s.ColorTable[i] = 0x010000u + uint32_t(i);
    for (int code = 0; code < 32; ++code) s.CodeColorRows[code] = uint8_t(code % 24);
    s.CodeColorRows[0] = 9, s.CodeColorRows[5] = 200;
    s.LetterSpacing = {1, spacing}, s.SpaceWidth = {4, space};
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
            if (uint32_t c = s.Pixel(px, py) - 0x010000u; s.Pixel(px, py))
                out += (out.empty() ? "" : " ") + std::to_string(px) + "," + std::to_string(py) +
                       ":" + std::to_string(c / 8) + "." + std::to_string(c % 8);
    return out;
}

TEST(GameFontText, DrawsLettersCodesAndAlignment) {
    // 'A' has no pixel bytes (B's record follows at once), 'B' three, 'C' two up to D's record;
    // 'D', the last record, has width 0 and only moves the pen by the spacing.
    const GameFont records = LoadFont(FontBytes(32, 90, 12,
                                                {{'A', {3, 1, 1, 1, {}}},
                                                 {'B', {8, 1, 1, 1, {1, 1, 1}}},
                                                 {'C', {8, 1, 1, 1, {2, 2}}},
                                                 {'D', {0, 1, 1, 1, {1, 1}}}}));
    // Offsets of 0 (the game's "no letter"), into the header or the table, past the end,
    // negative, and a header cut short by the end of the 49-byte file.
    const GameFont badOffsets = LoadFont(
        FontBytes(32, 40, 12, {{'!', Dot}},
                  {{'"', 0}, {'#', 8}, {'$', 20}, {'%', INT32_MAX}, {'&', -4}, {'\'', 47}}));
    GameFont closed = LoadFont(FontBytes(32, 90, 12, {{'A', Dot}}));
    CloseGameFont(closed);
    std::vector<uint8_t> lower = FontBytes(32, 90, 12, {{'A', Dot}});
    std::copy_n("font", 4, lower.begin()); // only "FONT" is a font
    const struct {
        GameFont font;
        uint8_t spacing;
        int x, y;
        std::string text;
        int area;
        std::string expected;
    } cases[] = {
        {records, 1, 0, 0, "ABDC", 640, "4,0:0.1 5,0:0.1 6,0:0.1 14,0:0.2 15,0:0.2"},
        // Newline back to x one line lower; space and tab move 5; code 3's row survives the
        // newline; 1 resets, 11 draws nothing, 12 does nothing; a zero ends the text.
        {DotFont, 2, 20, 30, CodesToText("AA<10><3>A A<9>A<1>A<11>A<5>A<12>A"), 640,
         "20,30:0.7 25,30:0.7 20,42:3.7 30,42:3.7 40,42:3.7 45,42:0.7 55,42:0.7 60,42:0.7"},
        {DotFont, 2, 0, 0, std::string("A\0A", 3), 640, "0,0:0.7"},
        // "<19>A" measures 3: an area of 6 leaves 3 to share, halves round to even.
        {DotFont, 0, 5, 0, CodesToText("<19>A"), 6, "6,0:0.7"},
        {DotFont, 0, 6, 0, CodesToText("<19>A"), 6, "8,0:0.7"},
        // Code 18 (0 + 1) and two letters (3 + 1 each) measure 9; only the first line moves.
        {DotFont, 1, 10, 0, CodesToText("<18>AA<10>A"), 20, "21,0:0.7 25,0:0.7 10,12:0.7"},
        {badOffsets, 0, 0, 0, "\"#$%&'!", 640, "0,0:0.7"},
        {closed, 0, 0, 0, "AA", 640, ""},
        {LoadFont(lower), 0, 0, 0, "AA", 640, ""},
        {LoadFont(FontBytes(31, 255, 12, {{255, Dot}})), 0, 0, 0, "\xff", 640, "0,0:0.7"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Drawn(c.font, Numbered(c.spacing), c.x, c.y, c.text, c.area), c.expected)
            << c.text;
}

} // namespace
} // namespace tarrox
