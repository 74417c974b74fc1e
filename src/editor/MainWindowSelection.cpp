// Several objects selected at once, the keys that act on the selection, and Find.
#include <QItemSelection>
#include <QListWidget>
#include <QSignalBlocker>
#include <algorithm>

#include "document/Find.h"
#include "editor/MainWindow.h"

namespace tarrox {

namespace {

// The dialogs speak the host's 8-bit encoding; the document's strings are Latin-1.
std::string HostText(const std::string& latin1) {
    return Latin1(latin1).toLocal8Bit().toStdString();
}

} // namespace

void MainWindow::SelectObjects(const std::vector<int32_t>& indices) {
    std::vector<int32_t> order;
    for (int32_t i : indices)
        if (i >= 0 && i < doc_.ObjectCount &&
            std::find(order.begin(), order.end(), i) == order.end())
            order.push_back(i);
    if (order.empty() && doc_.ObjectCount > 0) order.push_back(0);
    if (order.empty()) return;
    {
        // One selection of every row, so that the list's next plain pick replaces all of them.
        QSignalBlocker quiet(objectList_);
        QItemSelection rows;
        for (int32_t i : order) {
            const QModelIndex row = objectList_->model()->index(i, 0);
            rows.select(row, row);
        }
        objectList_->selectionModel()->select(rows, QItemSelectionModel::ClearAndSelect);
        objectList_->setCurrentRow(order.front(), QItemSelectionModel::NoUpdate);
        objectList_->scrollToItem(objectList_->item(order.front()));
    }
    ShowSelection(std::move(order));
}

void MainWindow::ShowSelection(std::vector<int32_t> order) {
    history_.CloseMerging();
    selected_.Objects = std::move(order);
    selected_.Object = selected_.Objects.front();
    ShowObjectFields(selected_.Object);
    RedrawPreview(true);
}

std::vector<int32_t> MainWindow::SelectedChildren() const {
    std::vector<int32_t> children;
    for (int32_t i : selected_.Objects)
        if (i > 0 && i < doc_.ObjectCount) children.push_back(i);
    return children;
}

void MainWindow::ClearSelectionFromMenu() {
    if (file_.IsOpen) SelectObjects({});
}

void MainWindow::DeleteFromKey() {
    if (smkList_->hasFocus())
        DeleteSmkFromMenu();
    else
        DeleteObjectFromMenu();
}

void MainWindow::InsertFromKey() {
    if (smkList_->hasFocus())
        AddSmkFromMenu();
    else
        AddObjectFromMenu();
}

void MainWindow::FindFromMenu() {
    if (!file_.IsOpen) return;
    const std::string asked =
        dialogs_.InputBox("Find the next object whose text (as shown, with <N> codes), type or "
                          "control ID matches:",
                          "Find", HostText(findQuery_));
    if (asked.empty()) return; // cancelled
    findQuery_ = QString::fromLocal8Bit(asked).toLatin1().toStdString();
    FindNext();
}

void MainWindow::FindAgainFromMenu() {
    if (findQuery_.empty())
        FindFromMenu();
    else if (file_.IsOpen)
        FindNext();
}

void MainWindow::FindNext() {
    const int32_t found = FindObject(doc_, findQuery_, selected_.Object);
    if (found < 0) {
        Message("No object matches \"" + HostText(findQuery_) + "\".", MessageIcon::Exclamation);
        return;
    }
    SelectObjects({found});
}

} // namespace tarrox
