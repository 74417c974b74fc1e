// Game text as the game draws it: fonts, codes, colour tables in the game's rows, data lookup.
#include <gtest/gtest.h>

#include "document/FormattingCodes.h"
#include "platform/FileAccess.h"
#include "platform/Surface.h"
#include "preview/ColorTables.h"
#include "preview/SCFontRender.h"
#include "support/ArtBuilder.h"
#include "support/FontBuilder.h"
#include "support/TempDir.h"

namespace tarrox {
namespace {

using test::FontBytes;
using test::Letter;

// The font of `bytes`, cut to exactly `keep` bytes so the sanitizers see a read past its end.
GameFont LoadFont(std::vector<uint8_t> bytes, size_t keep = SIZE_MAX) {
    bytes.resize(std::min(keep, bytes.size()));
    bytes.shrink_to_fit();
    GameFont font;
    LoadGameFont(bytes, font);
    return font;
}

const std::string Data = std::string(TARROX_SOURCE_DIR) + "/data";

// Palette entry i is (i / 8 + 1, 0x40, i % 8): a pixel names its row and index.
const auto Color = [](int i) { return uint32_t((i / 8 + 1) | 0x40 << 8 | (i % 8) << 16); };

std::vector<uint8_t> Pcx(int w, int h, const std::vector<uint8_t>& data) {
    Palette p;
    for (int i = 0; i < 256; ++i) p[i] = {uint8_t(i / 8 + 1), 0x40, uint8_t(i % 8)};
    return test::PcxFile(w, h, w, data, &p);
}

// A table shaped like the game's, 24 rows of 8 in one image, pixel i = i.
std::vector<uint8_t> GameTable() {
    std::vector<uint8_t> data;
    for (int i = 0; i < 24 * 8; ++i) {
        if (i >= 0xC0) data.push_back(0xC1);
        data.push_back(uint8_t(i));
    }
    return Pcx(64, 3, data);
}

// Every code's row is its number, but code 0's is not the start and 5's is past the rows.
TextDrawingState Numbered(uint8_t spacing = 0, uint8_t space = 5) {
    TextDrawingState s;
    for (size_t i = 0; i < s.ColorTable.size(); ++i) s.ColorTable[i] = Color(int(i));
    for (int code = 0; code < 32; ++code) s.CodeColorRows[code] = uint8_t(code % 24);
    s.CodeColorRows[0] = 9, s.CodeColorRows[5] = 200;
    s.LetterSpacing = {1, spacing}, s.SpaceWidth = {4, space};
    s.TextSizeSlot = 1;
    return s;
}

const Letter Dot{3, 1, 1, 1, 0x07}; // index 7 at the pen
const GameFont DotFont = LoadFont(FontBytes(32, 90, 12, {{'A', Dot}}));

// The pixels the text sets as "x,y:row.index".
std::string Drawn(const GameFont& font, const TextDrawingState& state, int x, int y,
                  std::string_view text, int area = 640) {
    Surface s;
    DrawGameText(s, font, state, x, y, text, area);
    return test::PixelList(s, [](uint32_t c) {
        return c ? ":" + std::to_string((c & 255) - 1) + "." + std::to_string(c >> 16) : "-";
    });
}

TEST(GameFontText, DrawsLettersAndCodes) {
    const struct {
        GameFont font;
        uint8_t spacing;
        int x, y;
        std::string text;
        int area;
        std::string expected;
    } cases[] = {
        // 'A' has no pixel bytes (B's record follows at once), 'B' three, 'C' two up to D's
        // record; 'D', the last record, has width 0 and only moves the pen by the spacing.
        {LoadFont(FontBytes(32, 90, 12,
                            {{'A', {3, 1, 1, 1}},
                             {'B', {8, 1, 1, 1, 1, 1, 1}},
                             {'C', {8, 1, 1, 1, 2, 2}},
                             {'D', {0, 1, 1, 1, 1, 1}}})),
         1, 0, 0, "ABDC", 640, "4,0:0.1 5,0:0.1 6,0:0.1 14,0:0.2 15,0:0.2"},
        // Newline back to x one line lower; space and tab move 5; code 3's row survives the
        // newline; 1 resets, 11 draws nothing, 12 does nothing.
        {DotFont, 2, 20, 30, CodesToText("AA<10><3>A A<9>A<1>A<11>A<5>A<12>A"), 640,
         "20,30:0.7 25,30:0.7 20,42:3.7 30,42:3.7 40,42:3.7 45,42:0.7 55,42:0.7 60,42:0.7"},
        // Code 18 takes no room and two letters (3 + 1 each) measure 8; only the line it
        // stands on moves.
        {DotFont, 1, 10, 0, CodesToText("<18>AA<10>A"), 20, "22,0:0.7 26,0:0.7 10,12:0.7"},
        // Offsets of 0 (the game's "no letter"), into the header or the table, past the end,
        // negative, and a header cut short by the end of the 49-byte file.
        {LoadFont(
             FontBytes(32, 40, 12, {{'!', Dot}},
                       {{'"', 0}, {'#', 8}, {'$', 20}, {'%', INT32_MAX}, {'&', -4}, {'\'', 47}})),
         0, 0, 0, "\"#$%&'!", 640, "0,0:0.7"},
        {LoadFont(FontBytes(31, 255, 12, {{255, Dot}})), 0, 0, 0, "\xff", 640, "0,0:0.7"},
        // Cut two bytes into its letter table: no letter.
        {LoadFont(FontBytes(32, 40, 12, {{'!', Dot}}), 14), 0, 0, 0, "!", 640, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Drawn(c.font, Numbered(c.spacing), c.x, c.y, c.text, c.area), c.expected)
            << c.text;
}

// Runs of three and none, literals, a run past the image's end taken whole; then the palette.
TEST(PcxDecoding, RunsAndLiteralsInOrderARunTakenWholeAndThePaletteAfterTheData) {
    std::array<uint32_t, ColorRows * ColorsPerRow> t;
    EXPECT_TRUE(DecodeColorTable(Pcx(8, 1, {0xC3, 5, 0xC0, 9, 7, 8, 0xC6, 1}), t));
    const std::vector<int> index = {5, 5, 5, 7, 8, 1, 1, 1, 1, 1, 1};
    for (size_t i = 0; i <= index.size(); ++i)
        EXPECT_EQ(t[i], i < index.size() ? Color(index[i]) : 0) << i;
}

class GameLookTest : public test::TempDirTest {
  protected:
    // The user's folder holds `name`; everything else comes from the bundled data.
    DataFolders WithUserFile(const std::string& name, const std::vector<uint8_t>& bytes) {
        Write(name, bytes);
        return {dir_.string(), Data};
    }
};

// Which table each colour set reads is left to the reviewed pictures, which all change when
// two sets swap.
TEST_F(GameLookTest, EveryCodeTheCardListsDrawsFromTheGamesRowAndUserFilesComeFirst) {
    // Each code's row in the game (-1: none).
    const int row[32] = {-1, 0,  0,  1,  2,  3,  4,  5,  8,  -1, -1, -1, -1, 0,  9,  10,
                         11, 12, -1, -1, -1, 13, 14, 15, 16, 17, 0,  18, 19, 20, 21, 23};
    const DataFolders data = WithUserFile("tfontgam.pcx", GameTable());
    // The user's table, the bundled fontindex.dat; --data means only its folder.
    ASSERT_EQ(data.File("fontindex.dat"), Data + "/fontindex.dat");
    ASSERT_EQ(DataFolders(dir_.string()).File("fontindex.dat"), Path("fontindex.dat"));
    TextDrawingState state;
    ASSERT_TRUE(LoadTextTables(state, data) && LoadColorTable(state, InGame, data, ""));
    state.TextSizeSlot = 1;
    for (int code = 1; code < 32; ++code) {
        if (row[code] < 0) continue;
        EXPECT_EQ(Drawn(DotFont, state, 10, 10, std::string(1, char(code)) + "A"),
                  "10,10:" + std::to_string(row[code]) + ".7")
            << "code " << code;
    }
    // Invisible codes advance the pen but set no pixel, whatever the tables hold.
    state.CodeColorRows.fill(0);
    EXPECT_EQ(Drawn(DotFont, state, 10, 10, CodesToText("<11>AAA<4>A<20>A")), "19,10:0.7");
}

// A fontwidth.dat without the smallest size's pair lends it slot 1's.
TEST_F(GameLookTest, SpacesInSlotZeroAdvance) {
    TextDrawingState state;
    LoadTextTables(state, WithUserFile("fontwidth.dat", {1, 4, 0, 5, 0, 5, 0, 6, 0, 7}));
    state.TextSizeSlot = 0;
    EXPECT_EQ(MeasureGameLine(DotFont, state, "A A"), 2 * (3 + 1) + 4);
}

} // namespace
} // namespace tarrox
