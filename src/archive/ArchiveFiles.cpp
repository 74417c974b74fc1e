#include "archive/ArchiveFiles.h"

#include <cstring>

#include "archive/DialogNames.h"
#include "archive/Mpq.h"
#include "platform/Dialogs.h"
#include "platform/FileAccess.h"
#include "platform/Gdi.h"
#include "platform/ProgramFolder.h"
#include "platform/WinError.h"

namespace tarrox {

namespace {

constexpr char LocaleSeparator = 31;
// Dialog files are a few kilobytes; an archive claiming more is damaged or hostile.
constexpr uint32_t MaxDialogFileSize = 64u << 20;

bool StartsWith(const std::string& s, const std::string& prefix) {
    return s.compare(0, prefix.size(), prefix) == 0;
}
bool EndsWith(const std::string& s, const std::string& suffix) {
    return s.size() >= suffix.size() &&
           s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0;
}

void Tell(Dialogs& dialogs, const std::string& text, MessageIcon icon = MessageIcon::Critical) {
    dialogs.MessageBox(text, icon, MessageButtons::Ok, "Tarrox II");
}

// Reads one archived file whole; tells the user and returns false when it cannot.
bool ReadArchivedFile(Dialogs& dialogs, const std::string& archivePath, const ArchiveLine& file,
                      std::vector<uint8_t>& bytes) {
    mpq::Handle archive = nullptr;
    if (!mpq::SFileOpenArchive(archivePath, 10, 0, archive)) {
        Tell(dialogs, "Error: Could not open archive.");
        return false;
    }
    mpq::Handle handle = nullptr;
    if (!mpq::SFileOpenFile(archive, file.Name, file.Locale, handle)) {
        mpq::SFileCloseArchive(archive);
        Tell(dialogs, "Error: Could not open file.");
        return false;
    }
    uint32_t size = mpq::SFileGetFileSize(handle);
    bool ok = size <= MaxDialogFileSize;
    if (ok) {
        bytes.assign(size, 0);
        uint32_t got = 0;
        ok = mpq::SFileReadFile(handle, bytes, got) && got == size;
    }
    mpq::SFileCloseFile(handle);
    mpq::SFileCloseArchive(archive);
    // A damaged file must not reach the editor as a run of zeros.
    if (!ok) Tell(dialogs, "Error: Could not read " + file.Name + ".");
    return ok;
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
                           int32_t locale, std::vector<ArchiveLine>& lines) {
    lines.clear();
    mpq::Handle archive = nullptr;
    if (!mpq::SFileOpenArchive(archivePath, 0, 0, archive)) return ListResult::NotAnArchive;
    uint32_t count = mpq::SFileGetFileInfo(archive, mpq::ListEntryCount);
    if (count < 2) {
        mpq::SFileCloseArchive(archive);
        return ListResult::TooFewEntries;
    }
    std::vector<mpq::FileListEntry> entries(count);
    bool listed = mpq::SFileListFiles(archive, nameList, entries, mpq::ListAllLocales);
    mpq::SFileCloseArchive(archive);
    for (const mpq::FileListEntry& e : entries) {
        if (e.InUse == 0) continue;
        if (e.Locale != 0 && locale != -1 && e.Locale != locale) continue;
        const std::string name(e.Name.data(), ::strnlen(e.Name.data(), e.Name.size()));
        if (StartsWith(name, "rez\\") && EndsWith(name, ".bin")) lines.push_back({name, e.Locale});
    }
    SortDialogLines(lines);
    return listed ? ListResult::Listed : ListResult::ListingFailed;
}

bool ExtractArchivedFile(Dialogs& dialogs, const std::string& archivePath, const ArchiveLine& file,
                         const std::string& destination, ReplaceQuestion question) {
    std::vector<uint8_t> bytes;
    if (!ReadArchivedFile(dialogs, archivePath, file, bytes)) return false;
    if (question == ReplaceQuestion::Ask && PathExists(destination) &&
        destination != TempFilePath() &&
        dialogs.MessageBox(destination + " already exists.\r\nDo you want to replace it?",
                           MessageIcon::None, MessageButtons::YesNo,
                           "Export") != MessageAnswer::Yes)
        return false;
    // Replaced only once the new content is complete, so a failed write keeps the old file.
    if (!WriteFileAtomically(destination, bytes)) {
        Tell(dialogs, "Error: Could not save " + destination + ".");
        return false;
    }
    return true;
}

bool WriteBackToArchive(Dialogs& dialogs, const std::string& archivePath, const ArchiveLine& file,
                        const std::string& source, mpq::CompactProgress* progress) {
    int flags = PathExists(archivePath) ? mpq::UpdateExisting : mpq::UpdateCreateNew;
    mpq::Update* update =
        mpq::MpqOpenArchiveForUpdate(archivePath, flags, mpq::NewArchiveFileCount, NameListPath());
    if (!update) {
        Tell(dialogs, "Error: Could not open archive.");
        return false;
    }
    if (!mpq::MpqAddFileToArchive(update, source, file.Name,
                                  mpq::AddReplaceExisting | mpq::AddCompress, file.Locale)) {
        int code = WinError();
        mpq::MpqCloseUpdatedArchive(update);
        Tell(dialogs, "Error: Could not add file.\r\n" + std::to_string(code), MessageIcon::None);
        return false;
    }
    bool compacted = mpq::MpqCompactArchive(update, progress);
    if (!mpq::MpqCloseUpdatedArchive(update)) {
        Tell(dialogs, "Error: Could not write archive " + archivePath + ".");
        return false;
    }
    if (!compacted) Tell(dialogs, "Error: Could not compact", MessageIcon::None);
    return true;
}

} // namespace tarrox
