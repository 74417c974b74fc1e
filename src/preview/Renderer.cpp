#include "preview/Renderer.h"

#include <algorithm>
#include <string>

#include "document/DialogDocument.h"
#include "platform/Surface.h"
#include "preview/ColorTables.h"
#include "preview/ObjectDrawing.h"

namespace tarrox {

namespace {

bool Has(int32_t flags, int bit) {
    return (uint32_t(flags) >> bit) & 1;
}

// Where a light-up button aligns its text: its text area relative to the object, right and
// bottom inclusive. The game leaves it all zeros for "the whole object"; an area turned
// inside out is taken the same way, as no text would show in it.
PictureRect LightUpTextArea(const DialogObject& o, int32_t x, int32_t y) {
    const PictureRect whole{x, y, x + o.Width - 1, y + o.Height - 1};
    if (o.TextLeft == 0 && o.TextTop == 0 && o.TextRight == 0 && o.TextBottom == 0) return whole;
    if (o.TextRight < o.TextLeft || o.TextBottom < o.TextTop) return whole;
    return {x + o.TextLeft, y + o.TextTop, x + o.TextRight, y + o.TextBottom};
}

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

void DrawSliderMarks(PreviewCanvas& c, const ObjectPlacement& p) {
    for (int32_t v = 30; v < p.W;) {
        DrawShape(c, EllipseShape | Fill | DarkFill | p.lit, p.X + v, p.Y + 2, p.X + v + 5,
                  p.Y + 9);
        v += v + 28 >= p.W - 28 ? 29 : 28;
    }
}

void DrawOutlineShapes(PreviewCanvas& c, int32_t type, const ObjectPlacement& p) {
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
        break;
    case 3:
        DrawShape(c, EllipseShape | opt | lit, X, Y, X + 19, Y + 19);
        DrawShape(c, EllipseShape | opt | lit, X + 4, Y + 4, X + 15, Y + 15);
        DrawShape(c, lit, X + 21, Y, X + W, Y + H);
        break;
    case 4:
        DrawShape(c, Rounded | opt | lit, X, Y + 1, X + 16, Y + 17, 2);
        DrawShape(c, lit, X + 18, Y, X + W, Y + H);
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
    case 9:
    case 10:
    case 11:
        DrawShape(c, opt | lit, X, Y, X + W, Y + H);
        break;
    case 12:
        DrawShape(c, opt | lit, X, Y, X + W, Y + H);
        DrawShape(c, Triangle | opt | lit, R - 16, Y + 15, R, Y);
        DrawShape(c, opt | lit, R - 16, Y + 18, R + 1, B - 22);
        DrawShape(c, Triangle | opt | lit, R - 16, B - 19, R, B - 4);
        break;
    case 13:
        DrawShape(c, Rounded | opt | lit, X, Y, X + W, Y + H, 3);
        break;
    case 14:
        DrawShape(c, opt | lit, X, Y, X + W, Y + H);
        break;
    default:
        break; // 7 and unknown types draw nothing
    }
}

} // namespace

bool IsShown(const DialogObject& o) {
    return Has(o.Flags, VisibleBit);
}

ObjectPlacement PlaceObject(PreviewCanvas& canvas, const DialogDocument& doc, int32_t index,
                            int32_t selObj) {
    const DialogObject& o = doc.ObjectTable[index];
    const DialogObject& dialog = doc.ObjectTable[0];
    ObjectPlacement p{};
    p.lit = index == selObj ? Highlight : 0;
    p.optional = canvas.Settings.FillRects ? Fill | DarkFill : 0;
    p.align = Alignment(o.Flags);
    if (o.Text >= 0 && o.Text < std::min<int32_t>(doc.StringCount, MaxStrings))
        p.text = doc.StringTable[o.Text];
    p.wholeText = p.text;
    // The hotkey is the text's first letter, never shown, whatever the control.
    if (Has(o.Flags, HasHotkeyBit) && !p.text.empty()) p.text.remove_prefix(1);
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
    p.TextArea = LightUpTextArea(o, p.X, p.Y);
    return p;
}

void DrawControlText(PreviewCanvas& c, int32_t type, const ObjectPlacement& p) {
    const int32_t X = p.X, Y = p.Y, W = p.W, H = p.H;
    switch (type) {
    case 1:
    case 2:
        DrawObjectText(c, p.align | AlignCenter | AlignMiddle, X, Y, W, H, p.text);
        break;
    case 3:
        c.Text.TextSizeSlot = 1;
        DrawObjectText(c, p.align | AlignMiddle, X + 23, Y, W, H, p.text);
        break;
    case 4:
        DrawObjectText(c, p.align | AlignMiddle, X + 20, Y, W, H, p.text);
        break;
    case 9:
    case 10:
    case 11: {
        static constexpr int Extra[] = {0, AlignCenter, AlignRight};
        DrawObjectText(c, p.align | Extra[type - 9], X, Y, W, H, p.text);
        break;
    }
    case 13:
        DrawObjectText(c, p.align, X + 4, Y, W, H, p.text);
        break;
    case 14: {
        const PictureRect& a = p.TextArea;
        DrawObjectText(c, p.align, a.Left, a.Top, a.Right - a.Left + 1, a.Bottom - a.Top + 1,
                       p.text);
        break;
    }
    default:
        break; // the others show no text
    }
}

void DrawOutlineObject(PreviewCanvas& c, int32_t type, const ObjectPlacement& p) {
    DrawOutlineShapes(c, type, p);
    DrawControlText(c, type, p);
    if (type == 13) {
        const auto& arrow = ComboArrowImage();
        c.Target.BitBlt(p.X + p.W - 18, p.Y + 4, ComboArrowWidth, ComboArrowHeight, arrow);
    }
}

void DrawHiddenObject(PreviewCanvas& c, int32_t type, const ObjectPlacement& p) {
    if (type < 0 || type >= ControlTypeCount || type == 7) return;
    DrawShape(c, Dimmed | p.lit, p.X, p.Y, p.X + p.W, p.Y + p.H);
}

void RedrawPreview(PreviewCanvas& canvas, const DialogDocument& doc, int32_t selObj) {
    canvas.Target.Fill(0);

    const int32_t count = std::clamp<int32_t>(doc.ObjectCount, 0, MaxObjects);
    int32_t first = 0, last = count - 1;
    if (!canvas.Settings.ShowAll) {
        if (selObj < 0 || selObj >= count) return;
        first = last = selObj;
    }
    for (int32_t i = first; i <= last; ++i) {
        const DialogObject& o = doc.ObjectTable[i];
        const ObjectPlacement p = PlaceObject(canvas, doc, i, selObj);
        if (IsShown(o))
            DrawOutlineObject(canvas, o.ControlType, p);
        else if (canvas.Settings.ShowHidden || i == selObj)
            DrawHiddenObject(canvas, o.ControlType, p);
    }
    // Objects drawn after the selected one may hide it: its outline is drawn once more, last,
    // without fill or text, so what lies over it keeps its own.
    if (selObj >= first && selObj < last) {
        const DialogObject& o = doc.ObjectTable[selObj];
        ObjectPlacement p = PlaceObject(canvas, doc, selObj, selObj);
        p.optional = 0;
        if (IsShown(o))
            DrawOutlineShapes(canvas, o.ControlType, p);
        else
            DrawHiddenObject(canvas, o.ControlType, p);
    }
}

} // namespace tarrox
