#include "archive/ArchiveFiles.h"

#include <algorithm>
#include <cerrno>

#include "archive/DialogNames.h"
#include "archive/Mpq.h"
#include "archive/MpqHeaderCheck.h"
#include "platform/FileAccess.h"
#include "platform/Gdi.h"
#include "platform/ProgramFolder.h"

namespace tarrox {

namespace {

constexpr char LocaleSeparator = 31;
// Dialog files are a few kilobytes; an archive claiming more is damaged or hostile.
constexpr uint32_t MaxDialogFileSize = 64u << 20;

ArchiveResult Failure(std::string message, MessageIcon icon = MessageIcon::Critical) {
    return {false, std::move(message), icon, {}};
}

// Why the archive could not be opened; `otherwise` when the check did not refuse it.
std::string NotOpenedBecause(MpqHeaderProblem refusal, const std::string& archivePath,
                             const std::string& otherwise = {}) {
    const std::string why = DescribeMpqProblem(refusal, archivePath);
    return why.empty() ? otherwise : why;
}

// The working copy, or the finished archive, did not fit where it is written.
bool NoRoom(int error) {
    return error == ENOSPC || error == EDQUOT || error == EFBIG;
}

std::string DiskFull(const std::string& archivePath) {
    return "Error: Could not update " + archivePath + ": the disk is full.";
}

} // namespace

std::string NameListPath() {
    return DataFile("data/binlist.txt");
}

std::string FormatArchiveLine(const ArchiveLine& line) {
    if (line.Locale < 1) return line.Name;
    return line.Name + LocaleSeparator + " (" + std::to_string(line.Locale) + ")";
}

ArchiveLine ParseArchiveLine(const std::string& text) {
    ArchiveLine line;
    size_t cut = text.find(LocaleSeparator);
    line.Name = text.substr(0, cut);
    if (cut == std::string::npos) return line;
    size_t open = text.find('(', cut);
    if (open != std::string::npos) line.Locale = std::atoi(text.c_str() + open + 1);
    return line;
}

ListResult ListDialogFiles(const std::string& archivePath, const std::string& nameList,
                           int32_t locale, std::vector<ArchiveLine>& lines, std::string* refusal) {
    lines.clear();
    const mpq::ReadArchive archive(archivePath);
    if (!archive.IsOpen()) {
        if (refusal) *refusal = NotOpenedBecause(archive.Refusal(), archivePath);
        return ListResult::NotAnArchive;
    }
    const uint32_t count = archive.EntryCount();
    // A table of one entry can hold a dialog; only an empty one holds nothing.
    if (count == 0) return ListResult::TooFewEntries;
    std::vector<mpq::FoundFile> found;
    const bool listed = archive.List(nameList, count, found);
    for (const mpq::FoundFile& f : found) {
        if (f.Locale != 0 && locale != -1 && f.Locale != locale) continue;
        if (f.Name.starts_with("rez\\") && f.Name.ends_with(".bin"))
            lines.push_back({f.Name, f.Locale});
    }
    SortDialogLines(lines);
    return listed ? ListResult::Listed : ListResult::ListingFailed;
}

ArchiveResult ReadArchivedFile(const std::string& archivePath, const ArchiveLine& file,
                               std::vector<uint8_t>& bytes) {
    const mpq::ReadArchive archive(archivePath);
    if (!archive.IsOpen())
        return Failure("Error: " +
                       NotOpenedBecause(archive.Refusal(), archivePath, "Could not open archive."));
    switch (archive.ReadFile({file.Name, file.Locale}, MaxDialogFileSize, bytes)) {
    case mpq::ReadArchive::ReadStatus::Ok:
        return {true, {}, MessageIcon::None, {}};
    case mpq::ReadArchive::ReadStatus::Missing:
        return Failure("Error: Could not open file.");
    case mpq::ReadArchive::ReadStatus::Damaged:
        return Failure("Error: " + file.Name + " in " + archivePath + " is damaged.");
    case mpq::ReadArchive::ReadStatus::Refused:
        return Failure("Error: " + NotOpenedBecause(archive.Refusal(), archivePath));
    case mpq::ReadArchive::ReadStatus::Failed:
        break;
    }
    // A damaged file must not reach the editor as a run of zeros.
    return Failure("Error: Could not read " + file.Name + ".");
}

ArchiveResult ExtractArchivedFile(const std::string& archivePath, const ArchiveLine& file,
                                  const std::string& destination,
                                  const ReplaceQuestion& askReplace) {
    std::vector<uint8_t> bytes;
    ArchiveResult read = ReadArchivedFile(archivePath, file, bytes);
    if (!read.Ok) return read;
    if (askReplace && PathExists(destination) && destination != TempFilePath() &&
        !askReplace(destination))
        return Failure({});
    // Replaced only once the new content is complete, so a failed write keeps the old file.
    if (!WriteFileAtomically(destination, bytes))
        return Failure("Error: Could not save " + destination + ".");
    return read;
}

namespace {

using Session = mpq::UpdateSession;

// Why an update could not start, for a session that did not open.
ArchiveResult NotOpened(const Session& update, int openError, const std::string& archivePath) {
    if (update.Opened() == Session::State::Busy)
        return Failure("Error: " + archivePath +
                       " is being updated by another save. Try again when it has finished.");
    if (update.Opened() == Session::State::NotAFile)
        return Failure("Error: " + archivePath + " is not a regular file.");
    if (NoRoom(openError)) return Failure(DiskFull(archivePath));
    return Failure("Error: " +
                   NotOpenedBecause(update.Refusal(), archivePath, "Could not open archive."));
}

// Compacts when due, puts the copy in place and says how it went.
ArchiveResult Finish(Session& update, const std::string& archivePath,
                     mpq::CompactProgress* progress) {
    const bool due = update.CompactionDue();
    const Session::CompactStatus compacted =
        due ? update.Compact(progress) : Session::CompactStatus::Compacted;
    if (!update.Commit())
        return Failure(NoRoom(errno) ? DiskFull(archivePath)
                                     : "Error: Could not write archive " + archivePath + ".");
    ArchiveResult result{true, {}, MessageIcon::None, {}};
    if (compacted == Session::CompactStatus::Failed)
        result.Message = "Error: Could not compact";
    else if (compacted == Session::CompactStatus::NamesUnknown)
        result.Note = archivePath + " not compacted: it holds files whose names are unknown";
    return result;
}

} // namespace

ArchiveResult WriteBackToArchive(const std::string& archivePath, const ArchiveLine& file,
                                 const std::string& source, mpq::CompactProgress* progress) {
    Session update(archivePath,
                   PathExists(archivePath) ? Session::Mode::OpenExisting : Session::Mode::CreateNew,
                   mpq::NewArchiveFileCount, NameListPath());
    const int openError = errno;
    if (update.Opened() != Session::State::Open) return NotOpened(update, openError, archivePath);
    if (!update.Add(source, file.Name, file.Locale))
        return Failure("Error: Could not add file.\r\n" + std::to_string(errno), MessageIcon::None);
    return Finish(update, archivePath, progress);
}

ArchiveResult CompactArchive(const std::string& archivePath, mpq::CompactProgress* progress) {
    Session update(archivePath, Session::Mode::OpenExisting, mpq::NewArchiveFileCount,
                   NameListPath(), Session::Compaction::Always);
    const int openError = errno;
    if (update.Opened() != Session::State::Open) return NotOpened(update, openError, archivePath);
    return Finish(update, archivePath, progress);
}

} // namespace tarrox
