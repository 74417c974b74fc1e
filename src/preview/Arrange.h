// Arranging several objects at once: align, distribute, same size, moving together, and the
// grid drags snap to. Every function returns the new records for ReplaceObjectsCommand; moves
// change the edges only and resizes keep whole-object areas covering, as Dragged does.
// Positions are compared in picture pixels (ObjectRect), so the dialog and its objects mix.
#pragma once

#include <cstdint>
#include <vector>

#include "document/EditCommands.h"
#include "preview/ObjectGeometry.h"

namespace tarrox {

struct DialogDocument;

enum class Alignment {
    Lefts,
    Rights,
    Tops,
    Bottoms,
    HorizontalCentres, // the same centre x: stacked objects centred on one vertical line
    VerticalCentres,   // the same centre y: objects in a row centred on one horizontal line
};

// Aligns the objects `indices` to the first of them, which stays. Object 0 is never moved (every
// other object is placed from its corner) but may be the first. Indices outside the table and
// repeats are left out; the result holds the records that were kept, in order.
std::vector<IndexedObject> Aligned(const DialogDocument& doc, const std::vector<int32_t>& indices,
                                   Alignment alignment);

// Spreads the objects with equal gaps between them, ordered by their left (top) edge; the
// outermost two stay. Needs three objects besides object 0, which is left out.
std::vector<IndexedObject> Distributed(const DialogDocument& doc,
                                       const std::vector<int32_t>& indices, bool horizontally);

// Gives every object the first's width, height or both, pulling the right and bottom edges.
// Object 0 is never resized but may be the first.
std::vector<IndexedObject> SameSize(const DialogDocument& doc, const std::vector<int32_t>& indices,
                                    bool width, bool height);

// Moves the objects by one delta, clamped so that every edge of every one stays within its 16-bit
// field (so the group keeps its shape). With object 0 among them, the objects placed from its
// corner go with it and are not moved again.
std::vector<IndexedObject> MovedTogether(const DialogDocument& doc,
                                         const std::vector<int32_t>& indices, int32_t dx,
                                         int32_t dy);

// The grid is 1 to 32 pixels, lines at multiples of its size from the picture's corner.
inline constexpr int32_t MinGrid = 1, MaxGrid = 32, DefaultGrid = 8;

// The grid line nearest `value` (the size clamped to 1..32).
int32_t SnappedToGrid(int32_t value, int32_t grid);

// The drag delta adjusted so that what is dragged lands on the grid: a moved box's top-left
// corner, or the pulled edges of a resized one (a right or bottom edge's outer side). `box` is
// where the object was when the drag began; dx, dy the pointer's delta since.
struct DragDelta {
    int32_t Dx = 0, Dy = 0;
    bool operator==(const DragDelta&) const = default;
};
DragDelta SnappedDrag(const PictureRect& box, DragPart part, int32_t dx, int32_t dy, int32_t grid);

// How far pasted objects land from their originals in the same dialog.
inline constexpr int32_t PasteOffset = 8;

// The batch moved PasteOffset right and down (again, up to one step per object, while
// OverlapsOriginals says it would still land on objects already there), so repeated pastes fan
// out; unchanged when nothing is under it.
DialogDocument ShiftedForPaste(const DialogDocument& doc, DialogDocument batch);

} // namespace tarrox
