// The redraw's shortcuts set the same pixels as the plain way: a fill left for the next drawing,
// letters painted as blocks of cells.
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>

#include "platform/Surface.h"
#include "preview/SCFontRender.h"
#include "support/FontBuilder.h"

namespace tarrox {
namespace {

// Whatever follows a fill sees the surface as if every pixel had been set at once.
TEST(Surface, AFillLeftForLaterSetsThePixelsAsAtOnce) {
    constexpr uint32_t Back = 0x102030, Pen = 0x405060, Brush = 0x708090;
    const std::array<uint32_t, 8> colors{1, 2, 3, 4, 5, 6, 7, 8};
    const std::array<uint8_t, 16> cells{0, Surface::ClearCell, 2, 7, 9, 1, 1, 1, 3,
                                        3, Surface::ClearCell};
    const std::array<uint32_t, 4> block{9, 9, 9, 9};
    const Point line[] = {{-5, 3}, {700, 400}};
    const std::function<void(Surface&)> draws[] = {
        [](Surface&) {},
        [](Surface& s) { s.RoundRect(-20, 30, 300, 200, 9, 9); },
        [](Surface& s) { s.Ellipse(600, 400, 700, 700); },   // partly off the surface
        [](Surface& s) { s.Rectangle(-50, -50, -10, 900); }, // wholly off it
        [](Surface& s) { s.Rectangle(0, 0, 640, 480); },
        [](Surface& s) {
            s.SetHollowBrush();
            s.Rectangle(5, 6, 100, 50);
        },
        [](Surface& s) { s.SetPixel(639, 479, Pen); },
        [&](Surface& s) { s.Polyline(line); },
        [&](Surface& s) { s.BitBlt(637, 10, 2, 2, block); },
        [&](Surface& s) { s.PaintCells(630, 470, 8, 2, cells, colors); },
        [](Surface& s) { s.Row(7)[3] = Pen; },
        [](Surface& s) { s.Fill(Pen); },
    };
    for (size_t i = 0; i < std::size(draws); ++i) {
        Surface now, later;
        for (Surface* s : {&now, &later}) {
            s->SetPen(Brush);
            s->SetSolidBrush(Pen); // something under the fill that must not show through
            s->RoundRect(100, 100, 400, 300, 30, 30);
        }
        now.SetPen(Back), now.SetSolidBrush(Back);
        now.Rectangle(0, 0, Surface::Width, Surface::Height);
        later.Fill(Back);
        for (Surface* s : {&now, &later}) {
            s->SetPen(Pen), s->SetSolidBrush(Brush);
            draws[i](*s);
        }
        EXPECT_EQ(later.Pixels(), now.Pixels()) << "drawing " << i;
    }
}

// A letter 12 wide with empty rows, a pixel left of the pen and one wrapping two rows:
// (-1,0) (10,0) (-1,2) (6,4) (7,4) from the pen in colours 1 to 5.
const GameFont Ladder = [] {
    GameFont font;
    LoadGameFont(
        test::FontBytes(32, 90, 12,
                        {{'W', {12, 5, 0, 1, 0x01, 10 << 3 | 2, 12 << 3 | 3, 30 << 3 | 4, 0x05}}}),
        font);
    return font;
}();

TEST(GameFontText, LettersSetTheirPixelsAndKeepWhatLiesBetween) {
    TextDrawingState state;
    for (size_t i = 0; i < state.ColorTable.size(); ++i) state.ColorTable[i] = uint32_t(i);
    const int pixels[][3] = {{-1, 0, 1}, {10, 0, 2}, {-1, 2, 3}, {6, 4, 4}, {7, 4, 5}};
    const std::vector<Point> cases[] = {
        {{20, 10}},  {{20, 10}, {20, 9}}, // the second's empty rows lie over the first's pixels
        {{628, 10}},                      // the last columns, short of a whole block
        {{630, 10}},                      // one pixel off the right edge
        {{0, 10}},                        // the pixels left of the pen off the surface
        {{20, 477}},                      // rows below the surface
    };
    auto list = [](const Surface& s) {
        return test::PixelList(
            s, [](uint32_t v) { return v == 0xABCDEF ? "-" : ":" + std::to_string(v); });
    };
    for (const auto& pens : cases) {
        Surface drawn, expected;
        drawn.Fill(0xABCDEF), expected.Fill(0xABCDEF);
        for (Point pen : pens) {
            DrawGameText(drawn, Ladder, state, pen.X, pen.Y, "W", 640);
            for (auto [x, y, color] : pixels)
                expected.SetPixel(pen.X + x, pen.Y + y, uint32_t(color));
        }
        EXPECT_EQ(list(drawn), list(expected)) << pens[0].X << "," << pens[0].Y;
    }
}

} // namespace
} // namespace tarrox
