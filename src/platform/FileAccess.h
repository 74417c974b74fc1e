// Whole-file reads and the two ways the program writes files. Every file is untrusted: only
// regular files are read, and only up to a ceiling checked before any byte is read.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace tarrox {

enum class ReadStatus { Ok, Missing, TooLarge, Failed };

// The largest file the program reads unless the caller asks for less. The game's dialogs are a
// few kilobytes; this leaves room for anything a modder could make by hand.
inline constexpr uint64_t DefaultReadLimit = uint64_t{16} << 20;

// Reads the whole file. A missing file and one larger than `limit` are reported apart from one
// that exists but cannot be read: not a regular file (a folder, a FIFO, a device — refused at
// once, never waited on), no permission, an I/O error.
ReadStatus ReadFileBytes(const std::string& path, std::vector<uint8_t>& out,
                         uint64_t limit = DefaultReadLimit);

// What the user is told when ReadFileBytes(path, …, limit) did not give Ok: "Error: PATH is
// larger than N MB." or "Error: Could not open PATH.".
std::string ReadFailureMessage(const std::string& path, ReadStatus status,
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

// The file the path names once symlinks are followed; false when they loop or cannot be read.
// A link to a missing file names that file, so saving creates it where the link points.
bool FollowLinks(std::string path, std::string& file);

// Replaces the file with exactly `bytes`: written to a uniquely named sibling first and
// renamed over the target, so a failed write leaves any old file as it was and no temporary
// behind. A symlink keeps pointing at its file, which is the one replaced; the new file keeps
// the old one's permission bits, and its owner and group where the process may set them.
// False, with nothing written, when the target exists but is not a regular file.
bool WriteFileAtomically(const std::string& path, std::span<const uint8_t> bytes);

// Puts `finished`, a complete file the caller made beside `file` (a path with no link left, see
// FollowLinks), in place of `file` the way WriteFileAtomically does: with the old file's
// permission bits, owner and group, and on disk before the rename. False, with `file`
// untouched and `finished` still there, when `file` exists but is not a regular file or a step
// failed.
bool ReplaceFileWith(const std::string& file, const std::string& finished);

// True when the file exists and nobody may write it: no write permission bit at all, or none
// for this process. Saving still could (root may, renaming may), so callers that must not
// replace such a file ask this first.
bool IsReadOnlyFile(const std::string& path);

// For tests, which cannot see a power cut: each step that puts a saved file on disk, as
// "fsync FILE" or "rename FROM -> TO", is told to `watcher` before it is taken. Null stops it.
using DiskStepWatcher = void (*)(const std::string& step);
void WatchDiskSteps(DiskStepWatcher watcher);

} // namespace tarrox
