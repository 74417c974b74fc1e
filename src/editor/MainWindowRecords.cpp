// Adding and deleting objects and SMKs, and the list entries that show them.
#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QSignalBlocker>
#include <algorithm>

#include "document/DialogCheck.h"
#include "editor/MainWindow.h"
#include "platform/Gdi.h"

namespace tarrox {

int MainWindow::SelectedRow(const QListWidget* list) {
    const QList<QListWidgetItem*> chosen = list->selectedItems();
    return chosen.isEmpty() ? -1 : list->row(chosen.first());
}

QString MainWindow::ObjectListEntry(int index) const {
    return QString::number(index) + " - " +
           QString::fromLatin1(
               ControlTypeName(controlTypeNames_, doc_.ObjectTable[index].ControlType));
}

std::vector<bool> MainWindow::UnusedSmks() const {
    std::vector<bool> marks(size_t(std::max(doc_.SmkCount, 0)));
    for (int32_t k : UnreachableSmks(doc_))
        if (k >= 0 && size_t(k) < marks.size()) marks[size_t(k)] = true;
    return marks;
}

// `unused` comes from UnusedSmks: working it out once per list, not once per entry, keeps a
// refill of 128 entries linear.
QString MainWindow::SmkListEntry(int index, const std::vector<bool>& unused) const {
    const bool marked = size_t(index) < unused.size() && unused[size_t(index)];
    return QString::number(index) + " - " +
           Latin1(FileNameOf(doc_.StringTable[doc_.SmkTable[index].FileName])) +
           (marked ? " (unused)" : "");
}

void MainWindow::RefreshSmkEntries() {
    const std::vector<bool> unused = UnusedSmks();
    for (int k = 0; k < doc_.SmkCount && k < smkList_->count(); ++k) {
        const QString entry = SmkListEntry(k, unused);
        if (smkList_->item(k)->text() == entry) continue;
        smkList_->item(k)->setText(entry);
        objectSmk_->setItemText(k, entry);
        nextSmk_->setItemText(k, entry);
    }
}

bool MainWindow::ConfirmDroppedSmks() {
    const std::vector<int32_t> unused = UnreachableSmks(doc_);
    if (unused.empty()) return true;
    std::string names;
    for (int32_t k : unused)
        names += "\r\n" + std::to_string(k) + " - " + doc_.StringTable[doc_.SmkTable[k].FileName];
    return Message("These SMKs are not used by any object and will not be kept:" + names +
                       "\r\nSave anyway?",
                   MessageIcon::Exclamation, MessageButtons::YesNo) == MessageAnswer::Yes;
}

void MainWindow::SelectNewRow(QListWidget* list, int row) {
    // The object list takes several; a new row is picked alone.
    list->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
    list->scrollToItem(list->item(row));
}

// Refilling a list is not a selection: the handlers must not see it.
void MainWindow::FillObjectList() {
    QSignalBlocker block(objectList_);
    objectList_->clear();
    for (int i = 0; i < doc_.ObjectCount; ++i) objectList_->addItem(ObjectListEntry(i));
    objectList_->setCurrentRow(-1);
}

void MainWindow::FillSmkLists() {
    QSignalBlocker block2(smkList_), blockPicker(objectSmk_), blockNext(nextSmk_);
    smkList_->clear();
    objectSmk_->clear();
    nextSmk_->clear();
    const std::vector<bool> unused = UnusedSmks();
    for (int k = 0; k < doc_.SmkCount; ++k) AppendSmkEntry(k, unused);
}

// An empty combo box picks the first entry added by itself; an added entry is never a choice.
void MainWindow::AppendSmkEntry(int index, const std::vector<bool>& unused) {
    QSignalBlocker blockPicker(objectSmk_), blockNext(nextSmk_);
    const int picked = objectSmk_->currentIndex(), next = nextSmk_->currentIndex();
    const QString entry = SmkListEntry(index, unused);
    smkList_->addItem(entry);
    objectSmk_->addItem(entry);
    nextSmk_->addItem(entry);
    objectSmk_->setCurrentIndex(picked);
    nextSmk_->setCurrentIndex(next);
}

void MainWindow::AddObjectFromMenu() {
    if (!file_.IsOpen) return;
    const std::string name = "Add Object " + std::to_string(doc_.ObjectCount);
    if (!Commit(AddObjectCommand(), name)) return; // the table is full
    objectList_->addItem(ObjectListEntry(doc_.ObjectCount - 1));
    SelectNewRow(objectList_, doc_.ObjectCount - 1);
    RedrawPreview(true);
}

void MainWindow::DeleteObjectFromMenu() {
    if (!file_.IsOpen) return;
    if (selected_.Object < 0 || doc_.ObjectCount <= 1) return;
    const std::vector<int32_t> several = SelectedChildren();
    if (Message("Deleting an existing object may produce unwanted results (i.e., crashing.)\r\n"
                "Are you sure you want to proceed?",
                MessageIcon::None, MessageButtons::YesNo, "Delete Object") != MessageAnswer::Yes)
        return;
    // Of several, the dialog itself stays.
    if (selected_.Objects.size() > 1) {
        const std::string name = several.size() == 1
                                     ? "Delete Object " + std::to_string(several.front())
                                     : "Delete " + std::to_string(several.size()) + " Objects";
        if (Commit(DeleteObjectsCommand(several), name)) ShowAppliedStep();
        return;
    }
    const int32_t index = selected_.Object;
    if (!Commit(DeleteObjectCommand(index), "Delete Object " + std::to_string(index))) return;
    FillObjectList();
    ClearObjectEditor();
    RefreshSmkEntries(); // the deleted object's SMKs may now be reached by none
    // A shown preview must not keep drawing an object that is gone.
    RedrawPreview(true);
}

void MainWindow::AddSmkFromMenu() {
    if (!file_.IsOpen) return;
    const std::string name = "Add SMK " + std::to_string(doc_.SmkCount);
    if (!Commit(AddSmkCommand(), name)) return; // the table is full
    AppendSmkEntry(doc_.SmkCount - 1, UnusedSmks());
    SelectNewRow(smkList_, doc_.SmkCount - 1);
}

void MainWindow::DeleteSmkFromMenu() {
    if (!file_.IsOpen) return;
    const int deleted = selected_.Smk;
    if (deleted < 0) return;
    if (Message("Any references to this SMK will be removed.\r\nAre you sure you want to proceed?",
                MessageIcon::None, MessageButtons::YesNo, "Delete Object") != MessageAnswer::Yes)
        return;
    // The picker keeps pointing at the same SMK; one that pointed at the deleted SMK points
    // nowhere, so the shown object cannot pick up the SMK that moves into its place.
    int picked = objectSmk_->currentIndex();
    if (picked == deleted)
        picked = -1;
    else if (picked > deleted)
        --picked;
    if (!Commit(DeleteSmkCommand(deleted), "Delete SMK " + std::to_string(deleted))) return;

    const bool wasLoaded = objectShown_;
    objectShown_ = false;
    FillSmkLists();
    objectSmk_->setCurrentIndex(picked);
    if (selected_.Object >= 0) {
        const int32_t link = doc_.ObjectTable[selected_.Object].SmkLink;
        usesSmk_->setChecked(link >= 0);
        if (link >= 0) objectSmk_->setCurrentIndex(link);
    }
    objectShown_ = wasLoaded;
    ClearSmkEditor();
}

} // namespace tarrox
