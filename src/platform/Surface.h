// A 640 x 480 RGB drawing surface with the few GDI-style primitives the preview uses, drawn
// by our own rasterisers so every pixel is the same on every host.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace tarrox {

struct Point {
    int32_t X;
    int32_t Y;
};

class Surface {
  public:
    static constexpr int Width = 640;
    static constexpr int Height = 480;

    // All black, black pen, solid black brush.
    Surface();

    // Colours are 0x00BBGGRR. Pixels off the surface are dropped.
    void SetPixel(int64_t x, int64_t y, uint32_t color) {
        if (x >= 0 && x < Width && y >= 0 && y < Height) {
            SettleFill();
            pixels_[static_cast<size_t>(y) * Width + static_cast<size_t>(x)] = color;
        }
    }
    uint32_t Pixel(int x, int y) const {
        SettleFill();
        return pixels_[static_cast<size_t>(y) * Width + x];
    }
    const std::vector<uint32_t>& Pixels() const {
        SettleFill();
        return pixels_;
    }
    // Row y (0 <= y < Height) as Width pixels, for drawing pictures a row at a time.
    std::span<uint32_t, Width> Row(int y) {
        SettleFill();
        return std::span<uint32_t, Width>(pixels_.data() + static_cast<size_t>(y) * Width, Width);
    }
    // Every pixel in `color`. The pixels are set when next drawn on or read, so that a shape
    // drawn next sets the rest of the surface in the same pass: a redraw's clear and the
    // dialog's frame over it would otherwise each write the whole surface.
    void Fill(uint32_t color) {
        fillPending_ = true;
        fillColor_ = color;
    }

    void SetPen(uint32_t color) { pen_ = color; }
    void SetSolidBrush(uint32_t color) {
        brush_ = color;
        hollow_ = false;
    }
    void SetHollowBrush() { hollow_ = true; }

    // Boxes are (left, top)-(right, bottom) with right and bottom the first pixels outside;
    // swapped corners are put in order first. The outline takes the pen, the inside the brush.
    void Rectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
    // Corners are quarters of a cornerWidth x cornerHeight ellipse; 0 gives square corners.
    void RoundRect(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t cornerWidth,
                   int32_t cornerHeight);
    void Ellipse(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
    // Straight pen lines through the points; the last point is left unset.
    void Polyline(std::span<const Point> points);
    // Plain copy of a width x height block (row after row) to (x, y).
    void BitBlt(int32_t x, int32_t y, int width, int height, std::span<const uint32_t> source);
    // A width x height block of cells (row after row) with its top-left at (x, y): a cell below
    // 8 takes that entry of `colors`, any other leaves its pixel as it is.
    static constexpr uint8_t ClearCell = 0xFF;
    void PaintCells(int64_t x, int64_t y, int64_t width, int64_t height,
                    std::span<const uint8_t> cells, std::span<const uint32_t, 8> colors);

  private:
    void SettleFill() const {
        if (fillPending_) ApplyFill();
    }
    void ApplyFill() const;

    // A shape given as one run [Left, Right] per row (Left > Right for an empty row).
    struct Span {
        int64_t Left;
        int64_t Right;
    };
    template <typename RowSpan> void DrawSpans(int64_t top, int64_t bottom, RowSpan rowSpan);
    // The half-runs of the ellipse filling a w x h box, one per row top to bottom (see
    // Surface.cpp), kept for recent sizes; empty for a size too big to keep.
    std::span<const int64_t> KeptEllipseRuns(int64_t w, int64_t h);
    void Line(int64_t x0, int64_t y0, int64_t x1, int64_t y1);

    struct EllipseRuns {
        int64_t Width = 0, Height = 0;
        std::vector<int64_t> HalfRuns; // per row, top to bottom
    };
    std::array<EllipseRuns, 8> ellipses_;
    size_t nextEllipse_ = 0;
    // Reads settle a pending fill, so the pixels change under const: two threads reading at
    // once need a surface read once before.
    mutable std::vector<uint32_t> pixels_;
    mutable bool fillPending_ = false;
    uint32_t fillColor_ = 0;
    uint32_t pen_ = 0;
    uint32_t brush_ = 0;
    bool hollow_ = false;
};

} // namespace tarrox
