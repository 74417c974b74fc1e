// One object as both views draw it: where it lies, its text placed as the game places it, and
// the outline view's shapes, which the art view falls back on where art is missing.
#pragma once

#include <cstdint>
#include <string_view>

#include "preview/ObjectGeometry.h"
#include "preview/Shapes.h"

namespace tarrox {

struct DialogDocument;
struct DialogObject;

// One object's drawing parameters on the screen. Sums are 32-bit: 16-bit fields cannot
// overflow them.
struct ObjectPlacement {
    int32_t X, Y, W, H, R, B;
    PictureRect TextArea; // the light-up button's text area, inclusive
    int lit;              // Highlight or 0
    int optional;         // Fill | DarkFill when FillRects, else 0
    int align;
    std::string_view text;      // as shown: without the hotkey letter
    std::string_view wholeText; // as stored: an image's file name
};

// Whether the game draws the object at all (its Visible flag).
bool IsShown(const DialogObject& o);

// Where object `index` lies and what it shows; sets the canvas's text size slot to its font.
ObjectPlacement PlaceObject(PreviewCanvas& canvas, const DialogDocument& doc, int32_t index,
                            int32_t selObj);

// The object's text where its control type puts it.
void DrawControlText(PreviewCanvas& canvas, int32_t type, const ObjectPlacement& p);

// The outline view's drawing of a shown object, text included.
void DrawOutlineObject(PreviewCanvas& canvas, int32_t type, const ObjectPlacement& p);

// A control the game does not show: its box alone, dimmed, marks where it is; its text would
// scribble over what the game shows there.
void DrawHiddenObject(PreviewCanvas& canvas, int32_t type, const ObjectPlacement& p);

} // namespace tarrox
