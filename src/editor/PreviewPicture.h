// The preview's picture as an editing surface: the drawn dialog at 1x to 3x, nearest pixel,
// with handles on the first selected object and outlines on the others, and an optional grid.
// Clicks select (Ctrl toggles, Shift takes a range), a drag on an empty part draws a selection
// rectangle, drags and arrow keys move the selection or resize, Tab steps through the objects.
// It never writes the document: it hands every selection and every edit to the window that
// owns the document through the hooks.
#pragma once

#include <QImage>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "document/DialogDocument.h"
#include "document/EditCommands.h"
#include "preview/ObjectGeometry.h"

namespace tarrox {

class Surface;
struct Selection;

struct PreviewEditHooks {
    // Select these objects, the first shown in the boxes; none selects the dialog, object 0.
    std::function<void(const std::vector<int32_t>& indices)> SelectObjects;
    // The objects should now be these records. A drag sends each step with dragFinished false
    // and ends with one call with dragFinished true; a cancelled drag ends by sending the
    // records as they were before the drag.
    std::function<void(const std::vector<IndexedObject>& after, const std::string& description,
                       bool dragFinished)>
        ApplyObjectEdits;
};

// What the grid looks like and does; the size is in picture pixels.
struct PictureGrid {
    bool Show = false;
    bool Snap = false;
    int32_t Size = 8;
};

inline constexpr int MinZoom = 1, MaxZoom = 3;

class PreviewPicture : public QWidget {
  public:
    PreviewPicture(const DialogDocument& doc, const Selection& selection, QWidget* parent);

    void Refresh(const Surface& surface);
    void SetHooks(PreviewEditHooks hooks) { hooks_ = std::move(hooks); }
    void SetZoom(int zoom);
    void SetGrid(const PictureGrid& grid);
    // Whether a click can pick an object the game does not show.
    void SetHiddenPickable(bool pickable) { hiddenPickable_ = pickable; }
    int Zoom() const { return zoom_; }
    // The picture at 1x, as drawn.
    const QImage& Image() const { return image_; }
    // The picture pixel under a point of the widget.
    QPoint PictureAt(QPointF widgetPoint) const;
    bool IsDragging() const { return drag_.Part != DragPart::None || drag_.Band; }

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
        int32_t Index = -1; // the object pressed on; the one resized, or the one that snaps
        std::vector<int32_t> Moved;
        QPoint Start;
        QPointF Pressed; // on the screen, for the threshold
        // The document as the drag found it: every step is worked out from there.
        std::shared_ptr<const DialogDocument> Before;
        bool Started = false;
        bool Sent = false;
        // A selection rectangle from Start to End instead of a move; Adding keeps the selection.
        bool Band = false;
        bool Adding = false;
        // Pressed on one of several selected: a click without a drag selects it alone.
        bool PickAlone = false;
        QPoint End;
    };

    int32_t Selected() const;
    QRect OnScreen(const QRect& picture) const;
    // Where the selection's handles, outlines and rectangle are drawn, on the widget.
    QRect SelectionArea() const;
    void PaintGrid(QPainter& painter, const QRect& area) const;
    void PaintSelection(QPainter& painter) const;
    // How near a handle the pointer must be, in picture pixels: a few screen pixels at any zoom.
    int32_t Grip() const { return std::max(1, 4 / zoom_); }
    // What a press at the point would do to which object.
    std::pair<int32_t, DragPart> Target(QPoint at) const;
    void ShowCursorFor(QPoint at);
    // A press with Ctrl or Shift: the selection changes, nothing is dragged.
    void ExtendSelection(int32_t index, Qt::KeyboardModifiers modifiers);
    void StartDrag(int32_t index, DragPart part, QPoint at, QPointF pressed, bool band,
                   bool adding);
    void DragTo(QPoint at, bool snap);
    void Edit(const std::vector<IndexedObject>& after, DragPart part, bool finished);
    void EndDrag(bool cancelled);
    void EndBand();
    void Select(std::vector<int32_t> indices);
    void StepSelection(int step);
    void Nudge(int dx, int dy);

    const DialogDocument& doc_;
    const Selection& selection_;
    PreviewEditHooks hooks_;
    QImage image_;
    int zoom_ = 1;
    PictureGrid grid_;
    QRect shownSelection_;
    bool hiddenPickable_ = true;
    Drag drag_;
};

} // namespace tarrox
