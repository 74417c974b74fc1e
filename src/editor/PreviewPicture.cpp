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
#include "preview/Arrange.h"

namespace tarrox {

namespace {

constexpr int HandleSize = 7; // screen pixels, at every zoom
// A press turns into a drag only once the pointer has left this many screen pixels, so a
// click that selects never nudges the object by a hand's tremor.
constexpr int DragThreshold = 3;
// How far inside its edges a press moves the dialog itself, in picture pixels.
constexpr int32_t DialogEdgeBand = 8;
// Grid lines closer than this many screen pixels would hide the picture.
constexpr int MinGridSpacing = 4;

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
    // pixels: only that part, and the selection's marks before and after, are painted again.
    const QRect changed = ChangedArea(image_, next);
    image_ = std::move(next);
    const QRect marks = SelectionArea();
    update(OnScreen(changed) | marks | shownSelection_);
    shownSelection_ = marks;
}

void PreviewPicture::SetZoom(int zoom) {
    zoom_ = std::clamp(zoom, MinZoom, MaxZoom);
    setFixedSize(Surface::Width * zoom_, Surface::Height * zoom_);
    shownSelection_ = SelectionArea();
    update();
}

void PreviewPicture::SetGrid(const PictureGrid& grid) {
    grid_ = grid;
    grid_.Size = std::clamp(grid_.Size, MinGrid, MaxGrid);
    update();
}

QRect PreviewPicture::OnScreen(const QRect& picture) const {
    return {picture.x() * zoom_, picture.y() * zoom_, picture.width() * zoom_,
            picture.height() * zoom_};
}

QRect PreviewPicture::SelectionArea() const {
    // Far-off boxes keep their marks off the picture; the clamp keeps the sums in range.
    auto clamp = [](int32_t v) { return std::clamp<int32_t>(v, -8, Surface::Width + 8); };
    auto onScreen = [&](const PictureRect& box) {
        return OnScreen(QRect(QPoint(clamp(box.Left), clamp(box.Top)),
                              QPoint(clamp(box.Right), clamp(box.Bottom))));
    };
    QRect area;
    const int32_t count = std::min(doc_.ObjectCount, MaxObjects);
    for (int32_t i : selection_.Objects)
        if (i >= 0 && i < count) area |= onScreen(ObjectRect(doc_, i));
    if (const int32_t selected = Selected(); selected >= 0)
        area |= onScreen(ObjectRect(doc_, selected));
    if (drag_.Band && drag_.Started) area |= OnScreen(QRect(drag_.Start, drag_.End).normalized());
    return area.adjusted(-HandleSize, -HandleSize, HandleSize, HandleSize) & rect();
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
    if (grid_.Show) PaintGrid(painter, area);
    PaintSelection(painter);
}

void PreviewPicture::PaintGrid(QPainter& painter, const QRect& area) const {
    const int spacing = grid_.Size * zoom_;
    if (spacing < MinGridSpacing) return;
    painter.setPen(QColor(255, 255, 255, 60));
    for (int x = area.left() / spacing * spacing; x <= area.right(); x += spacing)
        painter.drawLine(x, area.top(), x, area.bottom());
    for (int y = area.top() / spacing * spacing; y <= area.bottom(); y += spacing)
        painter.drawLine(area.left(), y, area.right(), y);
}

void PreviewPicture::PaintSelection(QPainter& painter) const {
    const int32_t count = std::min(doc_.ObjectCount, MaxObjects);
    const int32_t selected = Selected();
    // The others selected: a dashed outline just outside their box.
    QPen dashed(Qt::white, 1, Qt::DashLine);
    painter.setBrush(Qt::NoBrush);
    for (int32_t i : selection_.Objects) {
        if (i == selected || i < 0 || i >= count) continue;
        const PictureRect b = ObjectRect(doc_, i);
        const QRect box = OnScreen(QRect(QPoint(std::clamp(b.Left, -8, Surface::Width + 8),
                                                std::clamp(b.Top, -8, Surface::Height + 8)),
                                         QPoint(std::clamp(b.Right, -8, Surface::Width + 8),
                                                std::clamp(b.Bottom, -8, Surface::Height + 8))));
        painter.setPen(QPen(Qt::black));
        painter.drawRect(box.adjusted(-1, -1, 0, 0));
        painter.setPen(dashed);
        painter.drawRect(box.adjusted(-1, -1, 0, 0));
    }
    if (drag_.Band && drag_.Started) {
        painter.setPen(dashed);
        painter.drawRect(
            OnScreen(QRect(drag_.Start, drag_.End).normalized()).adjusted(0, 0, -1, -1));
    }
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
    // Inside the dialog but on none of its objects, only its edge band moves it.
    if (hit == 0 && !OnDialogEdge(doc_, at.x(), at.y(), DialogEdgeBand)) return {0, DragPart::None};
    return {hit, ObjectRect(doc_, hit).Contains(at.x(), at.y()) ? DragPart::Body : DragPart::None};
}

void PreviewPicture::ShowCursorFor(QPoint at) {
    setCursor(CursorFor(Target(at).second));
}

void PreviewPicture::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || IsDragging()) return;
    const QPoint at = PictureAt(event->position());
    const Qt::KeyboardModifiers keys = event->modifiers();
    const auto [index, part] = Target(at);
    if (index < 0) return;
    const bool empty = index == 0 && part == DragPart::None;
    if (keys & (Qt::ControlModifier | Qt::ShiftModifier)) {
        if (empty && (keys & Qt::ControlModifier))
            StartDrag(0, DragPart::None, at, event->position(), true, true);
        else
            ExtendSelection(ObjectAt(doc_, at.x(), at.y(), hiddenPickable_), keys);
        return;
    }
    if (empty) return StartDrag(0, DragPart::None, at, event->position(), true, false);
    // A press on an object of the selection moves them all; on another, selects it alone.
    if (!selection_.HasObject(index)) Select({index});
    // The owner may refuse the selection; only selected objects are ever dragged.
    if (part == DragPart::None || !selection_.HasObject(index)) return;
    StartDrag(index, part, at, event->position(), false, false);
    drag_.PickAlone = selection_.Objects.size() > 1;
    setCursor(CursorFor(part));
}

