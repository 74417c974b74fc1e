// The preview's picture as an editing surface: the drawn dialog at 1x to 3x, nearest pixel,
// with handles on the selected object. Clicks select, drags and arrow keys move and resize,
// Tab steps through the objects. It never writes the document: it hands every selection and
// every edit to the window that owns the document through the hooks.
#pragma once

#include <QImage>
#include <QWidget>
#include <functional>
#include <string>

#include "document/DialogDocument.h"
#include "preview/ObjectGeometry.h"

namespace tarrox {

class Surface;
struct Selection;

struct PreviewEditHooks {
    // Select object `index` as a click on its list entry would.
    std::function<void(int32_t index)> SelectObject;
    // Object `index` should now be `after`. A drag sends each step with dragFinished false
    // and ends with one call with dragFinished true; a cancelled drag ends by sending the
    // record as it was before the drag.
    std::function<void(int32_t index, const DialogObject& after, const std::string& description,
                       bool dragFinished)>
        ApplyObjectEdit;
};

inline constexpr int MinZoom = 1, MaxZoom = 3;

class PreviewPicture : public QWidget {
  public:
    PreviewPicture(const DialogDocument& doc, const Selection& selection, QWidget* parent);

    void Refresh(const Surface& surface);
    void SetHooks(PreviewEditHooks hooks) { hooks_ = std::move(hooks); }
    void SetZoom(int zoom);
    // Whether a click can pick an object the game does not show.
    void SetHiddenPickable(bool pickable) { hiddenPickable_ = pickable; }
    int Zoom() const { return zoom_; }
    // The picture at 1x, as drawn.
    const QImage& Image() const { return image_; }
    // The picture pixel under a point of the widget.
    QPoint PictureAt(QPointF widgetPoint) const;
    bool IsDragging() const { return drag_.Part != DragPart::None; }

  protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    struct Drag {
        DragPart Part = DragPart::None;
        int32_t Index = -1;
        QPoint Start;
        QPointF Pressed; // on the screen, for the threshold
        DialogObject Before;
        bool Started = false;
        bool Sent = false;
    };

    int32_t Selected() const;
    QRect OnScreen(const QRect& picture) const;
    // Where the selected object's handles are drawn, on the widget.
    QRect HandleArea() const;
    // How near a handle the pointer must be, in picture pixels: a few screen pixels at any zoom.
    int32_t Grip() const { return std::max(1, 4 / zoom_); }
    // What a press at the point would do to which object.
    std::pair<int32_t, DragPart> Target(QPoint at) const;
    void ShowCursorFor(QPoint at);
    void Edit(int32_t index, const DialogObject& after, DragPart part, bool finished);
    void EndDrag(bool cancelled);
    void StepSelection(int step);
    void Nudge(int dx, int dy);

    const DialogDocument& doc_;
    const Selection& selection_;
    PreviewEditHooks hooks_;
    QImage image_;
    int zoom_ = 1;
    bool hiddenPickable_ = true;
    QRect shownHandles_;
    Drag drag_;
};

} // namespace tarrox
