// A full preview redraw of a 128-object dialog whose every object carries text with
// formatting codes, and the surface's own clear, against a memset of the surface's memory.
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <string>

#include "BusyDialog.h"
#include "document/DialogDocument.h"
#include "platform/Surface.h"
#include "preview/ColorTables.h"
#include "preview/Renderer.h"

namespace {

using namespace tarrox;
using namespace tarrox::bench;

void BM_RedrawPreview(benchmark::State& state) {
    auto doc = BusyDialog();
    TextDrawingState text;
    LoadTextTables(text, DataDir);
    LoadColorTable(text, Glue, DataDir, "");
    auto fonts = std::make_unique<PreviewFonts>();
    LoadPreviewFonts(*fonts, DataDir);
    PreviewSettings settings;
    Surface surface;
    PreviewCanvas canvas{surface, settings, *fonts, text};
    for (auto _ : state) {
        RedrawPreview(canvas, *doc, 5);
        benchmark::DoNotOptimize(surface.Pixels().data());
    }
}
BENCHMARK(BM_RedrawPreview)->Unit(benchmark::kMicrosecond);

void BM_ClearSurface(benchmark::State& state) {
    Surface surface;
    for (auto _ : state) {
        surface.SetPen(0);
        surface.SetSolidBrush(0);
        surface.Rectangle(0, 0, Surface::Width, Surface::Height);
        benchmark::DoNotOptimize(surface.Pixels().data());
    }
}
BENCHMARK(BM_ClearSurface)->Unit(benchmark::kMicrosecond);

// Area fills in a colour whose bytes differ, so no byte fill can stand in for them.
template <int Shape> void BM_FillShape(benchmark::State& state) {
    Surface surface;
    surface.SetPen(0x203040);
    surface.SetSolidBrush(0x102030);
    for (auto _ : state) {
        if (Shape == 0) surface.Rectangle(0, 0, Surface::Width, Surface::Height);
        if (Shape == 1) surface.RoundRect(0, 0, Surface::Width, Surface::Height, 7, 7);
        if (Shape == 2) surface.Ellipse(0, 0, Surface::Width, Surface::Height);
        benchmark::DoNotOptimize(surface.Pixels().data());
    }
}
BENCHMARK(BM_FillShape<0>)->Name("BM_FillRectangle")->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FillShape<1>)->Name("BM_FillRoundRect")->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FillShape<2>)->Name("BM_FillEllipse")->Unit(benchmark::kMicrosecond);

void BM_Floor_MemsetSurface(benchmark::State& state) {
    Surface surface;
    auto* pixels = const_cast<uint32_t*>(surface.Pixels().data());
    for (auto _ : state) {
        std::memset(pixels, 0, surface.Pixels().size() * sizeof *pixels);
        benchmark::DoNotOptimize(pixels);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_Floor_MemsetSurface)->Unit(benchmark::kMicrosecond);

} // namespace
