// A full preview redraw of a 128-object dialog whose every object carries text with
// formatting codes, against a plain clear of the surface.
#include <benchmark/benchmark.h>

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

} // namespace
