#include <sys/stat.h>

#include "archive/ArchiveFixture.h"
#include "archive/MpqHeaderCheck.h"

namespace tarrox::test {
namespace {

using Bytes = std::vector<uint8_t>;
using P = MpqHeaderProblem;

// Header fields, as offsets.
constexpr size_t HeaderSize = 4, VersionAndShift = 12, HashPos = 16, BlockPos = 20,
                 HashEntries = 24, BlockEntries = 28;

Bytes With(Bytes b, size_t at, uint32_t v) {
    for (size_t i = 0; i < 4; ++i) b.at(at + i) = uint8_t(v >> (8 * i));
    return b;
}

uint32_t Get32(const Bytes& b, size_t at) {
    return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 |
           uint32_t(b[at + 3]) << 24;
}

using MpqHeaderCheckTest = ArchiveTest;

TEST_F(MpqHeaderCheckTest, AcceptsOnlyArchivesWhoseTablesLieInTheFile) {
    // One plain file, one split into sectors, a (listfile) stored last.
    const std::string a = MakeArchive(
        "a.mpq", {{"rez\\glumain.bin", "main"}, {"rez\\big.bin", std::string(9000, 'b')}});
    const std::string bytes = Contents(a), text = "just some text, long enough to be scanned";
    const Bytes good(bytes.begin(), bytes.end());
    auto cut = [&](size_t size) { return Bytes(good.begin(), good.begin() + long(size)); };
    auto behind = [&](size_t stub) {
        Bytes b(stub, 'S');
        b.insert(b.end(), good.begin(), good.end());
        return b;
    };
    auto userData = [&](uint32_t headerOffset, uint32_t room) {
        return With(With(With(With(behind(512), 0, MpqUserDataId), 4, room), 8, headerOffset), 12,
                    16);
    };
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
        {"header size of a later format", With(good, HeaderSize, 44), P::BadHeaderSize},
        {"later format", With(good, VersionAndShift, 1 | 3 << 16), P::BadVersion},
        {"sector shift too large", With(good, VersionAndShift, 16 << 16), P::BadSectorShift},
        {"hash size not a power of two", With(good, HashEntries, 3), P::BadHashTable},
        {"huge hash size", With(good, HashEntries, 1u << 28), P::BadHashTable},
        {"hash table past the end", With(good, HashPos, 0xFFFFFFF0), P::BadHashTable},
        {"hash table moved onto other bytes", With(good, HashPos, Get32(good, HashPos) + 16),
         P::BadHashTable},
        {"block table cut off", cut(good.size() - 1), P::BadBlockTable},
        {"huge block count", With(good, BlockEntries, 0x10000000), P::BadBlockTable},
        // Its first entry then reads the (listfile)'s sector table as a file.
        {"block table moved onto other bytes", With(good, BlockPos, Get32(good, BlockPos) - 16),
         P::BadFileEntry},
    };
    for (const auto& c : cases) EXPECT_EQ(CheckMpqHeader(c.bytes), c.expected) << c.what;
    ASSERT_EQ(::mkfifo(Path("fifo").c_str(), 0600), 0);
    EXPECT_EQ(std::make_tuple(CheckMpqHeader(a), CheckMpqHeader(Path("fifo")),
                              CheckMpqHeader(dir_.string())),
              std::make_tuple(P::Ok, P::Unreadable, P::Unreadable));
}

} // namespace
} // namespace tarrox::test
