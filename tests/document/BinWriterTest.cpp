#include <gtest/gtest.h>

#include <memory>
#include <numeric>
#include <random>

#include "document/BinReader.h"
#include "document/BinWriter.h"
#include "support/BinBuilder.h"

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

TEST(BinWriterLayout, UninterpretedFieldsSurviveReadAndWrite) {
    // Every field byte distinct; the builder then sets the links and strings.
    std::array<uint8_t, bin::ObjectSize> raw;
    std::iota(raw.begin(), raw.end(), uint8_t{1});
    const DialogObject f = bin::DecodeObject(raw);
    const SmkEntry s =
        bin::DecodeSmk(std::span<const uint8_t, bin::SmkSize>(raw.data() + 50, bin::SmkSize));
    test::BinBuilder b;
    b.Object(0, 0, 0, 86, f).Object(86, 0, 0, 172, f).Smk(172, 0, 0, s);
    std::vector<uint8_t> out = Written([&] {
        DialogDocument d;
        std::string error;
        EXPECT_TRUE(ReadBinDocument(b.Bytes(), d, error));
        return d;
    }());
    EXPECT_EQ(out, b.Bytes());
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
    for (int i = 0; i < objects; ++i) {
        DialogObject& o = d.ObjectTable[i];
        uint8_t fields[bin::ObjectSize];
        for (uint8_t& byte : fields) byte = static_cast<uint8_t>(pick(0, 255));
        DialogObject r = bin::DecodeObject(std::span<const uint8_t, bin::ObjectSize>(fields));
        r.Text = o.Text;
        r.SmkLink = i > 0 && smks ? pick(-1, smks - 1) : -1;
        o = r;
    }
    for (int k = 0; k < smks; ++k) {
        SmkEntry& s = d.SmkTable[k];
        s.Next = pick(-1, smks - 1);
        s.Flags = static_cast<int16_t>(pick(-32768, 32767));
        s.OverlayX = static_cast<int16_t>(pick(-32768, 32767));
        s.Unknown22[3] = static_cast<uint8_t>(pick(0, 255));
    }
    return d;
}

// Bytes 1, 2, 3, ... make every field's value tell which offsets it was read from, so a field
// out of place or of the wrong width cannot hide behind a symmetric encode/decode.
TEST(BinFormat, FieldsSitAtTheirDocumentedOffsets) {
    std::array<uint8_t, bin::ObjectSize> o{};
    std::iota(o.begin(), o.end(), uint8_t{1});
    auto i16 = [](const auto& b, int at) { return int16_t(b[at] | b[at + 1] << 8); };
    auto i32 = [](const auto& b, int at) {
        return int32_t(uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 |
                       uint32_t(b[at + 3]) << 24);
    };
    const DialogObject d = bin::DecodeObject(o);
    const std::vector<std::pair<int64_t, int64_t>> objectFields = {
        {d.Next, i32(o, 0)},
        {d.Left, i16(o, 4)},
        {d.Top, i16(o, 6)},
        {d.Right, i16(o, 8)},
        {d.Bottom, i16(o, 10)},
        {d.Width, i16(o, 12)},
        {d.Height, i16(o, 14)},
        {d.Unknown16[0], o[16]},
        {d.Text, i32(o, 20)},
        {d.Flags, i32(o, 24)},
        {d.Unknown28[3], o[31]},
        {d.ControlId, i16(o, 32)},
        {d.ControlType, i32(o, 34)},
        {d.Unknown38[0], o[38]},
        {d.Unknown38[15], o[53]},
        {d.ResponseLeft, i16(o, 54)},
        {d.ResponseTop, i16(o, 56)},
        {d.ResponseRight, i16(o, 58)},
        {d.ResponseBottom, i16(o, 60)},
        {d.Unknown62[0], o[62]},
        {d.SmkLink, i32(o, 66)},
        {d.TextX, i16(o, 70)},
        {d.TextY, i16(o, 72)},
        {d.ResponseWidth, i16(o, 74)},
        {d.ResponseHeight, i16(o, 76)},
        {d.Unknown78[0], o[78]},
        {d.Unknown78[7], o[85]},
    };
    for (size_t f = 0; f < objectFields.size(); ++f)
        EXPECT_EQ(objectFields[f].first, objectFields[f].second) << "object field " << f;

    std::array<uint8_t, bin::SmkSize> s{};
    std::iota(s.begin(), s.end(), uint8_t{101});
    const SmkEntry k = bin::DecodeSmk(s);
    const std::vector<std::pair<int64_t, int64_t>> smkFields = {
        {k.Next, i32(s, 0)},      {k.Flags, i16(s, 4)},    {k.Unknown6[0], s[6]},
        {k.FileName, i32(s, 10)}, {k.Unknown14[0], s[14]}, {k.OverlayX, i16(s, 18)},
        {k.OverlayY, i16(s, 20)}, {k.Unknown22[0], s[22]}, {k.Unknown22[7], s[29]},
    };
    for (size_t f = 0; f < smkFields.size(); ++f)
        EXPECT_EQ(smkFields[f].first, smkFields[f].second) << "SMK field " << f;
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
