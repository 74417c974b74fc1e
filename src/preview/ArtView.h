// The art view: a dialog drawn as the game shows it, with the game's own backgrounds, images
// and control frames from the data folders, its text on top in the game's fonts. Missing art
// is never an error: the object keeps its outline and the view names what is missing.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "preview/ArtScreen.h"
#include "preview/Shapes.h"

namespace tarrox {

class ArtCache;
struct DialogDocument;

// Repaints the canvas as RedrawPreview does, in the game's art. Returns what art is missing
// or damaged, one sentence a file ("glue\campaign\pbotl.pcx is not imported."), each once.
std::vector<std::string> RedrawArtView(PreviewCanvas& canvas, const DialogDocument& doc,
                                       int32_t selObj, ArtCache& art, const ArtChoice& choice);

} // namespace tarrox
