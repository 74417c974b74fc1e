#include "preview/Shapes.h"

#include <algorithm>

#include "platform/Surface.h"
#include "preview/Rounding.h"

namespace tarrox {

void LoadPreviewFonts(PreviewFonts& fonts, const DataFolders& data) {
    static const char* const Files[] = {"font8.fnt", "font10.fnt", "font14.fnt", "font16.fnt",
                                        "font16x.fnt"};
    for (size_t i = 0; i < fonts.Loaded.size(); ++i)
        LoadGameFont(data.File(Files[i]), fonts.Loaded[i]);
}

void DrawShape(PreviewCanvas& canvas, int style, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
               int32_t corner) {
    const ColorScheme& c = canvas.Settings.Colors;
    const bool lit = style & Highlight;
    uint32_t outline = lit ? c.HighlightColor : c.NormalColor;
    if (style & Dimmed) outline = (outline >> 1) & 0x7F7F7F;
    Surface& s = canvas.Target;
    s.SetPen(outline);
    if ((style & Fill) && !(style & Dimmed))
        s.SetSolidBrush(style & DarkFill ? (lit ? c.HighlightColorDark : c.NormalColorDark)
                                         : outline);
    else
        s.SetHollowBrush();

    if (style & EllipseShape) {
        s.Ellipse(x1, y1, x2, y2);
    } else if (style & Rounded) {
        s.RoundRect(x1, y1, x2, y2, corner, corner);
    } else if (style & Triangle) {
        const int32_t m = static_cast<int32_t>(HalfToEven(int64_t{x1} + x2));
        const Point sides[] = {{x1, y1}, {x2, y1}, {m, y2}};
        const Point left[] = {{x1, y1}, {m + 1, y2}};
        s.Polyline(sides);
        s.Polyline(left);
    } else {
        s.Rectangle(x1, y1, x2, y2);
    }
}

void DrawObjectText(PreviewCanvas& canvas, int align, int32_t x, int32_t y, int32_t w, int32_t h,
                    std::string_view text) {
    text = text.substr(0, text.find('\0'));
    if (text.empty()) return;
    const GameFont& font = canvas.Fonts.BySlot(canvas.Text.TextSizeSlot);

    // Centre and right alignment apply to every line on its own, as the game's glue screens
    // show two centred lines of different widths: the code goes in front of each line.
    char lineCodes[2];
    size_t codeCount = 0;
    if (align & AlignCenter) lineCodes[codeCount++] = '\x13';
    if (align & AlignRight) lineCodes[codeCount++] = '\x12';
    const int64_t lines = 1 + std::count(text.begin(), text.end(), '\n');

    // Middle and bottom place the block of all lines, each the font's full height.
    const int64_t block = lines * font.Header.MaxHeight;
    int64_t penY = int64_t{y} + 1;
    if (align & AlignTop)
        penY = int64_t{y} + 1;
    else if (align & AlignMiddle)
        penY = HalfToEven(int64_t{h} - block + 2 * (int64_t{y} + 1));
    else if (align & AlignBottom)
        penY = int64_t{y} + 1 + h - block;
    DrawGameText(canvas.Target, font, canvas.Text, int64_t{x} + 1, penY, text, w,
                 std::string_view(lineCodes, codeCount));
}

const std::array<uint32_t, ComboArrowWidth * ComboArrowHeight>& ComboArrowImage() {
    static const auto image = [] {
        std::array<uint32_t, ComboArrowWidth * ComboArrowHeight> px{};
        static constexpr uint32_t Shades[ComboArrowHeight] = {
            Rgb(48, 48, 48),    Rgb(64, 64, 64),    Rgb(80, 80, 80),   Rgb(96, 96, 96),
            Rgb(112, 112, 112), Rgb(140, 140, 140), Rgb(152, 152, 144)};
        for (int row = 0; row < ComboArrowHeight; ++row)
            for (int col = row; col < ComboArrowWidth - row; ++col)
                px[row * ComboArrowWidth + col] = Shades[row];
        return px;
    }();
    return image;
}

} // namespace tarrox
