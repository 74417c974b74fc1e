// A full preview redraw of a 128-object dialog whose every object carries text with
// formatting codes, the surface's own clear and area fills, each against a memset of the
// surface's memory timed in turn with it, so both meet the same load on a shared machine.
#include <benchmark/benchmark.h>

#include <chrono>
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

// Times `work` as the iteration and a memset of the surface just before it; the memsets'
// mean is the counter "floor_us".
template <typename Work> void AgainstMemset(benchmark::State& state, Surface& surface, Work work) {
    using Clock = std::chrono::steady_clock;
    auto* pixels = const_cast<uint32_t*>(surface.Pixels().data());
    const size_t bytes = surface.Pixels().size() * sizeof *pixels;
    double floor = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        std::memset(pixels, 0, bytes);
        benchmark::ClobberMemory();
        const auto between = Clock::now();
        work();
        benchmark::DoNotOptimize(surface.Pixels().data());
        benchmark::ClobberMemory();
        const auto end = Clock::now();
        floor += std::chrono::duration<double>(between - start).count();
        state.SetIterationTime(std::chrono::duration<double>(end - between).count());
    }
    state.counters["floor_us"] = floor / double(state.iterations()) * 1e6;
}

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
    AgainstMemset(state, surface, [&] { RedrawPreview(canvas, *doc, 5); });
}
BENCHMARK(BM_RedrawPreview)->Unit(benchmark::kMicrosecond)->UseManualTime();

void BM_ClearSurface(benchmark::State& state) {
    Surface surface;
    AgainstMemset(state, surface, [&] {
        surface.SetPen(0);
        surface.SetSolidBrush(0);
        surface.Rectangle(0, 0, Surface::Width, Surface::Height);
    });
}
BENCHMARK(BM_ClearSurface)->Unit(benchmark::kMicrosecond)->UseManualTime();

// Area fills in a colour whose bytes differ, so no byte fill can stand in for them.
template <int Shape> void BM_FillShape(benchmark::State& state) {
    Surface surface;
    surface.SetPen(0x203040);
    surface.SetSolidBrush(0x102030);
    AgainstMemset(state, surface, [&] {
        if (Shape == 0) surface.Rectangle(0, 0, Surface::Width, Surface::Height);
        if (Shape == 1) surface.RoundRect(0, 0, Surface::Width, Surface::Height, 7, 7);
        if (Shape == 2) surface.Ellipse(0, 0, Surface::Width, Surface::Height);
    });
}
BENCHMARK(BM_FillShape<0>)
    ->Name("BM_FillRectangle")
    ->Unit(benchmark::kMicrosecond)
    ->UseManualTime();
BENCHMARK(BM_FillShape<1>)
    ->Name("BM_FillRoundRect")
    ->Unit(benchmark::kMicrosecond)
    ->UseManualTime();
BENCHMARK(BM_FillShape<2>)->Name("BM_FillEllipse")->Unit(benchmark::kMicrosecond)->UseManualTime();

} // namespace
