// The menu bar, opening and saving .bin files, the unsaved-work question and the title.
#include <QAction>
#include <QListWidget>
#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>
#include <memory>

#include "archive/ArchiveClient.h"
#include "archive/qt/ProgressWindow.h"
#include "document/BinFile.h"
#include "document/BinWriter.h"
#include "document/DialogCheck.h"
#include "document/NumberText.h"
#include "editor/CommandLine.h"
#include "editor/MainWindow.h"
#include "editor/PreviewWindow.h"
#include "editor/Settings.h"
#include "platform/FileAccess.h"
#include "platform/Gdi.h"
#include "platform/ProgramFolder.h"
#include "reference/AboutWindow.h"
#include "reference/FormattingCodesCard.h"

namespace tarrox {

namespace {
constexpr int BinFileType = 1;
constexpr int ArchiveFileType = 2;
constexpr int ReadmeWidth = 760;
constexpr int ReadmeHeight = 560;
} // namespace

MessageAnswer MainWindow::Message(const std::string& text, MessageIcon icon, MessageButtons buttons,
                                  const std::string& title) {
    return dialogs_.MessageBox(text, icon, buttons, title);
}

PreviewWindow* MainWindow::Preview() const {
    return preview_ && !preview_->IsUnloaded() ? preview_.data() : nullptr;
}

FormattingCodesCard* MainWindow::CodesCard() const {
    return codesCard_ && codesCard_->isVisible() ? codesCard_.data() : nullptr;
}

PreviewWindow& MainWindow::EnsurePreview() {
    if (!Preview()) {
        preview_ = new PreviewWindow(doc_, file_, selected_, settings_, text_, dialogs_);
        ConnectPreviewEdits(*preview_);
    }
    return *preview_;
}

void MainWindow::RedrawPreview(bool onlyWhenVisible) {
    PreviewWindow* live = Preview();
    if (onlyWhenVisible && !(live && live->isVisible())) return;
    // A preview made just now has drawn itself while loading.
    if (live)
        live->RedrawPreview();
    else
        EnsurePreview();
}

// An unmodified title means the document is as saved: undo back to here clears the mark.
void MainWindow::SetTitle(bool modified) {
    modified_ = modified;
    if (!modified) history_.MarkSaved();
    std::string name = file_.FromArchive
                           ? FileNameOf(file_.ArchivePath) + " > " + FileNameOf(file_.ArchivedName)
                           : FileNameOf(file_.Path);
    setWindowTitle(QString::fromLocal8Bit("Tarrox II - [" + name + (modified ? " *]" : "]")));
}

bool MainWindow::OpenBinFile(const std::string& path) {
    // Parse into a fresh document so a refused or unreadable file leaves the open one alone.
    auto read = std::make_unique<DialogDocument>();
    std::string error;
    if (!LoadBinFile(path, *read, error)) {
        Message(error, MessageIcon::Critical);
        return false;
    }
    objectShown_ = false;
    smkShown_ = false;
    doc_ = std::move(*read);
    history_.Clear();
    UpdateEditMenu();
    selected_ = {};
    file_.Path = path;
    file_.IsOpen = true;
    FillObjectList();
    FillSmkLists();
    ClearObjectEditor();
    ClearSmkEditor();
    RedrawPreview(true);
    return true;
}

bool MainWindow::SaveBinFile() {
    // What goes into an archive is exactly the writer's output: a longer old file's tail,
    // which an in-place write keeps, would be stored with it.
    if (!ConfirmDroppedSmks()) return false;
    if (!WriteDocument(file_.Path, file_.FromArchive)) return false;
    return !file_.FromArchive || StoreInArchive();
}

// Save writes over the file in place; Save As replaces the file whole and only once the new
// content is complete, so a failed Save As never costs the file that was there.
bool MainWindow::WriteDocument(const std::string& path, bool replaceWhole) {
    if (path == foreignFile_ && !ConfirmOverwriteForeignFile(path)) return false;
    bool written = replaceWhole ? SaveBinFileWhole(path, doc_) : SaveBinFileInPlace(path, doc_);
    if (!written) Message("Error: Could not save " + path + ".", MessageIcon::Critical);
    if (written && path == foreignFile_) foreignFile_.clear(); // it holds a dialog now
    return written;
}

bool MainWindow::ConfirmOverwriteForeignFile(const std::string& path) {
    return Message(path + " does not look like a dialog file.\r\nSaving replaces its whole "
                          "content with this dialog. Overwrite it?",
                   MessageIcon::Exclamation, MessageButtons::YesNo) == MessageAnswer::Yes;
}

bool MainWindow::ConfirmUnsavedWork() {
    if (!modified_) return true;
    const std::string& source = file_.FromArchive ? file_.ArchivedName : file_.Path;
    switch (Message("Save changes to " + FileNameOf(source) + "?", MessageIcon::Exclamation,
                    MessageButtons::YesNoCancel)) {
    case MessageAnswer::Yes:
        if (!SaveBinFile()) return false;
        SetTitle(false);
        return true;
    case MessageAnswer::No:
        return true;
    default:
        return false;
    }
}

void MainWindow::EnableSaving() {
    fileMenu_[FileMenu::Save]->setEnabled(true);
    fileMenu_[FileMenu::SaveAs]->setEnabled(true);
}

void MainWindow::SaveFromMenu() {
    if (file_.IsOpen && SaveBinFile()) SetTitle(false);
}

void MainWindow::OpenFromMenu() {
    if (!ConfirmUnsavedWork()) return;
    if (!dialogs_.ShowOpen(fileDialog_) || fileDialog_.FileName.empty()) return;
    const std::string path = fileDialog_.FileName;
    const int type = fileDialog_.FilterIndex;
    if (type != BinFileType && type != ArchiveFileType) return;
    // The file decides, not the type box the last Open left selected: a .bin is read as a
    // dialog (or as an archive when it holds one), anything else chosen as an archive is one.
    if (type == ArchiveFileType && !HasBinExtension(path)) {
        OpenArchiveFromMenu(path);
        return;
    }
    OpenDiskFile(path);
}

void MainWindow::CompactArchiveFromMenu() {
    FileDialogState choice = fileDialog_;
    choice.FilterIndex = ArchiveFileType;
    choice.FileName.clear();
    if (!dialogs_.ShowOpen(choice) || choice.FileName.empty()) return;
    ArchiveOutcome outcome;
    {
        ProgressWindow progress(this);
        outcome = CompactInChild(choice.FileName, &progress, KeepWindowsPainted);
    }
    Message(outcome.Message, outcome.Icon);
}

void MainWindow::OpenDiskFile(const std::string& path) {
    const FileShape shape = ShapeOfFile(path);
    if (shape == FileShape::MpqArchive) {
        fileDialog_.FilterIndex = ArchiveFileType;
        OpenArchiveFromMenu(path);
        return;
    }
    fileDialog_.FilterIndex = BinFileType;
    if (shape == FileShape::NotADialog &&
        Message(path + " does not look like a dialog file. Open it anyway?",
                MessageIcon::Exclamation, MessageButtons::YesNo) != MessageAnswer::Yes)
        return;
    if (!OpenBinFile(path)) return;
    foreignFile_ = shape == FileShape::NotADialog ? path : std::string();
    file_.FromArchive = false;
    SetTitle(false);
    EnableSaving();
    RememberFile(path);
}

void MainWindow::SaveAsFromMenu() {
    if (!file_.IsOpen) return;
    if (file_.FromArchive) {
        fileDialog_.FilterIndex = BinFileType;
        fileDialog_.FileName = FileNameOf(file_.ArchivedName);
    }
    if (!dialogs_.ShowSaveAs(fileDialog_) || fileDialog_.FileName.empty()) return;
    if (fileDialog_.FilterIndex == ArchiveFileType) {
        SaveIntoArchive(fileDialog_.FileName);
        return;
    }
    if (fileDialog_.FilterIndex != BinFileType) return;
    const std::string path = fileDialog_.FileName;
    if (PathExists(path) &&
        Message(path + " already exists.\r\nDo you want to replace it?", MessageIcon::None,
                MessageButtons::YesNo, "Save As...") != MessageAnswer::Yes)
        return;
    // The document takes the new name only once it is safely there.
    if (!ConfirmDroppedSmks() || !WriteDocument(path, true)) return;
    file_.Path = path;
    file_.FromArchive = false;
    SetTitle(false);
    RememberFile(path);
}

namespace {
// Windows of their own that only show something close on Escape, as dialogs do.
void CloseOnEscape(QWidget* window) {
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), window);
    QObject::connect(escape, &QShortcut::activated, window, &QWidget::close);
}

