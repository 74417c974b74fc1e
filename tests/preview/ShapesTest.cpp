#include <gtest/gtest.h>

#include "PreviewSupport.h"
#include "platform/Surface.h"
#include "preview/Shapes.h"

namespace tarrox {
namespace {

struct Canvas {
    Surface surface;
    PreviewSettings settings;
    PreviewFonts fonts;
    TextDrawingState text;
    PreviewCanvas canvas{surface, settings, fonts, text};
};

constexpr ColorScheme Pink = PinkAndBlueScheme;

TEST(DrawShapeColours, FillUsesTheDarkOrTheOutlineColourAndHighlightSwapsTheSet) {
    Canvas c;
    DrawShape(c.canvas, Fill | DarkFill, 0, 0, 10, 10);
    DrawShape(c.canvas, Fill | DarkFill | Highlight, 20, 0, 30, 10);
    DrawShape(c.canvas, Fill, 40, 0, 50, 10);
    DrawShape(c.canvas, 0, 60, 0, 70, 10);
    EXPECT_EQ(c.surface.Pixel(0, 0), Rgb(64, 128, 192));
    EXPECT_EQ(c.surface.Pixel(5, 5), Rgb(0, 64, 128));
    EXPECT_EQ(c.surface.Pixel(20, 0), Pink.HighlightColor);
    EXPECT_EQ(c.surface.Pixel(25, 5), Pink.HighlightColorDark);
    EXPECT_EQ(c.surface.Pixel(45, 5), Pink.NormalColor);
    EXPECT_EQ(c.surface.Pixel(65, 5), 0u);
    EXPECT_EQ(c.surface.Pixel(69, 9), Pink.NormalColor);
}

TEST(DrawShapeKinds, TriangleIsTwoOpenPolylinesAndNeverFilled) {
    Canvas c;
    DrawShape(c.canvas, Triangle | Fill | DarkFill, 100, 20, 116, 5);
    const uint32_t n = Pink.NormalColor;
    EXPECT_EQ(c.surface.Pixel(100, 20), n);
    EXPECT_EQ(c.surface.Pixel(115, 20), n);
    EXPECT_EQ(c.surface.Pixel(116, 20), n); // where the right side starts
    EXPECT_EQ(c.surface.Pixel(108, 5), 0u); // the right side's last point
    EXPECT_EQ(c.surface.Pixel(109, 5), 0u); // the left side's last point
    EXPECT_EQ(c.surface.Pixel(109, 6), n);
    EXPECT_EQ(c.surface.Pixel(108, 15), 0u);
}

TEST(DrawShapeKinds, RoundedAndEllipseFollowTheirFlags) {
    Canvas c;
    DrawShape(c.canvas, Rounded, 0, 0, 40, 20, 7);
    DrawShape(c.canvas, EllipseShape, 50, 0, 70, 20);
    EXPECT_EQ(c.surface.Pixel(0, 0), 0u);
    EXPECT_EQ(c.surface.Pixel(20, 0), Pink.NormalColor);
    EXPECT_EQ(c.surface.Pixel(50, 10), Pink.NormalColor);
    EXPECT_EQ(c.surface.Pixel(50, 0), 0u);
}

// A font whose only letter 'A' is one pixel at the pen, with line height 13.
struct TextCanvas : Canvas {
    TextCanvas() {
        test::TestLetter dot{3, 1, 1, 1, {0x07}};
        fonts.Loaded[2] = test::FontBuilder(32, 90, 13).Letter('A', dot).Load();
        text.ColorTable.fill(0xFFFFFF);
        text.TextSizeSlot = 3;
    }
    Point DotAt() const {
        for (int y = 0; y < Surface::Height; ++y)
            for (int x = 0; x < Surface::Width; ++x)
                if (surface.Pixel(x, y) == 0xFFFFFF) return {x, y};
        return {-1, -1};
    }
};

TEST(ObjectTextPlacement, VerticalFlagsPlaceThePen) {
    struct Row {
        int align;
        int32_t y, h, penY;
    } rows[] = {{AlignMiddle, 0, 20, 4},
                {AlignMiddle, 1, 20, 6},
                {AlignBottom, 10, 30, 28},
                {0, 10, 30, 11},
                {AlignTop | AlignMiddle, 10, 30, 11},
                {AlignMiddle | AlignBottom, 0, 20, 4}};
    for (const Row& r : rows) {
        TextCanvas c;
        DrawObjectText(c.canvas, r.align, 5, r.y, 50, r.h, "A");
        EXPECT_EQ(c.DotAt().Y, r.penY) << "align " << r.align << " y " << r.y;
        EXPECT_EQ(c.DotAt().X, 6);
    }
}

TEST(ObjectTextPlacement, RightAndCentreTogetherMoveByOneAndAHalfFreeWidths) {
    // The line measures 3 (two codes of width 0, one letter of 3); the box is 33 wide.
    TextCanvas right, centre, both;
    DrawObjectText(right.canvas, AlignRight, 0, 0, 33, 20, "A");
    DrawObjectText(centre.canvas, AlignCenter, 0, 0, 33, 20, "A");
    DrawObjectText(both.canvas, AlignRight | AlignCenter, 0, 0, 33, 20, "A");
    EXPECT_EQ(right.DotAt().X, 31);
    EXPECT_EQ(centre.DotAt().X, 16);
    EXPECT_EQ(both.DotAt().X, 46);
}

TEST(ObjectTextPlacement, EmptyTextAndUnloadedFontsDrawNothing) {
    TextCanvas c;
    DrawObjectText(c.canvas, AlignMiddle, 0, 0, 50, 20, "");
    c.text.TextSizeSlot = 4; // font16 was never loaded
    DrawObjectText(c.canvas, AlignMiddle | AlignCenter, 0, 0, 50, 20, "AAA");
    c.text.TextSizeSlot = 200;
    DrawObjectText(c.canvas, AlignRight, 0, 0, 50, 20, "AAA");
    EXPECT_EQ(c.DotAt().X, -1);
}

TEST(ComboArrow, IsAShadedDownwardArrowOnBlack) {
    const auto& image = ComboArrowImage();
    EXPECT_EQ(image[0], Rgb(48, 48, 48));
    EXPECT_EQ(image[12], Rgb(48, 48, 48));
    EXPECT_EQ(image[ComboArrowWidth], 0u);
    EXPECT_EQ(image[ComboArrowWidth + 1], Rgb(64, 64, 64));
    EXPECT_EQ(image[6 * ComboArrowWidth + 6], Rgb(152, 152, 144));
    EXPECT_EQ(image[6 * ComboArrowWidth + 5], 0u);
}

} // namespace
} // namespace tarrox
