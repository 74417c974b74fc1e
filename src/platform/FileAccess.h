// Whole-file reads and the two ways the program writes files. Every file is untrusted: only
// regular files are read, and only up to a ceiling checked before any byte is read.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace tarrox {

enum class ReadStatus { Ok, Missing, Failed };

// The largest file the program reads unless the caller asks for less. The game's dialogs are a
// few kilobytes; this leaves room for anything a modder could make by hand.
inline constexpr uint64_t DefaultReadLimit = uint64_t{16} << 20;

// Reads the whole file. A missing file is reported apart from one that exists but cannot be
// read: not a regular file (a folder, a FIFO, a device — refused at once, never waited on),
// larger than `limit`, no permission, an I/O error.
ReadStatus ReadFileBytes(const std::string& path, std::vector<uint8_t>& out,
                         uint64_t limit = DefaultReadLimit);

// Opens a regular file for reading and tells its size; -1 for anything else (a FIFO, a device
// or a folder is refused at once, never waited on). The caller closes the descriptor.
int OpenRegularFile(const std::string& path, uint64_t& size);

// Up to `count` bytes from the start of a regular file; empty for anything else (never waits
// on a FIFO), so a file's kind can be told without reading all of it.
std::vector<uint8_t> ReadFileHead(const std::string& path, size_t count);

// Writes `bytes` over the file from offset 0 without emptying it first, creating it when
// missing; a longer old file keeps its tail. A symlink writes its file. False when the file
// is not a regular one or cannot be opened or written.
bool WriteFileInPlace(const std::string& path, std::span<const uint8_t> bytes);

// Replaces the file with exactly `bytes`: written to a uniquely named sibling first and
// renamed over the target, so a failed write leaves any old file as it was and no temporary
// behind. A symlink keeps pointing at its file, which is the one replaced; the new file keeps
// the old one's permission bits, and its owner and group where the process may set them.
// False, with nothing written, when the target exists but is not a regular file.
bool WriteFileAtomically(const std::string& path, std::span<const uint8_t> bytes);

// True when the file exists and nobody may write it: no write permission bit at all, or none
// for this process. Saving still could (root may, renaming may), so callers that must not
// replace such a file ask this first.
bool IsReadOnlyFile(const std::string& path);

} // namespace tarrox
