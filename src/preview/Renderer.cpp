#include "preview/Renderer.h"

#include <algorithm>
#include <string>

#include "document/DialogDocument.h"
#include "platform/Surface.h"
#include "preview/ColorTables.h"

namespace tarrox {

namespace {

bool Has(int32_t flags, int bit) {
    return (uint32_t(flags) >> bit) & 1;
}

// One object's drawing parameters. Sums are 32-bit: 16-bit fields cannot overflow them.
struct Placement {
    int32_t X, Y, W, H, R, B;
    int32_t TextLeft, TextTop; // the light-up button's text area's corner
    int lit;                   // Highlight or 0
    int optional;              // Fill | DarkFill when FillRects, else 0
    int align;
    std::string_view wholeText;
    std::string_view hotkeyDropped;
    bool outlineOnly; // the selected object drawn again over the objects after it
};

int SizeSlot(int32_t flags, int32_t fontColorSet) {
    int slot = 3;
    if (Has(flags, Size10Bit)) slot = 1;
    if (Has(flags, Size16Bit)) slot = 4;
    if (Has(flags, Size16xBit)) slot = 5;
    if (Has(flags, Size14Bit)) slot = 2;
    if (fontColorSet == InGame) { // the in-game set draws text one font smaller
        if (slot == 1) slot = 0;
        if (slot == 3) slot = 1;
    }
    return slot;
}

int Alignment(int32_t flags) {
    int align = 0;
    if (Has(flags, CenterTextBit)) align = AlignCenter;
    if (Has(flags, AlignRightBit)) align = AlignRight;
    if (Has(flags, AlignTopBit)) align |= AlignTop;
    if (Has(flags, AlignMiddleBit)) align |= AlignMiddle;
    if (Has(flags, AlignBottomBit)) align |= AlignBottom;
    return align;
}

void DrawSliderMarks(PreviewCanvas& c, const Placement& p) {
    for (int32_t v = 30; v < p.W;) {
        DrawShape(c, EllipseShape | Fill | DarkFill | p.lit, p.X + v, p.Y + 2, p.X + v + 5,
                  p.Y + 9);
        v += v + 28 >= p.W - 28 ? 29 : 28;
    }
}

// Text and pictures belong to the first drawing only: drawn again they would cover the objects
// above.
void DrawText(PreviewCanvas& c, const Placement& p, int align, int32_t x, int32_t y,
              std::string_view text) {
    if (!p.outlineOnly) DrawObjectText(c, align, x, y, p.W, p.H, text);
}

void DrawObject(PreviewCanvas& c, int32_t type, const Placement& p) {
    const int opt = p.optional, lit = p.lit;
    const int32_t X = p.X, Y = p.Y, W = p.W, H = p.H, R = p.R, B = p.B;
    switch (type) {
    case 0:
        DrawShape(c, Rounded | opt | lit, X, Y, X + W, Y + H, 7);
        break;
    case 1:
    case 2:
        DrawShape(c, Rounded | lit, X, Y, X + W, Y + H, 7);
        DrawShape(c, Rounded | lit, X + 4, Y + 3, X + W - 4, Y + H - 3, 9);
        // The default button's square frame stays in the normal colour when selected.
        if (type == 1) DrawShape(c, Rounded, X, Y, X + W, Y + H, 0);
        DrawText(c, p, p.align | AlignCenter | AlignMiddle, X, Y, p.hotkeyDropped);
        break;
    case 3:
        DrawShape(c, EllipseShape | opt | lit, X, Y, X + 19, Y + 19);
        DrawShape(c, EllipseShape | opt | lit, X + 4, Y + 4, X + 15, Y + 15);
        DrawShape(c, lit, X + 21, Y, X + W, Y + H);
        c.Text.TextSizeSlot = 1;
        DrawText(c, p, p.align | AlignMiddle, X + 23, Y, p.hotkeyDropped);
        break;
    case 4:
        DrawShape(c, Rounded | opt | lit, X, Y + 1, X + 16, Y + 17, 2);
        DrawShape(c, lit, X + 18, Y, X + W, Y + H);
        DrawText(c, p, p.align | AlignMiddle, X + 20, Y, p.hotkeyDropped);
        break;
    case 5:
        DrawShape(c, (opt & ~DarkFill) | lit, X, Y, X + W, Y + H);
        break;
    case 6:
        DrawShape(c, Rounded | opt | lit, X, Y + 4, X + W, Y + 7, 2);
        DrawShape(c, EllipseShape | Fill | DarkFill | lit, X + 5, Y + 2, X + 10, Y + 9);
        DrawSliderMarks(c, p);
        break;
    case 8:
        DrawShape(c, opt | lit, X, Y, X + W, Y + H);
        break;
    case 9:
    case 10:
    case 11: {
        static constexpr int Extra[] = {0, AlignCenter, AlignRight};
        DrawShape(c, opt | lit, X, Y, X + W, Y + H);
        DrawText(c, p, p.align | Extra[type - 9], X, Y, p.wholeText);
        break;
    }
    case 12:
        DrawShape(c, opt | lit, X, Y, X + W, Y + H);
        DrawShape(c, Triangle | opt | lit, R - 16, Y + 15, R, Y);
        DrawShape(c, opt | lit, R - 16, Y + 18, R + 1, B - 22);
        DrawShape(c, Triangle | opt | lit, R - 16, B - 19, R, B - 4);
        break;
    case 13: {
        DrawShape(c, Rounded | opt | lit, X, Y, X + W, Y + H, 3);
        DrawText(c, p, p.align, X + 4, Y, p.wholeText);
        const auto& arrow = ComboArrowImage();
        if (!p.outlineOnly)
            c.Target.BitBlt(X + W - 18, Y + 4, ComboArrowWidth, ComboArrowHeight, arrow);
        break;
    }
    case 14:
        DrawShape(c, opt | lit, X, Y, X + W, Y + H);
        DrawText(c, p, p.align, X + p.TextLeft, Y + p.TextTop, p.hotkeyDropped);
        break;
    default:
        break; // 7 and unknown types draw nothing
    }
}

} // namespace

void RedrawPreview(PreviewCanvas& canvas, const DialogDocument& doc, int32_t selObj) {
    canvas.Target.SetPen(0);
    canvas.Target.SetSolidBrush(0);
    canvas.Target.Rectangle(0, 0, Surface::Width, Surface::Height);

    const int32_t count = std::clamp<int32_t>(doc.ObjectCount, 0, MaxObjects);
    int32_t first = 0, last = count - 1;
    if (!canvas.Settings.ShowAll) {
        if (selObj < 0 || selObj >= count) return;
        first = last = selObj;
    }
    const DialogObject& dialog = doc.ObjectTable[0];
    // Objects drawn after the selected one may hide it: its outline is drawn once more, last.
    const int32_t outlineStep = selObj >= first && selObj < last ? last + 1 : last;
    for (int32_t step = first; step <= outlineStep; ++step) {
        const bool outlineOnly = step > last;
        const int32_t i = outlineOnly ? selObj : step;
        const DialogObject& o = doc.ObjectTable[i];
        Placement p{};
        p.outlineOnly = outlineOnly;
        p.lit = i == selObj ? Highlight : 0;
        p.optional = canvas.Settings.FillRects && !outlineOnly ? Fill | DarkFill : 0;
        p.align = Alignment(o.Flags);
        if (o.Text >= 0 && o.Text < std::min<int32_t>(doc.StringCount, MaxStrings))
            p.wholeText = doc.StringTable[o.Text];
        p.hotkeyDropped = p.wholeText;
        if (Has(o.Flags, HasHotkeyBit) && !p.hotkeyDropped.empty())
            p.hotkeyDropped.remove_prefix(1);
        canvas.Text.TextSizeSlot =
            static_cast<uint8_t>(SizeSlot(o.Flags, canvas.Settings.FontColorSet));
        const bool relative = o.ControlType != 0;
        const int32_t baseX = relative ? dialog.Left : 0, baseY = relative ? dialog.Top : 0;
        p.X = baseX + o.Left;
        p.Y = baseY + o.Top;
        p.R = baseX + o.Right;
        p.B = baseY + o.Bottom;
        p.W = o.Width;
        p.H = o.Height;
        p.TextLeft = o.TextLeft;
        p.TextTop = o.TextTop;
        DrawObject(canvas, o.ControlType, p);
    }
}

} // namespace tarrox
