#include <gtest/gtest.h>

#include "PreviewSupport.h"
#include "platform/Surface.h"
#include "preview/ColorTables.h"
#include "preview/ReferenceCards.h"
#include "preview/Renderer.h"

namespace tarrox {
namespace {

using namespace test;

// Draws with the bundled fonts and glue colours.
struct Preview {
    Surface surface;
    PreviewSettings settings;
    PreviewFonts fonts;
    TextDrawingState text;
    PreviewCanvas canvas{surface, settings, fonts, text};

    Preview() {
        LoadTextTables(text, SourceData());
        LoadColorTable(text, 1, SourceData(), "");
        LoadPreviewFonts(fonts, SourceData());
    }
    size_t Lit() const {
        return surface.Pixels().size() -
               std::count(surface.Pixels().begin(), surface.Pixels().end(), 0u);
    }
    Preview& Draw(const DialogDocument& doc, int32_t selObj = -1) {
        RedrawPreview(canvas, doc, selObj);
        return *this;
    }
};

// Which flag wins where several are set. A font of one letter, a dot at the pen, line
// height 13, in slot 3.
TEST(DrawObjectText, FlagsBecomeCodesAndAPenHeight) {
    struct Row {
        int align;
        int32_t y, h;
        Point pen;
    } rows[] = {{AlignMiddle, 0, 20, {6, 4}},
                {AlignMiddle, 1, 20, {6, 6}},
                {AlignBottom, 10, 30, {6, 28}},
                {AlignTop | AlignMiddle, 10, 30, {6, 11}},
                {AlignRight, 0, 20, {36, 1}},
                {AlignCenter, 0, 20, {21, 1}},
                {AlignRight | AlignCenter, 0, 20, {51, 1}}};
    for (const Row& r : rows) {
        Preview p;
        p.fonts.Loaded[2] = LoadFont(FontBytes(32, 90, 13, {{'A', {3, 1, 1, 1, {7}}}}));
        p.text.LetterSpacing[3] = 0;
        p.text.TextSizeSlot = 3;
        DrawObjectText(p.canvas, r.align, 5, r.y, 33, r.h, "A");
        auto lit = std::find_if(p.surface.Pixels().begin(), p.surface.Pixels().end(),
                                [](uint32_t c) { return c; });
        ptrdiff_t at = lit - p.surface.Pixels().begin();
        EXPECT_EQ(at % Surface::Width, r.pen.X) << "align " << r.align;
        EXPECT_EQ(at / Surface::Width, r.pen.Y) << "align " << r.align;
    }
}

TEST(RedrawPreview, UnknownTypesBadStringsAndFarCoordinatesDrawNothing) {
    DialogBuilder d(0, 0, 640, 480);
    d.Add(7, 0, 0, 50, 50, "text")
        .Add(15, 0, 0, 50, 50)
        .Add(-1, 0, 0, 50, 50)
        .Add(8, 100, 100, 10, 10);
    d.Add(9, 100, 100, 10, 10, "text").Last().Text = 300; // covers the box, text unseen
    d.Doc.ObjectTable[0].ControlType = 99;
    Preview p;
    EXPECT_EQ(p.Draw(d.Doc).Lit(), 100u);
    // Every sum lands near 65534: off the surface in 32 bits, on it had it wrapped in 16.
    DialogBuilder far(INT16_MAX, INT16_MAX, INT16_MAX, INT16_MAX);
    far.Add(6, INT16_MAX, INT16_MAX, INT16_MAX, 12)
        .Add(12, INT16_MAX, INT16_MAX, INT16_MAX, INT16_MAX);
    far.Last().Right = far.Last().Bottom = INT16_MAX;
    far.Add(13, INT16_MAX, INT16_MAX, INT16_MAX, 20, "text")
        .Add(3, INT16_MAX, INT16_MAX, 40, 20, "x");
    EXPECT_EQ(p.Draw(far.Doc, 1).Lit(), 0u);
    // In current-object mode a selection outside the table draws nothing.
    p.settings.ShowAll = false;
    EXPECT_EQ(p.Draw(d.Doc, 99).Lit(), 0u);
}

TEST(RedrawPreview, SizeFlagsPickSlotsInOrderAndInGameTextIsOneSmaller) {
    struct Row {
        int32_t type, flags, colors, slot;
    } rows[] = {{9, 0, 1, 3},
                {9, FlagMask(Size10Bit), 1, 1},
                {9, FlagMask(Size10Bit) | FlagMask(Size14Bit), 1, 2},
                {9, FlagMask(Size16Bit) | FlagMask(Size16xBit), 1, 5},
                {9, FlagMask(Size10Bit) | FlagMask(Size16Bit), 1, 4},
                {9, FlagMask(Size10Bit), 2, 0},
                {9, 0, 2, 1},
                {9, FlagMask(Size14Bit), 2, 2},
                {3, FlagMask(Size16Bit), 1, 1}};
    for (const Row& r : rows) {
        DialogBuilder d(0, 0, 640, 480);
        d.Add(r.type, 0, 0, 100, 20, "A", r.flags);
        Preview p;
        p.settings.FontColorSet = r.colors;
        EXPECT_EQ(p.Draw(d.Doc).text.TextSizeSlot, r.slot)
            << r.type << " " << r.flags << " " << r.colors;
    }
}

TEST(RedrawPreview, HotkeyLettersAreDroppedOnlyWhereTheTypeHidesThem) {
    auto picture = [](int type, const char* text, int32_t flags) {
        DialogBuilder d(0, 0, 640, 480);
        d.Add(type, 10, 10, 150, 30, text, flags);
        return Preview().Draw(d.Doc).surface.Pixels();
    };
    for (int type : {1, 2, 3, 4, 14})
        EXPECT_EQ(picture(type, "XSave", FlagMask(HasHotkeyBit)), picture(type, "Save", 0)) << type;
    for (int type : {9, 13})
        EXPECT_EQ(picture(type, "XSave", FlagMask(HasHotkeyBit)), picture(type, "XSave", 0))
            << type;
}

TEST(CodesCard, EveryRowFitsTheCard) {
    // The card's window shows only its own width; anything drawn past it is cut off.
    for (bool custom : {false, true}) {
        TextDrawingState text;
        LoadTextTables(text, SourceData());
        GameFont font;
        ASSERT_TRUE(LoadGameFont(SourceData() + "/font10.fnt", font));
        Surface card;
        DrawCodesCard(card, font, text, SourceData(), SourceData() + "/tfontgam.pcx", custom);
        CloseGameFont(font);
        for (int y = 0; y < Surface::Height; ++y)
            for (int x = CodesCardWidth; x < Surface::Width; ++x)
                ASSERT_EQ(card.Pixel(x, y), 0u) << custom << " at " << x << "," << y;
        for (int y = CodesCardHeight; y < Surface::Height; ++y)
            for (int x = 0; x < CodesCardWidth; ++x)
                ASSERT_EQ(card.Pixel(x, y), 0u) << custom << " at " << x << "," << y;
    }
}

} // namespace
} // namespace tarrox
