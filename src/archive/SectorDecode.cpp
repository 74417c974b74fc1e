#include "archive/SectorDecode.h"

#include <unistd.h>

#include <algorithm>

#include "archive/MpqFormat.h"
#include "platform/FileAccess.h"

namespace tarrox {

namespace {

using namespace mpq_format;

// The lossless methods; the two sound codecs and anything unknown never hold a plain file.
constexpr uint8_t Huffman = 0x01, Zlib = 0x02, Pkware = 0x08, Bzip2 = 0x10, Sparse = 0x20;
constexpr uint8_t LosslessMethods = Huffman | Zlib | Pkware | Bzip2 | Sparse;

class ArchiveFile {
  public:
    explicit ArchiveFile(const std::string& path) : fd_(OpenRegularFile(path, size_)) {}
    ~ArchiveFile() {
        if (fd_ >= 0) ::close(fd_);
    }
    ArchiveFile(const ArchiveFile&) = delete;
    ArchiveFile& operator=(const ArchiveFile&) = delete;

    bool Read(uint64_t at, uint32_t count, std::vector<uint8_t>& out) const {
        out.assign(count, 0);
        return fd_ >= 0 && at <= size_ && count <= size_ - at &&
               (count == 0 || ::pread(fd_, out.data(), count, off_t(at)) == ssize_t(count));
    }

  private:
    uint64_t size_ = 0;
    int fd_ = -1;
};

// One stored unit (a sector, or a whole single-unit file) into `out`, which has its full size.
bool DecodeUnit(const ArchiveFile& archive, const StoredFile& file, uint64_t at, uint32_t stored,
                uint32_t key, const SectorDecompressor& decompress, std::span<uint8_t> out) {
    const bool compressed = file.Flags & (FileImplode | FileCompress);
    const uint32_t full = uint32_t(out.size());
    if (!compressed && stored != full) return false;
    // The library copies a unit stored no smaller than its full size as it is; whole words of
    // it are encrypted, so the word holding its last byte is read whole.
    std::vector<uint8_t> bytes;
    if (!archive.Read(at, std::min(stored, (full + 3) & ~3u), bytes)) return false;
    if (file.Flags & FileEncrypted) TheCrypt().DecryptBytes(bytes.data(), bytes.size(), key);
    if (stored >= full) {
        std::copy_n(bytes.begin(), full, out.begin());
        return true;
    }
    const bool imploded = !(file.Flags & FileCompress);
    if (!imploded &&
        (bytes.empty() || bytes[0] == LzmaMethod || (bytes[0] & ~LosslessMethods) != 0))
        return false;
    return decompress(imploded, bytes, out);
}

} // namespace

bool DecodeStoredFile(const std::string& path, const StoredFile& file,
                      const SectorDecompressor& decompress, std::vector<uint8_t>& out) {
    out.assign(file.Size, 0);
    const ArchiveFile archive(path);
    if (file.Size == 0) return true;
    if (file.SectorSize == 0) return false;
    const bool compressed = file.Flags & (FileImplode | FileCompress);
    if (file.Flags & FileSingleUnit)
        return DecodeUnit(archive, file, file.Start, file.Packed, file.Key, decompress, out);
    const uint64_t sectors = (uint64_t(file.Size) + file.SectorSize - 1) / file.SectorSize;
    // A plain file's sectors follow each other; a compressed one's lie where its table says.
    std::vector<uint32_t> offsets(sectors + 1);
    if (compressed) {
        std::vector<uint8_t> table;
        if (!archive.Read(file.Start, uint32_t(offsets.size() * 4), table)) return false;
        for (size_t i = 0; i < offsets.size(); ++i) offsets[i] = Le32(&table[i * 4]);
        if (file.Flags & FileEncrypted) TheCrypt().Decrypt(offsets, file.Key - 1);
    } else {
        for (size_t i = 0; i < offsets.size(); ++i)
            offsets[i] = uint32_t(std::min<uint64_t>(i * file.SectorSize, file.Size));
    }
    for (uint64_t i = 0; i < sectors; ++i) {
        const uint64_t from = i * file.SectorSize;
        const uint32_t full = uint32_t(std::min<uint64_t>(file.SectorSize, file.Size - from));
        if (offsets[i + 1] < offsets[i] || offsets[i + 1] > file.Packed ||
            !DecodeUnit(archive, file, file.Start + offsets[i], offsets[i + 1] - offsets[i],
                        file.Key + uint32_t(i), decompress, std::span(out).subspan(from, full)))
            return false;
    }
    return true;
}

} // namespace tarrox