// An open window is only brought forward; a closed one is made afresh.
void BringForward(QWidget* window) {
    window->show();
    window->raise();
    window->activateWindow();
}
} // namespace

void MainWindow::ShowPreview() {
    BringForward(&EnsurePreview());
}

void MainWindow::ShowCodesCard() {
    if (!CodesCard()) {
        codesCard_ = new FormattingCodesCard(text_, settings_.CustomColorFile);
        CloseOnEscape(codesCard_);
    }
    BringForward(codesCard_);
}

void MainWindow::ShowAbout() {
    AboutWindow about(text_, this);
    about.exec();
}

void MainWindow::ShowReadme() {
    const std::string readme = DataFile("TarroxII.htm");
    if (!PathExists(readme))
        Message("Readme could not be found.", MessageIcon::Critical, MessageButtons::Ok, "Help");
    else if (!dialogs_.OpenWithDefaultApp(readme))
        ShowReadmeWindow(readme);
}

// Without a browser the guide still has to be readable.
void MainWindow::ShowReadmeWindow(const std::string& readme) {
    if (!readme_) {
        readme_ = new QTextBrowser; // a window of its own, deleted with the main window
        readme_->setObjectName("ReadmeWindow");
        readme_->setAttribute(Qt::WA_DeleteOnClose);
        readme_->setWindowTitle("Tarrox II - Readme");
        readme_->setOpenExternalLinks(true);
        readme_->resize(ReadmeWidth, ReadmeHeight);
        readme_->setSource(QUrl::fromLocalFile(QString::fromLocal8Bit(readme)));
        CloseOnEscape(readme_);
    }
    BringForward(readme_);
}

void MainWindow::AutoCalcToggled() {
    // Qt has already flipped the check mark; the setting follows it.
    settings_.AutoCalc = optionsMenu_[OptionsMenu::AutoCalc]->isChecked();
}

void MainWindow::SetMpqLocaleFromMenu() {
    std::string answer = dialogs_.InputBox("Default locale ID: (-1 = show all)", "Set Locale",
                                           std::to_string(settings_.MpqLocale));
    if (answer.empty()) return;
    if (auto locale = ParseRoundedDecimal(answer, INT32_MIN, INT32_MAX))
        settings_.MpqLocale = *locale;
}

} // namespace tarrox
