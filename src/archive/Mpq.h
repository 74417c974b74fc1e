// The archive operations the program needs, over StormLib. Every call is made from the UI
// thread: the library keeps its last error and its locale process-wide.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace tarrox::mpq {

using Handle = void*;

// One archived file as the listing reports it: one entry per (name, locale).
struct FileListEntry {
    uint32_t InUse = 0;
    int32_t Locale = 0;
    uint32_t CompressedSize = 0;
    uint32_t FullSize = 0;
    uint32_t Flags = 0;
    std::array<char, 260> Name{};
};

// SFileGetFileInfo: how many entries a listing can fill.
constexpr int ListEntryCount = 2;
// SFileListFiles: fill the entries of every (name, locale) pair.
constexpr int ListAllLocales = 2;
// MpqOpenArchiveForUpdate: open the existing archive, or create a new one.
constexpr int UpdateExisting = 5;
constexpr int UpdateCreateNew = 0;
// MpqAddFileToArchive: replace a file of the same name, compress the new one.
constexpr uint32_t AddReplaceExisting = 0x001;
constexpr uint32_t AddCompress = 0x200;
// A new archive has room for this many files until it has to grow.
constexpr uint32_t NewArchiveFileCount = 1024;

// Reading. The priority is accepted for the callers' sake; only one archive is ever open.
bool SFileOpenArchive(const std::string& path, int priority, int flags, Handle& archive);
uint32_t SFileGetFileInfo(Handle archive, int what);
// Fills `entries` (sized by the caller) from the names the archive knows and those of
// `nameList`. False only when the listing itself failed; an archive with no files is fine.
bool SFileListFiles(Handle archive, const std::string& nameList,
                    std::vector<FileListEntry>& entries, int flags);
// Opens the file of that name and locale; a locale the file lacks falls back to neutral.
bool SFileOpenFile(Handle archive, const std::string& name, int32_t locale, Handle& file);
uint32_t SFileGetFileSize(Handle file);
bool SFileReadFile(Handle file, std::span<uint8_t> buffer, uint32_t& bytesRead);
void SFileCloseFile(Handle file);
void SFileCloseArchive(Handle archive);

// Told how far a compaction has got; the archive layer knows nothing of windows.
class CompactProgress {
  public:
    virtual ~CompactProgress() = default;
    virtual void Update(uint64_t done, uint64_t total) = 0;
};

// Updating. The whole update is applied to a copy beside the archive, which replaces the
// original only when MpqCloseUpdatedArchive succeeds; after any failure the original is as it
// was and the copy gone. `nameList` names the files the archive may not list itself, which
// compacting and growing need.
class Update;
Update* MpqOpenArchiveForUpdate(const std::string& path, int flags, uint32_t maxFiles,
                                const std::string& nameList);
// False on failure, with the reason in errno; the update is then abandoned at close.
bool MpqAddFileToArchive(Update* update, const std::string& source, const std::string& name,
                         uint32_t flags, int32_t locale = 0);
bool MpqCompactArchive(Update* update, CompactProgress* progress = nullptr);
// Writes the archive and puts it in place of the original. False when that failed or an
// earlier step did; the original is then untouched. Frees the update either way.
bool MpqCloseUpdatedArchive(Update* update, int flags = 0);

} // namespace tarrox::mpq
