// Where the preview puts an object's text, as the game lays it out.
#include <gtest/gtest.h>

#include "document/DialogDocument.h"
#include "platform/Surface.h"
#include "preview/Renderer.h"
#include "support/FontBuilder.h"

namespace tarrox {
namespace {

constexpr uint32_t Ink = 0xABCDEF;

// 'A' 3 and 'B' 7 pixels wide, each one pixel at its pen; lines 12 high. Every font slot is
// this font, and the outline scheme draws in black, so only text shows.
struct TextOnlyCanvas {
    Surface surface;
    PreviewSettings settings;
    PreviewFonts fonts;
    TextDrawingState text;
    PreviewCanvas canvas{surface, settings, fonts, text};

    TextOnlyCanvas() {
        const auto bytes =
            test::FontBytes(32, 90, 12, {{'A', {3, 1, 1, 1, 7}}, {'B', {7, 1, 1, 1, 7}}});
        for (GameFont& f : fonts.Loaded) LoadGameFont(bytes, f);
        text.ColorTable.fill(Ink);
        settings.Colors = {0, 0, 0, 0};
        settings.FillRects = false;
    }
    std::string Drawn() const {
        return test::PixelList(surface, [](uint32_t c) { return c == Ink ? "" : "-"; });
    }
};

TEST(TextLayout, EachLineAlignsOnItsOwnAndTheBlockOfLinesIsPlaced) {
    // "AB" is 10 wide, "A" 3; two lines are 24 high in the box (100, 50) 40 x 60.
    const struct {
        int align;
        const char* expected;
    } cases[] = {
        {0, "101,51 104,51 101,63"},           {AlignCenter, "116,51 119,51 120,63"},
        {AlignRight, "131,51 134,51 138,63"},  {AlignMiddle, "101,69 104,69 101,81"},
        {AlignBottom, "101,87 104,87 101,99"}, {AlignCenter | AlignBottom, "116,87 119,87 120,99"},
    };
    for (const auto& c : cases) {
        TextOnlyCanvas t;
        DrawObjectText(t.canvas, c.align, 100, 50, 40, 60, "AB\nA");
        EXPECT_EQ(t.Drawn(), c.expected) << c.align;
    }
    // Formatting codes take no room: coloured text centres as plain text does.
    TextOnlyCanvas t;
    DrawObjectText(t.canvas, AlignCenter, 100, 50, 40, 60, "\x03\x41\x42\n\x04\x41");
    EXPECT_EQ(t.Drawn(), "116,51 119,51 120,63");
}

// The dialog at the screen's corner and one control; `flags` always ask for centred text.
std::string DrawnControl(int32_t type, int32_t flags, DialogObject o, const char* text,
                         bool showHidden = true) {
    DialogDocument doc;
    doc.ObjectCount = 2, doc.StringCount = 2;
    doc.ObjectTable[0].Flags = FlagMask(VisibleBit);
    doc.ObjectTable[0].Text = 0;
    o.ControlType = type, o.Flags = flags | FlagMask(CenterTextBit), o.Text = 1, o.SmkLink = -1;
    doc.ObjectTable[1] = o;
    doc.StringTable[1] = text;
    TextOnlyCanvas t;
    t.settings.ShowHidden = showHidden;
    RedrawPreview(t.canvas, doc, -1);
    return t.Drawn();
}

TEST(TextLayout, LightUpButtonsUseTheirTextAreaAndNoHotkeyOrHiddenTextIsDrawn) {
    const int32_t visible = FlagMask(VisibleBit), hotkey = FlagMask(HasHotkeyBit);
    // gluCmpgn's "Terran": 356 x 278 at (162, 4), text area 105, 235 - 210, 277, so the text
    // lies in x 267-372, y 239-281, not at the object's corner.
    DialogObject terran;
    terran.Left = 162, terran.Top = 4, terran.Width = 356, terran.Height = 278;
    terran.TextLeft = 105, terran.TextTop = 235, terran.TextRight = 210, terran.TextBottom = 277;
    const int32_t bottom = FlagMask(AlignBottomBit);
    EXPECT_EQ(DrawnControl(14, visible | bottom, terran, "AB\nA"), "316,259 319,259 320,271");
    // All zeros: the whole object. An area turned inside out is taken the same way.
    DialogObject whole = terran;
    whole.TextLeft = whole.TextTop = whole.TextRight = whole.TextBottom = 0;
    EXPECT_EQ(DrawnControl(14, visible | bottom, whole, "A"), "340,271");
    whole.TextRight = -5;
    EXPECT_EQ(DrawnControl(14, visible | bottom, whole, "A"), "340,271");
    // The hotkey letter is never drawn, on a label as on a button.
    DialogObject label;
    label.Left = 10, label.Top = 10, label.Width = 20, label.Height = 12;
    EXPECT_EQ(DrawnControl(9, visible | hotkey, label, "BA"), "20,11");
    EXPECT_EQ(DrawnControl(9, visible, label, "BA"), "16,11 23,11");
    EXPECT_EQ(DrawnControl(9, 0, label, "A") + DrawnControl(9, 0, label, "A", false), ""); // hidden
}

} // namespace
} // namespace tarrox
