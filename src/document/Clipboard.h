// Objects taken out of a dialog to be put into one again (copy, cut, paste, duplicate): a batch
// is a DialogDocument whose tables hold only the chosen objects, their texts and the SMK records
// their links reach, with links numbered within the batch, so it fits into any dialog.
// Unlike in a dialog, the batch's object 0 is an ordinary object and may link SMK records.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "document/DialogDocument.h"

namespace tarrox {

// The objects `indices` in the given order (object 0, the dialog itself, indices outside the
// table and repeats left out), with their texts and every SMK record their chains reach.
DialogDocument CopyObjects(const DialogDocument& doc, const std::vector<int32_t>& indices);

// The batch as JSON of the shape `dump` prints: {"objects":[...],"smks":[...]}, every field of
// every record, so the text itself is the exact form.
std::string BatchToJson(const DialogDocument& batch);

// Reads a batch back, also from JSON a user edited: refused with the messages loading a JSON
// dialog gives, except that objects[0] may link SMK records. False leaves `out` as it was.
bool BatchFromJson(std::string_view json, DialogDocument& out, std::string& error);

// True when the document holds an object where the batch's object would land: same edges and
// text, as after pasting into the dialog it was copied from. Pasting then shifts the batch
// (see ShiftedForPaste in preview/Arrange.h).
bool OverlapsOriginals(const DialogDocument& doc, const DialogDocument& batch);

} // namespace tarrox
