// A look at an archive's header before the MPQ library is given the file: the library trusts
// the header's table positions and sizes, and a damaged or hostile file can make it read out
// of bounds, divide by zero or allocate gigabytes. Only what the game's own archives use is
// accepted: a format-0 header and tables that lie inside the file. A hash table of any size
// will do: the library masks every index with the size less one, which stays below the size,
// and steps through a cycle that comes back to where it began.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace tarrox {

// Both header signatures as they lie in the file, little-endian.
constexpr uint32_t MpqHeaderId = 0x1A51504D;   // "MPQ\x1A"
constexpr uint32_t MpqUserDataId = 0x1B51504D; // "MPQ\x1B"

// Why an archive was refused; Ok when the library may be given it.
enum class MpqHeaderProblem {
    Ok,
    Unreadable,     // not a regular file, or reading failed
    NoHeader,       // no signature where one may lie
    BadUserData,    // user-data header that does not point at an archive header
    BadHeaderSize,  // a header size other than the 32 bytes of format 0
    BadVersion,     // a format newer than the game's
    BadSectorShift, // sector size outside 512 bytes .. 16 MiB
    BadHashTable,   // empty, or not inside the file
    BadHashEntry,   // naming a block the block table does not have
    BadBlockTable,  // not inside the file
    BadFileEntry,   // a file outside the archive, of unknown kind, or with a broken sector table
};

// How much of the archive the check reads. Opening the archive, listing it and reading some
// files reads the tables and only the sector tables of the archive's own files and of those
// files; rewriting the archive reads every file.
enum class MpqCheckDepth { NamedFiles, EveryFile };

// An archive's size from its header on, and the bytes its header, tables and files use: the
// rest is space replaced and deleted files left behind.
struct MpqSpace {
    uint64_t Total = 0;
    uint64_t Used = 0;
};

// Checks the header the library would find: the first signature at a 512-byte boundary
// (archives may follow a program stub), following a user-data header to the archive header;
// then the tables' entries, and the sector tables of the archive's own files and of `names`, or
// of every file. The table of an encrypted file can only be read with its name: those of the
// archive's own files and of `names` are checked. `space`, when given, is filled in once the
// tables have passed.
MpqHeaderProblem CheckMpqHeader(const std::string& path, std::span<const std::string> names = {},
                                MpqCheckDepth depth = MpqCheckDepth::EveryFile,
                                MpqSpace* space = nullptr);
// The same over bytes already in memory.
MpqHeaderProblem CheckMpqHeader(std::span<const uint8_t> file,
                                std::span<const std::string> names = {},
                                MpqCheckDepth depth = MpqCheckDepth::EveryFile);

// Why `archive` was refused, in a user's words and naming it ("A is damaged: its block table
// lies outside the file."); empty for Ok and for a file that could not be read at all.
std::string DescribeMpqProblem(MpqHeaderProblem problem, const std::string& archive);

} // namespace tarrox
