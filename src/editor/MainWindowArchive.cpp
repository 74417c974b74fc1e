// Opening dialogs out of archives through the browser, and storing them back on save.
#include <tuple>

#include "archive/ArchiveClient.h"
#include "archive/ArchiveFiles.h"
#include "archive/qt/ArchiveBrowser.h"
#include "archive/qt/ProgressWindow.h"
#include "editor/MainWindow.h"
#include "editor/Settings.h"
#include "platform/Gdi.h"
#include "platform/ProgramFolder.h"

namespace tarrox {

// A shown browser makes the archive a recent file and saving possible, whatever was chosen.
void MainWindow::OpenArchiveFromMenu(const std::string& archivePath) {
    ArchiveListing listing = ListInChild(archivePath, settings_.MpqLocale, KeepWindowsPainted);
    switch (listing.How) {
    case ArchiveListing::Kind::NotAnArchive:
        Message("This file does not contain an MPQ archive.\r\nIf you were trying to open a .bin "
                "file, select \"Bin Files\" in the file type box.",
                MessageIcon::Critical, MessageButtons::Ok, "Not an MPQ Archive");
        return;
    case ArchiveListing::Kind::Failed:
        Message(listing.Message, MessageIcon::Critical);
        return;
    case ArchiveListing::Kind::ListingFailed:
        Message("Error");
        break;
    case ArchiveListing::Kind::Listed:
        break;
    }
    ArchiveBrowser browser(
        dialogs_, archivePath, listing.Lines,
        [this, &archivePath](const ArchiveLine& file) {
            return OpenFromArchive(archivePath, file);
        },
        this);
    browser.exec();
    EnableSaving();
    RememberFile(archivePath);
}

bool MainWindow::OpenFromArchive(const std::string& archivePath, const ArchiveLine& file) {
    if (!OpenBinFile(TempFilePath())) return false;
    file_.FromArchive = true;
    file_.ArchivePath = archivePath;
    file_.ArchivedName = file.Name;
    file_.ArchivedLocale = file.Locale;
    SetTitle(false);
    return true;
}

void MainWindow::SaveIntoArchive(const std::string& archivePath) {
    auto before =
        std::tuple(file_.FromArchive, file_.ArchivePath, file_.ArchivedName, file_.ArchivedLocale);
    if (!file_.FromArchive) {
        // Where the game and the browser look for dialogs.
        file_.ArchivedName = "rez\\" + FileNameOf(file_.Path);
        file_.ArchivedLocale = 0;
    }
    file_.FromArchive = true;
    file_.ArchivePath = archivePath;
    if (SaveBinFile()) {
        SetTitle(false);
        return;
    }
    // Not stored: the document stays where it was, still marked as modified.
    std::tie(file_.FromArchive, file_.ArchivePath, file_.ArchivedName, file_.ArchivedLocale) =
        before;
}

bool MainWindow::StoreInArchive() {
    Message("Load " + file_.ArchivedName + " into MPQ:" + file_.ArchivePath);
    ArchiveOutcome outcome;
    {
        // Gone before any message: a box under a window-modal progress bar takes no input.
        ProgressWindow progress(this);
        outcome = PutInChild(file_.ArchivePath, {file_.ArchivedName, file_.ArchivedLocale},
                             file_.Path, &progress, KeepWindowsPainted);
    }
    if (!outcome.Message.empty()) Message(outcome.Message, outcome.Icon);
    return outcome.Done;
}

} // namespace tarrox
