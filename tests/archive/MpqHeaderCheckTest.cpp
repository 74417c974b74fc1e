#include <sys/stat.h>

#include <cstring>

#include "archive/ArchiveFixture.h"
#include "archive/MpqHeaderCheck.h"

namespace tarrox::test {
namespace {

using P = MpqHeaderProblem;

// Header fields, as offsets.
constexpr size_t VersionAndShift = 12, HashPos = 16, BlockPos = 20, HashEntries = 24,
                 BlockEntries = 28;

std::string With(std::string b, size_t at, uint32_t v) {
    std::memcpy(b.data() + at, &v, 4); // the format and this machine are little-endian
    return b;
}

uint32_t Get(const std::string& b, size_t at) {
    uint32_t v = 0;
    std::memcpy(&v, b.data() + at, 4);
    return v;
}

using MpqHeaderCheckTest = ArchiveTest;

TEST_F(MpqHeaderCheckTest, AcceptsOnlyArchivesWhoseTablesLieInTheFile) {
    // One plain file, one split into sectors, a (listfile) stored last.
    const std::string a = MakeArchive(
        "a.mpq", {{"rez\\glumain.bin", "main"}, {"rez\\big.bin", std::string(9000, 'b')}});
    const std::string good = Contents(a), stub(512, 'S');
    auto userData = [&](uint32_t headerOffset, uint32_t room) {
        return With(With(With(With(stub + good, 0, MpqUserDataId), 4, room), 8, headerOffset), 12,
                    16);
    };
    const std::tuple<std::string, std::string, P> cases[] = {
        {"as written", good, P::Ok},
        {"after a program stub", stub + stub + good, P::Ok},
        {"user data pointing at it", userData(512, 16), P::Ok},
        {"off the 512-byte grid", stub.substr(0, 100) + good, P::NoHeader},
        {"user data pointing past the end", userData(1u << 20, 16), P::BadUserData},
        {"user data larger than its room", userData(512, 4096), P::BadUserData},
        {"truncated header", good.substr(0, 20), P::BadHeaderSize},
        {"later format", With(good, VersionAndShift, 1 | 3 << 16), P::BadVersion},
        {"sector shift too large", With(good, VersionAndShift, 16 << 16), P::BadSectorShift},
        {"hash size not a power of two", With(good, HashEntries, 3), P::BadHashTable},
        {"hash table past the end", With(good, HashPos, 0xFFFFFFF0), P::BadHashTable},
        {"hash table onto other bytes", With(good, HashPos, Get(good, HashPos) + 16),
         P::BadHashTable},
        {"block table cut off", good.substr(0, good.size() - 1), P::BadBlockTable},
        {"huge block count", With(good, BlockEntries, 0x10000000), P::BadBlockTable},
        // Its first entry then reads the (listfile)'s sector table as a file.
        {"block table onto other bytes", With(good, BlockPos, Get(good, BlockPos) - 16),
         P::BadFileEntry},
    };
    for (const auto& [what, bytes, expected] : cases) {
        const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
        EXPECT_EQ(CheckMpqHeader(std::span(data, bytes.size())), expected) << what;
    }
    ASSERT_EQ(::mkfifo(Path("fifo").c_str(), 0600), 0);
    EXPECT_EQ(
        std::make_tuple(CheckMpqHeader(a), CheckMpqHeader(Path("fifo")), CheckMpqHeader(Path(""))),
        std::make_tuple(P::Ok, P::Unreadable, P::Unreadable));
}

} // namespace
} // namespace tarrox::test
