// A full preview redraw of a 128-object dialog whose every object carries text with
// formatting codes, against a plain clear of the surface.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "document/DialogDocument.h"
#include "platform/Surface.h"
#include "preview/ColorTables.h"
#include "preview/Renderer.h"

namespace {

using namespace tarrox;

const std::string DataDir = std::string(TARROX_SOURCE_DIR) + "/data";

std::unique_ptr<DialogDocument> BusyDialog() {
    auto d = std::make_unique<DialogDocument>();
    d->ObjectCount = MaxObjects;
    d->StringCount = MaxObjects;
    static constexpr int32_t Types[] = {1, 2, 3, 4, 9, 10, 11, 13, 14, 5, 6, 8, 12};
    for (int i = 0; i < MaxObjects; ++i) {
        DialogObject& o = d->ObjectTable[i];
        o.ControlType = i == 0 ? 0 : Types[i % 13];
        o.Left = int16_t(i == 0 ? 0 : (i % 4) * 158 + 4);
        o.Top = int16_t(i == 0 ? 0 : (i / 4) * 15);
        o.Width = int16_t(i == 0 ? 640 : 150);
        o.Height = int16_t(i == 0 ? 480 : 14);
        o.Right = int16_t(o.Left + o.Width - 1);
        o.Bottom = int16_t(o.Top + o.Height - 1);
        o.Flags = int32_t(1u << (21 + i % 2)) | (i % 3 == 0 ? 1 << 10 : 0);
        o.Text = i;
        o.SmkLink = -1;
        d->StringTable[i] = "\x03Object \x04" + std::to_string(i) +
                            " \x06with \x02"
                            "codes\x01!";
    }
    return d;
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
