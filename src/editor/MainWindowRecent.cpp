// File > Recent Files and files dropped on the window: both open a file as File > Open does.
#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <QUrl>

#include "editor/CommandLine.h"
#include "editor/MainWindow.h"
#include "platform/Gdi.h"

namespace tarrox {

namespace {
// The file a drag carries, when it carries exactly one local file.
std::string DraggedFile(const QMimeData* data) {
    if (!data || !data->hasUrls() || data->urls().size() != 1) return {};
    const QUrl url = data->urls().front();
    return url.isLocalFile() ? url.toLocalFile().toLocal8Bit().toStdString() : std::string();
}
} // namespace

void MainWindow::RememberFile(const std::string& path) {
    recent_.Add(path);
    recent_.Write(store_);
    FillRecentMenu();
}

void MainWindow::FillRecentMenu() {
    recentMenu_->clear();
    int number = 1;
    for (const std::string& path : recent_.Paths()) {
        const QString text = QString("&%1 %2").arg(number++).arg(QString::fromLocal8Bit(path));
        QAction* action = recentMenu_->addAction(text);
        action->setObjectName(QString("recentFile%1").arg(number - 1));
        connect(action, &QAction::triggered, this, [this, path] { OpenRecentFile(path); });
    }
    recentMenu_->setEnabled(!recent_.Paths().empty());
}

void MainWindow::OpenRecentFile(const std::string& path) {
    if (!PathExists(path)) {
        recent_.Remove(path);
        recent_.Write(store_);
        FillRecentMenu();
        Message(path + " could not be found.\r\nIt has been removed from Recent Files.",
                MessageIcon::Exclamation);
        return;
    }
    if (ConfirmUnsavedWork()) OpenChosenFile(path);
}

// A .bin name opens as a dialog (or as the archive its content is); any other file is taken
// for an archive, as File > Open does with the archive file type.
void MainWindow::OpenChosenFile(const std::string& path) {
    if (HasBinExtension(path)) {
        OpenDiskFile(path);
    } else {
        OpenArchiveFromMenu(path);
    }
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (!DraggedFile(event->mimeData()).empty()) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    const std::string path = DraggedFile(event->mimeData());
    if (path.empty()) return;
    event->acceptProposedAction();
    // Questions and the archive browser are modal: they must not run inside the drop, which
    // would keep the window the file came from waiting.
    QMetaObject::invokeMethod(
        this,
        [this, path] {
            if (ConfirmUnsavedWork()) OpenChosenFile(path);
        },
        Qt::QueuedConnection);
}

} // namespace tarrox