void PreviewPicture::ExtendSelection(int32_t index, Qt::KeyboardModifiers modifiers) {
    if (index < 0) return;
    std::vector<int32_t> chosen;
    if (modifiers & Qt::ShiftModifier) {
        // From the first selected to this one, in list order, the first staying first.
        const int32_t from = std::max(Selected(), 0);
        const int32_t step = index >= from ? 1 : -1;
        for (int32_t i = from;; i += step) {
            chosen.push_back(i);
            if (i == index) break;
        }
    } else {
        chosen = selection_.Objects;
        const auto found = std::find(chosen.begin(), chosen.end(), index);
        if (found != chosen.end())
            chosen.erase(found);
        else
            chosen.push_back(index);
    }
    Select(std::move(chosen));
}

void PreviewPicture::StartDrag(int32_t index, DragPart part, QPoint at, QPointF pressed, bool band,
                               bool adding) {
    drag_ = {};
    drag_.Part = part, drag_.Index = index, drag_.Start = drag_.End = at;
    drag_.Pressed = pressed, drag_.Band = band, drag_.Adding = adding;
    if (band) return;
    drag_.Before = std::make_shared<const DialogDocument>(doc_);
    drag_.Moved = part == DragPart::Body ? selection_.Objects : std::vector<int32_t>{index};
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
    // Alt held lets a drag go between the grid's lines.
    DragTo(at, grid_.Snap && !(event->modifiers() & Qt::AltModifier));
}

