// Opening dialogs out of archives through the browser, and storing them back on save.
#include <tuple>

#include "archive/ArchiveFiles.h"
#include "archive/Form4.h"
#include "archive/ProgressWindow.h"
#include "editor/Form1.h"
#include "editor/Settings.h"
#include "platform/Gdi.h"
#include "platform/ProgramFolder.h"

namespace tarrox {

// False when the browser was never shown.
bool Form1::OpenArchiveFromMenu(const std::string& archivePath) {
    std::vector<ArchiveLine> lines;
    switch (ListDialogFiles(archivePath, NameListPath(), settings_.MpqLocale, lines)) {
    case ListResult::NotAnArchive:
        Message("This file does not contain an MPQ archive.\r\nIf you were trying to open a .bin "
                "file, select \"Bin Files\" in the file type box.",
                MessageIcon::Critical, MessageButtons::Ok, "Not an MPQ Archive");
        return false;
    case ListResult::TooFewEntries:
        return false;
    case ListResult::ListingFailed:
        Message("Error");
        break;
    case ListResult::Listed:
        break;
    }
    Form4 browser(
        dialogs_, archivePath, lines,
        [this, &archivePath](const ArchiveLine& file) {
            return OpenFromArchive(archivePath, file);
        },
        this);
    browser.exec();
    return true;
}

bool Form1::OpenFromArchive(const std::string& archivePath, const ArchiveLine& file) {
    if (!OpenBinFile(TempFilePath())) return false;
    doc_.FileIsMPQ = true;
    doc_.ArchivePath = archivePath;
    doc_.ArchivedName = file.Name;
    doc_.ArchivedLocale = file.Locale;
    SetTitle(false);
    return true;
}

void Form1::SaveIntoArchive(const std::string& archivePath) {
    auto before =
        std::tuple(doc_.FileIsMPQ, doc_.ArchivePath, doc_.ArchivedName, doc_.ArchivedLocale);
    if (!doc_.FileIsMPQ) {
        // Where the game and the browser look for dialogs.
        doc_.ArchivedName = "rez\\" + FileNameOf(doc_.Filename);
        doc_.ArchivedLocale = 0;
    }
    doc_.FileIsMPQ = true;
    doc_.ArchivePath = archivePath;
    if (SaveBinFile()) {
        SetTitle(false);
        return;
    }
    // Not stored: the document stays where it was, still marked as modified.
    std::tie(doc_.FileIsMPQ, doc_.ArchivePath, doc_.ArchivedName, doc_.ArchivedLocale) = before;
}

bool Form1::StoreInArchive() {
    Message("Load " + doc_.ArchivedName + " into MPQ:" + doc_.ArchivePath);
    ArchiveResult result;
    {
        ProgressWindow progress(this);
        result = WriteBackToArchive(doc_.ArchivePath, {doc_.ArchivedName, doc_.ArchivedLocale},
                                    doc_.Filename, &progress);
    }
    if (!result.Message.empty()) Message(result.Message, result.Icon);
    return result.Ok;
}

} // namespace tarrox
