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

uint32_t Get32(const Bytes& b, size_t at) {
    return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 |
           uint32_t(b[at + 3]) << 24;
}

// Header fields of the format, as offsets.
constexpr size_t HeaderSizeField = 4, VersionAndShift = 12, HashPos = 16, BlockPos = 20,
                 HashEntries = 24, BlockEntries = 28;

class MpqHeaderCheckTest : public test::ArchiveTest {
  protected:
    // A real archive: one plain file, one split into sectors, a (listfile).
    Bytes Archive() {
        const std::string a = MakeArchive(
            "a.mpq", {{"rez\\glumain.bin", "main"}, {"rez\\big.bin", std::string(9000, 'b')}});
        const std::string bytes = Contents(a);
        return Bytes(bytes.begin(), bytes.end());
    }
};

TEST_F(MpqHeaderCheckTest, AcceptsOnlyArchivesWhoseTablesLieInTheFile) {
    const Bytes good = Archive();
    auto with = [&](size_t at, uint32_t value) {
        Bytes b = good;
        Put32(b, at, value);
        return b;
    };
    auto cut = [&](size_t size) { return Bytes(good.begin(), good.begin() + size); };
    auto behind = [&](size_t stub) {
        Bytes b(stub, 'S');
        b.insert(b.end(), good.begin(), good.end());
        return b;
    };
    auto userData = [&](uint32_t headerOffset, uint32_t room) {
        Bytes b = behind(512);
        Put32(b, 0, MpqUserDataId);
        Put32(b, 4, room);
        Put32(b, 8, headerOffset);
        Put32(b, 12, 16);
        return b;
    };
    // The (listfile) is stored last, split into sectors: its table's first offset.
    const uint32_t blockPos = Get32(good, BlockPos);
    const uint32_t hashPos = Get32(good, HashPos);
    const std::string text = "just some text, long enough to be scanned";
    const struct {
        const char* what;
        Bytes bytes;
        P expected;
    } cases[] = {
        {"as written", good, P::Ok},
        {"after a program stub", behind(1024), P::Ok},
        {"user data pointing at it", userData(512, 16), P::Ok},
        {"off the 512-byte grid", behind(100), P::NoHeader},
        {"no signature", Bytes(text.begin(), text.end()), P::NoHeader},
        {"empty", Bytes{}, P::NoHeader},
        {"user data pointing past the end", userData(1u << 20, 16), P::BadUserData},
        {"user data larger than its room", userData(512, 4096), P::BadUserData},
        {"truncated header", cut(20), P::BadHeaderSize},
        {"header size of a later format", with(HeaderSizeField, 44), P::BadHeaderSize},
        {"later format", with(VersionAndShift, 1 | 3 << 16), P::BadVersion},
        {"sector shift too large", with(VersionAndShift, 16 << 16), P::BadSectorShift},
        {"hash size not a power of two", with(HashEntries, 3), P::BadHashTable},
        {"huge hash size", with(HashEntries, 1u << 28), P::BadHashTable},
        {"hash table past the end", with(HashPos, 0xFFFFFFF0), P::BadHashTable},
        {"hash table moved onto other bytes", with(HashPos, hashPos + 16), P::BadHashTable},
        {"block table cut off", cut(good.size() - 1), P::BadBlockTable},
        {"huge block count", with(BlockEntries, 0x10000000), P::BadBlockTable},
        {"block table moved onto other bytes", with(BlockPos, blockPos - 16), P::BadFileEntry},
    };
    for (const auto& c : cases) EXPECT_EQ(CheckMpqHeader(c.bytes), c.expected) << c.what;
}

// Offsets in an archive count from its header, so one behind a stub reads as it is.
TEST_F(MpqHeaderCheckTest, RealArchivesPassAndOnlyRegularFilesAreRead) {
    const std::string a = MakeArchive("a.mpq", {{"rez\\glumain.bin", "main"}});
    EXPECT_EQ(CheckMpqHeader(a), P::Ok);
    const std::string stubbed = WriteFile("stub.exe", std::string(1536, 'S') + Contents(a));
    EXPECT_EQ(CheckMpqHeader(stubbed), P::Ok);
    std::vector<ArchiveLine> lines;
    EXPECT_EQ(ListDialogFiles(stubbed, NameListPath(), 0, lines), ListResult::Listed);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].Name, "rez\\glumain.bin");

    ASSERT_EQ(::mkfifo(Path("fifo").c_str(), 0600), 0);
    EXPECT_EQ(CheckMpqHeader(Path("fifo")), P::Unreadable);
    EXPECT_EQ(CheckMpqHeader(dir_.string()), P::Unreadable);
}

} // namespace
} // namespace tarrox
