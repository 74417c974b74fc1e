#include "platform/qt/SurfaceView.h"

#include <QPainter>

#include "platform/Surface.h"

namespace tarrox {

QImage SurfaceImage(const Surface& surface, int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            uint32_t c = surface.Pixel(x, y); // 0x00BBGGRR
            row[x] = qRgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
        }
    }
    return image;
}

SurfaceView::SurfaceView(int width, int height, QWidget* parent)
    : QWidget(parent), image_(width, height, QImage::Format_RGB32) {
    image_.fill(Qt::black);
    setFixedSize(width, height);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void SurfaceView::Refresh(const Surface& surface) {
    image_ = SurfaceImage(surface, image_.width(), image_.height());
    update();
}

void SurfaceView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, image_);
}

} // namespace tarrox
