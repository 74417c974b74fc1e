#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "platform/Surface.h"

namespace tarrox {
namespace {

constexpr uint32_t Pen = 0x0000FF, Brush = 0x00FF00;

// The w x h corner at (x, y) as text: '#' pen, 'o' brush, '.' untouched.
std::string Picture(const Surface& s, int x, int y, int w, int h) {
    std::string out;
    for (int row = y; row < y + h; ++row) {
        for (int col = x; col < x + w; ++col) {
            uint32_t c = s.Pixel(col, row);
            out += c == Pen ? '#' : c == Brush ? 'o' : c == 0 ? '.' : '?';
        }
        out += '\n';
    }
    return out;
}

Surface WithPens(bool solid) {
    Surface s;
    s.SetPen(Pen);
    if (solid)
        s.SetSolidBrush(Brush);
    else
        s.SetHollowBrush();
    return s;
}

size_t CountSet(const Surface& s) {
    size_t n = 0;
    for (uint32_t c : s.Pixels()) n += c != 0;
    return n;
}

TEST(SurfaceShapes, RectangleLeavesRightAndBottomEdgesOutside) {
    Surface s = WithPens(true);
    s.Rectangle(1, 1, 6, 5);
    EXPECT_EQ(Picture(s, 0, 0, 7, 6), ".......\n"
                                      ".#####.\n"
                                      ".#ooo#.\n"
                                      ".#ooo#.\n"
                                      ".#####.\n"
                                      ".......\n");
}

TEST(SurfaceShapes, HollowBrushKeepsTheInsideAndSwappedCornersDrawTheSameBox) {
    Surface a = WithPens(false), b = WithPens(false);
    a.SetPixel(3, 2, Brush);
    a.Rectangle(1, 1, 6, 5);
    b.Rectangle(6, 5, 1, 1);
    EXPECT_EQ(Picture(a, 0, 0, 7, 6), ".......\n"
                                      ".#####.\n"
                                      ".#.o.#.\n"
                                      ".#...#.\n"
                                      ".#####.\n"
                                      ".......\n");
    b.SetPixel(3, 2, Brush);
    EXPECT_EQ(a.Pixels(), b.Pixels());
}

TEST(SurfaceShapes, EmptyBoxesDrawNothing) {
    Surface s = WithPens(true);
    s.Rectangle(5, 5, 5, 20);
    s.Ellipse(5, 5, 20, 5);
    s.RoundRect(3, 3, 3, 3, 7, 7);
    EXPECT_EQ(CountSet(s), 0u);
}

TEST(SurfaceShapes, EllipseIsSymmetricAndFillsInside) {
    Surface s = WithPens(true);
    s.Ellipse(0, 0, 9, 7);
    EXPECT_EQ(Picture(s, 0, 0, 10, 8), "..#####...\n"
                                       ".#ooooo#..\n"
                                       "#ooooooo#.\n"
                                       "#ooooooo#.\n"
                                       "#ooooooo#.\n"
                                       ".#ooooo#..\n"
                                       "..#####...\n"
                                       "..........\n");
}

TEST(SurfaceShapes, SmallEllipsesStayClosed) {
    Surface s = WithPens(false);
    s.Ellipse(0, 0, 5, 5);
    EXPECT_EQ(Picture(s, 0, 0, 6, 6), ".###..\n"
                                      "#...#.\n"
                                      "#...#.\n"
                                      "#...#.\n"
                                      ".###..\n"
                                      "......\n");
}

TEST(SurfaceShapes, RoundRectCutsItsCornersAndCornerZeroIsSquare) {
    Surface s = WithPens(true);
    s.RoundRect(0, 0, 10, 6, 4, 4);
    EXPECT_EQ(Picture(s, 0, 0, 11, 7), ".########..\n"
                                       "#oooooooo#.\n"
                                       "#oooooooo#.\n"
                                       "#oooooooo#.\n"
                                       "#oooooooo#.\n"
                                       ".########..\n"
                                       "...........\n");
    Surface square = WithPens(true), rect = WithPens(true);
    square.RoundRect(2, 2, 30, 20, 0, 0);
    rect.Rectangle(2, 2, 30, 20);
    EXPECT_EQ(square.Pixels(), rect.Pixels());
}

TEST(SurfaceShapes, ShapesOffTheSurfaceAreClippedWithoutWrapping) {
    Surface s = WithPens(true);
    s.Rectangle(-5, -5, 3, 3);
    EXPECT_EQ(Picture(s, 0, 0, 4, 4), "oo#.\n"
                                      "oo#.\n"
                                      "###.\n"
                                      "....\n");
    Surface far = WithPens(true);
    far.Rectangle(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
    far.Ellipse(-200000, -200000, 200000, 200000);
    far.Ellipse(700, 10, 900, 40);
    EXPECT_EQ(far.Pixel(0, 0), Brush);
    EXPECT_EQ(far.Pixel(639, 479), Brush);
}

TEST(SurfaceLines, PolylineLeavesItsLastPointUnset) {
    Surface s = WithPens(false);
    const Point path[] = {{0, 0}, {4, 0}, {4, 3}};
    s.Polyline(path);
    EXPECT_EQ(Picture(s, 0, 0, 6, 4), "#####.\n"
                                      "....#.\n"
                                      "....#.\n"
                                      "......\n");
}

TEST(SurfaceLines, ShallowAndSteepLinesStepOncePerPixel) {
    Surface s = WithPens(false);
    const Point shallow[] = {{0, 0}, {6, 2}};
    const Point steep[] = {{9, 5}, {7, 0}};
    s.Polyline(shallow);
    s.Polyline(steep);
    EXPECT_EQ(Picture(s, 0, 0, 10, 6), "##........\n"
                                       "..###..#..\n"
                                       ".....#..#.\n"
                                       "........#.\n"
                                       ".........#\n"
                                       ".........#\n");
}

TEST(SurfaceLines, HugeLinesOnlyWalkTheVisiblePart) {
    Surface s = WithPens(false);
    const Point across[] = {{INT_MIN, 100}, {INT_MAX, 100}};
    s.Polyline(across);
    EXPECT_EQ(CountSet(s), size_t(Surface::Width));
}

TEST(SurfaceBlit, CopiesTheBlockAndDropsWhatFallsOff) {
    Surface s;
    const std::vector<uint32_t> block = {1, 2, 3, 4, 5, 6};
    s.BitBlt(638, 478, 3, 2, block);
    EXPECT_EQ(s.Pixel(638, 478), 1u);
    EXPECT_EQ(s.Pixel(639, 479), 5u);
    s.BitBlt(-1, -1, 3, 2, block);
    EXPECT_EQ(s.Pixel(0, 0), 5u);
    EXPECT_EQ(s.Pixel(1, 0), 6u);
    s.BitBlt(0, 0, 4, 4, block); // a block larger than its pixels is refused
    EXPECT_EQ(s.Pixel(0, 0), 5u);
}

} // namespace
} // namespace tarrox
