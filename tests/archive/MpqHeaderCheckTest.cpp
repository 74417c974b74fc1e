#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstring>

#include "archive/ArchiveFiles.h"
#include "archive/ArchiveFixture.h"
#include "archive/MpqHeaderCheck.h"

namespace tarrox {
namespace {

using Bytes = std::vector<uint8_t>;
using P = MpqHeaderProblem;

void Put32(Bytes& b, size_t at, uint32_t v) {
    if (b.size() < at + 4) b.resize(at + 4);
    for (int i = 0; i < 4; ++i) b[at + i] = uint8_t(v >> (8 * i));
}

// A header at `at` with a 4-entry hash table and a 1-entry block table right behind it.
struct Header {
    uint32_t size = 32, hashPos = 32, blockPos = 96, hashEntries = 4, blockEntries = 1;
    uint16_t version = 0, shift = 3;
    Bytes At(size_t at, size_t fileSize = 0) const {
        Bytes b(at, 'x');
        Put32(b, at, MpqHeaderId);
        Put32(b, at + 4, size);
        Put32(b, at + 8, 112);
        Put32(b, at + 12, uint32_t(version) | uint32_t(shift) << 16);
        Put32(b, at + 16, hashPos);
        Put32(b, at + 20, blockPos);
        Put32(b, at + 24, hashEntries);
        Put32(b, at + 28, blockEntries);
        b.resize(std::max(fileSize, at + 112), 0);
        return b;
    }
};

Bytes UserDataThen(uint32_t headerOffset, uint32_t maxSize = 16) {
    Bytes b = Header{}.At(headerOffset);
    Put32(b, 0, MpqUserDataId);
    Put32(b, 4, maxSize);
    Put32(b, 8, headerOffset);
    Put32(b, 12, 16);
    return b;
}

TEST(MpqHeaderCheckTest, AcceptsOnlyHeadersWhoseTablesLieInTheFile) {
    auto with = [](auto change) {
        Header h;
        change(h);
        return h.At(0);
    };
    Bytes truncated = Header{}.At(0);
    truncated.resize(20);
    Bytes tablePastEnd = Header{}.At(0);
    tablePastEnd.resize(100);
    Bytes userDataPastEnd = UserDataThen(512);
    Put32(userDataPastEnd, 8, 1u << 20);
    const std::string text = "just some text, long enough to be scanned";
    const struct {
        const char* what;
        Bytes bytes;
        P expected;
    } cases[] = {
        {"plain", Header{}.At(0), P::Ok},
        {"after a program stub", Header{}.At(1024), P::Ok},
        {"user data pointing at it", UserDataThen(512), P::Ok},
        {"off the 512-byte grid", Header{}.At(100), P::NoHeader},
        {"no signature", Bytes(text.begin(), text.end()), P::NoHeader},
        {"empty", Bytes{}, P::NoHeader},
        {"truncated header", truncated, P::BadHeaderSize},
        {"header size of a later format", with([](Header& h) { h.size = 44; }), P::BadHeaderSize},
        {"later format", with([](Header& h) { h.version = 1; }), P::BadVersion},
        {"sector shift too large", with([](Header& h) { h.shift = 16; }), P::BadSectorShift},
        {"hash size not a power of two", with([](Header& h) { h.hashEntries = 3; }),
         P::BadHashTable},
        {"huge hash size", with([](Header& h) { h.hashEntries = 1u << 28; }), P::BadHashTable},
        {"hash table past the end", with([](Header& h) { h.hashPos = 0xFFFFFFF0; }),
         P::BadHashTable},
        {"block table cut off", tablePastEnd, P::BadBlockTable},
        {"huge block count", with([](Header& h) { h.blockEntries = 0x10000000; }),
         P::BadBlockTable},
        {"user data pointing past the end", userDataPastEnd, P::BadUserData},
        {"user data larger than its room", UserDataThen(512, 4096), P::BadUserData},
    };
    for (const auto& c : cases) EXPECT_EQ(CheckMpqHeader(c.bytes), c.expected) << c.what;
}

TEST(MpqHeaderCheckTest, SignaturePredicate) {
    const struct {
        std::string bytes;
        bool expected;
    } cases[] = {{std::string("MPQ\x1a", 4) + "rest", true},
                 {std::string("MPQ\x1b", 4), true},
                 {"MPQ", false},
                 {std::string("MPQ\x1c", 4), false},
                 {"", false}};
    for (const auto& c : cases)
        EXPECT_EQ(StartsWithMpqHeader(Bytes(c.bytes.begin(), c.bytes.end())), c.expected)
            << c.bytes;
}

class MpqHeaderFileTest : public test::ArchiveTest {};

// Offsets in an archive count from its header, so one behind a stub reads as it is.
TEST_F(MpqHeaderFileTest, RealArchivesPassAndOnlyRegularFilesAreRead) {
    const std::string a = MakeArchive("a.mpq", {{"rez\\glumain.bin", "main"}});
    EXPECT_EQ(CheckMpqHeader(a), P::Ok);
    EXPECT_TRUE(FileStartsWithMpqHeader(a));
    const std::string stubbed = WriteFile("stub.exe", std::string(1536, 'S') + Contents(a));
    EXPECT_EQ(CheckMpqHeader(stubbed), P::Ok);
    EXPECT_FALSE(FileStartsWithMpqHeader(stubbed));
    std::vector<ArchiveLine> lines;
    EXPECT_EQ(ListDialogFiles(stubbed, NameListPath(), 0, lines), ListResult::Listed);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].Name, "rez\\glumain.bin");

    ASSERT_EQ(::mkfifo(Path("fifo").c_str(), 0600), 0);
    EXPECT_EQ(CheckMpqHeader(Path("fifo")), P::Unreadable);
    EXPECT_FALSE(FileStartsWithMpqHeader(Path("fifo")));
    EXPECT_EQ(CheckMpqHeader(dir_.string()), P::Unreadable);
}

} // namespace
} // namespace tarrox
