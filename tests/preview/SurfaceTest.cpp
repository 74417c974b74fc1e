#include <gtest/gtest.h>

#include <climits>

#include "platform/Surface.h"

namespace tarrox {
namespace {

constexpr uint32_t Pen = 0x0000FF, Brush = 0x00FF00;

// The w x h corner at the origin as text: '#' pen, 'o' brush, '.' untouched.
std::string Picture(const Surface& s, int w, int h) {
    std::string out;
    for (int y = 0; y < h; ++y, out += '\n')
        for (int x = 0; x < w; ++x)
            out += s.Pixel(x, y) == Pen ? '#' : s.Pixel(x, y) == Brush ? 'o' : '.';
    return out;
}

Surface Pens(bool solid) {
    Surface s;
    s.SetPen(Pen);
    solid ? s.SetSolidBrush(Brush) : s.SetHollowBrush();
    return s;
}

// The shapes themselves are pinned by the golden pictures.
TEST(SurfaceClipping, OffSurfacePixelsAreDroppedAndHugeShapesEndQuickly) {
    Surface s = Pens(true);
    s.Rectangle(-5, -5, 3, 3);
    EXPECT_EQ(Picture(s, 4, 4), "oo#.\noo#.\n###.\n....\n");
    Surface far = Pens(false);
    far.Rectangle(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
    far.Ellipse(-200000, -200000, 200000, 200000);
    const Point across[] = {{INT_MIN, 100}, {INT_MAX, 100}};
    far.Polyline(across);
    size_t lit = 0;
    for (uint32_t c : far.Pixels()) lit += c != 0;
    EXPECT_EQ(lit, size_t(Surface::Width));
    const std::vector<uint32_t> block = {1, 2, 3, 4, 5, 6};
    far.BitBlt(638, 478, 3, 2, block);
    far.BitBlt(0, 0, 4, 4, block); // more pixels claimed than given: refused
    EXPECT_EQ(far.Pixel(639, 479), 5u);
    EXPECT_EQ(far.Pixel(0, 0), 0u);
}

} // namespace
} // namespace tarrox
