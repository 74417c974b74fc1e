// A widget that shows the top-left corner of a drawing surface 1:1 and repaints from its own
// copy, so what was drawn stays until the next refresh.
#pragma once

#include <QImage>
#include <QWidget>

namespace tarrox {

class Surface;

// The top-left width x height pixels of the surface as an opaque image.
QImage SurfaceImage(const Surface& surface, int width, int height);

// The smallest rectangle holding every pixel that differs between two images of one size and
// format; empty when they are equal.
QRect ChangedArea(const QImage& before, const QImage& after);

class SurfaceView : public QWidget {
  public:
    SurfaceView(int width, int height, QWidget* parent = nullptr);

    void Refresh(const Surface& surface);
    const QImage& Image() const { return image_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QImage image_;
};

} // namespace tarrox
