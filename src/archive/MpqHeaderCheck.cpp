#include "archive/MpqHeaderCheck.h"

#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <vector>

#include "archive/MpqFormat.h"
#include "platform/FileAccess.h"

namespace tarrox {

namespace {

using namespace mpq_format;

// Archive headers lie on these boundaries after any program stub.
constexpr uint64_t HeaderAlignment = 512;
constexpr uint32_t HeaderSize = 32;
constexpr uint32_t UserDataSize = 16;
constexpr uint32_t TableEntrySize = 16;
// Sector size = 512 << shift; 16 MiB is far above what any archive uses.
constexpr uint16_t MaxSectorShift = 15;
// Maps of a later game start with their own header and do not use user data.
constexpr uint32_t OtherGameMapId = 0x57334D48; // "HM3W"

// Reads exactly `size` bytes at `offset`; false past the end or on an error.
using ReadAt = std::function<bool(uint64_t offset, uint8_t* out, size_t size)>;

bool TableFits(uint64_t headerAt, uint32_t position, uint32_t entries, uint64_t fileSize) {
    const uint64_t start = headerAt + position;
    const uint64_t bytes = uint64_t(entries) * TableEntrySize;
    return start <= fileSize && bytes <= fileSize - start;
}

// Reads `entries` table entries at `position` (after the header at `at`) and decrypts them.
bool ReadTable(const ReadAt& read, uint64_t at, uint32_t position, uint32_t entries,
               const char* keyName, std::vector<uint32_t>& words) {
    words.assign(size_t(entries) * 4, 0);
    std::vector<uint8_t> bytes(words.size() * 4);
    if (!bytes.empty() && !read(at + position, bytes.data(), bytes.size())) return false;
    for (size_t i = 0; i < words.size(); ++i) words[i] = Le32(&bytes[i * 4]);
    TheCrypt().Decrypt(words, TheCrypt().KeyOf(keyName));
    return true;
}

// The key of an encrypted file: from its name without folders, and for some also its place.
uint32_t FileKey(const std::string& name, const uint32_t* e) {
    const size_t cut = name.find_last_of("\\/");
    uint32_t key = TheCrypt().KeyOf(name.c_str() + (cut == std::string::npos ? 0 : cut + 1));
    if (e[3] & FileFixKey) key = (key + e[0]) ^ e[2];
    return key;
}

bool SectorMethodKnown(const ReadAt& read, uint32_t flags, uint64_t at, uint32_t packed,
                       uint32_t full, uint32_t key) {
    if (!(flags & FileCompress) || packed == 0 || packed >= full) return true;
    // An encrypted sector of a file whose name is unknown cannot be read here.
    if ((flags & FileEncrypted) && key == 0) return true;
    uint8_t head[4] = {};
    const size_t n = std::min<size_t>(packed, sizeof head);
    if (!read(at, head, n)) return false;
    if ((flags & FileEncrypted) && n == sizeof head) {
        std::vector<uint32_t> word{Le32(head)};
        TheCrypt().Decrypt(word, key);
        head[0] = uint8_t(word[0] & 0xFF);
    }
    return head[0] != LzmaMethod;
}

// One block entry: inside the archive, known flags, and for a file split into sectors, a
// sector table whose offsets lie inside the file's data. An encrypted table can only be read
// with the file's key (`key`, 0 when the name is unknown).
// With `readContent` false only what the entry itself says is checked: the file's place and
// flags, which needs no reading.
bool FileEntryFits(const ReadAt& read, const uint32_t* e, uint64_t at, uint64_t fileSize,
                   uint32_t sectorSize, uint32_t key, bool readContent = true) {
    const uint32_t position = e[0], packed = e[1], size = e[2], flags = e[3];
    if (!(flags & FileExists)) return true;
    if (flags & ~KnownFileFlags) return false;
    const uint64_t start = at + position;
    if (start > fileSize || packed > fileSize - start) return false;
    if (!readContent) return true;
    // A file stored whole is read into a buffer of its full size.
    if (!(flags & (FileImplode | FileCompress)) || (flags & FileSingleUnit))
        return packed <= size && SectorMethodKnown(read, flags, start, packed, size, key);
    if (size == 0 || ((flags & FileEncrypted) && key == 0)) return true;
    const uint64_t sectors = (uint64_t(size) + sectorSize - 1) / sectorSize;
    const uint64_t length = (sectors + 1 + ((flags & FileSectorCrc) ? 1 : 0)) * 4;
    if (length > packed) return false;
    std::vector<uint8_t> bytes(static_cast<size_t>(length));
    if (!read(start, bytes.data(), bytes.size())) return false;
    std::vector<uint32_t> offsets(bytes.size() / 4);
    for (size_t i = 0; i < offsets.size(); ++i) offsets[i] = Le32(&bytes[i * 4]);
    if (flags & FileEncrypted) TheCrypt().Decrypt(offsets, key - 1);
    if (offsets[0] != length) return false;
    for (size_t i = 1; i < offsets.size(); ++i)
        if (offsets[i] < offsets[i - 1] || offsets[i] > packed) return false;
    // The checksums behind the last sector hold one word per sector, perhaps compressed; the
    // library reads them into a buffer of that size.
    const size_t last = offsets.size() - 1;
    if ((flags & FileSectorCrc) && offsets[last] - offsets[last - 1] > sectors * 4) return false;
    for (uint64_t i = 0; i < sectors; ++i) {
        const uint32_t full = uint32_t(std::min<uint64_t>(sectorSize, size - i * sectorSize));
        if (!SectorMethodKnown(read, flags, start + offsets[i], offsets[i + 1] - offsets[i], full,
                               key + uint32_t(i)))
            return false;
    }
    return true;
}

// The archive's own files, which the library reads by name as it opens the archive.
const std::string SpecialFiles[] = {"(listfile)", "(attributes)"};

// The archive's bytes from its header to the end of the file, and how many of them its header,
// tables and files take up (entries that overlap count twice, so this may exceed the total).
MpqSpace SpaceOf(const std::vector<uint32_t>& blocks, uint32_t hashEntries, uint64_t at,
                 uint64_t fileSize) {
    MpqSpace space{fileSize - at,
                   HeaderSize + (uint64_t(hashEntries) + blocks.size() / 4) * TableEntrySize};
    for (size_t i = 0; i < blocks.size(); i += 4)
        if (blocks[i + 3] & FileExists) space.Used += blocks[i + 1];
    return space;
}

MpqHeaderProblem CheckTables(const ReadAt& read, const uint8_t* h, uint64_t at, uint64_t fileSize,
                             std::span<const std::string> names, MpqCheckDepth depth,
                             MpqSpace* space) {
    const uint32_t sectorSize = 512u << Le16(h + 14);
    const uint32_t hashEntries = Le32(h + 24), blockEntries = Le32(h + 28);
    std::vector<uint32_t> hashes, blocks;
    if (!ReadTable(read, at, Le32(h + 16), hashEntries, "(HASH TABLE)", hashes))
        return MpqHeaderProblem::BadHashTable;
    // A name's slot holds a block index, or marks a free or deleted slot.
    for (size_t i = 3; i < hashes.size(); i += 4)
        if (hashes[i] >= blockEntries && hashes[i] < 0xFFFFFFFE)
            return MpqHeaderProblem::BadHashEntry;
    if (!ReadTable(read, at, Le32(h + 20), blockEntries, "(BLOCK TABLE)", blocks))
        return MpqHeaderProblem::BadBlockTable;
    for (size_t i = 0; i < blocks.size(); i += 4)
        if (!FileEntryFits(read, &blocks[i], at, fileSize, sectorSize, 0,
                           depth == MpqCheckDepth::EveryFile))
            return MpqHeaderProblem::BadFileEntry;
    if (space) *space = SpaceOf(blocks, hashEntries, at, fileSize);
    const Crypt& crypt = TheCrypt();
    std::vector<std::string> all(std::begin(SpecialFiles), std::end(SpecialFiles));
    all.insert(all.end(), names.begin(), names.end());
    for (const std::string& name : all) {
        const uint32_t a = crypt.Hash(name.c_str(), 0x100), b = crypt.Hash(name.c_str(), 0x200);
        // The library's walk: masked steps, which for a size other than a power of two go
        // round a short cycle of the slots; it ends back at the first.
        const uint32_t mask = hashEntries - 1, first = crypt.Hash(name.c_str(), 0) & mask;
        uint32_t slot = first;
        for (bool started = false;
             hashes[slot * 4 + 3] != 0xFFFFFFFF && (!started || slot != first);
             started = true, slot = (slot + 1) & mask) {
            const uint32_t* entry = &hashes[slot * 4];
            if (entry[0] != a || entry[1] != b || entry[3] >= blockEntries) continue;
            const uint32_t* e = &blocks[entry[3] * 4];
            if (!FileEntryFits(read, e, at, fileSize, sectorSize, FileKey(name, e)))
                return MpqHeaderProblem::BadFileEntry;
        }
    }
    return MpqHeaderProblem::Ok;
}

MpqHeaderProblem CheckArchiveHeader(const uint8_t* h, uint64_t at, uint64_t fileSize) {
    if (Le32(h + 4) != HeaderSize) return MpqHeaderProblem::BadHeaderSize;
    if (Le16(h + 12) != 0) return MpqHeaderProblem::BadVersion;
    if (Le16(h + 14) > MaxSectorShift) return MpqHeaderProblem::BadSectorShift;
    const uint32_t hashEntries = Le32(h + 24);
    if (hashEntries == 0 || !TableFits(at, Le32(h + 16), hashEntries, fileSize))
        return MpqHeaderProblem::BadHashTable;
    if (!TableFits(at, Le32(h + 20), Le32(h + 28), fileSize))
        return MpqHeaderProblem::BadBlockTable;
    return MpqHeaderProblem::Ok;
}

MpqHeaderProblem Check(uint64_t fileSize, const ReadAt& read, std::span<const std::string> names,
                       MpqCheckDepth depth, MpqSpace* space) {
    uint8_t first[4] = {};
    const bool otherGameMap = read(0, first, 4) && Le32(first) == OtherGameMapId;
    uint8_t h[HeaderSize];
    // The library takes the first signature it meets; so does this check, and anything wrong
    // with it refuses the file rather than letting the library search on unchecked.
    for (uint64_t at = 0; at + 4 <= fileSize; at += HeaderAlignment) {
        if (!read(at, h, 4)) return MpqHeaderProblem::Unreadable;
        const uint32_t id = Le32(h);
        if (id == MpqUserDataId) {
            if (otherGameMap || !read(at, h, UserDataSize)) return MpqHeaderProblem::BadUserData;
            const uint32_t maxSize = Le32(h + 4), headerOffset = Le32(h + 8),
                           userHeaderSize = Le32(h + 12);
            const uint64_t headerAt = at + headerOffset;
            if (userHeaderSize > maxSize || maxSize > headerOffset || headerOffset < UserDataSize ||
                headerAt + HeaderSize > fileSize || !read(headerAt, h, HeaderSize) ||
                Le32(h) != MpqHeaderId)
                return MpqHeaderProblem::BadUserData;
            const MpqHeaderProblem problem = CheckArchiveHeader(h, headerAt, fileSize);
            return problem == MpqHeaderProblem::Ok
                       ? CheckTables(read, h, headerAt, fileSize, names, depth, space)
                       : problem;
        }
        if (id == MpqHeaderId) {
            if (at + HeaderSize > fileSize || !read(at, h, HeaderSize))
                return MpqHeaderProblem::BadHeaderSize;
            const MpqHeaderProblem problem = CheckArchiveHeader(h, at, fileSize);
            return problem == MpqHeaderProblem::Ok
                       ? CheckTables(read, h, at, fileSize, names, depth, space)
                       : problem;
        }
    }
    return MpqHeaderProblem::NoHeader;
}

} // namespace

MpqHeaderProblem CheckMpqHeader(const std::string& path, std::span<const std::string> names,
                                MpqCheckDepth depth, MpqSpace* space) {
    uint64_t size = 0;
    const int fd = OpenRegularFile(path, size);
    if (fd < 0) return MpqHeaderProblem::Unreadable;
    // The search touches four bytes every 512; a block read ahead keeps that to few calls.
    constexpr uint64_t BlockSize = 1 << 16;
    std::vector<uint8_t> block;
    uint64_t blockAt = 0;
    const auto readAt = [&](uint64_t offset, uint8_t* out, size_t n) {
        if (offset + n > size) return false;
        if (block.empty() || offset < blockAt || offset + n > blockAt + block.size()) {
            blockAt = offset;
            block.resize(
                size_t(std::min<uint64_t>(std::max<uint64_t>(BlockSize, n), size - offset)));
            if (::pread(fd, block.data(), block.size(), off_t(offset)) != ssize_t(block.size())) {
                block.clear();
                return false;
            }
        }
        std::memcpy(out, block.data() + (offset - blockAt), n);
        return true;
    };
    const auto problem = Check(size, readAt, names, depth, space);
    ::close(fd);
    return problem;
}

MpqHeaderProblem CheckMpqHeader(std::span<const uint8_t> file, std::span<const std::string> names,
                                MpqCheckDepth depth) {
    const auto readAt = [&](uint64_t offset, uint8_t* out, size_t n) {
        if (offset > file.size() || n > file.size() - offset) return false;
        std::memcpy(out, file.data() + offset, n);
        return true;
    };
    return Check(file.size(), readAt, names, depth, nullptr);
}

std::string DescribeMpqProblem(MpqHeaderProblem problem, const std::string& archive) {
    const std::string damaged = archive + " is damaged: ";
    switch (problem) {
    case MpqHeaderProblem::Ok:
    case MpqHeaderProblem::Unreadable:
        return {};
    case MpqHeaderProblem::NoHeader:
        return archive + " does not contain an MPQ archive.";
    case MpqHeaderProblem::BadUserData:
        return damaged + "the header in front of it does not lead to the archive.";
    case MpqHeaderProblem::BadHeaderSize:
        return damaged + "its header is cut off or of an unknown size.";
    case MpqHeaderProblem::BadVersion:
        return archive + " is of a later archive format than the game reads.";
    case MpqHeaderProblem::BadSectorShift:
        return damaged + "its sector size is out of range.";
    case MpqHeaderProblem::BadHashTable:
        return damaged + "its hash table is empty or lies outside the file.";
    case MpqHeaderProblem::BadHashEntry:
        return damaged + "its hash table names files its block table does not have.";
    case MpqHeaderProblem::BadBlockTable:
        return damaged + "its block table lies outside the file.";
    case MpqHeaderProblem::BadFileEntry:
        return damaged + "a file in it lies outside it or is stored in a way that cannot be read.";
    }
    return {};
}

} // namespace tarrox
