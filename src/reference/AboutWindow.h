// "About": the program's name, version and credits in the game fonts, and a "Close" box that
// lights up under the mouse. C closes it, whichever control has the focus.
// Called "Form 3" in older notes.
#pragma once

#include <QDialog>

#include "platform/Surface.h"
#include "preview/ReferenceCards.h"

namespace tarrox {

class SurfaceView;

class AboutWindow : public QDialog {
  public:
    explicit AboutWindow(const TextDrawingState& text, QWidget* parent = nullptr);
    ~AboutWindow() override;

    const QImage& Image() const;
    const QImage& CloseBoxImage() const;
    uint32_t CloseBoxForeColor() const { return foreColor_; }

    void done(int result) override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

  private:
    void DrawCloseBox(bool lit);

    // A copy: the window draws in its own colours whatever the preview shows.
    TextDrawingState text_;
    DataFolders data_;
    AboutFonts fonts_;
    bool fontsOpen_ = false;
    Surface window_;
    Surface box_;
    uint32_t foreColor_ = CloseBoxRestColor;
    SurfaceView* view_ = nullptr;
    SurfaceView* closeBox_ = nullptr;
};

} // namespace tarrox
