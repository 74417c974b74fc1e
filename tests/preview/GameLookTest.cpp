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

constexpr uint32_t Rgb(int r, int g, int b) {
    return uint32_t(r | g << 8 | b << 16);
}
uint32_t Plain(int i) {
    return Rgb(i, 2 * i & 255, 3 * i & 255);
}
uint32_t RowColor(int i) {
    return Rgb(i / 8 + 1, 0x40, i % 8);
} // names the row

// A w x h PCX image of `data`, then the marker and a palette of `color(i)`.
std::vector<uint8_t> Pcx(int w, int h, std::vector<uint8_t> data, uint32_t (*color)(int) = Plain) {
    std::vector<uint8_t> out(128, 0);
    out[0] = 10, out[1] = 5, out[2] = 1, out[3] = 8, out[65] = 1;
    out[8] = uint8_t(w - 1), out[10] = uint8_t(h - 1), out[66] = uint8_t(w);
    for (uint8_t b : data) out.push_back(b); // insert() trips a false -Warray-bounds in g++ 12
    out.push_back(12);
    for (int i = 0; i < 256; ++i)
        out.insert(out.end(), {uint8_t(color(i)), uint8_t(color(i) >> 8), uint8_t(color(i) >> 16)});
    return out;
}

// A table shaped like the game's: `rows` rows of 8 in one long image (64 x 3 in game, 48 x 1
// for the menus), pixel i = i.
std::vector<uint8_t> GameTable(int rows) {
    std::vector<uint8_t> data;
    for (int i = 0; i < rows * 8; ++i) {
        if (i >= 0xC0) data.push_back(0xC1);
        data.push_back(uint8_t(i));
    }
    return rows == 24 ? Pcx(64, 3, data, RowColor) : Pcx(48, 1, data, RowColor);
}

TEST(PcxDecoding, RunsLiteralsWholeRunsAndThePaletteAfterTheData) {
    const std::vector<uint8_t> header = Pcx(8, 24, {});
    const uint32_t p1 = Plain(1);
    const struct {
        std::vector<uint8_t> bytes;
        bool ok;
        std::vector<uint32_t> first;
    } cases[] = {
        // A run of three 5s, a run of none, literals 7 and 8; the rest black.
        {Pcx(5, 1, {0xC3, 0x05, 0xC0, 0x09, 0x07, 0x08}),
         true,
         {Plain(5), Plain(5), Plain(5), Plain(7), Plain(8), 0}},
        // A run is taken whole past a 2 x 2 image; the byte after the data (the marker) is not
        // the palette's.
        {Pcx(2, 2, {0xC8, 0x01}), true, {p1, p1, p1, p1, p1, p1, p1, p1, 0}},
        {{header.begin(), header.begin() + 13}, false, {7}}, // too short: untouched
        {{header.begin(), header.begin() + 14}, true, {0}},
    };
    for (const auto& c : cases) {
        std::array<uint32_t, ColorRows * ColorsPerRow> t;
        t.fill(7);
        EXPECT_EQ(DecodeColorTable(c.bytes, t), c.ok) << c.bytes.size();
        EXPECT_EQ(std::vector<uint32_t>(t.begin(), t.begin() + c.first.size()), c.first)
            << c.bytes.size();
    }
}

const GameFont DotFont = test::LoadFont(test::FontBytes(32, 90, 12, {{'A', {3, 1, 1, 1, {7}}}}));

// Row 10 of the picture after `text` is drawn at (10, 10).
std::vector<uint32_t> Row10(const TextDrawingState& state, const std::string& text) {
    Surface s;
    DrawGameText(s, DotFont, state, 10, 10, text, 640);
    return {s.Pixels().begin() + 10 * Surface::Width, s.Pixels().begin() + 11 * Surface::Width};
}

class GameLookTest : public test::TempDirTest {
  protected:
    // The user's folder holds `name`; everything else comes from the bundled data.
    DataFolders WithUserFile(const std::string& name, const std::vector<uint8_t>& bytes) {
        EXPECT_TRUE(WriteFileAtomically(Path(name), bytes));
        return {dir_.string(), test::SourceData()};
    }
};

