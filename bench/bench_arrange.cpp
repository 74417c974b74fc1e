// Commands on several objects at once, each as the windows run it: pasting 127 objects with their
// SMK records from the clipboard's JSON, aligning and distributing 128 objects, and taking each
// step back and making it again.
#include <benchmark/benchmark.h>

#include <memory>

#include "BusyDialog.h"
#include "document/Clipboard.h"
#include "document/EditHistory.h"
#include "preview/Arrange.h"

namespace {

using namespace tarrox;
using namespace tarrox::bench;

// 127 objects, each linking an SMK record of its own, as the clipboard holds them.
std::string ClipboardOf127() {
    auto source = BusyDialog();
    source->SmkCount = MaxObjects - 1;
    for (int32_t i = 1; i < MaxObjects; ++i) {
        source->ObjectTable[i].SmkLink = i - 1;
        source->SmkTable[i - 1] = {.Next = -1, .FileName = source->StringCount};
        source->StringTable[source->StringCount++] = "glue\\mainmenu\\overlay.smk";
    }
    std::vector<int32_t> all;
    for (int32_t i = 1; i < MaxObjects; ++i) all.push_back(i);
    return BatchToJson(CopyObjects(*source, all));
}

std::unique_ptr<DialogDocument> OnlyTheDialog() {
    auto d = BusyDialog();
    d->ObjectCount = d->StringCount = 1;
    return d;
}

std::vector<int32_t> AllObjects() {
    std::vector<int32_t> all;
    for (int32_t i = 0; i < MaxObjects; ++i) all.push_back(i);
    return all;
}

std::unique_ptr<EditCommand> Arrangement(const DialogDocument& doc, int64_t which) {
    const std::vector<int32_t> all = AllObjects();
    switch (which) {
    case 0:
        return ReplaceObjectsCommand(Aligned(doc, all, Alignment::HorizontalCentres));
    case 1:
        return ReplaceObjectsCommand(Distributed(doc, all, false));
    default:
        return ReplaceObjectsCommand(SameSize(doc, all, true, true));
    }
}

const char* ArrangementName(int64_t which) {
    return which == 0 ? "align centres" : which == 1 ? "distribute" : "same size";
}

// Read from the clipboard's text, shifted off the originals and added: the whole of a paste.
void BM_Paste127WithSmks(benchmark::State& state) {
    const std::string json = ClipboardOf127();
    auto doc = OnlyTheDialog();
    EditHistory history(*doc);
    DialogDocument batch;
    std::string error;
    for (auto _ : state) {
        if (!BatchFromJson(json, batch, error)) state.SkipWithError(error.c_str());
        history.Apply(InsertObjectsCommand(ShiftedForPaste(*doc, batch)), "Paste");
        state.PauseTiming();
        history.Undo();
        state.ResumeTiming();
    }
    state.SetLabel(std::to_string(json.size() / 1024) + " KB of JSON");
}
BENCHMARK(BM_Paste127WithSmks)->Unit(benchmark::kMicrosecond);

void BM_Arrange128(benchmark::State& state) {
    auto doc = BusyDialog();
    EditHistory history(*doc);
    for (auto _ : state) {
        history.Apply(Arrangement(*doc, state.range(0)), "Arrange");
        state.PauseTiming();
        history.Undo();
        state.ResumeTiming();
    }
    state.SetLabel(ArrangementName(state.range(0)));
}
BENCHMARK(BM_Arrange128)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

// One undo and one redo of: 0 the paste, 1-3 an arrangement, 4 deleting 127 objects.
void BM_UndoRedoSelectionStep(benchmark::State& state) {
    const int64_t which = state.range(0);
    auto doc = which == 0 ? OnlyTheDialog() : BusyDialog();
    EditHistory history(*doc);
    if (which == 0) {
        DialogDocument batch;
        std::string error;
        BatchFromJson(ClipboardOf127(), batch, error);
        history.Apply(InsertObjectsCommand(batch), "Paste 127 objects");
    } else if (which == 4) {
        std::vector<int32_t> children = AllObjects();
        children.erase(children.begin());
        history.Apply(DeleteObjectsCommand(children), "Delete 127 objects");
    } else {
        history.Apply(Arrangement(*doc, which - 1), ArrangementName(which - 1));
    }
    for (auto _ : state) {
        history.Undo();
        history.Redo();
        benchmark::DoNotOptimize(doc->ObjectCount);
    }
    state.SetLabel(history.UndoDescription() + " (undo + redo)");
}
BENCHMARK(BM_UndoRedoSelectionStep)->DenseRange(0, 4)->Unit(benchmark::kMicrosecond);

} // namespace
