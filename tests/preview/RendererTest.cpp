// The preview's drawing order: the selected object stays visible under the objects after it.
#include <gtest/gtest.h>

#include "document/DialogDocument.h"
#include "platform/Surface.h"
#include "preview/Renderer.h"

namespace tarrox {
namespace {

DialogObject Box(int16_t left, int16_t top, int16_t width, int16_t height, int32_t type) {
    return {.Left = left,
            .Top = top,
            .Right = int16_t(left + width - 1),
            .Bottom = int16_t(top + height - 1),
            .Width = width,
            .Height = height,
            .Text = -1,
            .Flags = FlagMask(VisibleBit),
            .ControlType = type};
}

// Object 1 at 100..199 x 100..199; object 2, drawn later, over its lower half and the
// dialog's left edge.
TEST(RedrawPreview, TheSelectedObjectsOutlineLiesOverLaterObjectsWhichKeepTheirFill) {
    DialogDocument doc;
    doc.ObjectTable[0] = Box(0, 0, 640, 480, 0);
    doc.ObjectTable[1] = Box(100, 100, 100, 100, 8);
    doc.ObjectTable[2] = Box(-10, 150, 260, 100, 8);
    doc.ObjectCount = 3;
    const ColorScheme& c = PinkAndBlueScheme;
    const struct {
        bool Fill;
        int32_t Selected;
        int X, Y;
        uint32_t Expected;
    } cases[] = {
        {true, 1, 100, 175, c.HighlightColor},  // its left edge, under object 2
        {true, 1, 150, 199, c.HighlightColor},  // its bottom edge, under object 2
        {true, 1, 150, 175, c.NormalColorDark}, // inside it, object 2's fill stays
        {true, 1, 150, 125, c.HighlightColorDark},
        {true, 1, 220, 150, c.NormalColor}, // object 2's own edge
        {false, 1, 100, 175, c.HighlightColor},
        {false, 1, 150, 175, 0},
        {true, 0, 0, 200, c.HighlightColor}, // the dialog under the objects inside it
        {true, -1, 100, 175, c.NormalColorDark},
        {true, 2, 100, 175, c.HighlightColorDark},
    };
    for (const auto& t : cases) {
        Surface surface;
        const PreviewSettings settings{.FillRects = t.Fill};
        const PreviewFonts fonts;
        TextDrawingState text;
        PreviewCanvas canvas{surface, settings, fonts, text};
        RedrawPreview(canvas, doc, t.Selected);
        EXPECT_EQ(surface.Pixel(t.X, t.Y), t.Expected)
            << "selected " << t.Selected << " at " << t.X << "," << t.Y << " fill " << t.Fill;
    }
}

// A box whose corners come right to left or bottom to top, as a negative size gives, is drawn
// as the same box.
TEST(Surface, SwappedCornersDrawTheSameShape) {
    using Shape = void (*)(Surface&, int32_t, int32_t, int32_t, int32_t);
    const Shape shapes[] = {
        [](Surface& s, int32_t l, int32_t t, int32_t r, int32_t b) { s.Rectangle(l, t, r, b); },
        [](Surface& s, int32_t l, int32_t t, int32_t r, int32_t b) { s.Ellipse(l, t, r, b); },
        [](Surface& s, int32_t l, int32_t t, int32_t r, int32_t b) {
            s.RoundRect(l, t, r, b, 6, 6);
        }};
    for (Shape draw : shapes) {
        Surface ordered, swapped;
        ordered.SetPen(0xFFFFFF), swapped.SetPen(0xFFFFFF);
        draw(ordered, 10, 20, 30, 40);
        draw(swapped, 30, 40, 10, 20);
        EXPECT_NE(ordered.Pixels(), Surface().Pixels());
        EXPECT_EQ(swapped.Pixels(), ordered.Pixels());
    }
}

} // namespace
} // namespace tarrox
