// What the preview's picture asks of the main window: a selection, or objects' new records.
#include <QAction>

#include "editor/MainWindow.h"
#include "editor/PreviewWindow.h"

namespace tarrox {

void MainWindow::ConnectPreviewEdits(PreviewWindow& preview) {
    PreviewEditHooks hooks;
    hooks.SelectObjects = [this](const std::vector<int32_t>& indices) { SelectObjects(indices); };
    // A drag is one undo step: its moves share a key until the drag ends.
    hooks.ApplyObjectEdits = [this](const std::vector<IndexedObject>& after,
                                    const std::string& description, bool dragFinished) {
        if (previewDragKey_ == NoMerge) previewDragKey_ = NewEditMergeKey();
        ApplyObjectEdits(after, description, previewDragKey_);
        if (dragFinished) {
            previewDragKey_ = NoMerge;
            CloseEditMerging();
        }
    };
    preview.SetEditHooks(std::move(hooks));
    // The Edit and Arrange commands answer their keys in the preview too: the objects they act
    // on were picked there.
    for (QAction* action : editMenu_)
        if (!action->isSeparator()) preview.addAction(action);
    for (QAction* action : arrangeItems_)
        if (!action->isSeparator()) preview.addAction(action);
}

} // namespace tarrox
