#include "reference/Form3.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include "platform/ProgramFolder.h"
#include "platform/qt/SurfaceView.h"

#ifndef TARROX_VERSION
#define TARROX_VERSION "0.0.0"
#endif

namespace tarrox {

Form3::Form3(TextDrawingState& text, QWidget* parent)
    : QDialog(parent,
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      text_(text), dataDir_(DataFile("data")) {
    setObjectName("Form3");
    setWindowTitle("About");
    setModal(true);
    setFixedSize(AboutWidth, AboutHeight);
    setMouseTracking(true);
    view_ = new SurfaceView(AboutWidth, AboutHeight, this);
    view_->setObjectName("AboutPicture");
    // The picture only shows; the window itself follows the mouse.
    view_->setAttribute(Qt::WA_TransparentForMouseEvents);
    Picture1 = new SurfaceView(CloseBoxWidth, CloseBoxHeight, this);
    Picture1->setObjectName("Picture1");
    Picture1->move(CloseBoxX, CloseBoxY);
    Picture1->setMouseTracking(true);
    Picture1->setCursor(Qt::PointingHandCursor);
    Picture1->installEventFilter(this);

    LoadAboutFonts(fonts_, dataDir_);
    fontsOpen_ = true;
    DrawAboutText(window_, fonts_, text_, dataDir_, TARROX_VERSION);
    view_->Refresh(window_);
    DrawCloseBox(false);
}

Form3::~Form3() {
    if (fontsOpen_) CloseAboutFonts(fonts_);
}

const QImage& Form3::Image() const {
    return view_->Image();
}

const QImage& Form3::CloseBoxImage() const {
    return Picture1->Image();
}

void Form3::done(int result) {
    if (fontsOpen_) CloseAboutFonts(fonts_);
    fontsOpen_ = false;
    QDialog::done(result);
}

void Form3::DrawCloseBox(bool lit) {
    foreColor_ = lit ? CloseBoxLitColor : CloseBoxRestColor;
    tarrox::DrawCloseBox(box_, fonts_.Middle, text_, dataDir_, lit);
    Picture1->Refresh(box_);
}

void Form3::keyPressEvent(QKeyEvent* event) {
    // Only C closes; Escape and Enter are swallowed rather than left to the dialog.
    if (event->key() == Qt::Key_C) accept();
    event->accept();
}

void Form3::mouseMoveEvent(QMouseEvent*) {
    DrawCloseBox(false);
}

bool Form3::eventFilter(QObject* watched, QEvent* event) {
    if (watched != Picture1) return QDialog::eventFilter(watched, event);
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
