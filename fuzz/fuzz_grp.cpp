// Any bytes decoded as a GRP frame set must stay inside the file, give frames of exactly the
// sizes their entries name within the ceiling, and draw onto the surface anywhere.
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>

#include "platform/Surface.h"
#include "preview/ArtDrawing.h"
#include "preview/GrpImage.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tarrox;
    static Surface surface;
    static const Palette palette{};
    GrpImage image;
    std::string error;
    if (!DecodeGrp(std::span<const uint8_t>(data, size), image, error)) {
        if (error.empty()) std::abort();
        return 0;
    }
    int64_t pixels = 0;
    for (const GrpFrame& f : image.Frames) {
        if (f.Image.Pixels.size() != size_t(f.Image.Width) * size_t(f.Image.Height) ||
            f.Image.Width > 255 || f.Image.Height > 255)
            std::abort();
        pixels += int64_t(f.Image.Pixels.size());
    }
    if (image.Frames.empty() || pixels > ArtPixelLimit) std::abort();
    for (size_t f = 0; f < image.Frames.size() && f < 64; ++f)
        DrawGrpFrame(surface, image.Frames[f], palette, int64_t(f * 37 % 700) - 30,
                     int64_t(f * 53 % 540) - 30, int(f));
    return 0;
}
