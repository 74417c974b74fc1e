// What the preview's picture asks of the main window: a selection, or an object's new record.
#include <QListWidget>

#include "editor/MainWindow.h"
#include "editor/PreviewWindow.h"

namespace tarrox {

void MainWindow::ConnectPreviewEdits(PreviewWindow& preview) {
    PreviewEditHooks hooks;
    hooks.SelectObject = [this](int32_t index) { SelectObjectFromPreview(index); };
    hooks.ApplyObjectEdit = [this](int32_t index, const DialogObject& after,
                                   const std::string& description, bool dragFinished) {
        ApplyObjectEdit(index, after, description, dragFinished);
    };
    preview.SetEditHooks(std::move(hooks));
}

void MainWindow::SelectObjectFromPreview(int32_t index) {
    if (index >= 0 && index < doc_.ObjectCount) SelectNewRow(objectList_, index);
}

void MainWindow::ApplyObjectEdit(int32_t index, const DialogObject& after,
                                 const std::string& /*description*/, bool /*dragFinished*/) {
    if (index < 0 || index >= doc_.ObjectCount || doc_.ObjectTable[index] == after) return;
    doc_.ObjectTable[index] = after;
    SetTitle(true);
    // Showing the record again refills the boxes and redraws the picture.
    if (index == selected_.Object)
        ObjectSelected();
    else
        SelectObjectFromPreview(index);
}

} // namespace tarrox
