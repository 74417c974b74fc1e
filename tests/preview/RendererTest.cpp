#include <gtest/gtest.h>

#include <climits>

#include "PreviewSupport.h"
#include "platform/Surface.h"
#include "preview/ColorTables.h"
#include "preview/Renderer.h"

namespace tarrox {
namespace {

using test::Bit;
using test::DialogBuilder;

constexpr int HasHotkey = 9, Size10 = 10, Size16 = 11, Size16x = 14, Size14 = 16;
constexpr int CenterText = 21, AlignRightText = 22;

constexpr ColorScheme Pink = PinkAndBlueScheme;

// Renders with the bundled fonts and glue colours.
struct Preview {
    Surface surface;
    PreviewSettings settings;
    PreviewFonts fonts;
    TextDrawingState text;
    PreviewCanvas canvas{surface, settings, fonts, text};

    Preview() {
        LoadTextTables(text, test::SourceData());
        LoadColorTable(text, 1, test::SourceData(), "");
        LoadPreviewFonts(fonts, test::SourceData());
    }
    Preview& Draw(const DialogDocument& doc, int32_t selObj = -1) {
        RedrawPreview(canvas, doc, selObj);
        return *this;
    }
    size_t Lit() const {
        size_t n = 0;
        for (uint32_t c : surface.Pixels()) n += c != 0;
        return n;
    }
};

TEST(RendererPlacement, ControlsSitRelativeToTheDialogAndDialogBoxesDoNot) {
    DialogBuilder d(100, 50, 300, 200);
    d.Add(8, 10, 20, 40, 20).Add(0, 5, 6, 30, 30);
    Preview p;
    p.settings.FillRects = false;
    p.Draw(d.Doc());
    EXPECT_EQ(p.surface.Pixel(110, 70), Pink.NormalColor);
    EXPECT_EQ(p.surface.Pixel(109, 70), 0u);
    EXPECT_EQ(p.surface.Pixel(149, 89), Pink.NormalColor);
    EXPECT_EQ(p.surface.Pixel(200, 50), Pink.NormalColor); // object 0's top edge
    EXPECT_EQ(p.surface.Pixel(20, 6), Pink.NormalColor);   // the second dialog box, unshifted
}

TEST(RendererPlacement, TheListBoxPlacesItsScrollBarByRightAndBottom) {
    DialogBuilder d(0, 0, 640, 480);
    d.Add(12, 10, 10, 100, 100);
    d.Last().Right = 200;
    d.Last().Bottom = 300;
    Preview p;
    p.settings.FillRects = false;
    p.Draw(d.Doc());
    EXPECT_EQ(p.surface.Pixel(109, 109), Pink.NormalColor); // main box by Height
    EXPECT_EQ(p.surface.Pixel(184, 28), Pink.NormalColor);  // track from R - 16
    EXPECT_EQ(p.surface.Pixel(200, 277), Pink.NormalColor); // track to B - 22
}

TEST(RendererSelection, CurrentModeDrawsOnlyTheSelectedObjectHighlighted) {
    DialogBuilder d(100, 50, 300, 200);
    d.Add(8, 0, 0, 20, 20).Add(8, 30, 0, 20, 20).Add(8, 60, 0, 20, 20);
    Preview p;
    p.settings.ShowAll = false;
    EXPECT_EQ(p.Draw(d.Doc(), -1).Lit(), 0u);
    p.Draw(d.Doc(), 3);
    EXPECT_EQ(p.surface.Pixel(160, 50), Pink.HighlightColor);
    EXPECT_EQ(p.surface.Pixel(170, 60), Pink.HighlightColorDark);
    EXPECT_EQ(p.Lit(), 400u);
    EXPECT_EQ(p.Draw(d.Doc(), 99).Lit(), 0u);
}

TEST(RendererSelection, LaterObjectsCoverEarlierOnesEvenWhenSelected) {
    DialogBuilder d(0, 0, 640, 480);
    d.Add(8, 10, 10, 50, 50).Add(8, 30, 30, 50, 50);
    Preview p;
    p.Draw(d.Doc(), 1);
    EXPECT_EQ(p.surface.Pixel(40, 40), Pink.NormalColorDark);
    EXPECT_EQ(p.surface.Pixel(20, 20), Pink.HighlightColorDark);
}

TEST(RendererSelection, ASelectedDefaultButtonKeepsItsSquareFrameNormal) {
    DialogBuilder d(0, 0, 0, 0);
    d.Add(1, 10, 10, 100, 30);
    Preview p;
    p.Draw(d.Doc(), 1);
    EXPECT_EQ(p.surface.Pixel(10, 10), Pink.NormalColor);
    EXPECT_EQ(p.surface.Pixel(60, 10), Pink.NormalColor);
    EXPECT_EQ(p.surface.Pixel(60, 13), Pink.HighlightColor); // inner rounded frame
    EXPECT_EQ(p.surface.Pixel(60, 25), 0u);                  // buttons are never filled
}

TEST(RendererShapes, SliderMarksFollowTheWidth) {
    for (auto [width, marks] :
         {std::pair{30, std::vector<int>{}}, std::pair{100, std::vector<int>{30, 58, 87}}}) {
        DialogBuilder d(0, 0, 0, 0);
        d.Add(6, 0, 100, int16_t(width), 12);
        Preview p;
        p.settings.FillRects = false;
        p.Draw(d.Doc());
        // Each mark's filled middle row starts one pixel right of its left edge.
        std::vector<int> starts;
        for (int x = 15; x < width + 10; ++x)
            if (p.surface.Pixel(x, 105) == Pink.NormalColorDark &&
                p.surface.Pixel(x - 1, 105) != Pink.NormalColorDark)
                starts.push_back(x - 1);
        EXPECT_EQ(starts, marks) << width;
        EXPECT_EQ(p.surface.Pixel(7, 105), Pink.NormalColorDark); // the knob, filled regardless
    }
}

TEST(RendererShapes, UnknownTypesDrawNothingAndOthersStillDraw) {
    DialogBuilder d(0, 0, 640, 480);
    d.Add(7, 0, 0, 50, 50, "text")
        .Add(15, 0, 0, 50, 50)
        .Add(-1, 0, 0, 50, 50)
        .Add(8, 100, 100, 10, 10);
    DialogDocument doc = d.Doc();
    doc.ObjectTable[0].ControlType = 99;
    Preview p;
    EXPECT_EQ(p.Draw(doc).Lit(), 100u);
}

TEST(RendererShapes, TheComboArrowCoversTheTextUnderIt) {
    DialogBuilder d(0, 0, 640, 480);
    d.Add(13, 10, 10, 60, 20, "WWWWWWWWWWWWWWWWWWWWWW");
    Preview p;
    p.settings.FillRects = false;
    p.Draw(d.Doc());
    const int ax = 10 + 60 - 18, ay = 14;
    for (int row = 0; row < ComboArrowHeight; ++row)
        for (int col = 0; col < ComboArrowWidth; ++col)
            EXPECT_EQ(p.surface.Pixel(ax + col, ay + row),
                      ComboArrowImage()[row * ComboArrowWidth + col]);
}

TEST(RendererShapes, ExtremeCoordinatesAreClippedWithoutWrapping) {
    // Every sum lands near 65534: off the surface in 32 bits, at -2 had it wrapped in 16.
    DialogBuilder d(INT16_MAX, INT16_MAX, INT16_MAX, INT16_MAX);
    d.Add(6, INT16_MAX, INT16_MAX, INT16_MAX, 12)
        .Add(12, INT16_MAX, INT16_MAX, INT16_MAX, INT16_MAX);
    d.Last().Right = INT16_MAX;
    d.Last().Bottom = INT16_MAX;
    d.Add(13, INT16_MAX, INT16_MAX, INT16_MAX, 20, "text")
        .Add(3, INT16_MAX, INT16_MAX, 40, 20, "x");
    Preview p;
    EXPECT_EQ(p.Draw(d.Doc(), 1).Lit(), 0u);
}

TEST(RendererText, SizeFlagsPickSlotsInOrderAndInGameShiftsThem) {
    struct Row {
        int32_t flags;
        int colors, slot;
    } rows[] = {{0, 1, 3},
                {Bit(Size10), 1, 1},
                {Bit(Size10) | Bit(Size14), 1, 2},
                {Bit(Size16) | Bit(Size16x), 1, 5},
                {Bit(Size10) | Bit(Size16), 1, 4},
                {Bit(Size10), 2, 0},
                {0, 2, 1},
                {Bit(Size14), 2, 2}};
    for (const Row& r : rows) {
        DialogBuilder d(0, 0, 640, 480);
        d.Add(9, 0, 0, 100, 20, "A", r.flags);
        Preview p;
        p.settings.FontColorSet = r.colors;
        p.Draw(d.Doc());
        EXPECT_EQ(p.text.TextSizeSlot, r.slot) << r.flags << " in set " << r.colors;
    }
    DialogBuilder option(0, 0, 640, 480);
    option.Add(3, 0, 0, 100, 20, "A", Bit(Size16));
    Preview p;
    p.Draw(option.Doc());
    EXPECT_EQ(p.text.TextSizeSlot, 1);
}

std::vector<uint32_t> Picture(const DialogDocument& doc) {
    Preview p;
    p.Draw(doc);
    return p.surface.Pixels();
}

TEST(RendererText, HotkeyLettersAreDroppedOnlyWhereTheTypeHidesThem) {
    for (int type : {1, 2, 3, 4, 14}) {
        DialogBuilder with(0, 0, 640, 480), without(0, 0, 640, 480);
        with.Add(type, 10, 10, 150, 30, "XSave", Bit(HasHotkey));
        without.Add(type, 10, 10, 150, 30, "Save");
        EXPECT_EQ(Picture(with.Doc()), Picture(without.Doc())) << type;
    }
    for (int type : {9, 13}) {
        DialogBuilder with(0, 0, 640, 480), without(0, 0, 640, 480);
        with.Add(type, 10, 10, 150, 30, "XSave", Bit(HasHotkey));
        without.Add(type, 10, 10, 150, 30, "XSave");
        EXPECT_EQ(Picture(with.Doc()), Picture(without.Doc())) << type;
    }
}

TEST(RendererText, RightReplacesCentreOnALabel) {
    DialogBuilder both(0, 0, 640, 480), right(0, 0, 640, 480), left(0, 0, 640, 480);
    both.Add(9, 10, 10, 300, 30, "Label", Bit(CenterText) | Bit(AlignRightText));
    right.Add(9, 10, 10, 300, 30, "Label", Bit(AlignRightText));
    left.Add(9, 10, 10, 300, 30, "Label");
    EXPECT_EQ(Picture(both.Doc()), Picture(right.Doc()));
    EXPECT_NE(Picture(both.Doc()), Picture(left.Doc()));
}

TEST(RendererText, BadStringNumbersDrawNoText) {
    DialogBuilder d(0, 0, 640, 480), empty(0, 0, 640, 480);
    d.Add(9, 10, 10, 300, 30, "Label");
    empty.Add(9, 10, 10, 300, 30, "");
    DialogDocument doc = d.Doc();
    for (int32_t bad : {-1, 2, 255, 256, INT_MAX}) {
        doc.ObjectTable[1].Text = bad;
        EXPECT_EQ(Picture(doc), Picture(empty.Doc())) << bad;
    }
}

} // namespace
} // namespace tarrox
