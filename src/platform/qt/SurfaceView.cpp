#include "platform/qt/SurfaceView.h"

#include <QPainter>
#include <algorithm>
#include <bit>
#include <cstring>

#include "platform/Surface.h"

namespace tarrox {

QImage SurfaceImage(const Surface& surface, int width, int height) {
    // 0x00BBGGRR held little-endian is R, G, B, X in memory: Qt's RGBX8888. Its converter
    // swaps the channels many pixels at a time, which a drag redrawing at the screen's rate needs.
    if constexpr (std::endian::native == std::endian::little) {
        const QImage shared(reinterpret_cast<const uchar*>(surface.Pixels().data()), width, height,
                            Surface::Width * 4, QImage::Format_RGBX8888);
        return shared.convertToFormat(QImage::Format_RGB32);
    }
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

QRect ChangedArea(const QImage& before, const QImage& after) {
    if (before.size() != after.size() || before.format() != after.format()) return after.rect();
    const auto rowBytes = size_t(after.width()) * 4;
    int top = -1, bottom = -1, left = after.width(), right = -1;
    for (int y = 0; y < after.height(); ++y) {
        const auto* a = reinterpret_cast<const uint32_t*>(before.constScanLine(y));
        const auto* b = reinterpret_cast<const uint32_t*>(after.constScanLine(y));
        if (std::memcmp(a, b, rowBytes) == 0) continue;
        if (top < 0) top = y;
        bottom = y;
        int x = 0;
        while (a[x] == b[x]) ++x;
        left = std::min(left, x);
        x = after.width() - 1;
        while (a[x] == b[x]) --x;
        right = std::max(right, x);
    }
    return top < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
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
