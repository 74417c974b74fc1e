// The document as JSON and back, for scripts and tests: every field of every record in file
// order.
#pragma once

#include <string>
#include <string_view>

#include "document/DialogDocument.h"

namespace tarrox {

// {"objects":[...],"smks":[...]}; strings in their editable form, Latin-1 bytes as UTF-8.
std::string DocumentToJson(const DialogDocument& doc);

// Builds `out` (a fresh document) from JSON of the shape DocumentToJson prints. Every field
// must be there once and fit its record; otherwise false, with `error` naming the field:
// "Error: objects[3].Left: must be a number from -32768 to 32767".
// A batch (objects taken out of a dialog, see Clipboard.h) is read with the same rules, except
// that its objects[0] is an ordinary object whose SMK chain counts.
enum class JsonRecords { Dialog, Batch };
bool DocumentFromJson(std::string_view json, DialogDocument& out, std::string& error,
                      JsonRecords records = JsonRecords::Dialog);

} // namespace tarrox
