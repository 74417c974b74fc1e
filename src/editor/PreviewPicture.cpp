#include "editor/PreviewPicture.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "editor/OpenFile.h"
#include "platform/Surface.h"
#include "platform/qt/SurfaceView.h"

namespace tarrox {

namespace {

constexpr int HandleSize = 7; // screen pixels, at every zoom
// A press turns into a drag only once the pointer has left this many screen pixels, so a
// click that selects never nudges the object by a hand's tremor.
constexpr int DragThreshold = 3;

Qt::CursorShape CursorFor(DragPart part) {
    switch (part) {
    case DragPart::Body:
        return Qt::SizeAllCursor;
    case DragPart::Left:
    case DragPart::Right:
        return Qt::SizeHorCursor;
    case DragPart::Top:
    case DragPart::Bottom:
        return Qt::SizeVerCursor;
    case DragPart::TopLeft:
    case DragPart::BottomRight:
        return Qt::SizeFDiagCursor;
    case DragPart::TopRight:
    case DragPart::BottomLeft:
        return Qt::SizeBDiagCursor;
    case DragPart::None:
        break;
    }
    return Qt::ArrowCursor;
}

} // namespace

PreviewPicture::PreviewPicture(const DialogDocument& doc, const Selection& selection,
                               QWidget* parent)
    : QWidget(parent), doc_(doc), selection_(selection),
      image_(Surface::Width, Surface::Height, QImage::Format_RGB32) {
    image_.fill(Qt::black);
    setFixedSize(Surface::Width, Surface::Height);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
}

void PreviewPicture::Refresh(const Surface& surface) {
    QImage next = SurfaceImage(surface, Surface::Width, Surface::Height);
    // A drag step changes a small part of a picture that may be 3 x 3 times the screen's
    // pixels: only that part, and the handles before and after, are painted again.
    const QRect changed = ChangedArea(image_, next);
    image_ = std::move(next);
    const QRect handles = HandleArea();
    update(OnScreen(changed) | handles | shownHandles_);
    shownHandles_ = handles;
}

void PreviewPicture::SetZoom(int zoom) {
    zoom_ = std::clamp(zoom, MinZoom, MaxZoom);
    setFixedSize(Surface::Width * zoom_, Surface::Height * zoom_);
    shownHandles_ = HandleArea();
    update();
}

QRect PreviewPicture::OnScreen(const QRect& picture) const {
    return {picture.x() * zoom_, picture.y() * zoom_, picture.width() * zoom_,
            picture.height() * zoom_};
}

QRect PreviewPicture::HandleArea() const {
    const int32_t selected = Selected();
    if (selected < 0) return {};
    const PictureRect box = ObjectRect(doc_, selected);
    // Far-off boxes keep their handles off the picture; the clamp keeps the sums in range.
    auto clamp = [](int32_t v) { return std::clamp<int32_t>(v, -8, Surface::Width + 8); };
    const QRect area(QPoint(clamp(box.Left), clamp(box.Top)),
                     QPoint(clamp(box.Right), clamp(box.Bottom)));
    return OnScreen(area).adjusted(-HandleSize, -HandleSize, HandleSize, HandleSize) & rect();
}

QPoint PreviewPicture::PictureAt(QPointF widgetPoint) const {
    return {int(std::floor(widgetPoint.x() / zoom_)), int(std::floor(widgetPoint.y() / zoom_))};
}

int32_t PreviewPicture::Selected() const {
    const int32_t i = selection_.Object;
    return i >= 0 && i < std::min(doc_.ObjectCount, MaxObjects) ? i : -1;
}

void PreviewPicture::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    // Whole picture pixels covering the area; without smoothing they stay square and crisp.
    const QRect area = event->rect();
    const QRect source(QPoint(area.left() / zoom_, area.top() / zoom_),
                       QPoint(area.right() / zoom_, area.bottom() / zoom_));
    painter.drawImage(OnScreen(source), image_, source);
    const int32_t selected = Selected();
    if (selected < 0) return;
    painter.setPen(Qt::black);
    painter.setBrush(Qt::white);
    for (const Handle& h : Handles(ObjectRect(doc_, selected))) {
        const int cx = h.X * zoom_ + zoom_ / 2, cy = h.Y * zoom_ + zoom_ / 2;
        painter.drawRect(cx - HandleSize / 2, cy - HandleSize / 2, HandleSize - 1, HandleSize - 1);
    }
}

