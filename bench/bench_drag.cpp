// One drag step in the preview as the window runs it, on the busy 128-object dialog: the
// pointer's move turned into the dragged record, written into the document, the whole dialog
// redrawn and the picture converted for the screen and painted at 1x, 2x or 3x; the same in the
// art view on a full glue screen. The plain redraw runs beside it for comparison.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>

#include "BusyDialog.h"
#include "GlueScreen.h"
#include "document/EditHistory.h"
#include "platform/Surface.h"
#include "platform/qt/SurfaceView.h"
#include "preview/Arrange.h"
#include "preview/ArtView.h"
#include "preview/ColorTables.h"
#include "preview/ObjectGeometry.h"
#include "preview/Renderer.h"

namespace {

using namespace tarrox;
using namespace tarrox::bench;

struct Preview {
    std::unique_ptr<DialogDocument> doc = BusyDialog();
    TextDrawingState text;
    std::unique_ptr<PreviewFonts> fonts = std::make_unique<PreviewFonts>();
    PreviewSettings settings;
    Surface surface;
    PreviewCanvas canvas{surface, settings, *fonts, text};

    Preview() {
        LoadTextTables(text, DataDir);
        LoadColorTable(text, Glue, DataDir, "");
        LoadPreviewFonts(*fonts, DataDir);
    }
};

// Drags object `index` of `doc` about, redrawing with `redraw` after each step.
template <typename Redraw>
void DragSteps(benchmark::State& state, Preview& p, DialogDocument& doc, int32_t index,
               Redraw redraw) {
    const int zoom = int(state.range(0));
    const DialogObject before = doc.ObjectTable[index];
    const PictureRect box = ObjectRect(doc, index);
    int32_t step = 0;
    QImage screen(Surface::Width * zoom, Surface::Height * zoom, QImage::Format_RGB32);
    QImage shown(Surface::Width, Surface::Height, QImage::Format_RGB32);
    for (auto _ : state) {
        // The pointer wanders within 40 pixels of where the drag started.
        ++step;
        const int32_t x = box.Left + 5 + step % 40, y = box.Top + 5 + step % 23;
        const DragPart part = PartAt(box, box.Left + 5, box.Top + 5, 4);
        doc.ObjectTable[index] = Dragged(before, part, x - box.Left - 5, y - box.Top - 5);
        redraw();
        QImage image = SurfaceImage(p.surface, Surface::Width, Surface::Height);
        // What the picture's paint does: the changed part into the window's backing image.
        const QRect changed = ChangedArea(shown, image);
        shown = std::move(image);
        QPainter painter(&screen);
        painter.drawImage(QRect(changed.topLeft() * zoom, changed.size() * zoom), shown, changed);
        painter.end();
        benchmark::DoNotOptimize(screen.constBits());
    }
}

void BM_DragStep(benchmark::State& state) {
    Preview p;
    DragSteps(state, p, *p.doc, 5, [&] { RedrawPreview(p.canvas, *p.doc, 5); });
}
BENCHMARK(BM_DragStep)->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMicrosecond);

// The same with 64 objects selected, moved together as one merged undo step, drawn at 1x.
void BM_DragSelectionStep(benchmark::State& state) {
    Preview p;
    EditHistory history(*p.doc);
    const MergeKey drag = history.NewMergeKey();
    const DialogDocument start = *p.doc;
    std::vector<int32_t> selection;
    for (int32_t i = 1; i <= 64; ++i) selection.push_back(i * 2 - 1);
    int32_t step = 0;
    QImage screen(Surface::Width, Surface::Height, QImage::Format_RGB32);
    QImage shown(Surface::Width, Surface::Height, QImage::Format_RGB32);
    for (auto _ : state) {
        ++step;
        const DragDelta d =
            SnappedDrag(ObjectRect(start, 1), DragPart::Body, step % 40, step % 23, 1);
        history.Apply(ReplaceObjectsCommand(MovedTogether(start, selection, d.Dx, d.Dy)), "Move",
                      drag);
        RedrawPreview(p.canvas, *p.doc, selection.front());
        QImage image = SurfaceImage(p.surface, Surface::Width, Surface::Height);
        const QRect changed = ChangedArea(shown, image);
        shown = std::move(image);
        QPainter painter(&screen);
        painter.drawImage(changed, shown, changed);
        painter.end();
        benchmark::DoNotOptimize(screen.constBits());
    }
    state.SetLabel(std::to_string(history.StepCount()) + " undo step");
}
BENCHMARK(BM_DragSelectionStep)->Unit(benchmark::kMicrosecond);

// A control dragged over a glue screen drawn with its background, panels and frames.
void BM_ArtViewDragStep(benchmark::State& state) {
    Preview p;
    GlueScreen screen;
    ArtCache cache(screen.Folders());
    DragSteps(state, p, *screen.Doc, 8,
              [&] { RedrawArtView(p.canvas, *screen.Doc, 8, cache, screen.Choice); });
}
BENCHMARK(BM_ArtViewDragStep)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_PlainRedraw(benchmark::State& state) {
    Preview p;
    for (auto _ : state) {
        RedrawPreview(p.canvas, *p.doc, 5);
        benchmark::DoNotOptimize(p.surface.Pixels().data());
    }
}
BENCHMARK(BM_PlainRedraw)->Unit(benchmark::kMicrosecond);

} // namespace
