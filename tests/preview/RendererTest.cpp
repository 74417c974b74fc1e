// What the golden pictures cannot show: drawing far off the surface, and the cards' bounds.
#include <gtest/gtest.h>

#include <climits>

#include "PreviewSupport.h"
#include "platform/Surface.h"
#include "preview/ColorTables.h"
#include "preview/ReferenceCards.h"
#include "preview/Renderer.h"

namespace tarrox {
namespace {

using namespace test;

size_t Lit(const Surface& s) {
    return s.Pixels().size() - size_t(std::count(s.Pixels().begin(), s.Pixels().end(), 0u));
}

TEST(RedrawPreview, UnknownTypesBadStringsAndFarCoordinatesDrawNothing) {
    Surface surface;
    PreviewSettings settings;
    PreviewFonts fonts;
    TextDrawingState text;
    PreviewCanvas canvas{surface, settings, fonts, text};
    LoadTextTables(text, SourceData());
    LoadColorTable(text, 1, SourceData(), "");
    LoadPreviewFonts(fonts, SourceData());
    DialogBuilder d(0, 0, 640, 480);
    d.Add(7, 0, 0, 50, 50, "text").Add(15, 0, 0, 50, 50).Add(-1, 0, 0, 50, 50);
    d.Add(8, 100, 100, 10, 10).Add(9, 100, 100, 10, 10, "text").Last().Text = 300;
    d.Doc.ObjectTable[0].ControlType = 99;
    RedrawPreview(canvas, d.Doc, -1);
    EXPECT_EQ(Lit(surface), 100u); // the text box alone; the label's text is unseen
    // Every sum lands near 65534: off the surface in 32 bits, on it had it wrapped in 16.
    DialogBuilder far(INT16_MAX, INT16_MAX, INT16_MAX, INT16_MAX);
    far.Add(6, INT16_MAX, INT16_MAX, INT16_MAX, 12)
        .Add(12, INT16_MAX, INT16_MAX, INT16_MAX, INT16_MAX);
    far.Last().Right = far.Last().Bottom = INT16_MAX;
    far.Add(13, INT16_MAX, INT16_MAX, INT16_MAX, 20, "text")
        .Add(3, INT16_MAX, INT16_MAX, 40, 20, "x");
    RedrawPreview(canvas, far.Doc, 1);
    EXPECT_EQ(Lit(surface), 0u);
    settings.ShowAll = false; // a selection outside the table then draws nothing
    RedrawPreview(canvas, d.Doc, 99);
    EXPECT_EQ(Lit(surface), 0u);
}

TEST(SurfaceClipping, OffSurfacePixelsAreDroppedAndHugeShapesEndQuickly) {
    Surface s;
    s.SetPen(1), s.SetSolidBrush(2);
    s.Rectangle(-5, -5, 3, 3);
    std::string corner;
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) corner += char('0' + s.Pixel(x, y));
    EXPECT_EQ(corner, "2210"
                      "2210"
                      "1110"
                      "0000");
    Surface far;
    far.SetPen(1), far.SetHollowBrush();
    far.Rectangle(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
    far.Ellipse(-200000, -200000, 200000, 200000);
    const Point across[] = {{INT_MIN, 100}, {INT_MAX, 100}};
    far.Polyline(across);
    EXPECT_EQ(Lit(far), size_t(Surface::Width));
    const std::vector<uint32_t> block = {1, 2, 3, 4, 5, 6};
    far.BitBlt(638, 478, 3, 2, block);
    far.BitBlt(0, 0, 4, 4, block); // more pixels claimed than given: refused
    EXPECT_EQ(far.Pixel(639, 479) * 10 + far.Pixel(0, 0), 50u);
}

TEST(CodesCard, EveryRowFitsTheCard) {
    for (bool custom : {false, true}) {
        TextDrawingState text;
        LoadTextTables(text, SourceData());
        GameFont font;
        ASSERT_TRUE(LoadGameFont(SourceData() + "/font10.fnt", font));
        Surface card;
        DrawCodesCard(card, font, text, SourceData(), SourceData() + "/tfontgam.pcx", custom);
        CloseGameFont(font);
        size_t outside = 0; // the card's window shows only its own size
        for (int y = 0; y < Surface::Height; ++y)
            for (int x = 0; x < Surface::Width; ++x)
                outside += (x >= CodesCardWidth || y >= CodesCardHeight) && card.Pixel(x, y);
        EXPECT_EQ(outside, 0u) << custom;
    }
}

} // namespace
} // namespace tarrox
