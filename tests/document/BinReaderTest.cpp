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
std::vector<std::string> Strings(const DialogDocument& d) {
    return {d.StringTable.begin(), d.StringTable.begin() + d.StringCount};
}
// Every object's string number, then every SMK's.
Ints StringNumbers(const DialogDocument& d) {
    Ints out;
    for (int i = 0; i < d.ObjectCount; ++i) out.push_back(d.ObjectTable[i].Text);
    for (int k = 0; k < d.SmkCount; ++k) out.push_back(d.SmkTable[k].FileName);
    return out;
}

// Shapes of object and SMK chains: what the links and string numbers become.
TEST(BinReader, ChainsBecomeTableIndicesInReadingOrder) {
    const int32_t s0 = 3 * O, s1 = s0 + 30, s2 = s0 + 60;
    auto chain = [](int32_t end) { return BinBuilder().Object(0, 0, 0, O).Object(O, end, 0, end); };
    const struct {
        const char* what;
        std::vector<uint8_t> bytes;
        Ints links, strings; // objects', then SMKs'
    } cases[] = {
        {"no bytes", {}, {-1}, {0}},
        {"one zero record", std::vector<uint8_t>(86, 0), {-1}, {0}},
        {"links of 1 end chains", chain(1).Bytes(), {-1, -1}, {0, 1}},
        {"negative links end chains", chain(-86).Bytes(), {-1, -1}, {0, 1}},
        {"an object chain that loops stops at the revisit",
         BinBuilder().Object(0, 0, 0, O).Object(O, 2 * O, 0, 0).Object(2 * O, O, 0, 0).Bytes(),
         {-1, -1, -1},
         {0, 1, 2}},
        {"an object naming itself",
         BinBuilder().Object(0, 0, 0, O).Object(O, O, 0, 0).Bytes(),
         {-1, -1},
         {0, 1}},
        {"SMK chains in object order",
         BinBuilder()
             .Object(0, 0, 0, O)
             .Object(O, 2 * O, 0, s2)
             .Object(2 * O, 0, 0, s1)
             .Smk(s2, s0, 0)
             .Smk(s0, 0, 0)
             .Smk(s1, 0, 0)
             .Bytes(),
         {-1, 0, 2, /* SMKs */ 1, -1, -1},
         {0, 1, 4, /* SMKs */ 2, 3, 5}},
        {"an SMK reached from two objects becomes two",
         BinBuilder()
             .Object(0, 0, 0, O)
             .Object(O, 2 * O, 0, s0)
             .Object(2 * O, 0, 0, s0)
             .Smk(s0, 0, 0)
             .Bytes(),
         {-1, 0, 1, /* SMKs */ -1, -1},
         {0, 1, 3, /* SMKs */ 2, 4}},
        {"an SMK chain that loops keeps its loop",
         BinBuilder()
             .Object(0, 0, 0, O)
             .Object(O, 0, 0, s0)
             .Smk(s0, s1, 0)
             .Smk(s1, s2, 0)
             .Smk(s2, s1, 0)
             .Bytes(),
         {-1, 0, /* SMKs */ 1, 2, 1},
         {0, 1, 2, 3, 4}},
        {"an SMK naming itself",
         BinBuilder().Object(0, 0, 0, O).Object(O, 0, 0, s0).Smk(s0, s0, 0).Bytes(),
         {-1, 0, /* SMK */ 0},
         {0, 1, 2}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Read r = ReadBytes(c.bytes);
        ASSERT_TRUE(r.ok);
        EXPECT_EQ(Links(r.doc), c.links);
        EXPECT_EQ(StringNumbers(r.doc), c.strings);
        EXPECT_EQ(CheckInvariants(r.doc), "");
    }
}

TEST(BinReader, FieldsStringsAndRecordsPastTheEnd) {
    BinBuilder b;
    const std::string text = "\x03Red\x0a<x>\xff\x80"; // control and high bytes are kept
    DialogObject fields;
    fields.Left = -5;
    fields.Unknown38[15] = 0xAB;
    SmkEntry smk;
    smk.OverlayX = 7;
    smk.Unknown22[0] = 9;
    // Names shared, past the end, negative, at 0 (no name, whatever is there), and running to the
    // end.
    b.Object(0, 'A', 650, O).Object(O, 2 * O, 800, 900, fields).Object(2 * O, 3 * O, 800, 0);
    b.Object(3 * O, 4 * O, 8000, 0).Object(4 * O, 5 * O, -7, 0).Object(5 * O, 6 * O, 0, 0);
    b.Object(6 * O, 0, 1000, 0).Smk(900, 0, 700, smk);
    b.String(650, "Dialog").String(700, "a.smk").String(800, text).String(1000, "no end", false);
    Read r = ReadBytes(b.Bytes());
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(Strings(r.doc),
              (std::vector<std::string>{"Dialog", text, "a.smk", text, "", "", "", "no end"}));
    fields.Next = 2 * O, fields.Text = 1, fields.SmkLink = 0;
    EXPECT_EQ(r.doc.ObjectTable[1], fields);
    smk.Next = -1, smk.FileName = 2;
    EXPECT_EQ(r.doc.SmkTable[0], smk);

    // Records running past the end read as zero.
    BinBuilder cut;
    fields.Left = 0x1234;
    cut.Object(0, 0, 0, O).Object(O, 0, 0, 0, fields).Truncate(O + 5);
    r = ReadBytes(cut.Bytes());
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.doc.ObjectTable[1].Left, 0x34); // high byte cut off
    EXPECT_EQ(r.doc.ObjectTable[1].Unknown38, (std::array<uint8_t, 16>{}));
    r = ReadBytes(BinBuilder().Object(0, 0, 0, 0x7FFFFFF0).Bytes());
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(Links(r.doc), (Ints{-1, -1}));
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
