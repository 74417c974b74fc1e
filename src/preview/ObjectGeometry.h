// Where the objects lie in the preview picture and what a drag does to one: the hit test in
// draw order, the part of a box under the pointer, and the moved or resized record.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace tarrox {

struct DialogDocument;
struct DialogObject;

// A box in picture pixels, every edge inclusive; never empty.
struct PictureRect {
    int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
    bool Contains(int32_t x, int32_t y) const {
        return x >= Left && x <= Right && y >= Top && y <= Bottom;
    }
    bool operator==(const PictureRect&) const = default;
};

// What a drag from a point does: move the whole object, or pull an edge or a corner.
enum class DragPart {
    None,
    Body,
    Left,
    Top,
    Right,
    Bottom,
    TopLeft,
    TopRight,
    BottomLeft,
    BottomRight
};

// Which edge of a direction a drag pulls: none (a move, or a part of the other direction), the
// low one (left or top) or the high one (right or bottom).
enum class Pull { None, Low, High };
Pull HorizontalPull(DragPart part);
Pull VerticalPull(DragPart part);

// The box the preview draws object `index` in (Left and Width, Top and Height, children
// placed from the dialog's corner), at least one pixel wide and high.
PictureRect ObjectRect(const DialogDocument& doc, int32_t index);

// The topmost drawn object under the point: later objects lie on top of earlier ones.
// Object 0, the dialog, when no other is hit; -1 for a document without objects. Objects
// without the Visible flag are passed over unless `hiddenToo`.
int32_t ObjectAt(const DialogDocument& doc, int32_t x, int32_t y, bool hiddenToo = true);

// The drawn objects other than the dialog lying wholly within the box (a selection rectangle
// drawn either way round), in draw order; hidden ones only with `hiddenToo`, as ObjectAt.
std::vector<int32_t> ObjectsWithin(const DialogDocument& doc, const PictureRect& box,
                                   bool hiddenToo = true);

// True where a press moves the dialog itself rather than starting a selection rectangle: within
// `band` pixels inside the dialog's edges.
bool OnDialogEdge(const DialogDocument& doc, int32_t x, int32_t y, int32_t band);

// The eight handle points of a box, clockwise from the top-left corner.
struct Handle {
    DragPart Part;
    int32_t X, Y;
};
std::array<Handle, 8> Handles(const PictureRect& box);

// The part of the box under the point. A handle is hit within `grip` pixels of its point;
// handles win over the body so that a small object can still be resized.
DragPart PartAt(const PictureRect& box, int32_t x, int32_t y, int32_t grip);

// The record after dragging `part` by (dx, dy) picture pixels from `before`. A move shifts
// the edges only: the mouse response and text areas are relative to the object and go with it.
// A resize moves the pulled edges of the drawn box, keeps Width and Height equal to
// Right - Left + 1 and Bottom - Top + 1, and keeps an area that covered the whole object,
// (0, 0, Width - 1, Height - 1), covering it; any other area stays as it is. Every field stays
// within 16 bits and a box at least 1 x 1.
DialogObject Dragged(const DialogObject& before, DragPart part, int32_t dx, int32_t dy);

} // namespace tarrox
