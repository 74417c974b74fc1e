#include <gtest/gtest.h>

#include <memory>
#include <numeric>
#include <random>

#include "document/BinFormat.h"
#include "document/BinReader.h"
#include "document/BinWriter.h"

namespace tarrox {
namespace {

// The writer's bytes for a document it must accept.
std::vector<uint8_t> Written(const DialogDocument& d) {
    return WriteBinDocument(d).value();
}

int32_t I32At(const std::vector<uint8_t>& bytes, size_t at) {
    return bin::GetI32(&bytes[at]);
}

// Appends an object or SMK the way the editor's add commands do.
void AddObject(DialogDocument& d, const std::string& text, int32_t link = -1) {
    DialogObject& o = d.ObjectTable[d.ObjectCount++];
    o = {};
    o.Text = d.StringCount;
    o.SmkLink = link;
    d.StringTable[d.StringCount++] = text;
}
void AddSmk(DialogDocument& d, const std::string& name, int32_t next = -1) {
    SmkEntry& s = d.SmkTable[d.SmkCount++];
    s = {};
    s.FileName = d.StringCount;
    s.Next = next;
    d.StringTable[d.StringCount++] = name;
}

// Each (offset, value) pair is a 32-bit field of the written file.
void ExpectFields(const std::vector<uint8_t>& out, std::vector<std::pair<size_t, int32_t>> fields) {
    for (auto [at, value] : fields) EXPECT_EQ(I32At(out, at), value) << "at " << at;
}

TEST(BinWriterLayout, TwoObjectsAndOneSmk) {
    DialogDocument d;
    AddObject(d, "Title");
    AddObject(d, "", 0);
    AddSmk(d, "x.smk");
    d.ObjectTable[0].SmkLink = 0; // a link held by object 0 in memory is never saved
    std::vector<uint8_t> out = Written(d);
    ASSERT_EQ(out.size(), 214u);
    ExpectFields(out, {{0, 0},
                       {20, 202},
                       {66, 86},
                       {86, 0},
                       {86 + 20, 0},
                       {86 + 66, 172},
                       {172, 0},
                       {172 + 10, 208}});
    EXPECT_EQ(std::string(out.begin() + 202, out.end()), std::string("Title\0x.smk\0", 12));

    // A lone dialog has no child link, and an empty name no string.
    d.ObjectCount = d.StringCount = 1;
    d.SmkCount = 0;
    d.StringTable[0].clear();
    out = Written(d);
    ASSERT_EQ(out.size(), 86u);
    ExpectFields(out, {{20, 0}, {66, 0}});
}

TEST(BinWriterLayout, EqualStringsAndChainsAreWrittenPerRecord) {
    DialogDocument d;
    AddObject(d, "Same");
    AddObject(d, "Same", 0);
    AddObject(d, "", 1);
    AddSmk(d, "a.smk", 1);
    AddSmk(d, "a.smk");
    std::vector<uint8_t> out = Written(d);
    const int32_t objEnd = 3 * 86;
    ExpectFields(out, {{86, 2 * 86},
                       {2 * 86, 0},
                       {86 + 66, objEnd},
                       {2 * 86 + 66, objEnd + 30},
                       {objEnd, objEnd + 30},
                       {objEnd + 30, 0}});
    EXPECT_NE(I32At(out, 20), I32At(out, 86 + 20));
    EXPECT_NE(I32At(out, objEnd + 10), I32At(out, objEnd + 30 + 10));
    EXPECT_EQ(out.size(), size_t(objEnd + 60 + 5 + 5 + 6 + 6));
}

TEST(BinWriterLayout, LinksThatNameNoRecordAreWrittenAsNone) {
    DialogDocument d;
    AddObject(d, "");
    AddObject(d, "", 5); // past SmkCount
    AddSmk(d, "", 9);
    ExpectFields(Written(d), {{86 + 66, 0}, {2 * 86, 0}});
}

// A random document that keeps the invariants, chains as the reader makes them or not.
DialogDocument RandomDocument(std::mt19937& rng) {
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    auto text = [&] {
        std::string s(pick(0, 12), 'a');
        for (char& c : s) c = static_cast<char>(pick(1, 255));
        return s;
    };
    DialogDocument d;
    const int objects = pick(1, 128);
    const int smks = pick(0, 128);
    for (int i = 0; i < objects; ++i) AddObject(d, text());
    for (int k = 0; k < smks; ++k) AddSmk(d, text());
    // Every field random, so a field the reader or writer drops shows.
    auto bytes = [&]<size_t N>(std::array<uint8_t, N> raw) {
        for (uint8_t& byte : raw) byte = static_cast<uint8_t>(pick(0, 255));
        return raw;
    };
    for (int i = 0; i < objects; ++i) {
        DialogObject& o = d.ObjectTable[i];
        DialogObject r = bin::DecodeObject(bytes(std::array<uint8_t, bin::ObjectSize>{}));
        r.Text = o.Text;
        r.SmkLink = i > 0 && smks ? pick(-1, smks - 1) : -1;
        o = r;
    }
    for (int k = 0; k < smks; ++k) {
        SmkEntry& s = d.SmkTable[k];
        SmkEntry r = bin::DecodeSmk(bytes(std::array<uint8_t, bin::SmkSize>{}));
        r.FileName = s.FileName;
        r.Next = pick(-1, smks - 1);
        s = r;
    }
    return d;
}

// Bytes 1, 2, 3, ... make every field's value tell which offsets it was read from, so a field
// out of place or of the wrong width cannot hide behind a symmetric encode/decode.
TEST(BinFormat, FieldsSitAtTheirDocumentedOffsets) {
    struct Field {
        int64_t value;
        int at, width;
    };
    // The signed little-endian value of `width` bytes at `at` of bytes 1, 2, 3, ...
    auto check = [](std::span<const uint8_t> b, const std::vector<Field>& fields) {
        for (const Field& f : fields) {
            uint32_t v = 0;
            for (int i = f.width - 1; i >= 0; --i) v = v << 8 | b[size_t(f.at + i)];
            const int64_t read = f.width == 2 ? int16_t(v) : f.width == 4 ? int32_t(v) : v;
            EXPECT_EQ(f.value, read) << "field at " << f.at;
        }
    };
    std::array<uint8_t, bin::ObjectSize> o{};
    std::iota(o.begin(), o.end(), uint8_t{1});
    const DialogObject d = bin::DecodeObject(o);
    // clang-format off
    check(o, {{d.Next, 0, 4}, {d.Left, 4, 2}, {d.Top, 6, 2}, {d.Right, 8, 2}, {d.Bottom, 10, 2},
              {d.Width, 12, 2}, {d.Height, 14, 2}, {d.Unknown16[0], 16, 1}, {d.Text, 20, 4},
              {d.Flags, 24, 4}, {d.Unknown28[3], 31, 1}, {d.ControlId, 32, 2},
              {d.ControlType, 34, 4}, {d.Unknown38[0], 38, 1}, {d.Unknown38[15], 53, 1},
              {d.ResponseLeft, 54, 2}, {d.ResponseTop, 56, 2}, {d.ResponseRight, 58, 2},
              {d.ResponseBottom, 60, 2}, {d.Unknown62[0], 62, 1}, {d.SmkLink, 66, 4},
              {d.TextX, 70, 2}, {d.TextY, 72, 2}, {d.ResponseWidth, 74, 2},
              {d.ResponseHeight, 76, 2}, {d.Unknown78[0], 78, 1}, {d.Unknown78[7], 85, 1}});
    std::array<uint8_t, bin::SmkSize> s{};
    std::iota(s.begin(), s.end(), uint8_t{101});
    const SmkEntry k = bin::DecodeSmk(s);
    check(s, {{k.Next, 0, 4}, {k.Flags, 4, 2}, {k.Unknown6[0], 6, 1}, {k.FileName, 10, 4},
              {k.Unknown14[0], 14, 1}, {k.OverlayX, 18, 2}, {k.OverlayY, 20, 2},
              {k.Unknown22[0], 22, 1}, {k.Unknown22[7], 29, 1}});
    // clang-format on
}

TEST(BinWriterRoundTrip, WriteReadWriteGivesIdenticalBytes) {
    std::mt19937 rng(1234);
    for (int round = 0; round < 200; ++round) {
        DialogDocument d = RandomDocument(rng);
        std::vector<uint8_t> first = Written(d);
        DialogDocument back;
        std::string error;
        if (!ReadBinDocument(first, back, error)) {
            // Shared SMKs can make the reader's count exceed 128; that is a refusal, not a fault.
            EXPECT_EQ(error, "Error: The file has more than 128 SMK records.");
            continue;
        }
        ASSERT_TRUE(CheckInvariants(back).empty()) << CheckInvariants(back);
        std::vector<uint8_t> second = Written(back);
        DialogDocument again;
        ASSERT_TRUE(ReadBinDocument(second, again, error));
        ASSERT_EQ(Written(again), second) << "round " << round;
    }
}

TEST(BinWriterLimits, DocumentsWhoseFileWouldNotReadBackAreRefused) {
    // 256 records naming one string: at 32768 bytes the text is exactly the bound; the
    // largest would also push the last string's offset past 2 GiB.
    auto shared = [](size_t length) {
        auto d = std::make_unique<DialogDocument>();
        d->ObjectCount = MaxObjects, d->SmkCount = MaxSmks, d->StringCount = 1;
        d->StringTable[0] = std::string(length, 'x');
        for (int i = 1; i < MaxObjects; ++i) d->ObjectTable[i].SmkLink = i - 1;
        for (int k = 0; k < MaxSmks; ++k) d->SmkTable[k].Next = k == MaxSmks - 2 ? k + 1 : -1;
        return d;
    };
    const size_t fits = size_t(bin::MaxStringBytes / 256);
    for (size_t length : {fits + 1, size_t{9} << 20})
        EXPECT_FALSE(WriteBinDocument(*shared(length)).has_value()) << length;
    const std::vector<uint8_t> bytes = Written(*shared(fits));
    auto back = std::make_unique<DialogDocument>();
    std::string error;
    ASSERT_TRUE(ReadBinDocument(bytes, *back, error)) << error;
    EXPECT_EQ(Written(*back), bytes);
}

} // namespace
} // namespace tarrox