TEST_F(GameLookTest, EveryCodeTheCardListsDrawsFromTheGamesRowAndUserFilesComeFirst) {
    // Code, the game's row: the menus' six rows, then in game the players' rows 8..19 and on.
    std::vector<std::pair<int, int>> menus = {{1, 0}, {2, 0}, {13, 0}, {26, 0}, {3, 1},
                                              {4, 2}, {5, 3}, {6, 4},  {7, 5}};
    std::vector<std::pair<int, int>> inGame = {{8, 8},   {14, 9},  {15, 10}, {16, 11}, {17, 12},
                                               {21, 13}, {22, 14}, {23, 15}, {24, 16}, {25, 17},
                                               {27, 18}, {28, 19}, {29, 20}, {30, 21}, {31, 23}};
    inGame.insert(inGame.end(), menus.begin(), menus.end());
    for (auto [set, rows, codes] :
         {std::tuple{InGame, 24, &inGame}, {Glue, 6, &menus}, {TitleScreen, 6, &menus}}) {
        const DataFolders data = WithUserFile(
            std::filesystem::path(ColorTablePath(set, "", "")).filename(), GameTable(rows));
        // The user's table, the bundled fontindex.dat; --data means only its folder.
        ASSERT_EQ(data.File("fontindex.dat"), test::SourceData() + "/fontindex.dat");
        ASSERT_EQ(DataFolders(dir_.string()).File("fontindex.dat"), Path("fontindex.dat"));
        TextDrawingState state;
        ASSERT_TRUE(LoadTextTables(state, data) && LoadColorTable(state, set, data, ""));
        state.TextSizeSlot = 1;
        for (auto [code, row] : *codes)
            EXPECT_EQ(Row10(state, std::string(1, char(code)) + "A")[10], RowColor(row * 8 + 7))
                << set << " code " << code;
    }
}

TEST_F(GameLookTest, InvisibleCodesAdvanceThePenButSetNoPixel) {
    TextDrawingState state;
    ASSERT_TRUE(LoadColorTable(state, InGame, WithUserFile("tfontgam.pcx", GameTable(24)), ""));
    state.CodeColorRows.fill(0); // every code's row has colours
    for (char code : {'\x0b', '\x14'}) {
        const auto row = Row10(state, std::string(1, code) + "AAA\x04" + "A");
        EXPECT_EQ(std::count(row.begin(), row.end(), 0u), Surface::Width - 1) << int(code);
        EXPECT_NE(row[19], 0u) << int(code); // after three letters of 3
    }
}

TEST_F(GameLookTest, MissingOrUnknownTablesChangeNothingAndCustomOnesAreRead) {
    TextDrawingState state;
    state.ColorTable.fill(42);
    for (auto [set, data, custom] : {std::tuple{0, "/nonexistent", ""},
                                     {3, "", ""},
                                     {4, "", ""},
                                     {3, "", dir_.c_str()}}) // a folder
        EXPECT_FALSE(LoadColorTable(state, uint8_t(set), data, custom)) << set << custom;
    EXPECT_EQ(state.ColorTable[0], 42u);
    EXPECT_TRUE(LoadColorTable(state, 3, "", test::SourceData() + "/tfontgam.pcx"));
    EXPECT_NE(state.ColorTable[0], 42u);
}

TEST_F(GameLookTest, SpacesInSlotZeroAdvance) {
    const struct {
        std::vector<uint8_t> widths; // empty: the bundled file
        int spacing, space;
    } cases[] = {{{1, 4, 0, 5, 0, 5, 0, 6, 0, 7}, 1, 4},       // slot 1's values
                 {{1, 4, 0, 5, 0, 5, 0, 6, 0, 7, 2, 3}, 2, 3}, // its own pair
                 {{}, 0, 3}};
    for (const auto& c : cases) {
        TextDrawingState state;
        LoadTextTables(state, c.widths.empty() ? DataFolders(test::SourceData())
                                               : WithUserFile("fontwidth.dat", c.widths));
        state.TextSizeSlot = 0;
        EXPECT_EQ(std::pair(int(state.LetterSpacing[0]), int(state.SpaceWidth[0])),
                  std::pair(c.spacing, c.space));
        EXPECT_EQ(MeasureGameLine(DotFont, state, "A A"), 2 * (3 + c.spacing) + c.space);
    }
}

} // namespace
} // namespace tarrox
