// What the preview's picture asks of the main window: a selection, or an object's new record.
#include <QAction>
#include <QListWidget>

#include "editor/MainWindow.h"
#include "editor/PreviewWindow.h"

namespace tarrox {

void MainWindow::ConnectPreviewEdits(PreviewWindow& preview) {
    PreviewEditHooks hooks;
    hooks.SelectObject = [this](int32_t index) { SelectObjectFromPreview(index); };
    // A drag is one undo step: its moves share a key until the drag ends.
    hooks.ApplyObjectEdit = [this](int32_t index, const DialogObject& after,
                                   const std::string& description, bool dragFinished) {
        if (previewDragKey_ == NoMerge) previewDragKey_ = NewEditMergeKey();
        ApplyObjectEdit(index, after, description, previewDragKey_);
        if (dragFinished) {
            previewDragKey_ = NoMerge;
            CloseEditMerging();
        }
    };
    preview.SetEditHooks(std::move(hooks));
    // Undo and Redo answer their keys in the preview too: the drag to take back was made there.
    preview.addActions({editMenu_[EditMenu::Undo], editMenu_[EditMenu::Redo]});
}

void MainWindow::SelectObjectFromPreview(int32_t index) {
    if (index >= 0 && index < doc_.ObjectCount) SelectNewRow(objectList_, index);
}

} // namespace tarrox
