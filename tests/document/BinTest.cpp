#include <gtest/gtest.h>

#include <memory>

#include "document/BinReader.h"
#include "document/BinWriter.h"
#include "support/BinBuilder.h"

namespace tarrox {
namespace {

using test::Layout;
constexpr int32_t O = bin::ObjectSize;

// `children` objects after the dialog; `sharers` of them link one chain of `smks` SMK records;
// every record names one string of `length` bytes.
std::vector<uint8_t> Crowded(int children, int sharers, int smks, size_t length = 1) {
    const int32_t s = (children + 1) * O, text = s + smks * 30;
    test::BinBuilder b;
    b.Object(0, 0, text, children ? O : 0).String(text, std::string(length, 'x'));
    for (int i = 1; i <= children; ++i)
        b.Object(i * O, i < children ? (i + 1) * O : 0, text, i <= sharers ? s : 0);
    for (int k = 0; k < smks; ++k) b.Smk(s + k * 30, k + 1 < smks ? s + (k + 1) * 30 : 0, text);
    return b.Bytes();
}

TEST(BinFile, ReadsChainsInReadingOrderAndWritesTheCompactLayout) {
    const int32_t s0 = 8 * O, s1 = s0 + 30, s2 = s0 + 60;
    const std::string text = "\x03Red\x0a<x>\xff\x80"; // control and high bytes are kept
    const size_t fits = size_t(bin::MaxStringBytes / 255);
    auto cut = [](std::vector<uint8_t> bytes, size_t size) { return bytes.resize(size), bytes; };
    const struct {
        std::vector<uint8_t> bytes;
        std::string read;     // "": read, too big to show
        bool compact = false; // written back as it was
    } cases[] = {
        {{}, "0/-1 | | "},
        {Layout({{0, 0, 0, 0}}), "0/-1 | | ", true},
        {Layout({{0, 0, 0, O}, {O, 1, 0, 1}}), "0/-1 1/-1 | | ,"},
        // A record cut short reads as zero past the end: its text offset keeps its low byte.
        {cut(Layout({{0, 0, 0, O}, {O, 0, 0x0700005A, 0}}, {}, {{90, "AB"}}), O + 21),
         "0/-1 1/-1 | | ,AB"},
        {Layout({{0, 0, 0, O}, {O, 2 * O, 0, 0}, {2 * O, O, 0, 0}}), "0/-1 1/-1 2/-1 | | ,,"},
        {Layout({{0, 0, 0, O}, {O, 2 * O, 0, s2}, {2 * O, 0, 0, s1}},
                {{s2, s0, 0}, {s0, 0, 0}, {s1, 0, 0}}),
         "0/-1 1/0 4/2 | 2/1 3/-1 5/-1 | ,,,,,"},
        // An SMK reached from two objects becomes two; a looping SMK chain keeps its loop.
        {Layout({{0, 0, 0, O}, {O, 2 * O, 0, s0}, {2 * O, 0, 0, s0}}, {{s0, 0, 0}}),
         "0/-1 1/0 3/1 | 2/-1 4/-1 | ,,,,"},
        {Layout({{0, 0, 0, O}, {O, 0, 0, s0}}, {{s0, s1, 0}, {s1, s2, 0}, {s2, s1, 0}}),
         "0/-1 1/0 | 2/1 3/2 4/1 | ,,,,"},
        // Names shared, negative, past the end and at 0 (none).
        {Layout({{0, 'A', 650, O},
                 {O, 2 * O, 800, 900},
                 {2 * O, 3 * O, 800, -8000},
                 {3 * O, 4 * O, 10000, 0},
                 {4 * O, 0, 0, 0}},
                {{900, 0, -7}}, {{650, "Dlg"}, {800, text}}),
         "0/-1 1/0 3/-1 4/-1 5/-1 | 2/-1 | Dlg," + text + ",," + text + ",,"},
        {Layout({{0, 0, 348, O}, {O, 2 * O, 353, 258}, {2 * O, 0, 0, 318}},
                {{258, 288, 358}, {288, 0, 364}, {318, 0, 370}},
                {{348, "Same"}, {353, "Same"}, {358, "a.smk"}, {364, "a.smk"}, {370, "a.smk"}}),
         "0/-1 1/0 4/2 | 2/1 3/-1 5/-1 | Same,Same,a.smk,a.smk,,a.smk", true},
        {Crowded(128, 0, 0), "Error: The file has more than 128 objects."},
        {Crowded(64, 64, 2), ""}, // 64 objects sharing a chain of two: 128 SMKs
        {Crowded(43, 43, 3), "Error: The file has more than 128 SMK records."},
        // 255 records naming one string: once read as a 255-fold document.
        {Crowded(127, 127, 1, fits), ""},
        {Crowded(127, 127, 1, fits + 1), "Error: The file's texts come to more than 8 MB."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.read);
        auto d = std::make_unique<DialogDocument>();
        d->StringCount = 1;
        std::string error;
        if (!ReadBinDocument(c.bytes, *d, error)) {
            EXPECT_EQ(error + (d->StringCount == 1 ? "" : ", changed"), c.read);
            continue;
        }
        EXPECT_EQ(CheckInvariants(*d), "");
        EXPECT_EQ(c.read.empty() ? "" : test::Summary(*d), c.read);
        const auto written = WriteBinDocument(*d);
        ASSERT_TRUE(written);
        EXPECT_EQ(*written == c.bytes, c.compact);
    }
}

TEST(BinFile, WriterEndsLinksToNoRecordAndRefusesFilesThatWouldNotReadBack) {
    EXPECT_EQ(WriteBinDocument(test::MakeDocument({-1, 1}, {1})), // one past the last SMK
              Layout({{0, 0, 202, O}, {O, 0, 205, 0}}, {{172, 0, 208}},
                     {{202, "o0"}, {205, "o1"}, {208, "s0"}}));
    // 256 records naming one string: at 32768 bytes the text is exactly the bound; the
    // largest would also push the last string's offset past 2 GiB.
    const size_t fits = size_t(bin::MaxStringBytes / 256);
    for (size_t length : {fits, fits + 1, size_t{9} << 20}) {
        auto d = std::make_unique<DialogDocument>(), back = std::make_unique<DialogDocument>();
        d->ObjectCount = MaxObjects, d->SmkCount = MaxSmks, d->StringCount = 1;
        d->StringTable[0] = std::string(length, 'x');
        for (int i = 1; i < MaxObjects; ++i) d->ObjectTable[i].SmkLink = i - 1;
        for (int k = 0; k < MaxSmks; ++k) d->SmkTable[k].Next = k == MaxSmks - 2 ? k + 1 : -1;
        const auto bytes = WriteBinDocument(*d);
        std::string error;
        EXPECT_EQ(bytes && ReadBinDocument(*bytes, *back, error), length == fits) << error;
    }
}

} // namespace
} // namespace tarrox
