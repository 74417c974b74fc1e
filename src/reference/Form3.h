// "About": the program's name, version and credits in the game fonts, and a "Close" box that
// lights up under the mouse. C closes it, whichever control has the focus.
#pragma once

#include <QDialog>

#include "platform/Surface.h"
#include "preview/ReferenceCards.h"

namespace tarrox {

class SurfaceView;

class Form3 : public QDialog {
  public:
    explicit Form3(TextDrawingState& text, QWidget* parent = nullptr);
    ~Form3() override;

    const QImage& Image() const;
    const QImage& CloseBoxImage() const;
    uint32_t Picture1ForeColor() const { return foreColor_; }

    void done(int result) override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

  private:
    void DrawCloseBox(bool lit);

    TextDrawingState& text_;
    std::string dataDir_;
    AboutFonts fonts_;
    bool fontsOpen_ = false;
    Surface window_;
    Surface box_;
    uint32_t foreColor_ = CloseBoxRestColor;
    SurfaceView* view_ = nullptr;
    SurfaceView* Picture1 = nullptr;
};

} // namespace tarrox
