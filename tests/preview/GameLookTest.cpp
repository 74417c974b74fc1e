// The game's own look: its tables' row layout through the bundled fontindex.dat, invisible
// text, spaces in the smallest size slot, and the user's files found before the bundled ones.
#include <gtest/gtest.h>

#include <filesystem>

#include "PreviewSupport.h"
#include "platform/FileAccess.h"
#include "platform/Surface.h"
#include "preview/ColorTables.h"
#include "support/TempDir.h"

namespace tarrox {
namespace {

namespace fs = std::filesystem;

// A table shaped like the game's: `rows` rows of 8 in one long image (64 x 3 in game, 48 x 1
// for the menus), pixel i = i, every palette entry a colour that names its row.
std::vector<uint8_t> GameTable(int rows) {
    const int width = rows == 24 ? 64 : 48, height = rows * 8 / width;
    std::vector<uint8_t> out(128, 0);
    out[0] = 10, out[1] = 5, out[2] = 1, out[3] = 8, out[65] = 1;
    out[8] = uint8_t(width - 1), out[10] = uint8_t(height - 1), out[66] = uint8_t(width);
    for (int i = 0; i < rows * 8; ++i) {
        if (i >= 0xC0) out.push_back(0xC1);
        out.push_back(uint8_t(i));
    }
    out.push_back(12);
    for (int i = 0; i < 256; ++i) out.insert(out.end(), {uint8_t(i / 8 + 1), 0x40, uint8_t(i % 8)});
    return out;
}
uint32_t RowColor(int row) {
    return uint32_t(row + 1) | 0x40u << 8 | 7u << 16; // index 7, the dot's
}

const GameFont DotFont = test::LoadFont(test::FontBytes(32, 90, 12, {{'A', {3, 1, 1, 1, {0x07}}}}));

class GameLookTest : public test::TempDirTest {
  protected:
    // The user's folder holds `file`; everything else comes from the bundled data.
    DataFolders WithUserFile(const std::string& name, const std::vector<uint8_t>& bytes) {
        EXPECT_TRUE(WriteFileAtomically(Path(name), bytes));
        return {dir_.string(), test::SourceData()};
    }
};

struct RowCase {
    ColorSet Set;
    int Rows;
    std::vector<std::pair<int, int>> CodeRows; // code, the game's row
};

TEST_F(GameLookTest, EveryCodeTheCardListsDrawsFromTheGamesRowAndUserFilesComeFirst) {
    const std::vector<std::pair<int, int>> menus = {{1, 0}, {2, 0}, {13, 0}, {26, 0}, {3, 1},
                                                    {4, 2}, {5, 3}, {6, 4},  {7, 5}};
    std::vector<std::pair<int, int>> inGame = menus;
    const int players[] = {8, 14, 15, 16, 17, 21, 22, 23, 24, 25, 27, 28}; // rows 8..19
    for (int i = 0; i < 12; ++i) inGame.push_back({players[i], 8 + i});
    inGame.insert(inGame.end(), {{29, 20}, {30, 21}, {31, 23}});
    const RowCase cases[] = {{InGame, 24, inGame}, {Glue, 6, menus}, {TitleScreen, 6, menus}};
    for (const RowCase& c : cases) {
        const DataFolders data =
            WithUserFile(fs::path(ColorTablePath(c.Set, "", "")).filename(), GameTable(c.Rows));
        TextDrawingState state;
        // The user's table, the bundled fontindex.dat; --data means only its folder.
        ASSERT_EQ(data.File("fontindex.dat"), test::SourceData() + "/fontindex.dat");
        ASSERT_EQ(DataFolders(dir_.string()).File("fontindex.dat"), Path("fontindex.dat"));
        ASSERT_TRUE(LoadTextTables(state, data));
        ASSERT_TRUE(LoadColorTable(state, c.Set, data, ""));
        state.TextSizeSlot = 1;
        for (auto [code, row] : c.CodeRows) {
            Surface s;
            DrawGameText(s, DotFont, state, 10, 10, std::string(1, char(code)) + "A", 640);
            EXPECT_EQ(s.Pixel(10, 10), RowColor(row)) << c.Set << " code " << code;
        }
    }
}

TEST_F(GameLookTest, InvisibleCodesAdvanceThePenButSetNoPixel) {
    TextDrawingState state;
    ASSERT_TRUE(LoadColorTable(state, InGame, WithUserFile("tfontgam.pcx", GameTable(24)), ""));
    state.CodeColorRows.fill(0); // every code's row has colours
    for (char code : {char(11), char(20)}) {
        Surface s;
        DrawGameText(s, DotFont, state, 10, 10, std::string(1, code) + "AAA\x04" + "A", 640);
        int lit = 0;
        for (int x = 0; x < 40; ++x) lit += s.Pixel(x, 10) != 0;
        EXPECT_EQ(lit, 1) << int(code);
        EXPECT_NE(s.Pixel(19, 10), 0u) << int(code); // after three letters of 3
    }
}

TEST_F(GameLookTest, SpacesInSlotZeroAdvance) {
    struct Case {
        std::vector<uint8_t> Widths; // empty: the bundled file
        int Spacing, Space;
    };
    const Case cases[] = {{{1, 4, 0, 5, 0, 5, 0, 6, 0, 7}, 1, 4},       // slot 1's values
                          {{1, 4, 0, 5, 0, 5, 0, 6, 0, 7, 2, 3}, 2, 3}, // its own pair
                          {{}, 0, 3}};
    for (const Case& c : cases) {
        TextDrawingState state;
        LoadTextTables(state, c.Widths.empty() ? DataFolders(test::SourceData())
                                               : WithUserFile("fontwidth.dat", c.Widths));
        EXPECT_EQ(state.LetterSpacing[0], c.Spacing);
        EXPECT_EQ(state.SpaceWidth[0], c.Space);
        state.TextSizeSlot = 0;
        EXPECT_EQ(MeasureGameLine(DotFont, state, "A A"), 2 * (3 + c.Spacing) + c.Space);
    }
}

} // namespace
} // namespace tarrox
