// An archived file decoded sector by sector apart from the MPQ library. The library does not
// check what a sector decompresses to: a damaged method byte can leave part of its buffer as it
// was, and those bytes would go out as the file's. Decoding again here, with every length
// checked, tells a file's true content from such bytes.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace tarrox {

// Where and how one file is stored, as the library's file entry says.
struct StoredFile {
    uint64_t Start = 0; // its first byte in the archive file
    uint32_t Packed = 0;
    uint32_t Size = 0;
    uint32_t Flags = 0;
    uint32_t Key = 0; // for an encrypted file: the key the library found
    uint32_t SectorSize = 0;
};

// Decompresses `in` (imploded, or led by its method byte) into all of `out`; false when it
// fails or yields any other length.
using SectorDecompressor =
    std::function<bool(bool imploded, std::span<uint8_t> in, std::span<uint8_t> out)>;

// The file's content, decoded from the archive at `path`. False when a sector lies outside the
// file, names a method no plain file is stored with (sound codecs lose bytes by design) or
// does not decode to exactly its length.
bool DecodeStoredFile(const std::string& path, const StoredFile& file,
                      const SectorDecompressor& decompress, std::vector<uint8_t>& out);

} // namespace tarrox
