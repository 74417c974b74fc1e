// Undo and redo over the edit history, and the one entry for edits made
// outside the main window's boxes.
#include <QAction>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>

#include "editor/MainWindow.h"

namespace tarrox {

void MainWindow::UpdateEditMenu() {
    auto show = [](QAction* action, const char* verb, const std::string& step) {
        action->setEnabled(!step.empty());
        action->setText(step.empty() ? verb : QString(verb) + " " + Latin1(step));
    };
    show(editMenu_[EditMenu::Undo], "Undo", history_.UndoDescription());
    show(editMenu_[EditMenu::Redo], "Redo", history_.RedoDescription());
}

bool MainWindow::Commit(std::unique_ptr<EditCommand> command, std::string description, MergeKey key,
                        bool keepUnchanged) {
    const bool applied =
        history_.Apply(std::move(command), std::move(description), key, keepUnchanged);
    UpdateEditMenu();
    const bool modified = !history_.IsAtSaved();
    if (modified != modified_) SetTitle(modified);
    return applied;
}

bool MainWindow::ApplyObjectEdit(int32_t index, const DialogObject& after, std::string description,
                                 MergeKey key) {
    const bool relinked =
        index >= 0 && index < doc_.ObjectCount && doc_.ObjectTable[index].SmkLink != after.SmkLink;
    if (!Commit(ReplaceObject(index, after), std::move(description), key)) return false;
    objectList_->item(index)->setText(ObjectListEntry(index));
    if (objectShown_ && selected_.Object == index) ShowObjectFields(index);
    if (relinked) RefreshSmkEntries();
    RedrawPreview(false);
    return true;
}

bool MainWindow::ApplyObjectEdits(const std::vector<IndexedObject>& after, std::string description,
                                  MergeKey key) {
    if (after.size() == 1)
        return ApplyObjectEdit(after.front().Index, after.front().Record, std::move(description),
                               key);
    if (after.empty() || !Commit(ReplaceObjectsCommand(after), std::move(description), key))
        return false;
    for (const IndexedObject& r : after)
        objectList_->item(r.Index)->setText(ObjectListEntry(r.Index));
    if (objectShown_ && selected_.Object >= 0) ShowObjectFields(selected_.Object);
    RedrawPreview(false);
    return true;
}

void MainWindow::UndoFromMenu() {
    if (auto target = history_.Undo()) ShowHistoryStep(*target);
}

void MainWindow::RedoFromMenu() {
    if (auto target = history_.Redo()) ShowHistoryStep(*target);
}

// Records may have come or gone, so every list and picker is filled afresh; the record the
// step changed is selected, the other half keeps its record where it still exists.
void MainWindow::ShowHistoryStep(const EditTarget& target) {
    const Selection before = selected_;
    FillObjectList();
    FillSmkLists();
    ClearObjectEditor();
    ClearSmkEditor();
    const bool objects = target.Type == RecordType::Object;
    const int32_t object = objects ? target.Index : before.Object;
    const int32_t smk = objects ? before.Smk : target.Index;
    if (objects && target.Indices.size() > 1)
        SelectObjects(target.Indices);
    else if (object >= 0 && object < doc_.ObjectCount)
        SelectNewRow(objectList_, object);
    if (smk >= 0 && smk < doc_.SmkCount) SelectNewRow(smkList_, smk);
    UpdateEditMenu();
    SetTitle(!history_.IsAtSaved());
    RedrawPreview(false);
}

void MainWindow::WatchDocumentBox(QLineEdit* box) {
    box->installEventFilter(this);
    connect(box, &QLineEdit::editingFinished, this, [this] { history_.CloseMerging(); });
}

// A box would take these keys for its own undo, which knows nothing of the document.
bool MainWindow::IsHistoryShortcut(QEvent* event) const {
    if (event->type() != QEvent::ShortcutOverride) return false;
    const QKeySequence pressed(static_cast<QKeyEvent*>(event)->keyCombination());
    for (const QAction* action : {editMenu_[EditMenu::Undo], editMenu_[EditMenu::Redo]}) {
        if (action->shortcuts().contains(pressed)) {
            event->ignore();
            return true;
        }
    }
    return false;
}

} // namespace tarrox
