// The menu bar, opening and saving .bin files, the unsaved-work question and the title.
#include <QAction>
#include <QListWidget>
#include <QTextBrowser>
#include <QUrl>
#include <memory>

#include "document/BinFile.h"
#include "document/BinWriter.h"
#include "document/DialogCheck.h"
#include "document/NumberText.h"
#include "editor/CommandLine.h"
#include "editor/Form1.h"
#include "editor/Form2.h"
#include "editor/Settings.h"
#include "platform/FileAccess.h"
#include "platform/Gdi.h"
#include "platform/ProgramFolder.h"
#include "reference/Form3.h"
#include "reference/Form5.h"

namespace tarrox {

namespace {
constexpr int BinFileType = 1;
constexpr int ArchiveFileType = 2;
} // namespace

MessageAnswer Form1::Message(const std::string& text, MessageIcon icon, MessageButtons buttons,
                             const std::string& title) {
    return dialogs_.MessageBox(text, icon, buttons, title);
}

Form2* Form1::Preview() const {
    return form2_ && !form2_->IsUnloaded() ? form2_.data() : nullptr;
}

Form5* Form1::CodesCard() const {
    return form5_ && form5_->isVisible() ? form5_.data() : nullptr;
}

Form2& Form1::PreviewWindow() {
    if (!Preview()) form2_ = new Form2(doc_, settings_, text_, dialogs_);
    return *form2_;
}

void Form1::RedrawPreview(bool onlyWhenVisible) {
    Form2* live = Preview();
    if (onlyWhenVisible && !(live && live->isVisible())) return;
    // A preview made just now has drawn itself while loading.
    if (live)
        live->RedrawPreview();
    else
        PreviewWindow();
}

void Form1::SetTitle(bool modified) {
    modified_ = modified;
    std::string name = doc_.FileIsMPQ
                           ? FileNameOf(doc_.ArchivePath) + " > " + FileNameOf(doc_.ArchivedName)
                           : FileNameOf(doc_.Filename);
    setWindowTitle(QString::fromLocal8Bit("Tarrox II - [" + name + (modified ? " *]" : "]")));
}

bool Form1::OpenBinFile(const std::string& path) {
    // Parse into a fresh document so a refused or unreadable file leaves the open one alone.
    auto read = std::make_unique<DialogDocument>();
    std::string error;
    if (!LoadBinFile(path, *read, error)) {
        Message(error, MessageIcon::Critical);
        return false;
    }
    ObjLoaded = false;
    SmkLoaded = false;
    AdoptContent(doc_, *read);
    doc_.Filename = path;
    FillObjectList();
    FillSmkLists();
    ClearObjectEditor();
    ClearSmkEditor();
    RedrawPreview(true);
    return true;
}

bool Form1::SaveBinFile() {
    // What goes into an archive is exactly the writer's output: a longer old file's tail,
    // which an in-place write keeps, would be stored with it.
    if (!ConfirmDroppedSmks()) return false;
    if (!WriteDocument(doc_.Filename, doc_.FileIsMPQ)) return false;
    return !doc_.FileIsMPQ || StoreInArchive();
}

// Save writes over the file in place; Save As replaces the file whole and only once the new
// content is complete, so a failed Save As never costs the file that was there.
bool Form1::WriteDocument(const std::string& path, bool replaceWhole) {
    if (path == foreignFile_ && !ConfirmOverwriteForeignFile(path)) return false;
    bool written = replaceWhole ? SaveBinFileWhole(path, doc_) : SaveBinFileInPlace(path, doc_);
    if (!written) Message("Error: Could not save " + path + ".", MessageIcon::Critical);
    if (written && path == foreignFile_) foreignFile_.clear(); // it holds a dialog now
    return written;
}

bool Form1::ConfirmOverwriteForeignFile(const std::string& path) {
    return Message(path + " does not look like a dialog file.\r\nSaving replaces its whole "
                          "content with this dialog. Overwrite it?",
                   MessageIcon::Exclamation, MessageButtons::YesNo) == MessageAnswer::Yes;
}

bool Form1::ConfirmUnsavedWork() {
    if (!modified_) return true;
    const std::string& source = doc_.FileIsMPQ ? doc_.ArchivedName : doc_.Filename;
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

void Form1::EnableSaving() {
    Menu1[1]->setEnabled(true);
    Menu1[2]->setEnabled(true);
}

void Form1::Menu1_Click(int index) {
    switch (index) {
    case 0:
        OpenFromMenu();
        break;
    case 1:
        if (doc_.FileIsOpen && SaveBinFile()) SetTitle(false);
        break;
    case 2:
        SaveAsFromMenu();
        break;
    case 4:
        close();
        break;
    default:
        break;
    }
}

void Form1::OpenFromMenu() {
    if (!ConfirmUnsavedWork()) return;
    if (!dialogs_.ShowOpen(CommonDialog1) || CommonDialog1.FileName.empty()) return;
    const std::string path = CommonDialog1.FileName;
    const int type = CommonDialog1.FilterIndex;
    if (type != BinFileType && type != ArchiveFileType) return;
    // The file decides, not the type box the last Open left selected: a .bin is read as a
    // dialog (or as an archive when it holds one), anything else chosen as an archive is one.
    if (type == ArchiveFileType && !HasBinExtension(path)) {
        if (OpenArchiveFromMenu(path)) EnableSaving();
        return;
    }
    OpenDiskFile(path);
}

void Form1::OpenDiskFile(const std::string& path) {
    const FileShape shape = ShapeOfFile(path);
    if (shape == FileShape::MpqArchive) {
        CommonDialog1.FilterIndex = ArchiveFileType;
        if (OpenArchiveFromMenu(path)) EnableSaving();
        return;
    }
    CommonDialog1.FilterIndex = BinFileType;
    if (shape == FileShape::NotADialog &&
        Message(path + " does not look like a dialog file. Open it anyway?",
                MessageIcon::Exclamation, MessageButtons::YesNo) != MessageAnswer::Yes)
        return;
    if (!OpenBinFile(path)) return;
    foreignFile_ = shape == FileShape::NotADialog ? path : std::string();
    doc_.FileIsMPQ = false;
    SetTitle(false);
    EnableSaving();
}

void Form1::SaveAsFromMenu() {
    if (!doc_.FileIsOpen) return;
    if (doc_.FileIsMPQ) {
        CommonDialog1.FilterIndex = BinFileType;
        CommonDialog1.FileName = FileNameOf(doc_.ArchivedName);
    }
    if (!dialogs_.ShowSaveAs(CommonDialog1) || CommonDialog1.FileName.empty()) return;
    if (CommonDialog1.FilterIndex == ArchiveFileType) {
        SaveIntoArchive(CommonDialog1.FileName);
        return;
    }
    if (CommonDialog1.FilterIndex != BinFileType) return;
    const std::string path = CommonDialog1.FileName;
    if (PathExists(path) &&
        Message(path + " already exists.\r\nDo you want to replace it?", MessageIcon::None,
                MessageButtons::YesNo, "Save As...") != MessageAnswer::Yes)
        return;
    // The document takes the new name only once it is safely there.
    if (!ConfirmDroppedSmks() || !WriteDocument(path, true)) return;
    doc_.Filename = path;
    doc_.FileIsMPQ = false;
    SetTitle(false);
}

void Form1::Menu2_Click(int index) {
    // An open window is only brought forward; a closed one is made afresh.
    QWidget* window = nullptr;
    if (index == 0) {
        window = &PreviewWindow();
    } else if (index == 1) {
        if (!CodesCard()) form5_ = new Form5(text_, settings_);
        window = form5_;
    }
    if (!window) return;
    window->show();
    window->raise();
    window->activateWindow();
}

void Form1::Menu3_Click(int index) {
    if (index == 2) {
        Form3 about(text_, this);
        about.exec();
        return;
    }
    if (index != 0) return;
    const std::string readme = DataFile("TarroxII.htm");
    if (!PathExists(readme))
        Message("Readme could not be found.", MessageIcon::Critical, MessageButtons::Ok, "Help");
    else if (!dialogs_.OpenWithDefaultApp(readme))
        ShowReadmeWindow(readme);
}

// Without a browser the guide still has to be readable.
void Form1::ShowReadmeWindow(const std::string& readme) {
    if (!readme_) {
        readme_ = new QTextBrowser; // a window of its own, deleted with the main window
        readme_->setObjectName("ReadmeWindow");
        readme_->setAttribute(Qt::WA_DeleteOnClose);
        readme_->setWindowTitle("Tarrox II - Readme");
        readme_->setOpenExternalLinks(true);
        readme_->resize(760, 560);
        readme_->setSource(QUrl::fromLocalFile(QString::fromLocal8Bit(readme)));
    }
    readme_->show();
    readme_->raise();
    readme_->activateWindow();
}

void Form1::Menu4_Click(int index) {
    if (index == 0) {
        // Qt has already flipped the check mark; the setting follows it.
        settings_.AutoCalc = Menu4[0]->isChecked();
        return;
    }
    std::string answer = dialogs_.InputBox("Default locale ID: (-1 = show all)", "Set Locale",
                                           std::to_string(settings_.MpqLocale));
    if (answer.empty()) return;
    if (auto locale = ParseRoundedDecimal(answer, INT32_MIN, INT32_MAX))
        settings_.MpqLocale = *locale;
}

} // namespace tarrox
