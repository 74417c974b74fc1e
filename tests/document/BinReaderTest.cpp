#include <gtest/gtest.h>

#include "document/BinReader.h"
#include "support/BinBuilder.h"

namespace tarrox {
namespace {

using test::BinBuilder;

struct Read {
    DialogDocument doc;
    std::string error;
    bool ok = false;
};

Read ReadBytes(const std::vector<uint8_t>& bytes) {
    Read r;
    r.ok = ReadBinDocument(bytes, r.doc, r.error);
    return r;
}

constexpr int32_t O = bin::ObjectSize;
using Ints = std::vector<int32_t>;

// Every object's SmkLink, then every SMK's Next, as one list.
Ints Links(const DialogDocument& d) {
    Ints out;
    for (int i = 0; i < d.ObjectCount; ++i) out.push_back(d.ObjectTable[i].SmkLink);
    for (int k = 0; k < d.SmkCount; ++k) out.push_back(d.SmkTable[k].Next);
    return out;
}
// Every object's string number, then every SMK's.
Ints StringNumbers(const DialogDocument& d) {
    Ints out;
    for (int i = 0; i < d.ObjectCount; ++i) out.push_back(d.ObjectTable[i].Text);
    for (int k = 0; k < d.SmkCount; ++k) out.push_back(d.SmkTable[k].FileName);
    return out;
}

TEST(BinReaderEmpty, EmptyOrZeroFileIsOneBlankDialog) {
    for (const auto& bytes : {std::vector<uint8_t>{}, std::vector<uint8_t>(86, 0)}) {
        Read r = ReadBytes(bytes);
        ASSERT_TRUE(r.ok);
        EXPECT_EQ(r.doc.SmkCount, 0);
        EXPECT_EQ(r.doc.StringCount, 1);
        EXPECT_EQ(r.doc.StringTable[0], "");
        EXPECT_EQ(Links(r.doc), Ints{-1});
        EXPECT_EQ(StringNumbers(r.doc), Ints{0});
    }
}

TEST(BinReaderObjects, ChildrenAndStringsInAnyOrder) {
    // Strings before records, children in reverse file order, the dialog's name shared.
    BinBuilder b;
    b.String(86 * 4, "Dialog").String(86 * 4 + 7, "Second");
    DialogObject fields;
    fields.Left = -5;
    fields.ControlType = 2;
    fields.Flags = static_cast<int32_t>(0x80000008u);
    fields.Unknown38[15] = 0xAB;
    b.Object(0, 12345, 86 * 4, 3 * O);
    b.Object(3 * O, 1 * O, 86 * 4, 0, fields); // first child shares the dialog's name
    b.Object(1 * O, 0, 86 * 4 + 7, 0);
    Read r = ReadBytes(b.Bytes());
    ASSERT_TRUE(r.ok);
    ASSERT_EQ(r.doc.ObjectCount, 3);
    EXPECT_EQ(r.doc.StringCount, 3);
    EXPECT_EQ((std::vector<std::string>(&r.doc.StringTable[0], &r.doc.StringTable[3])),
              (std::vector<std::string>{"Dialog", "Dialog", "Second"}));
    EXPECT_EQ(StringNumbers(r.doc), (Ints{0, 1, 2}));
    EXPECT_EQ(Links(r.doc), (Ints{-1, -1, -1}));
    fields.Next = 1 * O;
    fields.Text = 1;
    fields.SmkLink = -1;
    EXPECT_EQ(r.doc.ObjectTable[1], fields);
    EXPECT_TRUE(CheckInvariants(r.doc).empty());
}

TEST(BinReaderObjects, LinksOfOneOrBelowEndChains) {
    for (int32_t end : {0, 1, -1, -86}) {
        BinBuilder b;
        b.Object(0, 0, 0, O).Object(O, end, 0, end);
        Read r = ReadBytes(b.Bytes());
        ASSERT_TRUE(r.ok);
        EXPECT_EQ(Links(r.doc), (Ints{-1, -1})) << end;
    }
}

TEST(BinReaderObjects, ObjectChainThatLoopsStopsAtTheFirstRevisit) {
    BinBuilder b;
    b.Object(0, 0, 0, O).Object(O, 2 * O, 0, 0).Object(2 * O, O, 0, 0);
    Read r = ReadBytes(b.Bytes());
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.doc.ObjectCount, 3);

