// Decoding the game's art as the art view meets it: a 640 x 480 background, a 148-frame raw
// dlg.grp, drawing the background, asking the cache for it again on every redraw, and the art
// view's redraw of a full glue screen.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "GlueScreen.h"
#include "platform/Surface.h"
#include "preview/ArtCache.h"
#include "preview/ArtDrawing.h"
#include "preview/ArtView.h"
#include "preview/ColorTables.h"
#include "preview/Renderer.h"
#include "support/ArtBuilder.h"

namespace {

using namespace tarrox;

// Painted-looking art: slow gradients with noise, so few runs, as in the game's backgrounds.
std::vector<uint8_t> Background() {
    std::vector<uint8_t> pixels(640 * 480);
    uint32_t seed = 12345;
    for (size_t i = 0; i < pixels.size(); ++i) {
        seed = seed * 1103515245 + 12345;
        const size_t x = i % 640, y = i / 640;
        pixels[i] = uint8_t((x / 5 + y / 7) % 200 + (seed >> 16) % 4 * ((x / 40) % 2));
    }
    return test::EncodePcx(640, 480, pixels, test::TestPalette());
}

// Sizes like dlg.grp's: a few large panels, then button pieces, boxes and arrows.
std::vector<uint8_t> DialogFrames() {
    const std::pair<int, int> sizes[] = {{8, 28}, {19, 19}, {16, 16}, {14, 14},
                                         {16, 8}, {13, 7},  {11, 11}};
    std::vector<test::TestFrame> frames;
    for (int f = 0; f < 148; ++f) {
        const auto [w, h] = f < 6 ? std::pair{256, 128} : sizes[f % 7];
        std::vector<uint8_t> pixels(size_t(w) * h);
        for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = uint8_t(i % 7 ? i % 251 : 0);
        frames.push_back({0, 0, w, h, pixels});
    }
    return test::GrpFile(frames, false);
}

void BM_DecodeBackgroundPcx(benchmark::State& state) {
    const std::vector<uint8_t> bytes = Background();
    for (auto _ : state) {
        PcxImage image;
        std::string error;
        benchmark::DoNotOptimize(DecodePcx(bytes, image, error));
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes.size()));
}
BENCHMARK(BM_DecodeBackgroundPcx)->Unit(benchmark::kMicrosecond);

void BM_DecodeRawDialogGrp(benchmark::State& state) {
    const std::vector<uint8_t> bytes = DialogFrames();
    for (auto _ : state) {
        GrpImage image;
        std::string error;
        benchmark::DoNotOptimize(DecodeGrp(bytes, image, error));
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes.size()));
}
BENCHMARK(BM_DecodeRawDialogGrp)->Unit(benchmark::kMicrosecond);

// Opaque, as a background; with index 0 transparent and a translucent index, as a popup.
void BM_DrawBackground(benchmark::State& state) {
    PcxImage image;
    std::string error;
    DecodePcx(Background(), image, error);
    const IndexedDrawing how = state.range(0) ? IndexedDrawing{true, 3} : IndexedDrawing{};
    Surface surface;
    for (auto _ : state) {
        DrawIndexed(surface, image.Image, image.Colors, 0, 0, how);
        benchmark::DoNotOptimize(surface.Pixels().data());
    }
}
BENCHMARK(BM_DrawBackground)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_CachedBackground(benchmark::State& state) {
    namespace fs = std::filesystem;
    const fs::path folder = fs::temp_directory_path() / "tarrox-bench-art";
    fs::create_directories(folder / "art/glue/palcs");
    const std::vector<uint8_t> bytes = Background();
    std::ofstream(folder / "art/glue/palcs/backgnd.pcx", std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    ArtCache cache(folder.string());
    for (auto _ : state) benchmark::DoNotOptimize(cache.Pcx("glue\\PalCs\\backgnd.pcx").Art);
    fs::remove_all(folder);
}
BENCHMARK(BM_CachedBackground);

void BM_ArtViewGlueScreen(benchmark::State& state) {
    bench::GlueScreen screen;
    ArtCache cache(screen.Folders());
    TextDrawingState text;
    LoadTextTables(text, bench::DataDir);
    LoadColorTable(text, Glue, bench::DataDir, "");
    auto fonts = std::make_unique<PreviewFonts>();
    LoadPreviewFonts(*fonts, bench::DataDir);
    const PreviewSettings settings;
    Surface surface;
    PreviewCanvas canvas{surface, settings, *fonts, text};
    std::vector<std::string> missing;
    for (auto _ : state) {
        missing = RedrawArtView(canvas, *screen.Doc, 1, cache, screen.Choice);
        benchmark::DoNotOptimize(surface.Pixels().data());
    }
    if (!missing.empty()) state.SkipWithError(missing.front().c_str());
}
BENCHMARK(BM_ArtViewGlueScreen)->Unit(benchmark::kMicrosecond);

} // namespace
