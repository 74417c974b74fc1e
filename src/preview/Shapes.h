// The preview's drawing vocabulary: one outline shape in the current colour scheme, and one
// object's text placed in its box in the game font.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "preview/SCFontRender.h"

namespace tarrox {

class Surface;

inline constexpr uint32_t Rgb(uint8_t r, uint8_t g, uint8_t b) {
    return uint32_t{r} | uint32_t{g} << 8 | uint32_t{b} << 16;
}

struct ColorScheme {
    uint32_t HighlightColor;
    uint32_t HighlightColorDark;
    uint32_t NormalColor;
    uint32_t NormalColorDark;
};

inline constexpr ColorScheme PinkAndBlueScheme{Rgb(240, 96, 96), Rgb(192, 64, 64),
                                               Rgb(64, 128, 192), Rgb(0, 64, 128)};
inline constexpr ColorScheme RedScheme{Rgb(252, 0, 0), Rgb(0, 0, 0), Rgb(108, 0, 0), Rgb(0, 0, 0)};
inline constexpr ColorScheme BlueScheme{Rgb(12, 72, 204), Rgb(8, 52, 152), Rgb(32, 24, 184),
                                        Rgb(0, 8, 80)};

// What the preview's menus choose; the defaults are the settings' defaults.
struct PreviewSettings {
    bool ShowAll = true;
    bool FillRects = true;
    // Objects without the Visible flag: drawn dimmed, as outlines only, so they can be found
    // and picked; off, only the selected one is.
    bool ShowHidden = true;
    ColorScheme Colors = PinkAndBlueScheme;
    int32_t FontColorSet = 1;
};

// The preview's fonts by size slot: font8, font10, font14 (slots 2 and 3), font16, font16x.
struct PreviewFonts {
    std::array<GameFont, 5> Loaded;
    const GameFont& BySlot(int slot) const {
        static constexpr int Index[SizeSlots] = {0, 1, 2, 2, 3, 4};
        return Loaded[slot >= 0 && slot < SizeSlots ? Index[slot] : 0];
    }
};

// Loads the five font files from `data`; a file that fails leaves its slot empty.
void LoadPreviewFonts(PreviewFonts& fonts, const DataFolders& data);

// Everything one redraw draws with.
struct PreviewCanvas {
    Surface& Target;
    const PreviewSettings& Settings;
    const PreviewFonts& Fonts;
    TextDrawingState& Text;
};

enum ShapeStyle : uint8_t {
    Fill = 2,
    DarkFill = 4,
    Highlight = 8,
    Rounded = 16,
    EllipseShape = 32,
    Dimmed = 64, // half as bright, never filled: a control the game does not show
    Triangle = 128,
};

enum TextAlign : uint8_t {
    AlignRight = 1,
    AlignCenter = 2,
    AlignTop = 4,
    AlignMiddle = 8,
    AlignBottom = 16,
};

// One shape: a box (right and bottom exclusive) for rectangles, rounded rectangles and
// ellipses; base (x1..x2, y1) and tip y2 for the open triangle, which is never filled.
void DrawShape(PreviewCanvas& canvas, int style, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
               int32_t corner = 0);

// The text in its box (x, y, w, h) with the font of the current TextSizeSlot: Right and
// Center become codes 18 and 19 in front of every line; Top, Middle and Bottom place the
// block of all its lines.
void DrawObjectText(PreviewCanvas& canvas, int align, int32_t x, int32_t y, int32_t w, int32_t h,
                    std::string_view text);

// The 13 x 7 combo-box arrow, transparent pixels already black.
inline constexpr int ComboArrowWidth = 13;
inline constexpr int ComboArrowHeight = 7;
const std::array<uint32_t, ComboArrowWidth * ComboArrowHeight>& ComboArrowImage();

} // namespace tarrox