std::pair<int32_t, DragPart> PreviewPicture::Target(QPoint at) const {
    const int32_t selected = Selected();
    if (selected >= 0) {
        const DragPart part = PartAt(ObjectRect(doc_, selected), at.x(), at.y(), Grip());
        if (part != DragPart::None && part != DragPart::Body) return {selected, part};
    }
    const int32_t hit = ObjectAt(doc_, at.x(), at.y(), hiddenPickable_);
    if (hit < 0) return {-1, DragPart::None};
    return {hit, ObjectRect(doc_, hit).Contains(at.x(), at.y()) ? DragPart::Body : DragPart::None};
}

void PreviewPicture::ShowCursorFor(QPoint at) {
    setCursor(CursorFor(Target(at).second));
}

void PreviewPicture::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || IsDragging()) return;
    const QPoint at = PictureAt(event->position());
    const auto [index, part] = Target(at);
    if (index < 0) return;
    if (index != Selected() && hooks_.SelectObject) hooks_.SelectObject(index);
    // The owner may refuse the selection; only the selected object is ever dragged.
    if (part == DragPart::None || index != Selected()) return;
    drag_ = {part, index, at, event->position(), doc_.ObjectTable[index]};
    setCursor(CursorFor(part));
}

void PreviewPicture::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = PictureAt(event->position());
    if (!IsDragging()) {
        ShowCursorFor(at);
        return;
    }
    if (!drag_.Started) {
        const QPointF moved = event->position() - drag_.Pressed;
        if (std::abs(moved.x()) + std::abs(moved.y()) < DragThreshold) return;
        drag_.Started = true;
    }
    const QPoint delta = at - drag_.Start;
    const DialogObject after = Dragged(drag_.Before, drag_.Part, delta.x(), delta.y());
    if (after == doc_.ObjectTable[drag_.Index]) return;
    drag_.Sent = true;
    Edit(drag_.Index, after, drag_.Part, false);
}

void PreviewPicture::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && IsDragging()) EndDrag(false);
    ShowCursorFor(PictureAt(event->position()));
}

void PreviewPicture::EndDrag(bool cancelled) {
    const Drag drag = drag_;
    drag_ = {};
    if (!drag.Sent) return;
    Edit(drag.Index, cancelled ? drag.Before : doc_.ObjectTable[drag.Index], drag.Part, true);
}

void PreviewPicture::Edit(int32_t index, const DialogObject& after, DragPart part, bool finished) {
    if (!hooks_.ApplyObjectEdit) return;
    const char* verb = part == DragPart::Body ? "Move Object " : "Resize Object ";
    hooks_.ApplyObjectEdit(index, after, verb + std::to_string(index), finished);
}

bool PreviewPicture::event(QEvent* event) {
    // Tab steps through the objects here rather than moving the focus away.
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
            if (!IsDragging()) StepSelection(key == Qt::Key_Tab ? 1 : -1);
            return true;
        }
    }
    return QWidget::event(event);
}

void PreviewPicture::keyPressEvent(QKeyEvent* event) {
    const int step = event->modifiers() & Qt::ShiftModifier ? 8 : 1;
    switch (event->key()) {
    case Qt::Key_Escape:
        if (IsDragging()) EndDrag(true);
        return;
    case Qt::Key_Left:
        return Nudge(-step, 0);
    case Qt::Key_Right:
        return Nudge(step, 0);
    case Qt::Key_Up:
        return Nudge(0, -step);
    case Qt::Key_Down:
        return Nudge(0, step);
    default:
        QWidget::keyPressEvent(event);
    }
}

void PreviewPicture::StepSelection(int step) {
    const int32_t count = std::clamp<int32_t>(doc_.ObjectCount, 0, MaxObjects);
    if (count == 0 || !hooks_.SelectObject) return;
    const int32_t selected = Selected();
    const int32_t next =
        selected < 0 ? (step > 0 ? 0 : count - 1) : (selected + step + count) % count;
    hooks_.SelectObject(next);
}

void PreviewPicture::Nudge(int dx, int dy) {
    const int32_t selected = Selected();
    if (selected < 0 || IsDragging()) return;
    const DialogObject after = Dragged(doc_.ObjectTable[selected], DragPart::Body, dx, dy);
    if (after != doc_.ObjectTable[selected]) Edit(selected, after, DragPart::Body, true);
}

} // namespace tarrox