void PreviewPicture::DragTo(QPoint at, bool snap) {
    if (drag_.Band) {
        const QRect before = SelectionArea();
        drag_.End = at;
        update(before | SelectionArea());
        return;
    }
    const DialogDocument& before = *drag_.Before;
    DragDelta d{at.x() - drag_.Start.x(), at.y() - drag_.Start.y()};
    if (snap) d = SnappedDrag(ObjectRect(before, drag_.Index), drag_.Part, d.Dx, d.Dy, grid_.Size);
    std::vector<IndexedObject> after;
    if (drag_.Part == DragPart::Body)
        after = MovedTogether(before, drag_.Moved, d.Dx, d.Dy);
    else
        after = {{drag_.Index, Dragged(before.ObjectTable[drag_.Index], drag_.Part, d.Dx, d.Dy)}};
    const bool changes = std::any_of(after.begin(), after.end(), [&](const IndexedObject& r) {
        return r.Record != doc_.ObjectTable[r.Index];
    });
    if (!changes) return;
    drag_.Sent = true;
    Edit(after, drag_.Part, false);
}

void PreviewPicture::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && drag_.Band)
        EndBand();
    else if (event->button() == Qt::LeftButton && IsDragging())
        EndDrag(false);
    ShowCursorFor(PictureAt(event->position()));
}

void PreviewPicture::EndBand() {
    const Drag drag = drag_;
    drag_ = {};
    update(shownSelection_ |
           OnScreen(QRect(drag.Start, drag.End).normalized()).adjusted(-1, -1, 1, 1));
    // A click on an empty part selects the dialog, as it always has.
    if (!drag.Started) {
        if (!drag.Adding) Select({0});
        return;
    }
    std::vector<int32_t> chosen = drag.Adding ? selection_.Objects : std::vector<int32_t>{};
    const PictureRect band{drag.Start.x(), drag.Start.y(), drag.End.x(), drag.End.y()};
    for (int32_t i : ObjectsWithin(doc_, band, hiddenPickable_))
        if (std::find(chosen.begin(), chosen.end(), i) == chosen.end()) chosen.push_back(i);
    Select(std::move(chosen));
}

void PreviewPicture::EndDrag(bool cancelled) {
    const Drag drag = drag_;
    drag_ = {};
    if (drag.Band) return update();
    if (!drag.Started && drag.PickAlone && !cancelled) return Select({drag.Index});
    if (!drag.Sent) return;
    std::vector<IndexedObject> records;
    for (int32_t i : drag.Moved)
        records.push_back({i, (cancelled ? *drag.Before : doc_).ObjectTable[i]});
    Edit(records, drag.Part, true);
}

void PreviewPicture::Edit(const std::vector<IndexedObject>& after, DragPart part, bool finished) {
    if (!hooks_.ApplyObjectEdits || after.empty()) return;
    const char* verb = part == DragPart::Body ? "Move " : "Resize ";
    const std::string what = after.size() == 1 ? "Object " + std::to_string(after.front().Index)
                                               : std::to_string(after.size()) + " Objects";
    hooks_.ApplyObjectEdits(after, verb + what, finished);
}

void PreviewPicture::Select(std::vector<int32_t> indices) {
    if (hooks_.SelectObjects) hooks_.SelectObjects(indices);
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
    // During a drag Escape puts it back, whatever else the window does with the key.
    if (event->type() == QEvent::ShortcutOverride && IsDragging() &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        event->accept();
        return true;
    }
    return QWidget::event(event);
}

void PreviewPicture::keyPressEvent(QKeyEvent* event) {
    const int step = event->modifiers() & Qt::ShiftModifier ? 8 : 1;
    switch (event->key()) {
    case Qt::Key_Escape:
        if (IsDragging())
            EndDrag(true);
        else
            Select({0});
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
    if (count == 0) return;
    const int32_t selected = Selected();
    const int32_t next =
        selected < 0 ? (step > 0 ? 0 : count - 1) : (selected + step + count) % count;
    Select({next});
}

void PreviewPicture::Nudge(int dx, int dy) {
    if (Selected() < 0 || IsDragging()) return;
    std::vector<IndexedObject> after = MovedTogether(doc_, selection_.Objects, dx, dy);
    std::erase_if(after,
                  [&](const IndexedObject& r) { return r.Record == doc_.ObjectTable[r.Index]; });
    if (!after.empty()) Edit(after, DragPart::Body, true);
}

} // namespace tarrox
