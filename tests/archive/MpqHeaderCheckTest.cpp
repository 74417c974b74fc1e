#include <sys/stat.h>

#include <cstring>
#include <map>

#include "archive/ArchiveFixture.h"
#include "archive/MpqFormat.h"
#include "archive/MpqHeaderCheck.h"
#include "support/CliRun.h"

namespace tarrox::test {
namespace {

using P = MpqHeaderProblem;

constexpr size_t VersionAndShift = 12, HashPos = 16, BlockPos = 20, HashEntries = 24,
                 BlockEntries = 28;

std::string With(std::string b, size_t at, uint32_t v) { // both little-endian
    return b.replace(at, 4, reinterpret_cast<const char*>(&v), 4);
}

uint32_t Get(const std::string& b, size_t at) {
    uint32_t v = 0;
    std::memcpy(&v, b.data() + at, 4);
    return v;
}

using MpqHeaderCheckTest = ArchiveTest;

// A refused archive is named with the reason, not called no archive at all.
TEST_F(MpqHeaderCheckTest, AcceptsOnlyArchivesWhoseTablesLieInTheFileAndARefusalSaysWhy) {
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
        {"hash size of none", With(good, HashEntries, 0), P::BadHashTable},
        {"hash table past the end", With(good, HashPos, 0xFFFFFFF0), P::BadHashTable},
        {"hash table onto other bytes", With(good, HashPos, Get(good, HashPos) + 16),
         P::BadHashEntry},
        {"block table cut off", good.substr(0, good.size() - 1), P::BadBlockTable},
        {"huge block count", With(good, BlockEntries, 0x10000000), P::BadBlockTable},
        {"a name's block missing", With(good, BlockEntries, 1), P::BadHashEntry},
        {"the last block missing", With(good, BlockEntries, Get(good, BlockEntries) - 1),
         P::BadHashEntry},
        // Its first entry then reads the (listfile)'s sector table as a file.
        {"block table onto other bytes", With(good, BlockPos, Get(good, BlockPos) - 16),
         P::BadFileEntry},
    };
    const std::string damaged = " is damaged: ";
    const std::map<P, std::string> why = {
        {P::NoHeader, " does not contain an MPQ archive."},
        {P::BadBlockTable, damaged + "its block table lies outside the file."},
        {P::BadHashTable, damaged + "its hash table is empty or lies outside the file."},
        {P::BadHashEntry, damaged + "its hash table names files its block table does not have."},
        {P::BadVersion, " is of a later archive format than the game reads."},
        {P::BadFileEntry,
         damaged + "a file in it lies outside it or is stored in a way that cannot be read."},
    };
    for (const auto& [what, bytes, expected] : cases) {
        const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
        EXPECT_EQ(CheckMpqHeader(std::span(data, bytes.size())), expected) << what;
        if (!why.contains(expected)) continue;
        const std::string path = Write("case.mpq", bytes);
        const CliRun r = RunCli("list " + Q(path), dir_);
        EXPECT_EQ(std::tie(r.status, r.err),
                  std::make_tuple(1, "Error: " + path + why.at(expected) + "\n"))
            << what;
    }
    ASSERT_EQ(::mkfifo(Path("fifo").c_str(), 0600), 0);
    EXPECT_EQ(
        std::make_tuple(CheckMpqHeader(a), CheckMpqHeader(Path("fifo")), CheckMpqHeader(Path(""))),
        std::make_tuple(P::Ok, P::Unreadable, P::Unreadable));
}

void Encrypt(std::vector<uint32_t>& words, uint32_t key) {
    const auto& table = mpq_format::TheCrypt().table;
    uint32_t seed = 0xEEEEEEEE;
    for (uint32_t& w : words) {
        seed += table[0x400 + (key & 0xFF)];
        const uint32_t plain = w;
        w ^= key + seed;
        key = ((~key << 0x15) + 0x11111111) | (key >> 0x0B);
        seed = plain + seed + (seed << 5) + 3;
    }
}

// The archive with its hash table rebuilt after its end at `entries` slots, each name where the
// library looks for it.
std::string WithHashTableOf(std::string archive, uint32_t entries, const Names& names) {
    const auto& crypt = mpq_format::TheCrypt();
    const uint32_t key = crypt.KeyOf("(hash table)"), mask = entries - 1;
    std::vector<uint32_t> old(Get(archive, HashEntries) * 4), fresh(entries * 4, 0xFFFFFFFF);
    std::memcpy(old.data(), archive.data() + Get(archive, HashPos), old.size() * 4);
    crypt.Decrypt(old, key);
    for (const std::string& name : names) {
        const uint32_t a = crypt.Hash(name.c_str(), 0x100), b = crypt.Hash(name.c_str(), 0x200);
        size_t from = 0;
        while (from < old.size() && !(old[from] == a && old[from + 1] == b)) from += 4;
        if (from == old.size()) ADD_FAILURE() << name << " is not in the archive";
        uint32_t slot = crypt.Hash(name.c_str(), 0) & mask;
        while (fresh[slot * 4 + 3] != 0xFFFFFFFF) slot = (slot + 1) & mask;
        std::copy_n(old.begin() + long(std::min(from, old.size() - 4)), 4,
                    fresh.begin() + slot * 4);
    }
    Encrypt(fresh, key);
    const uint32_t at = uint32_t(archive.size());
    archive.append(reinterpret_cast<const char*>(fresh.data()), fresh.size() * 4);
    return With(With(With(archive, HashPos, at), HashEntries, entries), 8,
                uint32_t(archive.size()));
}

// 3,000 entries, as a public archive has.
TEST_F(MpqHeaderCheckTest, AHashTableOfAnySizeIsRead) {
    const std::string a = MakeArchive(
        "a.mpq", {{"rez\\glumain.bin", "main"}, {"rez\\glusingl.bin", std::string(9000, 's')}});
    Write("a.mpq",
          WithHashTableOf(Contents(a), 3000,
                          {"rez\\glumain.bin", "rez\\glusingl.bin", "(listfile)", "(attributes)"}));
    ASSERT_EQ(Get(Contents(a), HashEntries), 3000u);
    const CliRun list = RunCli("list " + Q(a), dir_);
    EXPECT_EQ(std::tie(list.status, list.out, list.err),
              std::make_tuple(0, "rez\\glumain.bin\nrez\\glusingl.bin\n", ""));
    const CliRun extract = RunCli("extract " + Q(a) + " 'rez\\glusingl.bin' " + Q(Path("o")), dir_);
    EXPECT_EQ(std::tie(extract.status, extract.err), std::make_tuple(0, ""));
    EXPECT_EQ(Contents(Path("o")), std::string(9000, 's'));
}

} // namespace
} // namespace tarrox::test
