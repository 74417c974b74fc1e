#include "archive/qt/ProgressWindow.h"

#include <QCoreApplication>
#include <QProgressDialog>
#include <algorithm>

namespace tarrox {

namespace {
constexpr int Steps = 1000;
}

ProgressWindow::ProgressWindow(QWidget* parent)
    : dialog_(
          std::make_unique<QProgressDialog>("Compacting archive...", QString(), 0, Steps, parent)) {
    dialog_->setWindowTitle("Tarrox II");
    dialog_->setWindowModality(Qt::WindowModal);
    // The library cannot stop half-way, so there is nothing to cancel; small archives finish
    // before the window would be worth showing.
    dialog_->setCancelButton(nullptr);
    dialog_->setMinimumDuration(400);
    dialog_->setValue(0);
}

ProgressWindow::~ProgressWindow() = default;

void ProgressWindow::Update(uint64_t done, uint64_t total) {
    if (total == 0) return;
    dialog_->setValue(static_cast<int>(std::min<uint64_t>(done, total) * Steps / total));
}

void KeepWindowsPainted() {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace tarrox
