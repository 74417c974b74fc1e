// Opening dialogs out of archives through the browser, and storing them back on save.
#include <tuple>

#include "archive/ArchiveClient.h"
#include "archive/ArchiveFiles.h"
#include "archive/qt/Form4.h"
#include "archive/qt/ProgressWindow.h"
#include "editor/Form1.h"
#include "editor/Settings.h"
#include "platform/Gdi.h"
#include "platform/ProgramFolder.h"

namespace tarrox {

// False when the browser was never shown.
bool Form1::OpenArchiveFromMenu(const std::string& archivePath) {
    ArchiveListing listing = ListInChild(archivePath, settings_.MpqLocale, KeepWindowsPainted);
    switch (listing.How) {
    case ArchiveListing::Kind::NotAnArchive:
        Message("This file does not contain an MPQ archive.\r\nIf you were trying to open a .bin "
                "file, select \"Bin Files\" in the file type box.",
                MessageIcon::Critical, MessageButtons::Ok, "Not an MPQ Archive");
        return false;
    case ArchiveListing::Kind::Failed:
        Message(listing.Message, MessageIcon::Critical);
        return false;
    case ArchiveListing::Kind::ListingFailed:
        Message("Error");
        break;
    case ArchiveListing::Kind::Listed:
        break;
    }
    Form4 browser(
        dialogs_, archivePath, listing.Lines,
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
    ArchiveOutcome outcome;
    {
        // Gone before any message: a box under a window-modal progress bar takes no input.
        ProgressWindow progress(this);
        outcome = PutInChild(doc_.ArchivePath, {doc_.ArchivedName, doc_.ArchivedLocale},
                             doc_.Filename, &progress, KeepWindowsPainted);
    }
    if (!outcome.Message.empty()) Message(outcome.Message, outcome.Icon);
    return outcome.Done;
}

} // namespace tarrox