    BinBuilder self;
    self.Object(0, 0, 0, O).Object(O, O, 0, 0);
    EXPECT_EQ(ReadBytes(self.Bytes()).doc.ObjectCount, 2);
}

TEST(BinReaderObjects, RecordsPastTheEndReadAsZero) {
    BinBuilder b;
    DialogObject fields;
    fields.Left = 0x1234;
    fields.Unknown78 = {1, 2, 3, 4, 5, 6, 7, 8};
    b.Object(0, 0, 0, O).Object(O, 0, 0, 0, fields).Truncate(O + 5);
    Read r = ReadBytes(b.Bytes());
    ASSERT_TRUE(r.ok);
    ASSERT_EQ(r.doc.ObjectCount, 2);
    EXPECT_EQ(r.doc.ObjectTable[1].Left, 0x34); // high byte cut off
    EXPECT_EQ(r.doc.ObjectTable[1].Unknown78, (std::array<uint8_t, 8>{}));

    // A first child far past the end is an all-zero object.
    BinBuilder far;
    far.Object(0, 0, 0, 0x7FFFFFF0);
    Read rf = ReadBytes(far.Bytes());
    ASSERT_TRUE(rf.ok);
    EXPECT_EQ(rf.doc.ObjectCount, 2);
    EXPECT_EQ(rf.doc.ObjectTable[1].SmkLink, -1);
}

TEST(BinReaderStrings, OddOffsetsGiveEmptyOrRunToEnd) {
    BinBuilder b;
    b.Object(0, 0, 400, O).Object(O, 2 * O, -7, 0).Object(2 * O, 3 * O, 1, 0);
    b.Object(3 * O, 0, 4 * O, 0).String(4 * O, "no end", false);
    Read r = ReadBytes(b.Bytes());
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.doc.StringTable[0], ""); // past the end
    EXPECT_EQ(r.doc.StringTable[1], ""); // negative
    EXPECT_EQ(r.doc.StringTable[2], ""); // offset 1 holds a 0 byte
    EXPECT_EQ(r.doc.StringTable[3], "no end");
}

TEST(BinReaderStrings, ControlAndHighBytesAreKept) {
    BinBuilder b;
    const std::string text = "\x03Red\x0a<x>\xff\x80";
    b.Object(0, 0, O, 0).String(O, text);
    Read r = ReadBytes(b.Bytes());
    EXPECT_EQ(r.doc.StringTable[0], text);
}

TEST(BinReaderSmks, ChainsGetConsecutiveIndicesInObjectOrder) {
    BinBuilder b;
    const int32_t s0 = 3 * O, s1 = s0 + 30, s2 = s0 + 60;
    SmkEntry fields;
    fields.Flags = -1;
    fields.OverlayX = 7;
    fields.Unknown22[0] = 9;
    b.Object(0, 0, 0, O).Object(O, 2 * O, 0, s2).Object(2 * O, 0, 0, s1);
    b.Smk(s2, s0, 500, fields).Smk(s0, 0, 600).Smk(s1, 0, 0);
    b.String(500, "glue\\a.smk").String(600, "b.smk");
    Read r = ReadBytes(b.Bytes());
    ASSERT_TRUE(r.ok);
    ASSERT_EQ(r.doc.SmkCount, 3);
    EXPECT_EQ(Links(r.doc), (Ints{-1, 0, 2, /* SMKs */ 1, -1, -1}));
    EXPECT_EQ(r.doc.SmkTable[0], (SmkEntry{1, -1, {}, 2, {}, 7, 0, {9}}));
    // Reading order: object 0, object 1, its SMKs, object 2, its SMK.
    EXPECT_EQ(StringNumbers(r.doc), (Ints{0, 1, 4, /* SMKs */ 2, 3, 5}));
    EXPECT_EQ(r.doc.StringTable[2], "glue\\a.smk");
    EXPECT_EQ(r.doc.StringTable[3], "b.smk");
    EXPECT_EQ(r.doc.StringCount, 6);
    EXPECT_TRUE(CheckInvariants(r.doc).empty());
}

TEST(BinReaderSmks, RecordReachedFromTwoObjectsBecomesTwoCopies) {
    BinBuilder b;
    const int32_t s = 3 * O;
    SmkEntry fields;
    fields.OverlayY = 33;
    b.Object(0, 0, 0, O).Object(O, 2 * O, 0, s).Object(2 * O, 0, 0, s);
    b.Smk(s, 0, 400, fields).String(400, "shared.smk");
    Read r = ReadBytes(b.Bytes());
    ASSERT_EQ(r.doc.SmkCount, 2);
    EXPECT_EQ(Links(r.doc), (Ints{-1, 0, 1, /* SMKs */ -1, -1}));
    EXPECT_EQ(r.doc.SmkTable[1].OverlayY, 33);
    EXPECT_EQ(StringNumbers(r.doc), (Ints{0, 1, 3, /* SMKs */ 2, 4}));
    EXPECT_EQ(r.doc.StringTable[2], "shared.smk");
    EXPECT_EQ(r.doc.StringTable[4], "shared.smk");
}

