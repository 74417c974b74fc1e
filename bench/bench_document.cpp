// Read, write, undo and redo on a full dialog: 128 objects and 128 SMK records, every record
// with text.
#include <benchmark/benchmark.h>

#include <memory>

#include "document/BinReader.h"
#include "document/BinWriter.h"
#include "document/EditHistory.h"

namespace {

using namespace tarrox;

DialogDocument FullDocument() {
    DialogDocument d;
    d.ObjectCount = MaxObjects;
    d.SmkCount = MaxSmks;
    int n = 0;
    for (int i = 0; i < MaxObjects; ++i) {
        DialogObject& o = d.ObjectTable[i];
        o.ControlType = i % 15;
        o.Left = static_cast<int16_t>(i * 4);
        o.Text = n;
        o.SmkLink = i == 0 ? -1 : i - 1 < MaxSmks ? i - 1 : -1;
        d.StringTable[n++] = "\x03Object number " + std::to_string(i) + "\x0a<second line>";
    }
    for (int k = 0; k < MaxSmks; ++k) {
        SmkEntry& s = d.SmkTable[k];
        s.Next = -1;
        s.FileName = n;
        d.StringTable[n++] = "glue\\mainmenu\\overlay" + std::to_string(k) + ".smk";
    }
    // The last object's link would dangle without a 128th child; give it the spare record.
    d.ObjectTable[MaxObjects - 1].SmkLink = MaxSmks - 1;
    d.StringCount = n;
    return d;
}

void BM_ReadFullDialog(benchmark::State& state) {
    const std::vector<uint8_t> bytes = WriteBinDocument(FullDocument()).value();
    auto doc = std::make_unique<DialogDocument>();
    std::string error;
    for (auto _ : state) {
        bool ok = ReadBinDocument(bytes, *doc, error);
        benchmark::DoNotOptimize(ok);
        benchmark::DoNotOptimize(doc->StringCount);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_ReadFullDialog);

void BM_WriteFullDialog(benchmark::State& state) {
    const DialogDocument doc = FullDocument();
    for (auto _ : state) {
        std::vector<uint8_t> bytes = WriteBinDocument(doc).value();
        benchmark::DoNotOptimize(bytes.data());
    }
}
BENCHMARK(BM_WriteFullDialog);

// One step taken back and made again; the heaviest steps renumber every string and link.
void BM_UndoRedoOneStep(benchmark::State& state) {
    auto doc = std::make_unique<DialogDocument>(FullDocument());
    EditHistory history(*doc);
    DialogObject moved = doc->ObjectTable[64];
    moved.Left += 10;
    moved.Right += 10;
    switch (state.range(0)) {
    case 0:
        history.Apply(ReplaceObject(64, moved, "\x03Moved"), "Move Object 64");
        break;
    case 1:
        history.Apply(DeleteObjectCommand(1), "Delete Object 1");
        break;
    default:
        history.Apply(DeleteSmkCommand(0), "Delete SMK 0");
        break;
    }
    for (auto _ : state) {
        history.Undo();
        history.Redo();
        benchmark::DoNotOptimize(doc->ObjectCount);
    }
    state.SetLabel(history.UndoDescription() + " (undo + redo)");
}
BENCHMARK(BM_UndoRedoOneStep)->DenseRange(0, 2);

} // namespace
