// The dialog preview: the whole open document drawn as the game lays it out, as outline
// shapes per control type and game-font text, onto a 640 x 480 surface.
#pragma once

#include <cstdint>

#include "preview/Shapes.h"

namespace tarrox {

struct DialogDocument;

// Repaints `canvas` from the document: all objects in index order, then the outline of
// `selObj` over them, or only `selObj` when ShowAll is off. Leaves canvas.Text.TextSizeSlot at
// the last drawn object's slot.
void RedrawPreview(PreviewCanvas& canvas, const DialogDocument& doc, int32_t selObj);

} // namespace tarrox
