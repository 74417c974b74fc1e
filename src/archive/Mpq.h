// The archive operations the program needs, over StormLib. Every call is made from one
// thread: the library keeps its last error and its locale process-wide. No file reaches the
// library before the header check has accepted it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "archive/MpqHeaderCheck.h"

namespace tarrox {
class UpdateLock;
}

namespace tarrox::mpq {

// The names in a name list file (one a line, or parted by ';'), as the archive library reads
// such a list; none when it is missing or larger than 1 MB. Compaction reads every file named.
std::vector<std::string> NamesInList(const std::string& nameList);

// One archived file as the listing reports it: one entry per (name, locale).
struct FoundFile {
    std::string Name;
    int32_t Locale = 0;
};

// A new archive has room for this many files until it has to grow.
constexpr uint32_t NewArchiveFileCount = 1024;

// An archive open for reading, closed when it goes. Failures leave the reason in errno.
class ReadArchive {
  public:
    // Listing and reading a few files need only those files checked (NamedFiles); each read
    // checks its own file.
    explicit ReadArchive(const std::string& path, MpqCheckDepth depth = MpqCheckDepth::NamedFiles);
    ~ReadArchive();
    ReadArchive(const ReadArchive&) = delete;
    ReadArchive& operator=(const ReadArchive&) = delete;

    // False when the file was refused or the library could not open it.
    bool IsOpen() const { return handle_ != nullptr; }
    // Why the archive check refused the archive, on opening or on reading a file; Ok when it
    // did not.
    MpqHeaderProblem Refusal() const { return refusal_; }
    // How many entries a listing can yield at most.
    uint32_t EntryCount() const;
    // The files whose names the archive or `nameList` knows, at most `maxEntries`. False only
    // when the listing itself failed; an archive with no files is fine.
    bool List(const std::string& nameList, size_t maxEntries, std::vector<FoundFile>& out) const;

    enum class ReadStatus { Ok, Missing, Damaged, Refused, Failed };
    // Reads one file whole; a locale the file lacks falls back to neutral. Damaged when its
    // bytes are not surely its content: a sector that does not decode to its length, or a
    // checksum the archive keeps that does not match. Refused when the check finds the
    // archive damaged (Refusal() says how). Failed also for a file larger than `maxSize`.
    ReadStatus ReadFile(const FoundFile& file, uint32_t maxSize, std::vector<uint8_t>& out) const;

  private:
    std::string path_;
    void* handle_ = nullptr;
    mutable MpqHeaderProblem refusal_ = MpqHeaderProblem::Ok;
};

// Told how far a compaction has got; the archive layer knows nothing of windows.
class CompactProgress {
  public:
    virtual ~CompactProgress() = default;
    virtual void Update(uint64_t done, uint64_t total) = 0;
};

// One update of an archive. It holds the archive's lock from start to end and works on a copy
// beside the archive under a name of its own, which replaces the original only in Commit;
// otherwise the original stays as it was and the copy goes when the session does. A symlink
// is followed to the archive it names, which is the one replaced, keeping its mode, owner and
// group. `nameList` names the files the archive may not list itself, which compacting and
// growing need.
class UpdateSession {
  public:
    enum class Mode { OpenExisting, CreateNew };
    // WhenWorthIt compacts a new or small archive, and a large one once an eighth of it is
    // unused; Always is for an explicit compaction.
    enum class Compaction { WhenWorthIt, Always };
    // NotAFile: the path (or the file a link there names) is a folder, a pipe or a device.
    enum class State { Open, Busy, NotAFile, Failed };
    UpdateSession(const std::string& path, Mode mode, uint32_t maxFiles,
                  const std::string& nameList, Compaction compaction = Compaction::WhenWorthIt);
    ~UpdateSession();
    UpdateSession(const UpdateSession&) = delete;
    UpdateSession& operator=(const UpdateSession&) = delete;

    // Busy: another update of the archive held its lock for longer than we wait.
    State Opened() const { return state_; }
    // Why the archive check refused the archive; Ok when it did not.
    MpqHeaderProblem Refusal() const { return refusal_; }

    // Stores the file, replacing one of the same name and locale, compressed the way the game
    // reads. False on failure, with the reason in errno; the session is then spoilt.
    bool Add(const std::string& source, const std::string& name, int32_t locale);

    // Whether Compact() is called for (see Compaction); it fails otherwise.
    bool CompactionDue() const { return compact_; }
    enum class CompactStatus { Compacted, NamesUnknown, Failed };
    // NamesUnknown: the archive holds files whose names nobody knows, so it cannot be
    // rewritten; it is valid as it is, only not as small as it could be.
    CompactStatus Compact(CompactProgress* progress);

    // Writes the archive and puts it in place of the original. False when that failed or an
    // earlier step did; the original is then untouched.
    bool Commit();

  private:
    void Abandon();

    std::string target_, copy_, nameList_;
    void* handle_ = nullptr;
    std::unique_ptr<UpdateLock> lock_;
    State state_ = State::Failed;
    MpqHeaderProblem refusal_ = MpqHeaderProblem::Ok;
    bool spoilt_ = false;
    bool compact_ = false;
};

} // namespace tarrox::mpq
