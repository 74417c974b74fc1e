#include "preview/ArtDrawing.h"

#include <algorithm>

#include "platform/Surface.h"
#include "preview/GrpImage.h"

namespace tarrox {

namespace {

uint32_t Darkened(uint32_t color) {
    uint32_t out = 0;
    for (int shift = 0; shift < 24; shift += 8)
        out |= ((color >> shift & 0xFF) * TranslucentKeptPercent / 100) << shift;
    return out;
}

} // namespace

void DrawIndexed(Surface& surface, const IndexedImage& image, const Palette& palette, int64_t x,
                 int64_t y, IndexedDrawing how) {
    const int64_t left = std::max<int64_t>(x, 0);
    const int64_t right = std::min<int64_t>(x + image.Width, Surface::Width);
    const int64_t top = std::max<int64_t>(y, 0);
    const int64_t bottom = std::min<int64_t>(y + image.Height, Surface::Height);
    if (left >= right || top >= bottom ||
        image.Pixels.size() < size_t(image.Width) * size_t(image.Height))
        return;
    std::array<uint32_t, 256> colors;
    for (size_t i = 0; i < colors.size(); ++i) colors[i] = ColorOf(palette[i]);
    // Per index: 0 opaque, 1 skipped, 2 darkens what is underneath.
    std::array<uint8_t, 256> kind{};
    if (how.TranslucentIndex >= 0 && how.TranslucentIndex < 256) kind[how.TranslucentIndex] = 2;
    if (how.ZeroTransparent) kind[0] = 1;
    const bool plain = how.TranslucentIndex < 0 && !how.ZeroTransparent;

    for (int64_t row = top; row < bottom; ++row) {
        const uint8_t* source = image.Pixels.data() + (row - y) * image.Width + (left - x);
        uint32_t* target = surface.Row(int(row)).data();
        if (plain) {
            for (int64_t col = left; col < right; ++col) target[col] = colors[*source++];
            continue;
        }
        for (int64_t col = left; col < right; ++col) {
            const uint8_t index = *source++;
            if (kind[index] == 0)
                target[col] = colors[index];
            else if (kind[index] == 2)
                target[col] = Darkened(target[col]);
        }
    }
}

void DrawGrpFrame(Surface& surface, const GrpFrame& frame, const Palette& palette, int64_t x,
                  int64_t y, int translucentIndex) {
    DrawIndexed(surface, frame.Image, palette, x + frame.X, y + frame.Y,
                {.ZeroTransparent = true, .TranslucentIndex = translucentIndex});
}

} // namespace tarrox
