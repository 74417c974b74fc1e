#include "reference/AboutWindow.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include "platform/DataFolders.h"
#include "platform/qt/SurfaceView.h"

#ifndef TARROX_VERSION
#define TARROX_VERSION "0.0.0"
#endif

namespace tarrox {

AboutWindow::AboutWindow(const TextDrawingState& text, QWidget* parent)
    : QDialog(parent,
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      text_(text), data_(GameDataFolders()) {
    setObjectName("AboutWindow");
    setWindowTitle("About");
    setModal(true);
    setFixedSize(AboutWidth, AboutHeight);
    setMouseTracking(true);
    view_ = new SurfaceView(AboutWidth, AboutHeight, this);
    view_->setObjectName("AboutPicture");
    // The picture only shows; the window itself follows the mouse.
    view_->setAttribute(Qt::WA_TransparentForMouseEvents);
    closeBox_ = new SurfaceView(CloseBoxWidth, CloseBoxHeight, this);
    closeBox_->setObjectName("closeBox");
    closeBox_->move(CloseBoxX, CloseBoxY);
    closeBox_->setMouseTracking(true);
    closeBox_->setCursor(Qt::PointingHandCursor);
    closeBox_->installEventFilter(this);

    LoadAboutFonts(fonts_, data_);
    fontsOpen_ = true;
    DrawAboutText(window_, fonts_, text_, data_, TARROX_VERSION);
    view_->Refresh(window_);
    DrawCloseBox(false);
}

AboutWindow::~AboutWindow() {
    if (fontsOpen_) CloseAboutFonts(fonts_);
}

const QImage& AboutWindow::Image() const {
    return view_->Image();
}

const QImage& AboutWindow::CloseBoxImage() const {
    return closeBox_->Image();
}

void AboutWindow::done(int result) {
    if (fontsOpen_) CloseAboutFonts(fonts_);
    fontsOpen_ = false;
    QDialog::done(result);
}

void AboutWindow::DrawCloseBox(bool lit) {
    foreColor_ = lit ? CloseBoxLitColor : CloseBoxRestColor;
    tarrox::DrawCloseBox(box_, fonts_.Middle, text_, data_, lit);
    closeBox_->Refresh(box_);
}

void AboutWindow::keyPressEvent(QKeyEvent* event) {
    // Only C closes; Escape and Enter are swallowed rather than left to the dialog.
    if (event->key() == Qt::Key_C) accept();
    event->accept();
}

void AboutWindow::mouseMoveEvent(QMouseEvent*) {
    DrawCloseBox(false);
}

bool AboutWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched != closeBox_) return QDialog::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseMove:
        DrawCloseBox(true);
        return true;
    case QEvent::MouseButtonPress:
        accept();
        return true;
    case QEvent::KeyPress:
        keyPressEvent(static_cast<QKeyEvent*>(event));
        return true;
    default:
        return QDialog::eventFilter(watched, event);
    }
}

} // namespace tarrox
