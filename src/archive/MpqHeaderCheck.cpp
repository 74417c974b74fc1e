#include "archive/MpqHeaderCheck.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <vector>

namespace tarrox {

namespace {

// Archive headers lie on these boundaries after any program stub.
constexpr uint64_t HeaderAlignment = 512;
constexpr uint32_t HeaderSize = 32;
constexpr uint32_t UserDataSize = 16;
constexpr uint32_t TableEntrySize = 16;
// Sector size = 512 << shift; 16 MiB is far above what any archive uses.
constexpr uint16_t MaxSectorShift = 15;
// Maps of a later game start with their own header and do not use user data.
constexpr uint32_t OtherGameMapId = 0x57334D48; // "HM3W"

uint32_t Le32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
uint16_t Le16(const uint8_t* p) {
    return uint16_t(p[0] | p[1] << 8);
}

// Reads exactly `size` bytes at `offset`; false past the end or on an error.
using ReadAt = std::function<bool(uint64_t offset, uint8_t* out, size_t size)>;

bool TableFits(uint64_t headerAt, uint32_t position, uint32_t entries, uint64_t fileSize) {
    const uint64_t start = headerAt + position;
    const uint64_t bytes = uint64_t(entries) * TableEntrySize;
    return start <= fileSize && bytes <= fileSize - start;
}

MpqHeaderProblem CheckArchiveHeader(const uint8_t* h, uint64_t at, uint64_t fileSize) {
    if (Le32(h + 4) != HeaderSize) return MpqHeaderProblem::BadHeaderSize;
    if (Le16(h + 12) != 0) return MpqHeaderProblem::BadVersion;
    if (Le16(h + 14) > MaxSectorShift) return MpqHeaderProblem::BadSectorShift;
    const uint32_t hashEntries = Le32(h + 24);
    if (hashEntries == 0 || (hashEntries & (hashEntries - 1)) != 0 ||
        !TableFits(at, Le32(h + 16), hashEntries, fileSize))
        return MpqHeaderProblem::BadHashTable;
    if (!TableFits(at, Le32(h + 20), Le32(h + 28), fileSize))
        return MpqHeaderProblem::BadBlockTable;
    return MpqHeaderProblem::Ok;
}

MpqHeaderProblem Check(uint64_t fileSize, const ReadAt& read) {
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
            return CheckArchiveHeader(h, headerAt, fileSize);
        }
        if (id == MpqHeaderId) {
            if (at + HeaderSize > fileSize || !read(at, h, HeaderSize))
                return MpqHeaderProblem::BadHeaderSize;
            return CheckArchiveHeader(h, at, fileSize);
        }
    }
    return MpqHeaderProblem::NoHeader;
}

// Opens without blocking (a FIFO must not hang the check) and only regular files.
int OpenRegularFile(const std::string& path, uint64_t& size) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return -1;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return -1;
    }
    size = uint64_t(st.st_size);
    return fd;
}

} // namespace

bool StartsWithMpqHeader(std::span<const uint8_t> bytes) {
    if (bytes.size() < 4) return false;
    const uint32_t id = Le32(bytes.data());
    return id == MpqHeaderId || id == MpqUserDataId;
}

bool FileStartsWithMpqHeader(const std::string& path) {
    uint64_t size = 0;
    const int fd = OpenRegularFile(path, size);
    if (fd < 0) return false;
    uint8_t head[4] = {};
    const bool got = ::pread(fd, head, sizeof head, 0) == ssize_t(sizeof head);
    ::close(fd);
    return got && StartsWithMpqHeader(head);
}

MpqHeaderProblem CheckMpqHeader(const std::string& path) {
    uint64_t size = 0;
    const int fd = OpenRegularFile(path, size);
    if (fd < 0) return MpqHeaderProblem::Unreadable;
    // The search touches four bytes every 512; a block read ahead keeps that to few calls.
    constexpr uint64_t BlockSize = 1 << 16;
    std::vector<uint8_t> block;
    uint64_t blockAt = 0;
    const auto problem = Check(size, [&](uint64_t offset, uint8_t* out, size_t n) {
        if (offset + n > size) return false;
        if (block.empty() || offset < blockAt || offset + n > blockAt + block.size()) {
            blockAt = offset;
            block.resize(size_t(std::min<uint64_t>(BlockSize, size - offset)));
            if (block.size() < n ||
                ::pread(fd, block.data(), block.size(), off_t(offset)) != ssize_t(block.size())) {
                block.clear();
                return false;
            }
        }
        std::memcpy(out, block.data() + (offset - blockAt), n);
        return true;
    });
    ::close(fd);
    return problem;
}

MpqHeaderProblem CheckMpqHeader(std::span<const uint8_t> file) {
    return Check(file.size(), [&](uint64_t offset, uint8_t* out, size_t n) {
        if (offset > file.size() || n > file.size() - offset) return false;
        std::memcpy(out, file.data() + offset, n);
        return true;
    });
}

} // namespace tarrox
