// Hostile inputs at their worst: what refusing or bounding them costs in time and memory.
// Peak memory of the whole run so far is reported as the counter "peak_MB".
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>
#include <string>

#include "document/BinFormat.h"
#include "document/BinReader.h"
#include "document/BinWriter.h"
#include "document/DocumentJson.h"
#include "platform/FileAccess.h"
#include "platform/Surface.h"
#include "preview/Renderer.h"

namespace {

using namespace tarrox;

void ReportPeak(benchmark::State& state) {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_MB"] = double(usage.ru_maxrss) / 1024.0;
}

// A FIFO nobody writes, /dev/zero and a 2 GiB sparse file: each is refused before reading.
void BM_RefuseUnreadableFiles(benchmark::State& state) {
    const std::string dir = "/tmp/tarrox-bench-hostile-" + std::to_string(::getpid());
    ::mkdir(dir.c_str(), 0700);
    const std::string fifo = dir + "/fifo", sparse = dir + "/sparse";
    ::mkfifo(fifo.c_str(), 0600);
    if (::truncate(sparse.c_str(), 0) != 0) (void)!::close(::creat(sparse.c_str(), 0600));
    (void)!::truncate(sparse.c_str(), off_t{1} << 31);
    std::vector<uint8_t> bytes;
    for (auto _ : state)
        for (const std::string& path : {fifo, std::string("/dev/zero"), sparse})
            benchmark::DoNotOptimize(ReadFileBytes(path, bytes));
    ::unlink(fifo.c_str());
    ::unlink(sparse.c_str());
    ::rmdir(dir.c_str());
    ReportPeak(state);
}
BENCHMARK(BM_RefuseUnreadableFiles);

// 128 objects and 127 SMK records all naming one string of `length` bytes.
std::vector<uint8_t> SharedString(size_t length) {
    constexpr int32_t O = bin::ObjectSize, smks = 128 * O, text = smks + 127 * bin::SmkSize;
    std::vector<uint8_t> b(text + length + 1, 0);
    auto put = [&](int32_t at, int32_t v) { bin::PutI32(&b[size_t(at)], v); };
    put(bin::ObjText, text), put(bin::ObjFirstLink, O);
    for (int i = 1; i < 128; ++i) {
        const int32_t smk = smks + (i - 1) * bin::SmkSize;
        put(i * O + bin::ObjNext, i < 127 ? (i + 1) * O : 0);
        put(i * O + bin::ObjText, text);
        put(i * O + bin::ObjFirstLink, smk);
        put(smk + bin::SmkFileName, text);
    }
    std::fill(b.begin() + text, b.end() - 1, 'x');
    return b;
}

// A 1 MB string named by 255 records: once a 255 MB document, now refused.
void BM_RefuseSharedMegabyteString(benchmark::State& state) {
    const std::vector<uint8_t> bytes = SharedString(size_t{1} << 20);
    auto doc = std::make_unique<DialogDocument>();
    std::string error;
    for (auto _ : state) benchmark::DoNotOptimize(ReadBinDocument(bytes, *doc, error));
    ReportPeak(state);
}
BENCHMARK(BM_RefuseSharedMegabyteString);

// The largest document a file can give: read, written back and dumped as JSON.
void BM_DumpAndResaveAtTheTextBound(benchmark::State& state) {
    const std::vector<uint8_t> bytes = SharedString(size_t(bin::MaxStringBytes / 255));
    auto doc = std::make_unique<DialogDocument>();
    std::string error;
    for (auto _ : state) {
        *doc = DialogDocument{};
        if (!ReadBinDocument(bytes, *doc, error)) state.SkipWithError("refused");
        auto written = WriteBinDocument(*doc);
        std::string json = DocumentToJson(*doc);
        benchmark::DoNotOptimize(written);
        benchmark::DoNotOptimize(json.data());
    }
    ReportPeak(state);
}
BENCHMARK(BM_DumpAndResaveAtTheTextBound)->Unit(benchmark::kMillisecond);

// 128 labels of 64 KB each ("A", newline, ...) in a font with line height 0 and a letter of
// 16000 pixel bytes: every text draws over its first line until drawing gives up.
void BM_RenderZeroLineHeightFont(benchmark::State& state) {
    std::vector<uint8_t> font = {'F', 'O', 'N', 'T', 32, 90, 255, 0, 0, 0, 0, 0};
    font.resize(12 + 4 * 58);
    bin::PutI32(&font[12 + 4 * ('A' - 33)], int32_t(font.size()));
    font.insert(font.end(), {255, 64, 1, 1});
    font.resize(font.size() + 16000);
    PreviewFonts fonts;
    for (GameFont& f : fonts.Loaded) LoadGameFont(font, f);

    auto doc = std::make_unique<DialogDocument>();
    doc->ObjectCount = doc->StringCount = MaxObjects;
    std::string text;
    for (int i = 0; i < (1 << 15); ++i) text += "A\n";
    for (int i = 0; i < MaxObjects; ++i) {
        DialogObject& o = doc->ObjectTable[i];
        o.ControlType = i == 0 ? 0 : 9;
        o.Text = i, o.SmkLink = -1, o.Width = 600, o.Height = 400;
        doc->StringTable[i] = text;
    }
    Surface surface;
    PreviewSettings settings;
    TextDrawingState textState;
    for (auto _ : state) {
        PreviewCanvas canvas{surface, settings, fonts, textState};
        RedrawPreview(canvas, *doc, -1);
        benchmark::DoNotOptimize(surface.Pixels().data());
    }
    ReportPeak(state);
}
BENCHMARK(BM_RenderZeroLineHeightFont)->Unit(benchmark::kMillisecond);

// A text that says which record it belongs to.
std::string Mark(int32_t record) {
    return std::string("#").append(std::to_string(record)) += '#';
}

// 16 MB JSONs: one record of 99,999 keys (short, or long enough to fill 16 MB; these once took
// 14 s and 81 s), and whole dialogs: one text of 16 MB of codes, 128 texts of 128 KB each.
std::string HostileJson(int shape) {
    constexpr size_t Limit = size_t{16} << 20;
    if (shape == 0 || shape == 1) {
        std::string json = R"({"objects":[{"Left":0,)";
        const std::string padding(shape == 0 ? 0 : Limit / 99999 - 16, 'k');
        for (int i = 0; i < 99999; ++i) json += "\"" + padding + std::to_string(i) + "\":0,";
        return json + R"("Top":0}],"smks":[]})";
    }
    DialogDocument doc;
    doc.ObjectCount = doc.StringCount = shape == 2 ? 1 : MaxObjects;
    for (int32_t i = 0; i < doc.ObjectCount; ++i) {
        doc.ObjectTable[i].Text = i;
        doc.ObjectTable[i].SmkLink = -1;
        doc.StringTable[i] = Mark(i);
    }
    std::string json = DocumentToJson(doc);
    const size_t each = (Limit - json.size()) / size_t(doc.ObjectCount);
    std::string text;
    while (text.size() + 3 <= each) text += shape == 2 ? "<1>" : "xyz";
    for (int32_t i = 0; i < doc.ObjectCount; ++i) {
        const std::string mark = Mark(i);
        json.replace(json.find(mark), mark.size(), text);
    }
    return json;
}

// Loaded or refused, each well within a second; the label shows which.
void BM_LoadHostileJson(benchmark::State& state) {
    const std::string json = HostileJson(int(state.range(0)));
    auto doc = std::make_unique<DialogDocument>();
    std::string error;
    for (auto _ : state) {
        error = "loaded";
        DocumentFromJson(json, *doc, error);
    }
    state.SetLabel(error.substr(0, 60));
    state.counters["input_MB"] = double(json.size()) / double(1 << 20);
    ReportPeak(state);
}
BENCHMARK(BM_LoadHostileJson)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

} // namespace
