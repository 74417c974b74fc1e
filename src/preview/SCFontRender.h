// The game's bitmap fonts (.fnt): loading them and drawing text with them in the colours of the
// current colour table, honouring the strings' formatting codes.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "preview/TextState.h"

namespace tarrox {

class Surface;

struct FontHeader {
    uint8_t LowCode = 0;  // letters exist for the codes above this one
    uint8_t HighCode = 0; // the last letter code
    uint8_t MaxWidth = 0;
    uint8_t MaxHeight = 0; // the line height
};

struct LetterHeader {
    uint8_t Width = 0; // raster row length and advance
    uint8_t Height = 0;
    uint8_t XOffset = 0;
    uint8_t YOffset = 0;
};

// A letter's walk worked out once: the box its pixels fill, from the pen, and each pixel's
// colour index in rows of cells (Surface::ClearCell where it has none), so drawing it is a
// block paint. Not Usable for a letter too long or too big to keep.
struct DecodedLetter {
    bool Done = false;
    bool Usable = false;
    int64_t Steps = 0;
    int64_t Left = 0, Top = 0, Right = -1, Bottom = -1;
    int64_t RowLength = 0; // cells a row: the box's width rounded up to a multiple of 8
    std::vector<uint8_t> Cells;
};

struct GameFont {
    FontHeader Header;
    std::array<int32_t, 256> Offsets; // record offset per code, -1 without a letter
    std::array<LetterHeader, 256> Letters{};
    // Where each letter's pixel bytes end: the nearest record above its own, or the file end.
    std::array<uint32_t, 256> PixelEnds{};
    // The whole file, read at load, so drawing never touches the disk.
    std::vector<uint8_t> Bytes;
    // Each letter's walk, worked out when it is first drawn.
    mutable std::array<DecodedLetter, 256> Decoded;

    GameFont() { Offsets.fill(-1); }
};

struct PenPosition {
    int64_t X = 0;
    int64_t Y = 0;
};

// Parses font bytes. False when they are not a font (the font is then empty). A letter
// whose offset is 0 or does not point past the offset table and inside the data has none.
bool LoadGameFont(std::span<const uint8_t> bytes, GameFont& font);
bool LoadGameFont(const std::string& path, GameFont& font);

// Empties the font; drawing with it afterwards draws nothing.
void CloseGameFont(GameFont& font);

// Draws the text with its top-left pen at (x, y). `areaWidth` is the width codes 18 and 19
// align the line they stand on within; `lineCodes` are taken as standing at the start of
// every line.
void DrawGameText(Surface& surface, const GameFont& font, const TextDrawingState& state, int64_t x,
                  int64_t y, std::string_view text, int64_t areaWidth,
                  std::string_view lineCodes = {});

// The width of the text's first line as codes 18 and 19 measure it: a space or tab its
// advance, a letter its width plus the letter spacing, a formatting code nothing.
int64_t MeasureGameLine(const GameFont& font, const TextDrawingState& state, std::string_view text);

// Draws one letter in colour row `row` and moves the pen right past it.
void DrawGameLetter(Surface& surface, const GameFont& font, const TextDrawingState& state,
                    uint8_t code, PenPosition& pen, int row);

} // namespace tarrox