TEST(BinReaderSmks, ChainThatLoopsKeepsItsLoop) {
    const int32_t a = 2 * O, c = a + 30, d = a + 60;
    BinBuilder b;
    b.Object(0, 0, 0, O).Object(O, 0, 0, a);
    b.Smk(a, c, 0).Smk(c, d, 0).Smk(d, c, 0); // a -> c -> d -> c
    EXPECT_EQ(Links(ReadBytes(b.Bytes()).doc), (Ints{-1, 0, /* SMKs */ 1, 2, 1}));

    BinBuilder self;
    self.Object(0, 0, 0, O).Object(O, 0, 0, a).Smk(a, a, 0);
    Read rs = ReadBytes(self.Bytes());
    EXPECT_EQ(Links(rs.doc), (Ints{-1, 0, /* SMK */ 0}));
    EXPECT_TRUE(CheckInvariants(rs.doc).empty());
}

TEST(BinReaderCapacity, UpToTheLimitIsReadBeyondItRefused) {
    auto objects = [](int children) {
        BinBuilder b;
        b.Object(0, 0, 0, children ? O : 0);
        for (int i = 1; i <= children; ++i) b.Object(i * O, i < children ? (i + 1) * O : 0, 0, 0);
        return b;
    };
    Read full = ReadBytes(objects(127).Bytes());
    ASSERT_TRUE(full.ok);
    EXPECT_EQ(full.doc.ObjectCount, 128);
    // A refused file leaves the target as it was.
    Read over;
    over.doc.ObjectCount = 5;
    over.doc.StringTable[0] = "kept";
    EXPECT_FALSE(ReadBinDocument(objects(128).Bytes(), over.doc, over.error));
    EXPECT_EQ(over.error, "Error: The file has more than 128 objects.");
    EXPECT_EQ(over.doc.ObjectCount, 5);
    EXPECT_EQ(over.doc.StringTable[0], "kept");

    // 64 objects sharing one chain of two records count 128; one more record is too many.
    auto smks = [](int sharers, int extra) {
        BinBuilder b;
        const int32_t s = 200 * O;
        b.Object(0, 0, 0, O);
        for (int i = 1; i <= sharers; ++i) b.Object(i * O, i < sharers ? (i + 1) * O : 0, 0, s);
        b.Smk(s, s + 30, 0).Smk(s + 30, extra ? s + 60 : 0, 0);
        if (extra) b.Smk(s + 60, 0, 0);
        return b;
    };
    Read smkFull = ReadBytes(smks(64, 0).Bytes());
    ASSERT_TRUE(smkFull.ok);
    EXPECT_EQ(smkFull.doc.SmkCount, 128);
    EXPECT_EQ(smkFull.doc.StringCount, 65 + 128);
    Read smkOver = ReadBytes(smks(64, 1).Bytes());
    EXPECT_FALSE(smkOver.ok);
    EXPECT_EQ(smkOver.error, "Error: The file has more than 128 SMK records.");
}

// 128 objects and 127 SMK records, every one naming the same string of `length` bytes.
std::vector<uint8_t> SharedString(size_t length) {
    BinBuilder b;
    const int32_t smks = 128 * O, text = smks + 127 * 30;
    b.Object(0, 0, text, O);
    for (int i = 1; i < 128; ++i) {
        b.Object(i * O, i < 127 ? (i + 1) * O : 0, text, smks + (i - 1) * 30);
        b.Smk(smks + (i - 1) * 30, 0, text);
    }
    b.String(text, std::string(length, 'x'));
    return b.Bytes();
}

TEST(BinReaderLimits, RecordsSharingOneStringCountItOncePerRecord) {
    // 255 copies of 32896 bytes fit the text bound, 255 of 32897 do not; 255 of a megabyte
    // were once read as a 255 MB document.
    const size_t fits = size_t(bin::MaxStringBytes / 255);
    for (auto [length, ok] : {std::pair{fits, true}, {fits + 1, false}, {size_t{1} << 20, false}}) {
        Read r = ReadBytes(SharedString(length));
        EXPECT_EQ(r.ok, ok) << length;
        EXPECT_EQ(ok ? r.doc.StringTable[254].size() : 0u, ok ? length : 0u);
        EXPECT_EQ(r.error, ok ? "" : "Error: The file's texts come to more than 8 MB.");
    }
}

} // namespace
} // namespace tarrox
