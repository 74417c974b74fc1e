// Adding and deleting objects and SMKs, and the list entries that show them.
#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QSignalBlocker>
#include <algorithm>

#include "document/DialogCheck.h"
#include "document/Editing.h"
#include "editor/Form1.h"
#include "platform/Gdi.h"

namespace tarrox {

int Form1::SelectedRow(const QListWidget* list) {
    const QList<QListWidgetItem*> chosen = list->selectedItems();
    return chosen.isEmpty() ? -1 : list->row(chosen.first());
}

QString Form1::ObjectListEntry(int index) const {
    return QString::number(index) + " - " +
           QString::fromLatin1(
               ControlTypeName(ControlTypeNames, doc_.ObjectTable[index].ControlType));
}

QString Form1::SmkListEntry(int index) const {
    const std::vector<int32_t> unused = UnreachableSmks(doc_);
    const bool marked = std::find(unused.begin(), unused.end(), index) != unused.end();
    return QString::number(index) + " - " +
           Latin1(FileNameOf(doc_.StringTable[doc_.SmkTable[index].FileName])) +
           (marked ? " (unused)" : "");
}

void Form1::RefreshSmkEntries() {
    for (int k = 0; k < doc_.SmkCount && k < List2->count(); ++k) {
        const QString entry = SmkListEntry(k);
        if (List2->item(k)->text() == entry) continue;
        List2->item(k)->setText(entry);
        Combo2->setItemText(k, entry);
        Combo3->setItemText(k, entry);
    }
}

bool Form1::ConfirmDroppedSmks() {
    const std::vector<int32_t> unused = UnreachableSmks(doc_);
    if (unused.empty()) return true;
    std::string names;
    for (int32_t k : unused)
        names += "\r\n" + std::to_string(k) + " - " + doc_.StringTable[doc_.SmkTable[k].FileName];
    return Message("These SMKs are not used by any object and will not be kept:" + names +
                       "\r\nSave anyway?",
                   MessageIcon::Exclamation, MessageButtons::YesNo) == MessageAnswer::Yes;
}

void Form1::SelectNewRow(QListWidget* list, int row) {
    list->setCurrentRow(row);
    list->scrollToItem(list->item(row));
}

// Refilling a list is not a selection: the handlers must not see it.
void Form1::FillObjectList() {
    QSignalBlocker block(List1);
    List1->clear();
    for (int i = 0; i < doc_.ObjectCount; ++i) List1->addItem(ObjectListEntry(i));
    List1->setCurrentRow(-1);
}

void Form1::FillSmkLists() {
    QSignalBlocker block2(List2), blockPicker(Combo2), blockNext(Combo3);
    List2->clear();
    Combo2->clear();
    Combo3->clear();
    for (int k = 0; k < doc_.SmkCount; ++k) AppendSmkEntry(k);
}

// An empty combo box picks the first entry added by itself; an added entry is never a choice.
void Form1::AppendSmkEntry(int index) {
    QSignalBlocker blockPicker(Combo2), blockNext(Combo3);
    const int picked = Combo2->currentIndex(), next = Combo3->currentIndex();
    const QString entry = SmkListEntry(index);
    List2->addItem(entry);
    Combo2->addItem(entry);
    Combo3->addItem(entry);
    Combo2->setCurrentIndex(picked);
    Combo3->setCurrentIndex(next);
}

void Form1::Menu5_Click(int index) {
    if (!doc_.FileIsOpen) return;
    if (index == 0) {
        if (!AddObject(doc_)) return; // the table is full
        List1->addItem(ObjectListEntry(doc_.ObjectCount - 1));
        SetTitle(true);
        SelectNewRow(List1, doc_.ObjectCount - 1);
        RedrawPreview(true);
        return;
    }
    if (doc_.SelObj < 0 || doc_.ObjectCount <= 1) return;
    if (Message("Deleting an existing object may produce unwanted results (i.e., crashing.)\r\n"
                "Are you sure you want to proceed?",
                MessageIcon::None, MessageButtons::YesNo, "Delete Object") != MessageAnswer::Yes)
        return;
    if (!DeleteObject(doc_, doc_.SelObj)) return;
    FillObjectList();
    ClearObjectEditor();
    RefreshSmkEntries(); // the deleted object's SMKs may now be reached by none
    SetTitle(true);
    // A shown preview must not keep drawing an object that is gone.
    RedrawPreview(true);
}

void Form1::Menu6_Click(int index) {
    if (!doc_.FileIsOpen) return;
    if (index == 0) {
        if (!AddSmk(doc_)) return; // the table is full
        AppendSmkEntry(doc_.SmkCount - 1);
        SetTitle(true);
        SelectNewRow(List2, doc_.SmkCount - 1);
        return;
    }
    const int deleted = doc_.SelSmk;
    if (deleted < 0) return;
    if (Message("Any references to this SMK will be removed.\r\nAre you sure you want to proceed?",
                MessageIcon::None, MessageButtons::YesNo, "Delete Object") != MessageAnswer::Yes)
        return;
    // The picker keeps pointing at the same SMK; one that pointed at the deleted SMK points
    // nowhere, so the shown object cannot pick up the SMK that moves into its place.
    int picked = Combo2->currentIndex();
    if (picked == deleted)
        picked = -1;
    else if (picked > deleted)
        --picked;
    if (!DeleteSmk(doc_, deleted)) return;

    const bool wasLoaded = ObjLoaded;
    ObjLoaded = false;
    FillSmkLists();
    Combo2->setCurrentIndex(picked);
    if (doc_.SelObj >= 0) {
        const int32_t link = doc_.ObjectTable[doc_.SelObj].SmkLink;
        Check1->setChecked(link >= 0);
        if (link >= 0) Combo2->setCurrentIndex(link);
    }
    ObjLoaded = wasLoaded;
    ClearSmkEditor();
    SetTitle(true);
}

} // namespace tarrox
