// What the golden pictures cannot show: a selection outside the table, and the card's bounds.
#include <gtest/gtest.h>

#include "PreviewSupport.h"
#include "platform/Surface.h"
#include "preview/ColorTables.h"
#include "preview/ReferenceCards.h"
#include "preview/Renderer.h"

namespace tarrox {
namespace {

using namespace test;

TEST(RedrawPreview, ShowingOnlyASelectionOutsideTheTableDrawsNothing) {
    Surface surface;
    PreviewSettings settings;
    settings.ShowAll = false;
    PreviewFonts fonts;
    TextDrawingState text;
    PreviewCanvas canvas{surface, settings, fonts, text};
    DialogBuilder d(0, 0, 640, 480);
    d.Add(5, 0, 0, 50, 50).Doc.ObjectCount = 1; // a record past the count
    RedrawPreview(canvas, d.Doc, 1);
    EXPECT_EQ(std::count(surface.Pixels().begin(), surface.Pixels().end(), 0u),
              Surface::Width * Surface::Height);
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
