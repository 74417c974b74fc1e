// The preview's drawing order, and where it puts a light-up button's text.
#include <gtest/gtest.h>

#include "document/DialogDocument.h"
#include "platform/Surface.h"
#include "preview/Renderer.h"
#include "support/BinBuilder.h"
#include "support/FontBuilder.h"

namespace tarrox {
namespace {

// Object 2, drawn later, lies over object 1's lower half and the dialog's left edge.
TEST(RedrawPreview, TheSelectedObjectsOutlineLiesOverLaterObjectsWhichKeepTheirFill) {
    DialogDocument doc;
    doc.ObjectTable[0] = test::Box(0, 0, 640, 480, 0);
    doc.ObjectTable[1] = test::Box(100, 100, 100, 100, 8);
    doc.ObjectTable[2] = test::Box(-10, 150, 260, 100, 8);
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
        TextDrawingState text;
        PreviewCanvas canvas{surface, settings, PreviewFonts(), text};
        RedrawPreview(canvas, doc, t.Selected);
        EXPECT_EQ(surface.Pixel(t.X, t.Y), t.Expected) << t.Selected << " " << t.X << "," << t.Y;
    }
}

// Corners right to left or bottom to top, as a negative size gives them, draw the same shape.
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

// The dialog at the screen's corner and a light-up button with centred text at the bottom;
// every font slot has 'A' 3 and 'B' 7 pixels wide, each one pixel at its pen, lines 12 high.
// The outline scheme draws in black, so only text shows.
std::string DrawnLightUp(const DialogObject& button, const char* text, bool shown = true) {
    DialogDocument doc;
    doc.ObjectCount = 2, doc.StringCount = 2;
    doc.ObjectTable[0].Flags = FlagMask(VisibleBit);
    doc.ObjectTable[1] = button;
    doc.ObjectTable[1].ControlType = 14, doc.ObjectTable[1].Text = 1;
    doc.ObjectTable[1].Flags =
        (shown ? FlagMask(VisibleBit) : 0) | FlagMask(CenterTextBit) | FlagMask(AlignBottomBit);
    doc.StringTable[1] = text;
    Surface surface;
    const PreviewSettings settings{.FillRects = false, .Colors = {0, 0, 0, 0}};
    PreviewFonts fonts;
    const auto font = test::FontBytes(32, 90, 12, {{'A', {3, 1, 1, 1, 7}}, {'B', {7, 1, 1, 1, 7}}});
    for (GameFont& f : fonts.Loaded) LoadGameFont(font, f);
    TextDrawingState state;
    state.ColorTable.fill(0xABCDEF);
    PreviewCanvas canvas{surface, settings, fonts, state};
    RedrawPreview(canvas, doc, -1);
    return test::PixelList(surface, [](uint32_t c) { return c == 0xABCDEF ? "" : "-"; });
}

TEST(TextLayout, LightUpButtonsAlignTextInTheirTextAreaOrTheWholeObjectAndHiddenOnesShowNone) {
    // gluCmpgn's "Terran": 356 x 278 at (162, 4), text area 105, 235 - 210, 277, so the text
    // lies in x 267-372, y 239-281, not at the object's corner.
    DialogObject terran;
    terran.Left = 162, terran.Top = 4, terran.Width = 356, terran.Height = 278;
    terran.TextLeft = 105, terran.TextTop = 235, terran.TextRight = 210, terran.TextBottom = 277;
    EXPECT_EQ(DrawnLightUp(terran, "AB\nA"), "316,259 319,259 320,271");
    terran.TextLeft = terran.TextTop = terran.TextRight = terran.TextBottom = 0;
    EXPECT_EQ(DrawnLightUp(terran, "A"), "340,271");
    EXPECT_EQ(DrawnLightUp(terran, "A", false), ""); // hidden: a dimmed outline, never its text
}

} // namespace
} // namespace tarrox
