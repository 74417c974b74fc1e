// Any bytes decoded as a PCX picture must stay inside the file, give a picture of exactly the
// size its header names within the ceiling, and draw onto the surface anywhere.
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>

#include "platform/Surface.h"
#include "preview/ArtDrawing.h"
#include "preview/ColorTables.h"
#include "preview/PcxImage.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tarrox;
    static Surface surface;
    PcxImage image;
    std::string error;
    const bool decoded = DecodePcx(std::span<const uint8_t>(data, size), image, error);
    if (!decoded && error.empty()) std::abort();
    if (IsWholeColorTable(std::span<const uint8_t>(data, size)) && !(decoded && image.HasPalette))
        std::abort();
    if (!decoded) return 0;
    const IndexedImage& i = image.Image;
    if (i.Width < 1 || i.Height < 1 || i.Width > 4096 || i.Height > 4096 ||
        i.Pixels.size() != size_t(i.Width) * size_t(i.Height))
        std::abort();
    const int shift = size > 0 ? data[size - 1] : 0;
    DrawIndexed(surface, i, image.Colors, shift - 128, 300 - shift * 2,
                {.ZeroTransparent = true, .TranslucentIndex = TranslucentIndex(image.Colors)});
    return 0;
}
