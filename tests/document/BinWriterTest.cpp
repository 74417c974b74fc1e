#include <gtest/gtest.h>

#include <numeric>
#include <random>

#include "document/BinReader.h"
#include "document/BinWriter.h"
#include "support/BinBuilder.h"

namespace tarrox {
namespace {

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
    std::vector<uint8_t> out = WriteBinDocument(d);
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
    out = WriteBinDocument(d);
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
    std::vector<uint8_t> out = WriteBinDocument(d);
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
    ExpectFields(WriteBinDocument(d), {{86 + 66, 0}, {2 * 86, 0}});
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
    std::vector<uint8_t> out = WriteBinDocument([&] {
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

TEST(BinWriterRoundTrip, WriteReadWriteGivesIdenticalBytes) {
    std::mt19937 rng(1234);
    for (int round = 0; round < 200; ++round) {
        DialogDocument d = RandomDocument(rng);
        std::vector<uint8_t> first = WriteBinDocument(d);
        DialogDocument back;
        std::string error;
        if (!ReadBinDocument(first, back, error)) {
            // Shared SMKs can make the reader's count exceed 128; that is a refusal, not a fault.
            EXPECT_EQ(error, "Error: The file has more than 128 SMK records.");
            continue;
        }
        ASSERT_TRUE(CheckInvariants(back).empty()) << CheckInvariants(back);
        std::vector<uint8_t> second = WriteBinDocument(back);
        DialogDocument again;
        ASSERT_TRUE(ReadBinDocument(second, again, error));
        ASSERT_EQ(WriteBinDocument(again), second) << "round " << round;
    }
}

} // namespace
} // namespace tarrox
