// Read and write of a full dialog: 128 objects and 128 SMK records, every record with text.
#include <benchmark/benchmark.h>

#include <memory>

#include "document/BinReader.h"
#include "document/BinWriter.h"

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

} // namespace
