#include "preview/SCFontRender.h"

#include <algorithm>
#include <cstring>

#include "platform/FileAccess.h"
#include "platform/Surface.h"
#include "preview/Rounding.h"

namespace tarrox {

namespace {

constexpr size_t FontHeaderSize = 12;
constexpr size_t LetterHeaderSize = 4;

int32_t ReadI32(std::span<const uint8_t> b, size_t at) {
    return static_cast<int32_t>(uint32_t{b[at]} | uint32_t{b[at + 1]} << 8 |
                                uint32_t{b[at + 2]} << 16 | uint32_t{b[at + 3]} << 24);
}

} // namespace

bool LoadGameFont(std::span<const uint8_t> bytes, GameFont& font) {
    font = GameFont{};
    if (bytes.size() < FontHeaderSize || std::memcmp(bytes.data(), "FONT", 4) != 0) return false;
    font.Header = {bytes[4], bytes[5], bytes[6], bytes[7]};
    const int low = font.Header.LowCode, high = font.Header.HighCode;
    const size_t tableEnd = FontHeaderSize + LetterHeaderSize * size_t(std::max(high - low, 0));

    // Real fonts store 0 for codes without a letter; anything not pointing at a whole letter
    // header past the table is treated the same, so no read ever leaves the file.
    std::vector<uint32_t> records;
    for (int code = low + 1; code <= high; ++code) {
        size_t entry = FontHeaderSize + LetterHeaderSize * size_t(code - low - 1);
        if (entry + 4 > bytes.size()) break;
        int64_t offset = ReadI32(bytes, entry);
        if (offset < int64_t(tableEnd) ||
            offset + int64_t(LetterHeaderSize) > int64_t(bytes.size()))
            continue;
        font.Offsets[code] = static_cast<int32_t>(offset);
        font.Letters[code] = {bytes[offset], bytes[offset + 1], bytes[offset + 2],
                              bytes[offset + 3]};
        records.push_back(static_cast<uint32_t>(offset));
    }
    std::sort(records.begin(), records.end());
    for (int code = 0; code < 256; ++code) {
        if (font.Offsets[code] < 0) continue;
        auto next = std::upper_bound(records.begin(), records.end(), uint32_t(font.Offsets[code]));
        font.PixelEnds[code] = next == records.end() ? uint32_t(bytes.size()) : *next;
    }
    font.Bytes.assign(bytes.begin(), bytes.end());
    return true;
}

bool LoadGameFont(const std::string& path, GameFont& font) {
    std::vector<uint8_t> bytes;
    if (ReadFileBytes(path, bytes) != ReadStatus::Ok) {
        font = GameFont{};
        return false;
    }
    return LoadGameFont(bytes, font);
}

void CloseGameFont(GameFont& font) {
    font = GameFont{};
}

namespace {

// The most pixel-run bytes one text may walk: one per surface pixel, far beyond any real
// text, whose letters barely overlap. Lines that do not move down (a line height of 0) or codes
// that move the pen back could otherwise draw over the same pixels for as long as the string is.
constexpr int64_t TextStepBudget = int64_t{Surface::Width} * Surface::Height;

// A row past the table: the letter advances the pen and draws nothing.
constexpr int InvisibleRow = ColorRows;

// Real letters take a few hundred bytes and boxes of a few hundred cells; a bigger one is drawn
// by the walk itself.
constexpr int64_t MaxDecodedBytes = 8192;
constexpr int64_t MaxDecodedCells = 16384;

// Calls `pixel(x, y, colourIndex)` for each pixel of the letter's walk from the pen, from its
// first byte to its last, until it returns false.
template <typename Pixel>
void WalkLetter(const GameFont& font, uint8_t code, int64_t bytes, Pixel pixel) {
    const LetterHeader& letter = font.Letters[code];
    const int64_t w = letter.Width;
    const uint8_t* p = font.Bytes.data() + font.Offsets[code] + LetterHeaderSize;
    int64_t k = int64_t{letter.XOffset} - 1, j = int64_t{letter.YOffset} - 1;
    for (int64_t i = 0; i < bytes; ++i, ++p) {
        k += (*p >> 3) + 1;
        if (k >= w) {
            j += k / w;
            k %= w;
        }
        if (!pixel(k - 1, j, *p & 7)) return;
    }
}

// The bytes of the letter's walk: one a pixel.
int64_t LetterBytes(const GameFont& font, uint8_t code) {
    return int64_t(font.PixelEnds[code]) - font.Offsets[code] - LetterHeaderSize;
}

// The letter's box and cells, worked out when it is first drawn.
const DecodedLetter& Decode(const GameFont& font, uint8_t code) {
    DecodedLetter& d = font.Decoded[code];
    if (d.Done) return d;
    d.Done = true;
    const int64_t bytes = LetterBytes(font, code);
    if (font.Offsets[code] < 0 || font.Letters[code].Width == 0 || bytes > MaxDecodedBytes)
        return d;
    bool first = true;
    WalkLetter(font, code, bytes, [&](int64_t x, int64_t y, int) {
        d.Left = first ? x : std::min(d.Left, x);
        d.Right = first ? x : std::max(d.Right, x);
        d.Top = first ? y : d.Top;
        d.Bottom = y;
        first = false;
        return true;
    });
    d.RowLength = (d.Right - d.Left + 1 + 7) / 8 * 8;
    const int64_t cells = d.RowLength * (d.Bottom - d.Top + 1);
    if (cells > MaxDecodedCells) return d;
    d.Cells.assign(size_t(std::max<int64_t>(cells, 0)), Surface::ClearCell);
    WalkLetter(font, code, bytes, [&](int64_t x, int64_t y, int color) {
        d.Cells[size_t((y - d.Top) * d.RowLength + x - d.Left)] = uint8_t(color);
        return true;
    });
    d.Steps = std::max<int64_t>(bytes, 0);
    d.Usable = true;
    return d;
}

// Draws the letter's pixels one by one as its bytes lead the pen, within the budget.
void WalkLetterOnto(Surface& surface, const GameFont& font, uint8_t code, const PenPosition& pen,
                    std::span<const uint32_t, ColorsPerRow> colors, int64_t& steps) {
    const LetterHeader& letter = font.Letters[code];
    // Columns stay within pen.X - 1 .. pen.X + width - 2 and rows only grow, so a letter that
    // cannot reach the surface is not walked: a hostile font's long pixel runs cost nothing off it.
    if (pen.X + letter.Width < 2 || pen.X > Surface::Width ||
        pen.Y + letter.YOffset - 1 >= Surface::Height)
        return;
    WalkLetter(font, code, LetterBytes(font, code), [&](int64_t x, int64_t y, int color) {
        if (steps <= 0 || pen.Y + y >= Surface::Height) return false;
        surface.SetPixel(pen.X + x, pen.Y + y, colors[size_t(color)]);
        --steps;
        return true;
    });
}

void DrawLetter(Surface& surface, const GameFont& font, const TextDrawingState& state, uint8_t code,
                PenPosition& pen, int row, int64_t& steps) {
    const LetterHeader& letter = font.Letters[code];
    // A width of 0 would never finish a line: such a letter only advances the pen.
    if (font.Offsets[code] >= 0 && letter.Width > 0 && row != InvisibleRow) {
        const std::span<const uint32_t, ColorsPerRow> colors(
            &state.ColorTable[size_t(row) * ColorsPerRow], ColorsPerRow);
        const DecodedLetter& d = Decode(font, code);
        // Wholly on the surface and within the budget, the letter is painted as a block.
        if (d.Usable && steps >= d.Steps && pen.X + d.Left >= 0 &&
            pen.X + d.Right < Surface::Width && pen.Y + d.Top >= 0 &&
            pen.Y + d.Bottom < Surface::Height) {
            surface.PaintCells(pen.X + d.Left, pen.Y + d.Top, d.RowLength, d.Bottom - d.Top + 1,
                               d.Cells, colors);
            steps -= d.Steps;
        } else {
            WalkLetterOnto(surface, font, code, pen, colors, steps);
        }
    }
    pen.X += letter.Width + state.Spacing();
}

} // namespace

void DrawGameLetter(Surface& surface, const GameFont& font, const TextDrawingState& state,
                    uint8_t code, PenPosition& pen, int row) {
    int64_t steps = TextStepBudget;
    DrawLetter(surface, font, state, code, pen, row, steps);
}

int64_t MeasureGameLine(const GameFont& font, const TextDrawingState& state,
                        std::string_view text) {
    int64_t width = 0;
    for (char ch : text) {
        uint8_t b = static_cast<uint8_t>(ch);
        if (b == 0 || b == 10) break;
        if (b == 9 || b == 32)
            width += state.Space();
        else if (b > 32) // formatting codes take no room on the line
            width += font.Letters[b].Width + state.Spacing();
    }
    return width;
}

void DrawGameText(Surface& surface, const GameFont& font, const TextDrawingState& state, int64_t x,
                  int64_t y, std::string_view text, int64_t areaWidth, std::string_view lineCodes) {
    PenPosition pen{x, y};
    int row = 0;
    // Codes 18 and 19 align the line they stand on; measure each line once however many
    // codes it holds.
    size_t lineStart = 0;
    int64_t lineWidth = -1;
    auto freeWidth = [&] {
        if (lineWidth < 0) lineWidth = MeasureGameLine(font, state, text.substr(lineStart));
        return areaWidth - lineWidth;
    };
    int64_t steps = TextStepBudget;
    // False where the text ends.
    auto apply = [&](uint8_t b) {
        switch (b) {
        case 0:
            return false;
        case 1:
            row = 0;
            break;
        case 9:
        case 32:
            pen.X += state.Space();
            break;
        case 11:
        case 20:
            row = InvisibleRow; // the game draws nothing here, whatever the tables hold
            break;
        case 12:
            break;
        case 18:
            pen.X += freeWidth();
            break;
        case 19:
            pen.X = HalfToEven(2 * pen.X + freeWidth());
            break;
        default:
            if (b < 32)
                row = state.RowOfCode(b);
            else
                DrawLetter(surface, font, state, b, pen, row, steps);
        }
        return true;
    };
    auto startLine = [&] {
        for (char code : lineCodes)
            if (!apply(static_cast<uint8_t>(code))) return false;
        return true;
    };
    if (!startLine()) return;
    for (size_t i = 0; i < text.size(); ++i) {
        uint8_t b = static_cast<uint8_t>(text[i]);
        // Rows drawn start at most one above the pen, and the pen never moves up.
        if (steps <= 0 || pen.Y > Surface::Height) return;
        if (b != 10) {
            if (!apply(b)) return;
            continue;
        }
        pen.X = x;
        pen.Y += font.Header.MaxHeight;
        lineStart = i + 1;
        lineWidth = -1;
        if (!startLine()) return;
    }
}

} // namespace tarrox
